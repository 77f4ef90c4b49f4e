#pragma once

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <memory>

// A tile server on 127.0.0.1 that answers every request in one bad way, for the loader's
// limits: a chunked body without end, a body announced at 100 GB, or a tile that drips one
// byte at a time; or a good body without its length, so only the bytes can be counted. Keeps
// sending while the client reads and counts what it sent.
class HostileTileServer
{
public:
    enum class Kind { EndlessChunked, HundredGigabytes, Drip, Unannounced };

    explicit HostileTileServer(Kind kind, int dripMs = 100, QByteArray body = {})
        : m_kind(kind)
        , m_dripMs(dripMs)
        , m_body(std::move(body))
    {
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    if (socket->readAll().contains("\r\n\r\n") &&
                        !socket->property("on").toBool()) {
                        socket->setProperty("on", true);
                        ++requests;
                        answer(socket);
                    }
                });
            }
        });
        m_server.listen(QHostAddress::LocalHost, 0);
    }

    QString pattern() const
    {
        return QStringLiteral("http://127.0.0.1:%1/{z}/{x}/{y}.png").arg(m_server.serverPort());
    }

    int requests = 0;
    qint64 bytesSent = 0;

private:
    void answer(QTcpSocket *socket)
    {
        if (m_kind == Kind::Unannounced) {
            bytesSent += socket->write("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + m_body);
            socket->disconnectFromHost();
            return;
        }
        if (m_kind == Kind::Drip) {
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n");
            auto *timer = new QTimer(socket);
            QObject::connect(timer, &QTimer::timeout, socket,
                             [this, socket] { bytesSent += socket->write("x"); });
            timer->start(m_dripMs);
            return;
        }
        socket->write(m_kind == Kind::EndlessChunked
                          ? "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                          : "HTTP/1.1 200 OK\r\nContent-Length: 107374182400\r\n\r\n");
        const QByteArray piece(64 * 1024, 'x');
        const QByteArray chunk = m_kind == Kind::EndlessChunked
            ? QByteArray::number(piece.size(), 16) + "\r\n" + piece + "\r\n"
            : piece;
        auto more = [this, socket, chunk] {
            // Stops on its own at 1 GB, so a loader that never gives up fails instead of hanging.
            while (socket->bytesToWrite() < 4 * chunk.size() && bytesSent < (qint64(1) << 30))
                bytesSent += socket->write(chunk);
        };
        QObject::connect(socket, &QTcpSocket::bytesWritten, socket, more);
        more();
    }

    QTcpServer m_server;
    Kind m_kind;
    int m_dripMs;
    QByteArray m_body;
};
