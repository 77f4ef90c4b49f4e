#include "gui/map/TileLoader.h"

#include <QDateTime>
#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

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

// Tiles kept decoded in memory: a screen of 1920 × 1200 shows up to 48, so a few screens'
// worth make panning back and forth smooth for about 40 MB.
constexpr int kImagesInMemory = 160;

bool isNetworkFailure(QNetworkReply::NetworkError error)
{
    // Connection-level errors (refused, host not found, timeout, TLS): no server answered.
    return error != QNetworkReply::NoError && error < QNetworkReply::ContentAccessDenied;
}

} // namespace

TileLoader::TileLoader(const QString &pattern, const QString &cacheDirectory, qint64 cacheBytes,
                       const QString &userAgent)
    : m_pattern(pattern)
    , m_userAgent(userAgent)
    , m_network(new QNetworkAccessManager)
    , m_images(kImagesInMemory)
{
    if (!cacheDirectory.isEmpty()) {
        m_cache = new TileDiskCache(cacheDirectory, cacheBytes, m_network);
        m_network->setCache(m_cache);
    }
}

TileLoader::~TileLoader()
{
    changed = nullptr;
    for (QNetworkReply *reply : m_running.keys()) {
        reply->disconnect();
        reply->abort();
    }
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
    m_images.clear();
    m_failed.clear();
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
    if (m_failed.contains(k) || m_running.values().contains(k))
        return nullptr;
    m_wishes.removeOne(k);
    m_wishes.append(k);
    startNext();
    return nullptr;
}

void TileLoader::clearWishes()
{
    m_wishes.clear();
}

void TileLoader::startNext()
{
    while (m_running.size() < kMaxDownloads && !m_wishes.isEmpty()) {
        const quint64 k = m_wishes.takeLast();
        const Map::TileId id {int(k >> 48), int((k >> 24) & 0xFFFFFF), int(k & 0xFFFFFF)};
        QNetworkRequest request(QUrl(Map::tileUrl(m_pattern, id)));
        request.setHeader(QNetworkRequest::UserAgentHeader, m_userAgent);
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                             QNetworkRequest::PreferCache);
        request.setTransferTimeout(kTransferTimeoutMs);
        QNetworkReply *reply = m_network->get(request);
        m_running.insert(reply, k);
        QObject::connect(reply, &QNetworkReply::finished, m_network,
                         [this, reply, k] { finished(reply, k); });
    }
}

void TileLoader::finished(QNetworkReply *reply, quint64 k)
{
    m_running.remove(reply);
    reply->deleteLater();
    const QNetworkReply::NetworkError error = reply->error();
    QImage image;
    if (error == QNetworkReply::NoError)
        image.loadFromData(reply->readAll());
    const bool wasOffline = m_offline;
    if (!image.isNull()) {
        m_images.insert(k, new QImage(image.convertToFormat(QImage::Format_ARGB32_Premultiplied)));
        m_offline = false;
    } else {
        // A 404 or a broken picture is asked for once only; after a network failure the tile is
        // asked for again when the view next needs it, so the map recovers with the network.
        if (isNetworkFailure(error))
            m_offline = true;
        else
            m_failed.insert(k);
    }
    startNext();
    if (changed && (!image.isNull() || wasOffline != m_offline))
        changed();
}
