#include "platform/linux/NetworkDownloader.h"

#include <QEventLoop>
#include <QIODevice>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QThread>
#include <QTimer>

#include <memory>

namespace {

// How often a waiting download looks whether its thread was asked to stop.
constexpr int kInterruptPollMs = 50;
constexpr qint64 kReadBufferBytes = 256 * 1024;

QNetworkRequest networkRequest(const QUrl &url, const NetworkDownloader::Limits &limits)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    // Caching proxies on the way must ask the server as well.
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(limits.maxRedirects);
    request.setTransferTimeout(limits.transferTimeoutMs);
    return request;
}

bool successStatus(const QNetworkReply &reply)
{
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return status >= 200 && status < 300;
}

// Moves what arrived into the target, within the request's limits.
class ReplyReader
{
public:
    ReplyReader(const Downloader::Request &request, QNetworkReply &reply, QIODevice &target)
        : m_request(request)
        , m_reply(reply)
        , m_target(target)
    {
    }

    // False once reading must stop: enough read, too much arrived, or the target failed.
    bool consume()
    {
        if (!successStatus(m_reply)) {
            m_failed = true; // an error page: nothing of it is read
            return false;
        }
        while (!m_done && m_reply.bytesAvailable() > 0) {
            QByteArray chunk = m_reply.read(std::min<qint64>(m_reply.bytesAvailable(), 65536));
            if (m_request.firstLineOnly) {
                const qsizetype lineEnd = firstLineEnd(chunk);
                if (lineEnd >= 0) {
                    chunk.truncate(lineEnd);
                    m_headComplete = true;
                }
            }
            const qint64 room = m_request.maxBytes - m_written;
            if (chunk.size() > room) {
                chunk.truncate(room);
                if (m_request.firstLineOnly)
                    m_headComplete = true;
                else
                    m_failed = true;
            }
            if (m_target.write(chunk) != chunk.size())
                m_failed = true;
            m_written += chunk.size();
            m_done = m_failed || m_headComplete;
        }
        return !m_done;
    }

    bool headComplete() const { return m_headComplete && !m_failed; }
    bool failed() const { return m_failed; }

private:
    static qsizetype firstLineEnd(const QByteArray &chunk)
    {
        const qsizetype cr = chunk.indexOf('\r');
        const qsizetype lf = chunk.indexOf('\n');
        if (cr < 0)
            return lf;
        return lf < 0 ? cr : std::min(cr, lf);
    }

    const Downloader::Request &m_request;
    QNetworkReply &m_reply;
    QIODevice &m_target;
    qint64 m_written = 0;
    bool m_done = false;
    bool m_failed = false;
    bool m_headComplete = false;
};

} // namespace

bool NetworkDownloader::DownloadToFile(const Request &request, QIODevice &target)
{
    const QString scheme = request.url.scheme();
    if (!request.url.isValid() || (scheme != u"http" && scheme != u"https"))
        return false;
    QNetworkAccessManager manager;
    std::unique_ptr<QNetworkReply> reply(manager.get(networkRequest(request.url, m_limits)));
    // Bounds what waits in memory between two reads.
    reply->setReadBufferSize(kReadBufferBytes);
    ReplyReader reader(request, *reply, target);

    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
        if (!reader.consume())
            loop.quit();
    });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (request.progress)
        QObject::connect(reply.get(), &QNetworkReply::downloadProgress, &loop, request.progress);
    bool interrupted = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (QThread::currentThread()->isInterruptionRequested()) {
            interrupted = true;
            loop.quit();
        }
    });
    poll.start(kInterruptPollMs);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    poll.stop();

    if (!interrupted && !reader.headComplete() && !reader.failed())
        reader.consume(); // what came with the end of the reply
    const bool headOnly = !interrupted && reader.headComplete();
    if (!reply->isFinished())
        reply->abort();
    if (interrupted || reader.failed())
        return false;
    return headOnly || (reply->error() == QNetworkReply::NoError && successStatus(*reply));
}
