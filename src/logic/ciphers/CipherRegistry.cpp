#include "logic/ciphers/CipherRegistry.h"

#include "logic/ciphers/CipherFamilies.h"
#include "logic/common/Numbers.h"
#include "logic/common/QuarvelError.h"

namespace Ciphers {
namespace {

QString checkedNumber(const ParamSpec &spec, const QString &value)
{
    const std::optional<int32_t> number = Numbers::tryStrToInt(value.trimmed());
    if (!number || *number < spec.minimum || *number > spec.maximum)
        throw QuarvelError(QStringLiteral("%1 muss eine ganze Zahl von %2 bis %3 sein: „%4“")
                               .arg(spec.label)
                               .arg(spec.minimum)
                               .arg(spec.maximum)
                               .arg(value));
    return QString::number(*number);
}

QString checkedChoice(const ParamSpec &spec, const QString &value)
{
    for (const QString &choice : spec.choices) {
        if (choice.compare(value.trimmed(), Qt::CaseInsensitive) == 0)
            return choice;
    }
    throw QuarvelError(QStringLiteral("%1 muss eine dieser Angaben sein: %2 (nicht „%3“)")
                           .arg(spec.label, spec.choices.join(QStringLiteral(", ")), value));
}

QString checkedValue(const ParamSpec &spec, const QString &value)
{
    switch (spec.kind) {
    case ParamKind::Number:
        return checkedNumber(spec, value);
    case ParamKind::Choice:
        return checkedChoice(spec, value);
    case ParamKind::Switch:
        return value == u"1" ? QStringLiteral("1") : QString();
    case ParamKind::Text:
        break;
    }
    return value;
}

} // namespace

ParamValues Cipher::completed(const ParamValues &values) const
{
    ParamValues result;
    for (const ParamSpec &spec : params)
        result.insert(spec.key, checkedValue(spec, values.value(spec.key, spec.defaultValue)));
    return result;
}

const ParamSpec *Cipher::param(const QString &key) const
{
    for (const ParamSpec &spec : params) {
        if (spec.key == key)
            return &spec;
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
    static const std::vector<Cipher> table = {
        atbashCipher(),      affinCipher(),       a1z26Cipher(),     polybiusCipher(),
        baconCipher(),       playfairCipher(),    bifidCipher(),     adfgxCipher(),
        adfgvxCipher(),      zaunCipher(),        skytaleCipher(),   delastelleCipher(),
        beaufortCipher(),    autokeyCipher(),     gronsfeldCipher(), hillCipher(),
        kennyCipher(),       morseCipher(),       base64Cipher(),    base32Cipher(),
        base16Cipher(),      zeichencodeCipher(), klopfcodeCipher(), handyCipher(),
        rueckwaertsCipher(), rotCipher(),         rot5Cipher(),      rot18Cipher(),
        rot47Cipher(),       vigenereCipher(),    trifidCipher(),    fermilabCipher(),
    };
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
