#include "support/core/FailingDevice.h"

#include <algorithm>
#include <cstring>
#include <utility>

FailingDevice::FailingDevice(qint64 limit, QByteArray content)
    : m_limit(limit)
    , m_content(std::move(content))
{
}

bool FailingDevice::seek(qint64 position)
{
    if (!QIODevice::seek(position))
        return false;
    m_position = position;
    return true;
}

qint64 FailingDevice::readData(char *data, qint64 maxSize)
{
    const qint64 position = m_position;
    if (position >= m_content.size())
        return 0;
    const qint64 room = m_limit - m_passed;
    if (room <= 0) {
        setErrorString(QStringLiteral("Lesefehler"));
        return -1;
    }
    const qint64 count = std::min({maxSize, room, qint64(m_content.size()) - position});
    std::memcpy(data, m_content.constData() + position, size_t(count));
    m_passed += count;
    m_position += count;
    return count;
}

qint64 FailingDevice::writeData(const char *data, qint64 maxSize)
{
    const qint64 room = m_limit - m_passed;
    if (room <= 0) {
        setErrorString(QStringLiteral("Kein Platz mehr auf dem Gerät"));
        return -1;
    }
    const qint64 count = std::min(maxSize, room);
    const qint64 position = m_position;
    if (m_content.size() < position + count)
        m_content.resize(position + count);
    std::memcpy(m_content.data() + position, data, size_t(count));
    m_passed += count;
    m_position += count;
    return count;
}
