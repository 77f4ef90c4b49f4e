// The characters stay, their order changes: rail fence, scytale and reversing. Every character
// counts, blanks included; a character is a Unicode code point, so no emoji is cut in two.
#include "logic/ciphers/CipherFamilies.h"
#include "logic/ciphers/CipherText.h"
#include "logic/common/QuarvelError.h"

#include <algorithm>

namespace Ciphers {
namespace {

constexpr QLatin1String kSchienen("schienen");
constexpr QLatin1String kVersatz("versatz");
constexpr QLatin1String kUmfang("umfang");

// The rail of every position of a zigzag over `rails` rails that starts `offset` steps in.
std::vector<int> railOf(qsizetype count, int rails, int offset)
{
    const qsizetype cycle = 2 * (qsizetype(rails) - 1);
    std::vector<int> rail(static_cast<std::size_t>(count));
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype p = (i + offset) % cycle;
        rail[std::size_t(i)] = int(p < rails ? p : cycle - p);
    }
    return rail;
}

// Where each rail starts in the cipher text.
std::vector<qsizetype> railStarts(const std::vector<int> &rail, int rails)
{
    std::vector<qsizetype> start(std::size_t(rails) + 1, 0);
    for (const int r : rail)
        ++start[std::size_t(r) + 1];
    for (std::size_t r = 1; r < start.size(); ++r)
        start[r] += start[r - 1];
    return start;
}

QString zaun(const QString &text, const ParamValues &values, bool encode)
{
    const QList<uint> in = text.toUcs4();
    const int rails = numberParam(values, kSchienen);
    if (rails < 2) // the declaration's limit; a zigzag needs two rails
        throw QuarvelError(QStringLiteral("Der Gartenzaun braucht mindestens 2 Schienen."));
    const std::vector<int> rail = railOf(in.size(), rails, numberParam(values, kVersatz));
    std::vector<qsizetype> next = railStarts(rail, rails);
    QList<uint> out(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        const qsizetype at = next[std::size_t(rail[std::size_t(i)])]++;
        if (encode)
            out[at] = in[i];
        else
            out[i] = in[at];
    }
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(out.constData()), out.size());
}

QString zaunEncode(const QString &text, const ParamValues &values)
{
    return zaun(text, values, true);
}

QString zaunDecode(const QString &text, const ParamValues &values)
{
    return zaun(text, values, false);
}

// Rows of `width` characters read column by column; the last row may be short.
QString skytale(const QString &text, const ParamValues &values, bool encode)
{
    const QList<uint> in = text.toUcs4();
    const qsizetype width = numberParam(values, kUmfang);
    const qsizetype count = in.size();
    QList<uint> out(count);
    qsizetype next = 0;
    for (qsizetype column = 0; column < std::min(width, count); ++column) {
        for (qsizetype i = column; i < count; i += width) {
            if (encode)
                out[next++] = in[i];
            else
                out[i] = in[next++];
        }
    }
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(out.constData()), out.size());
}

QString skytaleEncode(const QString &text, const ParamValues &values)
{
    return skytale(text, values, true);
}

QString skytaleDecode(const QString &text, const ParamValues &values)
{
    return skytale(text, values, false);
}

QString reverse(const QString &text, const ParamValues &values)
{
    QList<uint> points = text.toUcs4();
    if (!switchParam(values, QStringLiteral("woerter"))) {
        std::reverse(points.begin(), points.end());
    } else {
        auto wordStart = points.begin();
        for (auto it = points.begin();; ++it) {
            if (it == points.end() || QChar::isSpace(*it)) {
                std::reverse(wordStart, it);
                if (it == points.end())
                    break;
                wordStart = it + 1;
            }
        }
    }
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(points.constData()), points.size());
}

} // namespace

Cipher zaunCipher()
{
    return Cipher {
        QStringLiteral("zaun"),
        QStringLiteral("Gartenzaun (Rail Fence)"),
        QStringLiteral("Der Text läuft im Zickzack über N Schienen und wird Schiene für Schiene "
                       "gelesen; jedes Zeichen zählt."),
        {numberDecl(kSchienen, QStringLiteral("Schienen"), 2, 1000000, 3,
                    QStringLiteral("Anzahl der Schienen, ab 2 (Vorgabe 3)")),
         numberDecl(kVersatz, QStringLiteral("Versatz"), 0, 1000000, 0,
                    QStringLiteral("so viele Schritte im Zickzack beginnt der Text später "
                                   "(Vorgabe 0)"))},
        Keying::Numbers,
        zaunEncode,
        zaunDecode};
}

Cipher skytaleCipher()
{
    return Cipher {QStringLiteral("skytale"),
                   QStringLiteral("Skytale"),
                   QStringLiteral("Der Text wird in Zeilen zu N Zeichen geschrieben und "
                                  "spaltenweise gelesen, ohne Auffüllen."),
                   {numberDecl(kUmfang, QStringLiteral("Umfang"), 2, 1000000, 4,
                               QStringLiteral("Zeichen je Zeile (Umfang des Stabs), ab 2 "
                                              "(Vorgabe 4)"))},
                   Keying::Numbers,
                   skytaleEncode,
                   skytaleDecode};
}

Cipher rueckwaertsCipher()
{
    return Cipher {QStringLiteral("rueckwaerts"),
                   QStringLiteral("Rückwärts"),
                   QStringLiteral("Der ganze Text rückwärts, oder mit „Wörter“ jedes Wort für "
                                  "sich."),
                   {switchDecl(QStringLiteral("woerter"), QStringLiteral("Wörter"),
                               QStringLiteral("jedes Wort für sich rückwärts"))},
                   Keying::None,
                   reverse,
                   reverse};
}

} // namespace Ciphers
