#include "logic/ciphers/CipherText.h"

#include "logic/common/QuarvelError.h"

#include <QStringDecoder>

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

QByteArray textBytes(const QString &text, const ParamValues &values)
{
    if (!switchParam(values, kLatin1))
        return text.toUtf8();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).unicode() > 0xFF)
            throw QuarvelError(QStringLiteral("„%1“ an Stelle %2 gibt es in Latin-1 nicht.")
                                   .arg(text.at(i))
                                   .arg(i + 1));
    }
    return text.toLatin1();
}

QString bytesText(const QByteArray &bytes, const ParamValues &values)
{
    if (switchParam(values, kLatin1))
        return QString::fromLatin1(bytes);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        throw QuarvelError(QStringLiteral("Die entschlüsselten Bytes sind kein gültiges UTF-8 "
                                          "(vielleicht Latin-1?)."));
    return text;
}

ParamDecl latin1Decl()
{
    return switchDecl(kLatin1, QStringLiteral("Latin-1"),
                      QStringLiteral("Latin-1-Bytes statt UTF-8"));
}

} // namespace Ciphers
