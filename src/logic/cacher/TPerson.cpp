#include "logic/cacher/TPerson.h"

#include "logic/common/CodePage.h"

#include <algorithm>
#include <cstring>

QByteArrayView TPerson::fieldView(Field field) const
{
    const Layout where = layout(field);
    // A damaged file can hold a length beyond the field; never read into the next field.
    const int length = std::min(int(uchar(m_bytes[where.offset])), where.maxLength);
    return QByteArrayView(m_bytes.data() + where.offset + 1, length);
}

QString TPerson::field(Field field) const
{
    return CodePage::fromAnsi(fieldView(field));
}

void TPerson::setFieldBytes(Field field, QByteArrayView bytes)
{
    const Layout where = layout(field);
    const int length = int(std::min<qsizetype>(bytes.size(), where.maxLength));
    m_bytes[where.offset] = char(length);
    if (length > 0)
        std::memcpy(m_bytes.data() + where.offset + 1, bytes.data(), size_t(length));
}

void TPerson::setField(Field field, QStringView text)
{
    // Cut before converting: one byte per character, and no need to convert a long paste whole.
    const Layout where = layout(field);
    const qsizetype length = std::min<qsizetype>(text.size(), where.maxLength);
    m_bytes[where.offset] = char(length);
    CodePage::toAnsi(text.first(length), m_bytes.data() + where.offset + 1);
}
