// Keyboard layouts: the character typed on one layout at the place of a key on another, and the
// symbols on the shifted digit keys.
#include "logic/ciphers/CipherFamilies.h"
#include "logic/ciphers/CipherText.h"
#include "logic/common/QuarvelError.h"

#include <QHash>

namespace Ciphers {
namespace {

struct Layout
{
    const char16_t *name;
    // The four rows of the main block without shift, each as long as on the others; the extra
    // keys of the ISO boards (left of Y/W, left of Enter) have no partner and are left out.
    const char16_t *rows[4];
    const char16_t *digitSymbols; // what the keys 1 to 9 and 0 give with shift (AZERTY: without)
};

const Layout kLayouts[] = {
    {u"qwertz", {u"^1234567890ß´", u"qwertzuiopü+", u"asdfghjklöä", u"yxcvbnm,.-"}, u"!\"§$%&/()="},
    {u"qwerty", {u"`1234567890-=", u"qwertyuiop[]", u"asdfghjkl;'", u"zxcvbnm,./"}, u"!@#$%^&*()"},
    {u"azerty",
     {u"²&é\"'(-è_çà)=", u"azertyuiop^$", u"qsdfghjklmù", u"wxcvbn,;:!"},
     u"&é\"'(-è_çà"},
    {u"dvorak", {u"`1234567890[]", u"',.pyfgcrl/=", u"aoeuidhtns-", u";qjkxbmwvz"}, u"!@#$%^&*()"},
};

const Layout &layout(const ParamValues &values, const QString &key)
{
    const QString name = textParam(values, key);
    for (const Layout &l : kLayouts) {
        if (name == QString::fromUtf16(l.name))
            return l;
    }
    return kLayouts[0];
}

QHash<char16_t, char16_t> keyMap(const Layout &from, const Layout &to)
{
    QHash<char16_t, char16_t> map;
    for (int row = 0; row < 4; ++row) {
        const std::u16string_view a(from.rows[row]);
        const std::u16string_view b(to.rows[row]);
        for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
            map.insert(a[i], b[i]);
    }
    return map;
}

QHash<char16_t, char16_t> digitMap(const Layout &layout, bool toSymbols)
{
    QHash<char16_t, char16_t> map;
    const std::u16string_view symbols(layout.digitSymbols);
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        const char16_t digit = char16_t(i == 9 ? u'0' : u'1' + i);
        if (toSymbols)
            map.insert(digit, symbols[i]);
        else
            map.insert(symbols[i], digit);
    }
    return map;
}

// Upper-case letters go through their lower-case key and come back in upper case.
QString mapped(const QString &text, const QHash<char16_t, char16_t> &map)
{
    QString result = text;
    for (QChar &c : result) {
        const QChar lower = c.toLower();
        const auto it = map.constFind(lower.unicode());
        if (it == map.constEnd())
            continue;
        const QChar to(*it);
        c = (lower != c && to.isLetter() && to != u'ß') ? to.toUpper() : to;
    }
    return result;
}

QString keyboardEncode(const QString &text, const ParamValues &values)
{
    const Layout &from = layout(values, QStringLiteral("von"));
    if (switchParam(values, QStringLiteral("ziffern")))
        return mapped(text, digitMap(from, true));
    return mapped(text, keyMap(from, layout(values, QStringLiteral("nach"))));
}

QString keyboardDecode(const QString &text, const ParamValues &values)
{
    const Layout &from = layout(values, QStringLiteral("von"));
    if (switchParam(values, QStringLiteral("ziffern")))
        return mapped(text, digitMap(from, false));
    return mapped(text, keyMap(layout(values, QStringLiteral("nach")), from));
}

QStringList layoutNames()
{
    QStringList names;
    for (const Layout &l : kLayouts)
        names.append(QString::fromUtf16(l.name));
    return names;
}

} // namespace

Cipher tastaturCipher()
{
    QStringList to = layoutNames();
    to.move(1, 0); // from the German layout to the American one unless told otherwise
    return Cipher {
        QStringLiteral("tastatur"),
        QStringLiteral("Tastaturverschiebung"),
        QStringLiteral("Was auf einer anderen Tastaturbelegung an derselben Stelle "
                       "steht (QWERTZ ↔ QWERTY …), oder die Zeichen auf Umschalt+Ziffer."),
        {choiceDecl(QStringLiteral("von"), QStringLiteral("Von"), layoutNames(),
                    QStringLiteral("Belegung, auf der getippt wurde: qwertz, qwerty, "
                                   "azerty oder dvorak")),
         choiceDecl(QStringLiteral("nach"), QStringLiteral("Nach"), to,
                    QStringLiteral("Belegung, die gelesen wird")),
         switchDecl(QStringLiteral("ziffern"), QStringLiteral("Ziffern"),
                    QStringLiteral("Ziffern ↔ Zeichen auf Umschalt+Ziffer der "
                                   "Von-Belegung"))},
        Keying::None,
        keyboardEncode,
        keyboardDecode};
}

} // namespace Ciphers
