#pragma once

#include "logic/map/TileMath.h"

#include <QCache>
#include <QHash>
#include <QImage>
#include <QList>
#include <QNetworkDiskCache>
#include <QSet>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

// The tile server's usage policy asks clients to cache: tiles are kept on disk for the time the
// server's cache headers give, at least a week, and the cache stays below its size limit by
// removing the oldest files first (QNetworkDiskCache::expire).
class TileDiskCache : public QNetworkDiskCache
{
public:
    static constexpr qint64 kMinimumLifeSeconds = 7 * 24 * 3600;

    explicit TileDiskCache(const QString &directory, qint64 maximumBytes,
                           QObject *parent = nullptr);
    QIODevice *prepare(const QNetworkCacheMetaData &metaData) override;
};

// "$XDG_CACHE_HOME/Quarvel/Kacheln" (~/.cache when the variable is not set).
QString tileCacheDirectory();

// Fetches raster tiles for the map: from memory, from the disk cache or from the tile server,
// never more than two downloads at once (the usage policy of OpenStreetMap's servers), newest
// wish first. A tile that cannot be had is remembered and not asked for again until the
// address changes; network failures switch the loader to offline until a tile arrives.
class TileLoader
{
public:
    static constexpr int kMaxDownloads = 2;
    static constexpr int kTransferTimeoutMs = 15000;

    TileLoader(const QString &pattern, const QString &cacheDirectory, qint64 cacheBytes,
               const QString &userAgent);
    ~TileLoader();
    TileLoader(const TileLoader &) = delete;
    TileLoader &operator=(const TileLoader &) = delete;

    void setPattern(const QString &pattern);
    void setCacheLimit(qint64 bytes);

    // The tile if it is at hand; otherwise it is wished for and nullptr is returned.
    const QImage *tile(Map::TileId id);
    // Forgets the wishes not yet started (the view moved on).
    void clearWishes();

    bool offline() const { return m_offline; }
    int downloading() const { return int(m_running.size()); }
    // Called on the thread of the loader whenever a tile arrived or offline changed.
    std::function<void()> changed;

private:
    static quint64 key(Map::TileId id);
    void startNext();
    void finished(QNetworkReply *reply, quint64 key);

    QString m_pattern;
    QString m_userAgent;
    QNetworkAccessManager *m_network = nullptr;
    TileDiskCache *m_cache = nullptr;
    QCache<quint64, QImage> m_images;
    QList<quint64> m_wishes; // newest last
    QHash<QNetworkReply *, quint64> m_running;
    QSet<quint64> m_failed;
    bool m_offline = false;
};
