#include "support/net/HttpTestServer.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include <memory>
#include <utility>

namespace {

QByteArray reason(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    default:
        return "Status";
    }
}

QByteArray header(int status, qint64 length, const QByteArray &extra = {})
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason(status) + "\r\n";
    if (length >= 0)
        head += "Content-Length: " + QByteArray::number(length) + "\r\n";
    return head + extra + "Connection: close\r\n\r\n";
}

} // namespace

HttpTestServer::HttpTestServer()
{
    QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] { accept(); });
    m_server.listen(QHostAddress::LocalHost, 0);
}

HttpTestServer::~HttpTestServer()
{
    m_server.close();
}

QString HttpTestServer::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1/").arg(m_server.serverPort());
}

void HttpTestServer::accept()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        auto request = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
            *request += socket->readAll();
            const qsizetype end = request->indexOf("\r\n\r\n");
            if (end < 0)
                return;
            const QList<QByteArray> requestLine =
                request->left(request->indexOf("\r\n")).split(' ');
            const QByteArray path = requestLine.value(1);
            requestedPaths.append(path);
            requestHeaders.append(request->left(end));
            request->clear();
            answer(socket, path);
        });
    }
}

void HttpTestServer::answer(QTcpSocket *socket, const QByteArray &path)
{
    const auto found = m_routes.constFind(path);
    if (found == m_routes.constEnd()) {
        reply(socket, 404, "<html><body>Not Found</body></html>\n");
        return;
    }
    const Route &route = *found;
    switch (route.kind) {
    case Kind::Body:
        reply(socket, route.status, route.body);
        return;
    case Kind::NeverAnswer:
        return;
    case Kind::Huge:
        streamHuge(socket, route.status);
        return;
    case Kind::Slow:
        streamSlow(socket, route.body);
        return;
    case Kind::Redirect:
        socket->write(header(302, 0, "Location: " + route.body + "\r\n"));
        socket->disconnectFromHost();
        return;
    case Kind::Held:
        m_held.append({socket, path});
        return;
    case Kind::Drip:
        drip(socket, route);
        return;
    case Kind::Paced:
        pace(socket, route);
        return;
    }
}

void HttpTestServer::reply(QTcpSocket *socket, int status, const QByteArray &body)
{
    socket->write(header(status, body.size()) + body);
    socket->disconnectFromHost();
}

void HttpTestServer::release()
{
    const auto held = std::exchange(m_held, {});
    for (const auto &[socket, path] : held) {
        if (!socket)
            continue;
        const Route &route = m_routes[path];
        reply(socket, route.status, route.body);
    }
}

void HttpTestServer::streamHuge(QTcpSocket *socket, int status)
{
    socket->write(header(status, -1));
    const QByteArray chunk(64 * 1024, 'x');
    auto more = [this, socket, chunk] {
        if (socket->bytesToWrite() > 4 * chunk.size())
            return;
        if (hugeBytesSent >= kHugeBound) {
            socket->disconnectFromHost();
            return;
        }
        hugeBytesSent += socket->write(chunk);
    };
    QObject::connect(socket, &QTcpSocket::bytesWritten, socket, more);
    more();
}

void HttpTestServer::streamSlow(QTcpSocket *socket, const QByteArray &body)
{
    socket->write(header(200, body.size()));
    auto *timer = new QTimer(socket);
    auto sent = std::make_shared<qsizetype>(0);
    const qsizetype piece = std::max<qsizetype>(1, body.size() / 8);
    QObject::connect(timer, &QTimer::timeout, socket, [socket, timer, body, sent, piece] {
        socket->write(body.mid(*sent, piece));
        *sent += piece;
        if (*sent >= body.size()) {
            timer->stop();
            socket->disconnectFromHost();
        }
    });
    timer->start(20);
}

void HttpTestServer::drip(QTcpSocket *socket, const Route &route)
{
    // Announces far more than ever comes, so the client keeps waiting for the rest.
    socket->write(header(route.status, qint64(1) << 30) + route.body);
    auto *timer = new QTimer(socket);
    QObject::connect(timer, &QTimer::timeout, socket, [socket] { socket->write("0"); });
    timer->start(route.intervalMs);
}

void HttpTestServer::pace(QTcpSocket *socket, const Route &route)
{
    socket->write(header(route.status, route.body.size()));
    auto *timer = new QTimer(socket);
    auto sent = std::make_shared<qsizetype>(0);
    const QByteArray body = route.body;
    QObject::connect(timer, &QTimer::timeout, socket, [socket, timer, body, sent] {
        socket->write(body.mid(*sent, 1024));
        *sent += 1024;
        if (*sent >= body.size()) {
            timer->stop();
            socket->disconnectFromHost();
        }
    });
    timer->start(route.intervalMs);
}
