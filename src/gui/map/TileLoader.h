#pragma once

#include "logic/map/TileMath.h"

#include <QCache>
#include <QHash>
#include <QImage>
#include <QList>
#include <QNetworkDiskCache>
#include <QSet>
#include <QThreadPool>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

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

// What a tile may cost before it is given up. A tile is 256 × 256 pixels and a few tens of KB;
// servers for sharp screens send 512 × 512. Anything far beyond is a broken or hostile server,
// and holding or decoding it would freeze the window or exhaust memory.
struct TileLimits
{
    qint64 maxBytes = qint64(2) << 20; // the body as it arrives
    int maxSide = 512; // pixels, as the picture's header claims them, before decoding
    int inactivityMs = 15000; // no byte for this long ends the transfer
    int transferMs = 30000; // the whole transfer, however steadily the bytes drip
    qint64 memoryBytes = qint64(40) << 20; // decoded tiles kept in memory
};

// Fetches raster tiles for the map: from memory, from the disk cache or from the tile server,
// never more than two downloads at once (the usage policy of OpenStreetMap's servers), newest
// wish first. A tile that cannot be had is remembered and not asked for again until the
// address changes; network failures switch the loader to offline until a tile arrives.
// Pictures are decoded on a thread of the loader's own, so a large or slow picture never holds
// the window's thread.
class TileLoader
{
public:
    static constexpr int kMaxDownloads = 2;

    TileLoader(const QString &pattern, const QString &cacheDirectory, qint64 cacheBytes,
               const QString &userAgent, const TileLimits &limits = {});
    ~TileLoader();
    TileLoader(const TileLoader &) = delete;
    TileLoader &operator=(const TileLoader &) = delete;

    void setPattern(const QString &pattern);
    void setCacheLimit(qint64 bytes);

    // The tile if it is at hand; otherwise it is wished for and nullptr is returned.
    const QImage *tile(Map::TileId id);
    // Forgets the wishes not yet started (the view moved on).
    void clearWishes();
    // Ends the downloads of tiles of other zoom levels: zooming through levels must not leave
    // the two download slots busy with tiles nobody looks at any more.
    void cancelOtherZooms(int zoom);

    bool offline() const { return m_offline; }
    int downloading() const { return int(m_running.size()); }
    int decoding() const { return int(m_decoding.size()); }
    // Bytes of the decoded tiles held in memory.
    qint64 memoryBytes() const { return m_images.totalCost(); }
    // Tiles given up for their size, their picture or their deadline, since the address was set.
    int refused() const { return int(m_failed.size()); }
    // Called on the thread of the loader whenever a tile arrived or offline changed.
    std::function<void()> changed;

private:
    struct Download
    {
        quint64 key = 0;
        QByteArray body;
        QTimer *deadline = nullptr;
    };
    enum class Outcome { Failed, Retry, Cancelled };

    static quint64 key(Map::TileId id);
    void startNext();
    void received(QNetworkReply *reply);
    void finished(QNetworkReply *reply);
    void drop(QNetworkReply *reply, Outcome outcome);
    void decode(quint64 key, QByteArray body);
    void decoded(quint64 key, quint64 generation, const QImage &image);

    QString m_pattern;
    QString m_userAgent;
    TileLimits m_limits;
    QNetworkAccessManager *m_network = nullptr;
    TileDiskCache *m_cache = nullptr;
    QCache<quint64, QImage> m_images;
    QList<quint64> m_wishes; // newest last
    QHash<QNetworkReply *, Download> m_running;
    QSet<quint64> m_decoding;
    QSet<quint64> m_failed;
    QThreadPool m_decoder;
    quint64 m_generation = 0; // counts address changes: late pictures of an old one are dropped
    bool m_offline = false;
};
