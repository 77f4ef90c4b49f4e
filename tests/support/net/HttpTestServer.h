#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

// A tiny HTTP/1.1 server on 127.0.0.1 (a free port) for tests of the network code. Each path
// answers as it was told; unknown paths get a 404. Runs on the thread that made it, so a test
// that waits must keep that thread's event loop turning (a local QEventLoop does).
class HttpTestServer
{
public:
    enum class Kind {
        Body, // status and body at once
        NeverAnswer, // reads the request and stays silent
        Huge, // an endless body without a line end, with the route's status (stops after a bound)
        Slow, // the body in small pieces with pauses, with its length announced
        Redirect, // 302 to `body` as the new location
        Held, // like Body, but only after release()
        Drip, // the body at once, then one byte more every `intervalMs`, without end
        Paced, // the body 1024 bytes every `intervalMs`, with its length announced
    };

    struct Route
    {
        Kind kind = Kind::Body;
        int status = 200;
        QByteArray body;
        int intervalMs = 1000; // Drip
    };

    HttpTestServer();
    ~HttpTestServer();

    // "http://127.0.0.1:<port>/"
    QString baseUrl() const;
    quint16 port() const { return m_server.serverPort(); }

    void serve(const QByteArray &path, Route route) { m_routes.insert(path, std::move(route)); }
    void serveBody(const QByteArray &path, const QByteArray &body, int status = 200)
    {
        serve(path, {Kind::Body, status, body});
    }
    // Answers the requests held so far.
    void release();

    // Paths and header blocks of the requests received so far.
    QList<QByteArray> requestedPaths;
    QList<QByteArray> requestHeaders;
    // Bytes of the huge body sent, over all requests.
    qint64 hugeBytesSent = 0;

    static constexpr qint64 kHugeBound = qint64(64) << 20;

private:
    void accept();
    void answer(QTcpSocket *socket, const QByteArray &path);
    void reply(QTcpSocket *socket, int status, const QByteArray &body);
    void streamHuge(QTcpSocket *socket, int status);
    void streamSlow(QTcpSocket *socket, const QByteArray &body);
    void drip(QTcpSocket *socket, const Route &route);
    void pace(QTcpSocket *socket, const Route &route);

    QTcpServer m_server;
    QHash<QByteArray, Route> m_routes;
    QList<QPair<QPointer<QTcpSocket>, QByteArray>> m_held;
};
