#pragma once
// One HTTP request and its two blocks. The requestor lives until its request completes, then
// deletes itself. Exactly one block runs, on the main thread, never before requestForUrl returns:
// the end block with the body of any answer that carries an HTTP status (an error status is an
// answer too, judged by what it holds), the fail block with a description of anything else (no
// address, no connection, a refused or timed-out request). A manager that goes first (its service
// deleted, the program closing) takes the requestor with it, and neither block runs.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

class URLRequestor : public QObject {
    Q_OBJECT
public:
    using DataBlock = std::function<void(const QByteArray& data)>;
    using FailBlock = std::function<void(const QString& error)>;

    URLRequestor(const DataBlock& endBlock, const FailBlock& failBlock);

    // timeoutMs bounds the whole transfer; 0 leaves Qt's default.
    void requestForUrl(QNetworkAccessManager& manager, const QUrl& url, int timeoutMs);

private:
    void finished(QNetworkReply* reply);
    void fail(const QString& error);

    DataBlock m_endBlock;
    FailBlock m_failBlock;
};
