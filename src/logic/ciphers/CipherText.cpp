#include "logic/ciphers/CipherText.h"

#include "logic/common/QuarvelError.h"

namespace Ciphers {

std::vector<int> keyLetters(const QString &key, bool emptyAllowed)
{
    if (key.isEmpty() && !emptyAllowed)
        throw QuarvelError(QStringLiteral("Bitte einen Schlüssel eingeben."));
    std::vector<int> letters;
    letters.reserve(std::size_t(key.size()));
    for (const QChar c : key) {
        const int index = letterIndex(c);
        if (index < 0)
            throw QuarvelError(QStringLiteral("Der Schlüssel darf nur Buchstaben enthalten."));
        letters.push_back(index);
    }
    return letters;
}

QString lettersOnly(const QString &text)
{
    QString letters;
    letters.reserve(text.size());
    for (const QChar c : text) {
        const int index = letterIndex(c);
        if (index >= 0)
            letters.append(QChar(u'A' + index));
    }
    return letters;
}

ParamDecl keyDecl(const QString &help, const QString &defaultValue)
{
    return ParamDecl {kKey, QStringLiteral("Schlüssel"), ParamKind::Text, defaultValue, {}, 0, 0,
                      help};
}

ParamDecl numberDecl(const QString &key, const QString &label, int minimum, int maximum,
                     int defaultValue, const QString &help)
{
    return ParamDecl {key, label,   ParamKind::Number, QString::number(defaultValue),
                      {},  minimum, maximum,           help};
}

ParamDecl switchDecl(const QString &key, const QString &label, const QString &help)
{
    return ParamDecl {key, label, ParamKind::Switch, {}, {}, 0, 0, help};
}

ParamDecl choiceDecl(const QString &key, const QString &label, const QStringList &choices,
                     const QString &help)
{
    return ParamDecl {key, label, ParamKind::Choice, choices.constFirst(), choices, 0, 0, help};
}

} // namespace Ciphers
