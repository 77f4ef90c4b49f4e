// T9: a word typed with one key press per letter, and the words of a word list that fit the keys.
#include "logic/ciphers/CipherFamilies.h"
#include "logic/ciphers/CipherText.h"
#include "logic/common/QuarvelError.h"
#include "logic/language/WordBreaks.h"

#include <QHash>
#include <QSet>

namespace Ciphers {
namespace {

constexpr QLatin1String kLanguage("sprache");
constexpr QLatin1String kFolder("wortlisten");

// The key of a letter on a phone keypad; umlauts and ß sit on the keys of their base letters.
// 0 for a character without a key.
char keyOf(QChar c)
{
    static constexpr char kKeys[] = "22233344455566677778889999";
    const int index = letterIndex(c);
    if (index >= 0)
        return kKeys[index];
    switch (c.unicode()) {
    case u'ä':
    case u'Ä':
        return '2';
    case u'ö':
    case u'Ö':
        return '6';
    case u'ü':
    case u'Ü':
        return '8';
    case u'ß':
        return '7';
    default:
        return 0;
    }
}

// The keys of a word, or an empty string when one of its characters has none (an apostrophe,
// an accent): such a word cannot be typed and never fits.
QByteArray keysOf(QStringView word)
{
    QByteArray keys;
    keys.reserve(word.size());
    for (const QChar c : word) {
        const char key = keyOf(c);
        if (!key)
            return {};
        keys += key;
    }
    return keys;
}

// Words become key groups, one blank between them; a character without a key is an error, as
// a T9 text could not hold it.
QString t9Encode(const QString &text, const ParamValues &)
{
    QString out;
    bool gap = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isSpace()) {
            gap = !out.isEmpty();
            continue;
        }
        const char key = keyOf(c);
        if (!key)
            throw QuarvelError(QStringLiteral("Zeichen %1 („%2“) hat keine Taste: T9 kennt nur "
                                              "Buchstaben und Leerzeichen.")
                                   .arg(i + 1)
                                   .arg(c));
        if (gap)
            out += u' ';
        gap = false;
        out += QChar::fromLatin1(key);
    }
    return out;
}

// The digit groups of the text as pieces of `keys` (the text in Latin-1); 0 and blanks separate
// them, 1 has no letters. Pieces, not copies: a megabyte of digits holds many groups.
QList<QByteArrayView> keyGroups(const QString &text, QByteArray &keys)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!c.isSpace() && (c < u'0' || c > u'9' || c == u'1'))
            throw QuarvelError(QStringLiteral("Zeichen %1 („%2“) ist keine Taste von 2 bis 9; "
                                              "Gruppen trennen Leerzeichen oder 0.")
                                   .arg(i + 1)
                                   .arg(c));
    }
    keys = text.toLatin1();
    QList<QByteArrayView> groups;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= keys.size(); ++i) {
        const bool key = i < keys.size() && keys[i] >= '2' && keys[i] <= '9';
        if (key && start < 0)
            start = i;
        else if (!key && start >= 0) {
            groups.append(QByteArrayView(keys).sliced(start, i - start));
            start = -1;
        }
    }
    return groups;
}

// Every group becomes the words that fit it, in the order of the list (a list by frequency
// gives the most frequent first, Debian's lists are alphabetical); several as [A|B], none as
// the digits in [?…]. Words that differ only in case are shown once.
QString t9Decode(const QString &text, const ParamValues &values)
{
    QByteArray keys;
    const QList<QByteArrayView> groups = keyGroups(text, keys);
    if (groups.isEmpty())
        return {};
    // Keys without a copy of the group: `keys` stays as it is while the table lives.
    const auto raw = [](QByteArrayView group) {
        return QByteArray::fromRawData(group.data(), group.size());
    };
    QHash<QByteArray, QStringList> fits;
    fits.reserve(groups.size());
    qsizetype longest = 0;
    for (const QByteArrayView group : groups) {
        fits.emplace(raw(group)); // a group twice stays empty until the list is read
        longest = std::max(longest, group.size());
    }
    const Language language =
        textParam(values, kLanguage) == u"en" ? Language::English : Language::German;
    const QByteArray data = WordList::bytesOfLanguage(textParam(values, kFolder), language);
    QHash<QByteArray, QSet<QString>> seen;
    for (qsizetype start = 0; start < data.size();) {
        qsizetype end = data.indexOf('\n', start);
        if (end < 0)
            end = data.size();
        const QByteArrayView line = QByteArrayView(data).sliced(start, end - start);
        start = end + 1;
        // A word in UTF-8 has at least as many bytes as letters: longer lines may still fit.
        if (line.isEmpty() || line.size() > 4 * longest)
            continue;
        const QString word = QString::fromUtf8(line).trimmed();
        if (word.isEmpty() || word.size() > longest)
            continue;
        const QByteArray keys = keysOf(word);
        const auto fit = fits.find(keys);
        if (fit == fits.end())
            continue;
        QSet<QString> &shown = seen[keys];
        const QString folded = word.toLower();
        if (shown.contains(folded))
            continue;
        shown.insert(folded);
        fit->append(word);
    }
    QString out;
    for (const QByteArrayView group : groups) {
        if (!out.isEmpty())
            out += u' ';
        const QStringList &words = *fits.constFind(raw(group));
        if (words.isEmpty())
            out += QLatin1String("[?") + QLatin1String(group.data(), group.size()) + u']';
        else if (words.size() == 1)
            out += words.constFirst();
        else
            out += u'[' + words.join(u'|') + u']';
    }
    return out;
}

} // namespace

Cipher t9Cipher()
{
    ParamDecl folder {kFolder,
                      QStringLiteral("Wortlisten"),
                      ParamKind::Text,
                      WordList::systemFolder(),
                      {},
                      0,
                      0,
                      QStringLiteral("Ordner mit „ngerman“ (wngerman) und „american-english“ "
                                     "(wamerican)")};
    return Cipher {
        QStringLiteral("t9"),
        QStringLiteral("T9-Worterkennung"),
        QStringLiteral("Ein Tastendruck je Buchstabe (2 = ABC … 9 = WXYZ); Entschlüsseln zeigt "
                       "die Wörter der Wortliste, die passen, mehrere in [ | ]."),
        {choiceDecl(kLanguage, QStringLiteral("Sprache"),
                    {QStringLiteral("de"), QStringLiteral("en")},
                    QStringLiteral("Wortliste zum Entschlüsseln: de oder en")),
         folder},
        Keying::None,
        t9Encode,
        t9Decode};
}

} // namespace Ciphers
