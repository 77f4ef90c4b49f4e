#include "cli/LineReader.h"

namespace Cli {
namespace {

constexpr qint64 kReadBlock = 64 * 1024;

} // namespace

LineReader::LineReader(QIODevice &in, std::function<void()> beforeWait, qsizetype maxLine)
    : m_in(in)
    , m_beforeWait(std::move(beforeWait))
    , m_maxLine(maxLine)
{
}

bool LineReader::readBlock()
{
    if (m_start > 0) {
        m_buffer.remove(0, m_start);
        m_searched -= m_start;
        m_start = 0;
    }
    if (m_beforeWait)
        m_beforeWait();
    const qsizetype size = m_buffer.size();
    m_buffer.resize(size + kReadBlock);
    const qint64 count = m_in.read(m_buffer.data() + size, kReadBlock);
    m_buffer.resize(size + qMax<qint64>(count, 0));
    return count > 0;
}

LineReader::Status LineReader::next(QByteArrayView &line)
{
    qsizetype end = m_buffer.indexOf('\n', m_searched);
    while (end < 0 && !m_ended) {
        m_searched = m_buffer.size();
        // A line end just after the limit still ends a line of the largest length allowed.
        if (m_searched - m_start > m_maxLine + 1) {
            ++m_number;
            m_ended = true;
            m_buffer.clear();
            m_start = m_searched = 0;
            return Status::TooLong;
        }
        if (!readBlock())
            m_ended = true;
        else
            end = m_buffer.indexOf('\n', m_searched);
    }
    if (end < 0) {
        if (m_start >= m_buffer.size())
            return Status::End;
        end = m_buffer.size();
    }
    qsizetype length = end - m_start;
    if (length > 0 && m_buffer.at(end - 1) == '\r')
        --length;
    ++m_number;
    if (length > m_maxLine) {
        m_ended = true;
        m_buffer.clear();
        m_start = m_searched = 0;
        return Status::TooLong;
    }
    line = QByteArrayView(m_buffer).sliced(m_start, length);
    m_start = m_searched = end + 1;
    return Status::Line;
}

} // namespace Cli
