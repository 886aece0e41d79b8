// One frame each way over a loopback connection: frames built by hand read by the receive
// operation, and what the send operation writes read back raw.
#include "SyncTestSupport.h"

#include "sync/FileReceiveOperation.h"
#include "sync/FileSendOperation.h"

#include <QFile>
#include <QTcpServer>

#include <gtest/gtest.h>

#include <cerrno>

using namespace synctest;

namespace {

class FrameTransferTest : public ::testing::Test {
protected:
    // A fresh connection between the peer and the local end.
    void connectPair()
    {
        ASSERT_TRUE(listener.isListening() || listener.listen(QHostAddress::LocalHost, 0));
        peer.abort();
        peer.connectToHost(QHostAddress::LocalHost, listener.serverPort());
        ASSERT_TRUE(spinUntil([this] { return listener.hasPendingConnections(); }));
        local.reset(listener.nextPendingConnection());
        ASSERT_TRUE(spinUntil([this] { return peer.state() == QAbstractSocket::ConnectedState; }));
    }
    void peerWrites(const QByteArray& bytes, qsizetype step)
    {
        for (qsizetype at = 0; at < bytes.size(); at += step) {
            peer.write(bytes.mid(at, step));
            ASSERT_TRUE(spinUntil([this] { return peer.bytesToWrite() == 0; }));
            settle();
        }
    }

    PrivateTempDir temp;
    VirtualSyncClock clock;
    QTcpServer listener;
    QTcpSocket peer;
    std::unique_ptr<QTcpSocket> local;
};

QByteArray body(qsizetype size)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 251) & 0xFF);
    return bytes;
}

} // namespace

TEST_F(FrameTransferTest, ReceivesAFrameOrFailsWithTheRightErrorAndLeavesNoFile)
{
    const QByteArray big = frame(body(32769));
    enum class Then { Nothing, Close, Cancel, Silence };
    const struct {
        const char* name;
        QByteArray wire;
        qsizetype step; // bytes written per turn of the event loop
        Then then;
        std::optional<SyncError> error;
        qsizetype size; // of the body received
    } cases[] = {
        {"empty body", frame(""), 12, Then::Nothing, std::nullopt, 0},
        {"one whole chunk", frame(body(32768)), 40000, Then::Nothing, std::nullopt, 32768},
        {"a chunk and one byte", big, 40000, Then::Nothing, std::nullopt, 32769},
        {"negative length", header(-5) + QByteArray(4, '\0'), 12, Then::Nothing, std::nullopt, 0},
        {"one byte at a time", frame(body(300)), 1, Then::Nothing, std::nullopt, 300},
        {"flipped checksum", frame(body(32768), true), 40000, Then::Nothing, SyncError::transfer(259), 0},
        {"closed mid-frame", big.left(20000), 20000, Then::Close, SyncError::posix(EPIPE), 0},
        {"closed after the header", header(10), 8, Then::Close, SyncError::posix(EPIPE), 0},
        {"cancelled mid-frame", big.left(20000), 20000, Then::Cancel, SyncError::transfer(3072), 0},
        {"declared above the limit", header(kMaxFrameBody + 1), 8, Then::Nothing, SyncError::posix(EMSGSIZE), 0},
        {"silent peer", "", 1, Then::Silence, SyncError::posix(ETIMEDOUT), 0},
        {"stalls mid-frame", big.left(20000), 20000, Then::Silence, SyncError::posix(ETIMEDOUT), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        connectPair();
        FileReceiveOperation operation(local.get());
        operation.start();
        settle();
        peerWrites(c.wire, c.step);
        if (c.then == Then::Close)
            peer.disconnectFromHost();
        if (c.then == Then::Cancel) {
            ASSERT_TRUE(QFile::exists(operation.finalFilePath()));
            operation.cancel();
        }
        if (c.then == Then::Silence) {
            clock.advance(kFrameIdleTimeoutMs - 1);
            EXPECT_TRUE(operation.isExecuting());
            clock.advance(1);
        }
        ASSERT_TRUE(spinUntil([&] { return operation.isFinished(); }));
        EXPECT_EQ(operation.error(), c.error);
        if (!c.error) {
            QFile file(operation.finalFilePath());
            // Readable and writable by its owner only.
            EXPECT_EQ(file.permissions() & ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser),
                      QFile::Permissions());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), body(c.size));
            operation.removeReceivedFile();
        }
        EXPECT_EQ(temp.files(), QStringList());
        operation.cancel(); // a finished operation stays as it is
        EXPECT_EQ(operation.error(), c.error);
    }
}

TEST_F(FrameTransferTest, SendsAFrameAndTellsOnlyOnceItIsOut)
{
    const struct {
        const char* name;
        qsizetype size;
        bool stall;
        bool badChecksum;
        bool peerGone;
    } cases[] = {
        {"empty body", 0, false, false, false},
        {"one whole chunk", 32768, false, false, false},
        {"a chunk and one byte", 32769, false, false, false},
        {"several chunks", 200000, false, false, false},
        {"flipped checksum", 10, false, true, false},
        {"stalled", 10, true, false, false},
        {"peer gone", 100000, false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        connectPair();
        if (c.peerGone) {
            peer.abort();
            ASSERT_TRUE(spinUntil([this] { return local->state() == QAbstractSocket::UnconnectedState; }));
        }
        FileSendOperation operation(body(c.size), local.get());
        operation.debugStallSend = c.stall;
        operation.debugSendBadChecksum = c.badChecksum;
        operation.start();
        if (c.stall) {
            settle();
            operation.cancel();
        }
        QByteArray received;
        const QByteArray expected = c.stall || c.peerGone ? QByteArray() : frame(body(c.size), c.badChecksum);
        ASSERT_TRUE(spinUntil([&] {
            received += peer.isOpen() ? peer.readAll() : QByteArray();
            return operation.isFinished() && received.size() >= expected.size();
        }));
        EXPECT_EQ(received, expected);
        EXPECT_EQ(bool(operation.error()), c.stall || c.peerGone);
    }
}
