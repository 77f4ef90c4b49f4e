#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>

// Writes to a FIFO or a device without ever blocking: the descriptor stays non-blocking and the
// writer waits for room in slices of at most 100 ms, looking at `cancel` between them. A reader
// that takes nothing for `stallMs` ends the write with a message, so a reader that never reads
// cannot hold the writing thread for good. Returns an empty text on success, otherwise a German
// message that names the file and the reason ("abgebrochen" when `cancel` was set).
QString writeToPipe(const QString &path, const QByteArray &data, const std::atomic<bool> &cancel,
                    int stallMs);

// The message of a write ended through `cancel`.
QString pipeWriteCancelledText(const QString &path);
