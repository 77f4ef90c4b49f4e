#include "platform/linux/NetworkDownloader.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QIODevice>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QThread>
#include <QTimer>

#include <memory>

namespace {

// How often a waiting download looks whether it must stop (asked to, cancelled, too slow).
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
    qint64 written() const { return m_written; }
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

// Decides, at every poll, whether a running transfer must stop: its thread asked to stop, the
// caller cancelled, the overall deadline passed, or too little arrived over the last window.
class TransferWatch
{
public:
    TransferWatch(const Downloader::Request &request, const ReplyReader &reader)
        : m_request(request)
        , m_reader(reader)
    {
        m_clock.start();
    }

    bool mustStop()
    {
        if (QThread::currentThread()->isInterruptionRequested())
            return true;
        if (m_request.cancelled && m_request.cancelled())
            return true;
        const qint64 now = m_clock.elapsed();
        if (m_request.deadlineMs > 0 && now >= m_request.deadlineMs)
            return true;
        if (m_request.minBytesPerSecond <= 0 || m_request.rateWindowMs <= 0 ||
            now - m_windowStart < m_request.rateWindowMs)
            return false;
        const qint64 arrived = m_reader.written() - m_windowBytes;
        if (arrived * 1000 < m_request.minBytesPerSecond * (now - m_windowStart))
            return true;
        m_windowStart = now;
        m_windowBytes = m_reader.written();
        return false;
    }

private:
    const Downloader::Request &m_request;
    const ReplyReader &m_reader;
    QElapsedTimer m_clock;
    qint64 m_windowStart = 0;
    qint64 m_windowBytes = 0;
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
    TransferWatch watch(request, reader);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (watch.mustStop()) {
            interrupted = true;
            loop.quit();
        }
    });
    poll.start(kInterruptPollMs);
    // Only a caller that offers to cancel wants the user's clicks while it waits.
    if (!reply->isFinished())
        loop.exec(request.cancelled ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
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
