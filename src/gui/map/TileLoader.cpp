#include "gui/map/TileLoader.h"

#include "gui/map/TileDecode.h"

#include <QDateTime>
#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

TileDiskCache::TileDiskCache(const QString &directory, qint64 maximumBytes, QObject *parent)
    : QNetworkDiskCache(parent)
{
    setCacheDirectory(directory);
    setMaximumCacheSize(maximumBytes);
}

QIODevice *TileDiskCache::prepare(const QNetworkCacheMetaData &metaData)
{
    QNetworkCacheMetaData kept = metaData;
    const QDateTime weekAhead = QDateTime::currentDateTimeUtc().addSecs(kMinimumLifeSeconds);
    if (!kept.expirationDate().isValid() || kept.expirationDate() < weekAhead)
        kept.setExpirationDate(weekAhead);
    return QNetworkDiskCache::prepare(kept);
}

QString tileCacheDirectory()
{
    QString base = qEnvironmentVariable("XDG_CACHE_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.cache");
    return base + QStringLiteral("/Quarvel/Kacheln");
}

namespace {

bool isNetworkFailure(QNetworkReply::NetworkError error)
{
    // Connection-level errors (refused, host not found, timeout, TLS): no server answered.
    return error != QNetworkReply::NoError && error < QNetworkReply::ContentAccessDenied;
}

bool isHttpAddress(const QUrl &url)
{
    return url.isValid() &&
        (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

} // namespace

TileLoader::TileLoader(const QString &pattern, const QString &cacheDirectory, qint64 cacheBytes,
                       const QString &userAgent, const TileLimits &limits)
    : m_pattern(pattern)
    , m_userAgent(userAgent)
    , m_limits(limits)
    , m_network(new QNetworkAccessManager)
    , m_images(limits.memoryBytes)
{
    if (!cacheDirectory.isEmpty()) {
        m_cache = new TileDiskCache(cacheDirectory, cacheBytes, m_network);
        m_network->setCache(m_cache);
    }
    m_decoder.setMaxThreadCount(1);
}

TileLoader::~TileLoader()
{
    changed = nullptr;
    for (QNetworkReply *reply : m_running.keys()) {
        reply->disconnect();
        reply->abort();
    }
    // The decoder hands its pictures to m_network's thread; it must be done before that goes.
    m_decoder.clear();
    m_decoder.waitForDone();
    delete m_network;
}

quint64 TileLoader::key(Map::TileId id)
{
    return (quint64(id.zoom) << 48) | (quint64(id.x) << 24) | quint64(id.y);
}

void TileLoader::setPattern(const QString &pattern)
{
    if (pattern == m_pattern)
        return;
    m_pattern = pattern;
    ++m_generation;
    m_images.clear();
    m_failed.clear();
    m_decoding.clear();
    m_wishes.clear();
    m_offline = false;
}

void TileLoader::setCacheLimit(qint64 bytes)
{
    if (m_cache)
        m_cache->setMaximumCacheSize(bytes);
}

const QImage *TileLoader::tile(Map::TileId id)
{
    const quint64 k = key(id);
    if (const QImage *image = m_images.object(k))
        return image;
    if (m_failed.contains(k) || m_decoding.contains(k))
        return nullptr;
    for (const Download &d : std::as_const(m_running)) {
        if (d.key == k)
            return nullptr;
    }
    m_wishes.removeOne(k);
    m_wishes.append(k);
    startNext();
    return nullptr;
}

void TileLoader::clearWishes()
{
    m_wishes.clear();
}

void TileLoader::cancelOtherZooms(int zoom)
{
    const QList<QNetworkReply *> replies = m_running.keys();
    bool cancelled = false;
    for (QNetworkReply *reply : replies) {
        if (int(m_running.value(reply).key >> 48) != zoom) {
            drop(reply, Outcome::Cancelled);
            cancelled = true;
        }
    }
    if (cancelled)
        startNext();
}

void TileLoader::startNext()
{
    while (m_running.size() < kMaxDownloads && !m_wishes.isEmpty()) {
        const quint64 k = m_wishes.takeLast();
        const Map::TileId id {int(k >> 48), int((k >> 24) & 0xFFFFFF), int(k & 0xFFFFFF)};
        const QUrl url(Map::tileUrl(m_pattern, id));
        // Only web addresses: a file address could name a pipe that blocks the opening thread.
        if (!isHttpAddress(url)) {
            m_failed.insert(k);
            continue;
        }
        QNetworkRequest request(url);
        request.setHeader(QNetworkRequest::UserAgentHeader, m_userAgent);
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                             QNetworkRequest::PreferCache);
        request.setTransferTimeout(m_limits.inactivityMs);
        QNetworkReply *reply = m_network->get(request);
        // Qt keeps no more than this unread, and received() reads it at once.
        reply->setReadBufferSize(256 * 1024);
        auto *deadline = new QTimer(reply);
        deadline->setSingleShot(true);
        m_running.insert(reply, {k, {}, deadline});
        QObject::connect(deadline, &QTimer::timeout, m_network, [this, reply] {
            drop(reply, Outcome::Retry);
            startNext();
        });
        QObject::connect(reply, &QNetworkReply::metaDataChanged, m_network, [this, reply] {
            const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
            if (length.isValid() && length.toLongLong() > m_limits.maxBytes) {
                drop(reply, Outcome::Failed);
                startNext();
            }
        });
        QObject::connect(reply, &QNetworkReply::readyRead, m_network,
                         [this, reply] { received(reply); });
        QObject::connect(reply, &QNetworkReply::finished, m_network,
                         [this, reply] { finished(reply); });
        deadline->start(m_limits.transferMs);
    }
}

void TileLoader::received(QNetworkReply *reply)
{
    const auto found = m_running.find(reply);
    if (found == m_running.end())
        return;
    found->body += reply->read(m_limits.maxBytes + 1 - found->body.size());
    if (found->body.size() > m_limits.maxBytes) {
        drop(reply, Outcome::Failed);
        startNext();
    }
}

void TileLoader::drop(QNetworkReply *reply, Outcome outcome)
{
    const auto found = m_running.find(reply);
    if (found == m_running.end())
        return;
    const quint64 k = found->key;
    found->deadline->stop();
    m_running.erase(found);
    reply->disconnect(m_network);
    reply->abort();
    reply->deleteLater();
    // A tile given up for its size is not asked for again; one that ran out of time is asked
    // for when the view next needs it, and a cancelled one when its zoom level is shown again.
    if (outcome == Outcome::Failed)
        m_failed.insert(k);
}

void TileLoader::finished(QNetworkReply *reply)
{
    received(reply); // the last bytes; may give the tile up for its size
    const auto found = m_running.find(reply);
    if (found == m_running.end())
        return;
    const Download download = *found;
    download.deadline->stop();
    m_running.erase(found);
    reply->deleteLater();
    const QNetworkReply::NetworkError error = reply->error();
    const bool wasOffline = m_offline;
    if (error == QNetworkReply::NoError) {
        decode(download.key, download.body);
    } else if (isNetworkFailure(error)) {
        // Asked for again when the view next needs it, so the map recovers with the network.
        m_offline = true;
    } else {
        m_failed.insert(download.key); // a 404 is asked for once only
    }
    startNext();
    if (changed && wasOffline != m_offline)
        changed();
}

void TileLoader::decode(quint64 k, QByteArray body)
{
    m_decoding.insert(k);
    const quint64 generation = m_generation;
    const int maxSide = m_limits.maxSide;
    QObject *receiver = m_network;
    m_decoder.start([this, receiver, k, generation, maxSide, body = std::move(body)] {
        const QImage image = decodeTile(body, maxSide);
        QMetaObject::invokeMethod(
            receiver, [this, k, generation, image] { decoded(k, generation, image); },
            Qt::QueuedConnection);
    });
}

void TileLoader::decoded(quint64 k, quint64 generation, const QImage &image)
{
    if (generation != m_generation)
        return;
    m_decoding.remove(k);
    if (image.isNull()) {
        m_failed.insert(k); // a broken picture or one too large is asked for once only
        return;
    }
    m_images.insert(k, new QImage(image), image.sizeInBytes());
    m_offline = false;
    if (changed)
        changed();
}
