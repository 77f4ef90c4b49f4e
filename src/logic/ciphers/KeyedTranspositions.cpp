// Transpositions by a key word: the columnar transposition (once or twice) and AMSCO. Blanks and
// line breaks are dropped, every other character moves as it is.
#include "logic/ciphers/CipherFamilies.h"
#include "logic/ciphers/CipherText.h"
#include "logic/common/QuarvelError.h"

#include <algorithm>
#include <numeric>

namespace Ciphers {
namespace {

QString withoutBlanks(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (!c.isSpace())
            out.append(c);
    }
    return out;
}

// Which key a message is about: "einen Schlüssel" / "Der Schlüssel".
struct KeyName
{
    QString accusative;
    QString subject;
};

const KeyName kFirstKey {QStringLiteral("einen Schlüssel"), QStringLiteral("Der Schlüssel")};
const KeyName kSecondKey {QStringLiteral("einen zweiten Schlüssel"),
                          QStringLiteral("Der zweite Schlüssel")};
constexpr qsizetype kLongestKey = 100;

// The columns in reading order: by their key character (letters without case, digits before
// letters), equal ones left to right.
std::vector<qsizetype> columnOrder(const QString &key, const KeyName &name)
{
    if (key.isEmpty())
        throw QuarvelError(QStringLiteral("Bitte %1 eingeben.").arg(name.accusative));
    if (key.size() > kLongestKey)
        throw QuarvelError(QStringLiteral("%1 darf höchstens %2 Zeichen haben.")
                               .arg(name.subject)
                               .arg(kLongestKey));
    std::vector<char16_t> ranks;
    for (const QChar c : key) {
        const int letter = letterIndex(c);
        if (letter < 0 && !(c >= u'0' && c <= u'9'))
            throw QuarvelError(
                QStringLiteral("%1 darf nur Buchstaben und Ziffern enthalten.").arg(name.subject));
        ranks.push_back(letter >= 0 ? char16_t(u'A' + letter) : c.unicode());
    }
    std::vector<qsizetype> order(ranks.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return ranks[std::size_t(a)] < ranks[std::size_t(b)];
    });
    return order;
}

// Rows of the key's width, the last one possibly shorter; columns read in key order.
QString columnsOut(const QString &text, const std::vector<qsizetype> &order)
{
    const qsizetype width = qsizetype(order.size());
    QString out;
    out.reserve(text.size());
    for (const qsizetype column : order) {
        for (qsizetype at = column; at < text.size(); at += width)
            out.append(text[at]);
    }
    return out;
}

QString columnsIn(const QString &text, const std::vector<qsizetype> &order)
{
    const qsizetype width = qsizetype(order.size());
    QString out(text.size(), Qt::Uninitialized);
    qsizetype read = 0;
    for (const qsizetype column : order) {
        for (qsizetype at = column; at < text.size(); at += width)
            out[at] = text[read++];
    }
    return out;
}

QString columnarEncode(const QString &text, const ParamValues &values)
{
    QString out = columnsOut(withoutBlanks(text), columnOrder(textParam(values, kKey), kFirstKey));
    const QString second = textParam(values, QStringLiteral("doppelt"));
    if (!second.isEmpty())
        out = columnsOut(out, columnOrder(second, kSecondKey));
    return out;
}

QString columnarDecode(const QString &text, const ParamValues &values)
{
    const std::vector<qsizetype> first = columnOrder(textParam(values, kKey), kFirstKey);
    QString out = withoutBlanks(text);
    const QString second = textParam(values, QStringLiteral("doppelt"));
    if (!second.isEmpty())
        out = columnsIn(out, columnOrder(second, kSecondKey));
    return columnsIn(out, first);
}

// --- AMSCO ------------------------------------------------------------------------------------

// The cells of the grid in row order with their start in the text and their length: one and two
// characters alternate like the squares of a chess board, so each row starts with the other
// size than the row above; the last cell may be cut short.
struct Cell
{
    qsizetype start;
    qsizetype length;
    qsizetype column;
};

std::vector<Cell> amscoCells(qsizetype count, qsizetype width)
{
    std::vector<Cell> cells;
    qsizetype at = 0;
    for (qsizetype index = 0; at < count; ++index) {
        const qsizetype row = index / width;
        const qsizetype column = index % width;
        const qsizetype length = std::min<qsizetype>((row + column) % 2 == 0 ? 1 : 2, count - at);
        cells.push_back({at, length, column});
        at += length;
    }
    return cells;
}

QString amscoEncode(const QString &text, const ParamValues &values)
{
    const QString plain = withoutBlanks(text);
    const std::vector<qsizetype> order = columnOrder(textParam(values, kKey), kFirstKey);
    const std::vector<Cell> cells = amscoCells(plain.size(), qsizetype(order.size()));
    QString out;
    out.reserve(plain.size());
    for (const qsizetype column : order) {
        for (std::size_t i = std::size_t(column); i < cells.size(); i += order.size())
            out.append(QStringView(plain).mid(cells[i].start, cells[i].length));
    }
    return out;
}

QString amscoDecode(const QString &text, const ParamValues &values)
{
    const QString coded = withoutBlanks(text);
    const std::vector<qsizetype> order = columnOrder(textParam(values, kKey), kFirstKey);
    const std::vector<Cell> cells = amscoCells(coded.size(), qsizetype(order.size()));
    QString out(coded.size(), Qt::Uninitialized);
    qsizetype read = 0;
    for (const qsizetype column : order) {
        for (std::size_t i = std::size_t(column); i < cells.size(); i += order.size()) {
            for (qsizetype k = 0; k < cells[i].length; ++k)
                out[cells[i].start + k] = coded[read++];
        }
    }
    return out;
}

} // namespace

Cipher spaltentauschCipher()
{
    return Cipher {QStringLiteral("spaltentausch"),
                   QStringLiteral("Spaltentausch"),
                   QStringLiteral("Zeilenweise unter den Schlüssel geschrieben, spaltenweise in "
                                  "dessen alphabetischer Reihenfolge gelesen; optional zweimal."),
                   {keyDecl(QStringLiteral("Schlüsselwort oder Ziffernfolge der Spalten")),
                    ParamDecl {QStringLiteral("doppelt"),
                               QStringLiteral("Zweiter Schlüssel"),
                               ParamKind::Text,
                               {},
                               {},
                               0,
                               0,
                               QStringLiteral("für die doppelte Spaltentransposition")}},
                   Keying::Key,
                   columnarEncode,
                   columnarDecode};
}

Cipher amscoCipher()
{
    return Cipher {QStringLiteral("amsco"),
                   QStringLiteral("AMSCO"),
                   QStringLiteral("Abwechselnd 1 und 2 Zeichen zeilenweise unter den Schlüssel "
                                  "(z. B. 3142), spaltenweise in dessen Reihenfolge gelesen."),
                   {keyDecl(QStringLiteral("Ziffernfolge (oder Wort) der Spalten"))},
                   Keying::Key,
                   amscoEncode,
                   amscoDecode};
}

} // namespace Ciphers
