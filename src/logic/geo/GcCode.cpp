#include "logic/geo/GcCode.h"

#include "logic/common/QuarvelError.h"

#include <QRegularExpression>

namespace Geo {

namespace {

const QString kBase31 = QStringLiteral("0123456789ABCDEFGHJKMNPQRTVWXYZ");
constexpr qint64 kHexLimit = 0x10000; // GCFFFF + 1
constexpr qint64 kBase31Offset = 411120; // makes GCG000 follow GCFFFF

[[noreturn]] void fail(const QString &message)
{
    throw QuarvelError(message);
}

QString compact(const QString &text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return QString(text).remove(blanks).toUpper();
}

bool isHex(const QString &digits)
{
    for (const QChar c : digits) {
        if (!c.isDigit() && (c < u'A' || c > u'F'))
            return false;
    }
    return true;
}

qint64 base31Value(const QString &digits)
{
    qint64 value = 0;
    for (const QChar c : digits) {
        const qsizetype digit = kBase31.indexOf(c);
        if (QStringLiteral("ILOSU").contains(c))
            fail(QStringLiteral("„%1“ kommt in GC-Codes nicht vor (I, L, O, S und U fehlen)")
                     .arg(c));
        if (digit < 0)
            fail(QStringLiteral("„%1“ ist kein Zeichen eines GC-Codes").arg(c));
        value = value * 31 + digit;
    }
    return value;
}

} // namespace

qint64 gcLargestNumber()
{
    qint64 value = 1;
    for (int i = 0; i < kGcMaxDigits; ++i)
        value *= 31;
    return value - 1 - kBase31Offset;
}

qint64 gcCodeToNumber(const QString &code)
{
    const QString text = compact(code);
    if (!text.startsWith(QStringLiteral("GC")))
        fail(QStringLiteral("Ein GC-Code beginnt mit „GC“"));
    const QString digits = text.mid(2);
    if (digits.isEmpty())
        fail(QStringLiteral("Nach „GC“ fehlen die Zeichen des Codes"));
    if (digits.size() > kGcMaxDigits)
        fail(QStringLiteral("Ein GC-Code hat höchstens %1 Zeichen nach „GC“").arg(kGcMaxDigits));
    // The letters are checked first, so "GCSO" names its S rather than a wrong range.
    const qint64 base31 = base31Value(digits);
    if (digits.size() <= 4 && isHex(digits))
        return digits.toLongLong(nullptr, 16);
    if (digits.size() < 4 || base31 - kBase31Offset < kHexLimit)
        fail(QStringLiteral("„%1“ ist kein gültiger GC-Code: bis GCFFFF hexadezimal, ab GCG000 "
                            "mit vier oder mehr Zeichen")
                 .arg(text));
    return base31 - kBase31Offset;
}

QString gcNumberToCode(qint64 number)
{
    if (number < 0 || number > gcLargestNumber())
        fail(QStringLiteral("Eine GC-Nummer liegt zwischen 0 und %1").arg(gcLargestNumber()));
    if (number < kHexLimit)
        return QStringLiteral("GC") + QString::number(number, 16).toUpper();
    QString digits;
    for (qint64 value = number + kBase31Offset; value > 0; value /= 31)
        digits.prepend(kBase31[int(value % 31)]);
    return QStringLiteral("GC") + digits;
}

GcCodePair readGcCode(const QString &text)
{
    const QString clean = compact(text);
    if (clean.isEmpty())
        fail(QStringLiteral("Bitte einen GC-Code oder eine Nummer eingeben"));
    if (clean.startsWith(QStringLiteral("GC"))) {
        const qint64 number = gcCodeToNumber(clean);
        return {gcNumberToCode(number), number};
    }
    static const QRegularExpression digits(QStringLiteral("^\\d{1,18}$"));
    if (!digits.match(clean).hasMatch())
        fail(QStringLiteral("„%1“ ist weder ein GC-Code (beginnt mit „GC“) noch eine Nummer")
                 .arg(text.trimmed().left(40)));
    const qint64 number = clean.toLongLong();
    return {gcNumberToCode(number), number};
}

} // namespace Geo
