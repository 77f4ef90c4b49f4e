#include "Letters.h"

namespace {

// Appends the indices of one code unit; returns false for a character that is no letter.
bool appendLetter(char16_t c, QByteArray &out)
{
    if (c >= u'a' && c <= u'z')
        c = char16_t(c - u'a' + u'A');
    if (c >= u'A' && c <= u'Z') {
        out.append(char(c - u'A'));
        return true;
    }
    switch (c) {
    case u'Ä':
    case u'ä':
        out.append(char(0)).append(char(4));
        return true;
    case u'Ö':
    case u'ö':
        out.append(char(14)).append(char(4));
        return true;
    case u'Ü':
    case u'ü':
        out.append(char(20)).append(char(4));
        return true;
    case u'ß':
    case u'ẞ':
        out.append(char(18)).append(char(18));
        return true;
    default:
        return false;
    }
}

} // namespace

QByteArray letterIndices(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar ch : text)
        appendLetter(ch.unicode(), out);
    return out;
}

QString normalizedLetters(const QString &text)
{
    const QByteArray indices = letterIndices(text);
    QString out(indices.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < indices.size(); ++i)
        out[i] = QChar(u'A' + indices[i]);
    return out;
}

int countLetters(const QString &text)
{
    int count = 0;
    QByteArray scratch;
    for (const QChar ch : text) {
        scratch.clear();
        count += appendLetter(ch.unicode(), scratch) ? 1 : 0;
    }
    return count;
}
