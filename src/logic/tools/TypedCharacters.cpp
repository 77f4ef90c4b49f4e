#include "logic/tools/TypedCharacters.h"

#include "logic/common/QuarvelError.h"
#include "logic/tools/hfunctions.h"

namespace TypedCharacters {

using QuersummenKette::Zahlensystem;

bool digitSumField(QChar c, Zahlensystem system)
{
    switch (system) {
    case Zahlensystem::Hexadezimal:
        return hfunctions::IsHexDigit(c);
    case Zahlensystem::Binaer:
        return hfunctions::IsBinDigit(c);
    case Zahlensystem::Oktal:
        return hfunctions::IsOctDigit(c);
    case Zahlensystem::Dezimal:
        break;
    }
    return true;
}

QChar romanFieldTyped(QChar c)
{
    return c >= u'a' && c <= u'z' ? QChar(char16_t(c.unicode() - u'a' + u'A')) : c;
}

bool romanField(QChar c, bool allLetters)
{
    return allLetters ? (c >= u'A' && c <= u'Z') : QStringView(u"CDILMVX").contains(c);
}

bool decimalField(QChar c)
{
    return hfunctions::IsDigit(c);
}

QString digitSumAllowed(Zahlensystem system)
{
    switch (system) {
    case Zahlensystem::Hexadezimal:
        return QStringLiteral("0–9 und A–F");
    case Zahlensystem::Binaer:
        return QStringLiteral("0 und 1");
    case Zahlensystem::Oktal:
        return QStringLiteral("0–7");
    case Zahlensystem::Dezimal:
        break;
    }
    return QStringLiteral("alle Zeichen");
}

QString romanAllowed(bool allLetters)
{
    return allLetters ? QStringLiteral("A–Z") : QStringLiteral("C, D, I, L, M, V, X");
}

void requireTypable(const QString &text, const std::function<bool(QChar)> &passes,
                    const QString &allowed)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!passes(text.at(i))) {
            // A character outside the basic plane is named whole, not as half a pair.
            const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            throw QuarvelError(QStringLiteral("Zeichen %1: „%2“ kann hier nicht eingegeben "
                                              "werden; erlaubt sind %3")
                                   .arg(i + 1)
                                   .arg(text.mid(i, length), allowed));
        }
    }
}

} // namespace TypedCharacters
