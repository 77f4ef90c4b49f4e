#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>

#include <functional>

namespace Cli {

// The longest line read from stdin. A line is one input of a panel's field; the largest field
// takes a million characters (at most 4 MB as UTF-8), so this leaves room for any real batch
// while an endless input without a line end (/dev/zero) is refused after a bounded read.
constexpr qsizetype kMaxLineBytes = 16 * 1024 * 1024;

// Splits a device into lines in time linear in its length: each block is searched once and only
// the unfinished line is moved to the front of the buffer, never the whole pending text.
class LineReader
{
public:
    enum class Status { Line, End, TooLong };

    // `beforeWait` runs before each read of the device (a read may wait for someone typing).
    LineReader(QIODevice &in, std::function<void()> beforeWait, qsizetype maxLine = kMaxLineBytes);

    // The next line without its "\n" or "\r\n", the end of the input, or a line longer than the
    // limit (nothing more is read after that). The line is a view into the reader's buffer,
    // valid until the next call.
    Status next(QByteArrayView &line);

    // The number (from 1) of the line last returned or found too long.
    qint64 lineNumber() const { return m_number; }
    qsizetype maxLine() const { return m_maxLine; }

private:
    bool readBlock();

    QIODevice &m_in;
    std::function<void()> m_beforeWait;
    qsizetype m_maxLine;
    QByteArray m_buffer;
    qsizetype m_start = 0; // where the next line begins in m_buffer
    qsizetype m_searched = 0; // m_buffer holds no line end from m_start up to here
    bool m_ended = false;
    qint64 m_number = 0;
};

} // namespace Cli
