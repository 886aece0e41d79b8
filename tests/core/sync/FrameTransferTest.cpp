// One frame each way over a loopback connection: a hand-built frame read by the receive
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
    void SetUp() override { ASSERT_TRUE(listener.listen(QHostAddress::LocalHost, 0)); }

    // A fresh connection between the peer and the local end.
    void connectPair()
    {
        peer.abort();
        local.reset();
        peer.connectToHost(QHostAddress::LocalHost, listener.serverPort());
        ASSERT_TRUE(spinUntil([this] { return listener.hasPendingConnections(); }));
        local.reset(listener.nextPendingConnection());
        ASSERT_TRUE(spinUntil([this] { return peer.state() == QAbstractSocket::ConnectedState; }));
    }

    // Writes the bytes from the peer, at once or one byte per turn of the event loop.
    void peerWrites(const QByteArray& bytes, bool byteByByte)
    {
        const qsizetype step = byteByByte ? 1 : bytes.size();
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

SyncError posix(int code)
{
    return SyncError::posix(code);
}

SyncError transfer(int code)
{
    return SyncError::transfer(code);
}

QByteArray halfOf(const QByteArray& bytes)
{
    return bytes.left(bytes.size() / 2);
}

} // namespace

TEST_F(FrameTransferTest, ReceivesAFrameOrFailsWithTheRightErrorAndLeavesNoFile)
{
    const QByteArray chunk = body(32768);
    const QByteArray chunkAndOne = body(32769);
    enum class Then { Nothing, Close, Cancel, Silence };
    const struct {
        const char* name;
        QByteArray wire;
        bool byteByByte;
        Then then;
        std::optional<SyncError> error;
        QByteArray expected;
    } cases[] = {
        {"empty body", frame(""), false, Then::Nothing, std::nullopt, ""},
        {"one whole chunk", frame(chunk), false, Then::Nothing, std::nullopt, chunk},
        {"a chunk and one byte", frame(chunkAndOne), false, Then::Nothing, std::nullopt, chunkAndOne},
        {"negative length", header(-5) + QByteArray(4, '\0'), false, Then::Nothing, std::nullopt, ""},
        {"one byte at a time", frame(body(300)), true, Then::Nothing, std::nullopt, body(300)},
        {"flipped checksum", frame(chunk, true), false, Then::Nothing, transfer(kSyncErrorBadChecksum), ""},
        {"closed mid-frame", halfOf(frame(chunkAndOne)), false, Then::Close, posix(EPIPE), ""},
        {"cut after the header", header(10), false, Then::Close, posix(EPIPE), ""},
        {"cancelled mid-frame", halfOf(frame(chunkAndOne)), false, Then::Cancel, transfer(kSyncErrorCancelled), ""},
        {"declared above the limit", header(kMaxFrameBody + 1), false, Then::Nothing, posix(EMSGSIZE), ""},
        {"silent peer", "", false, Then::Silence, posix(ETIMEDOUT), ""},
        {"stalls mid-frame", halfOf(frame(chunk)), false, Then::Silence, posix(ETIMEDOUT), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        connectPair();
        FileReceiveOperation operation(local.get());
        bool told = false;
        QObject::connect(&operation, &QRunLoopOperation::finished, [&told] { told = true; });
        operation.start();
        settle();
        peerWrites(c.wire, c.byteByByte);
        if (c.then == Then::Close)
            peer.disconnectFromHost();
        if (c.then == Then::Cancel) {
            ASSERT_FALSE(operation.finalFilePath().isEmpty());
            EXPECT_TRUE(QFile::exists(operation.finalFilePath()));
            operation.cancel();
        }
        if (c.then == Then::Silence) {
            clock.advance(kFrameIdleTimeoutMs - 1);
            EXPECT_TRUE(operation.isExecuting());
            clock.advance(1);
        }
        ASSERT_TRUE(spinUntil([&] { return told; }));
        EXPECT_TRUE(operation.isFinished());
        EXPECT_EQ(operation.error(), c.error);
        if (!c.error) {
            QFile file(operation.finalFilePath());
            EXPECT_EQ(file.permissions() & ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser),
                      QFile::Permissions());
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), c.expected);
            operation.removeReceivedFile();
        }
        EXPECT_TRUE(operation.finalFilePath().isEmpty());
        EXPECT_EQ(temp.files(), QStringList());
        operation.cancel(); // a finished operation stays as it is
        EXPECT_EQ(operation.error(), c.error);
        peer.abort();
    }
}

TEST_F(FrameTransferTest, SendsAFrameAndReportsOnlyOnceItIsOut)
{
    const struct {
        const char* name;
        qsizetype size;
        bool stall;
        bool badChecksum;
    } cases[] = {
        {"empty body", 0, false, false},
        {"one whole chunk", 32768, false, false},
        {"a chunk and one byte", 32769, false, false},
        {"several chunks", 200000, false, false},
        {"flipped checksum", 10, false, true},
        {"stalled", 10, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        connectPair();
        FileSendOperation operation(body(c.size), local.get());
        operation.debugStallSend = c.stall;
        operation.debugSendBadChecksum = c.badChecksum;
        bool told = false;
        QObject::connect(&operation, &QRunLoopOperation::finished, [&told] { told = true; });
        operation.start();
        QByteArray received;
        const QByteArray expected = c.stall ? QByteArray() : frame(body(c.size), c.badChecksum);
        if (c.stall) {
            settle();
            operation.cancel();
        }
        ASSERT_TRUE(spinUntil([&] {
            received += peer.readAll();
            return told && received.size() >= expected.size();
        }));
        EXPECT_EQ(received, expected);
        EXPECT_EQ(operation.error(), c.stall ? std::optional(transfer(kSyncErrorCancelled)) : std::nullopt);
        peer.abort();
    }
}

TEST_F(FrameTransferTest, APeerGoneBeforeTheAnswerFailsTheSend)
{
    connectPair();
    peer.abort();
    ASSERT_TRUE(spinUntil([this] { return local->state() == QAbstractSocket::UnconnectedState; }));
    FileSendOperation operation(body(100000), local.get());
    operation.start();
    ASSERT_TRUE(spinUntil([&] { return operation.isFinished(); }));
    EXPECT_TRUE(operation.error());
}
