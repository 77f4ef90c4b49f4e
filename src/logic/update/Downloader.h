#pragma once

#include <QUrl>

#include <functional>

class QIODevice;

// Fetches a web address into a device, always from the server (no cache on the way). The update
// check runs it on its worker thread and the update window on the user-interface thread, so an
// implementation keeps no state between calls and does its network work on the calling thread.
// A call on a thread that is asked to stop (QThread::requestInterruption) gives up and fails.
class Downloader
{
public:
    // (bytes done, bytes in total or -1 while unknown)
    using Progress = std::function<void(qint64, qint64)>;

    struct Request
    {
        QUrl url;
        // A longer reply fails, unless firstLineOnly: then what arrived up to here counts.
        qint64 maxBytes = 0;
        // Stop reading after the first line end; a small text file needs no more.
        bool firstLineOnly = false;
        Progress progress;
        // The whole transfer gives up after this long, however steadily data arrives (0: no
        // bound). A server that drips one byte a second is never silent long enough for the
        // stall timeout alone.
        int deadlineMs = 0;
        // Gives up when less than `minBytesPerSecond` arrived on average over any stretch of
        // `rateWindowMs` (0: no bound): a large file may take long, but not crawl.
        qint64 minBytesPerSecond = 0;
        int rateWindowMs = 30000;
        // Asked every few milliseconds; true aborts the transfer. A caller that offers to cancel
        // lets the user's input through while the transfer runs on its thread.
        std::function<bool()> cancelled;
    };

    virtual ~Downloader() = default;

    // True when the reply arrived in full (or its first line did) and was written to `target`.
    // On failure `target` may hold part of the reply; callers discard it.
    virtual bool DownloadToFile(const Request &request, QIODevice &target) = 0;
};
