#include "logic/map/XmlAttributeCounter.h"

#include <algorithm>
#include <cstring>
#include <utility>

void XmlAttributeCounter::detectWidth(QByteArrayView bytes)
{
    // A UTF-16 document begins with a byte order mark or with "<" beside a zero byte.
    const auto byte = [&](qsizetype i) { return quint8(bytes[i]); };
    m_width = 1;
    if ((byte(0) == 0xFF && byte(1) == 0xFE) || (byte(0) == '<' && byte(1) == 0)) {
        m_width = 2;
    } else if ((byte(0) == 0xFE && byte(1) == 0xFF) || (byte(0) == 0 && byte(1) == '<')) {
        m_width = 2;
        m_bigEndian = true;
    }
}

bool XmlAttributeCounter::add(QByteArrayView bytes)
{
    if (m_width == 0) {
        m_head += bytes;
        if (m_head.size() < 2)
            return true;
        detectWidth(m_head);
        const QByteArray head = std::exchange(m_head, {});
        return scan(head);
    }
    return scan(bytes);
}

bool XmlAttributeCounter::scan(QByteArrayView bytes)
{
    if (m_width == 2) {
        for (const char b : bytes) {
            if (m_pending < 0) {
                m_pending = quint8(b);
                continue;
            }
            const char16_t c = m_bigEndian ? char16_t(m_pending << 8 | quint8(b))
                                           : char16_t(quint8(b) << 8 | m_pending);
            m_pending = -1;
            if (!unit(c))
                return false;
        }
        return true;
    }
    const char *p = bytes.data();
    const char *const end = p + bytes.size();
    while (p < end) {
        if (m_state == State::Outside) {
            // Text between tags is most of a file: jump to the next "<", counting lines.
            const char *open = static_cast<const char *>(std::memchr(p, '<', size_t(end - p)));
            const char *stop = open ? open : end;
            m_line += std::count(p, stop, '\n');
            p = stop;
            if (!open)
                break;
        }
        if (!unit(char16_t(quint8(*p++))))
            return false;
    }
    return true;
}

bool XmlAttributeCounter::unit(char16_t c)
{
    if (c == u'\n')
        ++m_line;
    if (c == u'<') {
        m_state = State::AfterOpen;
        m_tagLine = m_line;
        return true;
    }
    switch (m_state) {
    case State::Outside:
        break;
    case State::AfterOpen:
        // "<!", "<?" and "</" open no element; a blank after "<" is no XML at all.
        m_state = c == u'!' || c == u'?' || c == u'/' || c <= u' ' ? State::Outside : State::InTag;
        m_count = 0;
        break;
    case State::InTag:
        if (c == u'"' || c == u'\'') {
            m_quote = c;
            m_state = State::InQuote;
        } else if (c == u'>') {
            m_state = State::Outside;
        } else if (c == u'=' && ++m_count > m_max) {
            return false;
        }
        break;
    case State::InQuote:
        if (c == m_quote)
            m_state = State::InTag;
        break;
    }
    return true;
}
