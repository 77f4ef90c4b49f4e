#include "logic/ciphers/CipherRegistry.h"

#include "logic/ciphers/CipherFamilies.h"
#include "logic/common/Numbers.h"
#include "logic/common/QuarvelError.h"

namespace Ciphers {
namespace {

QString checkedNumber(const ParamDecl &decl, const QString &value)
{
    const std::optional<int32_t> number = Numbers::tryStrToInt(value.trimmed());
    if (!number || *number < decl.minimum || *number > decl.maximum)
        throw QuarvelError(QStringLiteral("%1 muss eine ganze Zahl von %2 bis %3 sein: „%4“")
                               .arg(decl.label)
                               .arg(decl.minimum)
                               .arg(decl.maximum)
                               .arg(value));
    return QString::number(*number);
}

QString checkedChoice(const ParamDecl &decl, const QString &value)
{
    for (const QString &choice : decl.choices) {
        if (choice.compare(value.trimmed(), Qt::CaseInsensitive) == 0)
            return choice;
    }
    throw QuarvelError(QStringLiteral("%1 muss eine dieser Angaben sein: %2 (nicht „%3“)")
                           .arg(decl.label, decl.choices.join(QStringLiteral(", ")), value));
}

// Key words are published with blanks ("playfair example", "FELIX MARIE DELASTELLE"); the
// blanks are no part of the key.
bool isKeyWord(const ParamDecl &decl)
{
    return decl.kind == ParamKind::Text &&
        (decl.key == u"schluessel" || decl.key == u"transposition");
}

QString withoutBlanks(const QString &value)
{
    QString result;
    result.reserve(value.size());
    for (const QChar c : value) {
        if (!c.isSpace())
            result.append(c);
    }
    return result;
}

QString checkedValue(const ParamDecl &decl, const QString &value)
{
    if (isKeyWord(decl))
        return withoutBlanks(value);
    switch (decl.kind) {
    case ParamKind::Number:
        return checkedNumber(decl, value);
    case ParamKind::Choice:
        return checkedChoice(decl, value);
    case ParamKind::Switch:
        return value == u"1" ? QStringLiteral("1") : QString();
    case ParamKind::Text:
        break;
    }
    return value;
}

// The classical ciphers, then the codes and machines of mystery caches (CodeCiphers.cpp).
std::vector<Cipher> withCodeCiphers(std::vector<Cipher> classical)
{
    for (Cipher &code : codeCiphers())
        classical.push_back(std::move(code));
    return classical;
}

} // namespace

ParamValues Cipher::completed(const ParamValues &values) const
{
    ParamValues result;
    for (const ParamDecl &decl : params)
        result.insert(decl.key, checkedValue(decl, values.value(decl.key, decl.defaultValue)));
    return result;
}

const ParamDecl *Cipher::param(const QString &key) const
{
    for (const ParamDecl &decl : params) {
        if (decl.key == key)
            return &decl;
    }
    return nullptr;
}

QString Cipher::encode(const QString &text, const ParamValues &values) const
{
    return encodeFunction(text, completed(values));
}

QString Cipher::decode(const QString &text, const ParamValues &values) const
{
    return decodeFunction(text, completed(values));
}

const std::vector<Cipher> &cipherRegistry()
{
    // A new cipher is one more line here and its factory in the file of its family.
    static const std::vector<Cipher> table = withCodeCiphers({
        atbashCipher(),      affinCipher(),       a1z26Cipher(),     polybiusCipher(),
        baconCipher(),       playfairCipher(),    bifidCipher(),     adfgxCipher(),
        adfgvxCipher(),      zaunCipher(),        skytaleCipher(),   delastelleCipher(),
        beaufortCipher(),    autokeyCipher(),     gronsfeldCipher(), hillCipher(),
        kennyCipher(),       morseCipher(),       base64Cipher(),    base32Cipher(),
        base16Cipher(),      zeichencodeCipher(), klopfcodeCipher(), handyCipher(),
        rueckwaertsCipher(), rotCipher(),         rot5Cipher(),      rot18Cipher(),
        rot47Cipher(),       vigenereCipher(),    trifidCipher(),    fermilabCipher(),
    });
    return table;
}

const Cipher *findCipher(const QString &cliName)
{
    for (const Cipher &cipher : cipherRegistry()) {
        if (cipher.cliName == cliName)
            return &cipher;
    }
    return nullptr;
}

QString textParam(const ParamValues &values, const QString &key)
{
    return values.value(key);
}

int numberParam(const ParamValues &values, const QString &key)
{
    return values.value(key).toInt();
}

bool switchParam(const ParamValues &values, const QString &key)
{
    return values.value(key) == u"1";
}

} // namespace Ciphers
