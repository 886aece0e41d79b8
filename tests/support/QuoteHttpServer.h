#pragma once
// A loopback HTTP server for the quote service's tests: each request is answered with the canned
// reply of the first route whose key its target holds (decoded), or a 404. A route may hold its
// answer until release(), or never answer. Nothing leaves the machine.
#include <QHostAddress>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

#include <utility>

class QuoteHttpServer : public QTcpServer {
public:
    struct Route {
        QString key;
        int status = 200;
        QByteArray body;
        bool held = false; // answered on release()
        bool silent = false; // never answered
    };

    QuoteHttpServer()
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
        });
    }

    QString rootPath() const { return QStringLiteral("http://127.0.0.1:%1/v1/public/yql?q=").arg(serverPort()); }
    void add(const Route& route) { m_routes.append(route); }
    QStringList targets; // every decoded request target, in order

    void release()
    {
        const QList<std::pair<QPointer<QTcpSocket>, Route>> held = std::exchange(m_held, {});
        for (const auto& [socket, route] : held) {
            if (socket)
                answer(socket, route);
        }
    }
    qsizetype heldCount() const { return m_held.size(); }

private:
    void read(QTcpSocket* socket)
    {
        QByteArray& request = m_buffers[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n"))
            return;
        const QByteArray target = request.split(' ').value(1);
        const QString decoded = QUrl::fromPercentEncoding(target);
        targets.append(decoded);
        m_buffers.remove(socket);
        for (const Route& route : std::as_const(m_routes)) {
            if (!decoded.contains(route.key))
                continue;
            if (route.held)
                m_held.append({socket, route});
            else if (!route.silent)
                answer(socket, route);
            return;
        }
        answer(socket, Route {QString(), 404, "not found"});
    }

    static void answer(QTcpSocket* socket, const Route& route)
    {
        QByteArray reply = "HTTP/1.1 " + QByteArray::number(route.status) + " X\r\nContent-Type: application/json\r\n"
            + "Content-Length: " + QByteArray::number(route.body.size()) + "\r\nConnection: close\r\n\r\n" + route.body;
        socket->write(reply);
        socket->disconnectFromHost();
    }

    QList<Route> m_routes;
    QHash<QTcpSocket*, QByteArray> m_buffers;
    QList<std::pair<QPointer<QTcpSocket>, Route>> m_held;
};
