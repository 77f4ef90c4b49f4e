#include "GeocachingText.h"

#include "Letters.h"

#include <QRegularExpression>

#include <algorithm>
#include <vector>

namespace {

const QStringList &numberWords()
{
    static const QStringList words = {
        // German, umlauts spelled out
        u"NULL"_qs, u"EINS"_qs, u"EIN"_qs, u"ZWEI"_qs, u"ZWO"_qs, u"DREI"_qs, u"VIER"_qs,
        u"FUENF"_qs, u"SECHS"_qs, u"SECH"_qs, u"SIEBEN"_qs, u"SIEB"_qs, u"ACHT"_qs, u"NEUN"_qs,
        u"ZEHN"_qs, u"ELF"_qs, u"ZWOELF"_qs, u"ZIG"_qs, u"SSIG"_qs, u"HUNDERT"_qs, u"TAUSEND"_qs,
        u"UND"_qs, u"PUNKT"_qs, u"KOMMA"_qs, u"GRAD"_qs, u"MINUTEN"_qs, u"NORD"_qs, u"NORDEN"_qs,
        u"SUED"_qs, u"SUEDEN"_qs, u"OST"_qs, u"OSTEN"_qs, u"WEST"_qs, u"WESTEN"_qs,
        // English
        u"ZERO"_qs, u"ONE"_qs, u"TWO"_qs, u"THREE"_qs, u"FOUR"_qs, u"FIVE"_qs, u"SIX"_qs,
        u"SEVEN"_qs, u"EIGHT"_qs, u"NINE"_qs, u"TEN"_qs, u"ELEVEN"_qs, u"TWELVE"_qs, u"THIR"_qs,
        u"FIF"_qs, u"TEEN"_qs, u"TWENTY"_qs, u"FORTY"_qs, u"TY"_qs, u"HUNDRED"_qs, u"THOUSAND"_qs,
        u"AND"_qs, u"POINT"_qs, u"DOT"_qs, u"DEGREES"_qs, u"MINUTES"_qs, u"NORTH"_qs, u"SOUTH"_qs,
        u"EAST"_qs, u"WEST"_qs};
    return words;
}

} // namespace

bool holdsCoordinate(const QString &plain)
{
    // Degrees and minutes apart (a blank or the degree sign), so that a run of digits after an
    // "s" in a jumbled reading is no latitude; and the hemisphere letter not glued to a digit
    // before it, so that a rotated hex code ("4S 20 53 43") is none either.
    static const QRegularExpression coordinate(QStringLiteral(
        "(^|[^A-Za-z0-9])[NSns]\\s*\\d{1,2}(\\s*°\\s*|\\s+)\\d{1,2}\\s*[.,\\s]\\s*\\d{1,3}"));
    return coordinate.match(plain).hasMatch();
}

double numberWordShare(const QString &plain)
{
    const QString letters = normalizedLetters(plain);
    const qsizetype n = letters.size();
    if (n == 0)
        return 0;
    // covered[i]: the most letters of the first i that number words can cover.
    std::vector<qsizetype> covered(size_t(n) + 1, 0);
    for (qsizetype i = 1; i <= n; ++i) {
        covered[size_t(i)] = covered[size_t(i - 1)];
        for (const QString &word : numberWords()) {
            const qsizetype start = i - word.size();
            if (start >= 0 && QStringView(letters).mid(start, word.size()) == word)
                covered[size_t(i)] =
                    std::max(covered[size_t(i)], covered[size_t(start)] + word.size());
        }
    }
    return double(covered[size_t(n)]) / double(n);
}

bool isGeocachingText(const QString &plain)
{
    if (holdsCoordinate(plain))
        return true;
    const qsizetype letters = normalizedLetters(plain).size();
    return letters >= kNumberWordLetters && letters <= kMaxNumberWordLetters &&
        numberWordShare(plain) >= kNumberWordShare;
}

bool holdsCrib(const QString &plain, const QString &crib)
{
    const QString wanted = normalizedLetters(crib);
    return !wanted.isEmpty() && normalizedLetters(plain).contains(wanted);
}

void markCrib(std::vector<Candidate> &candidates, const QString &crib)
{
    if (normalizedLetters(crib).isEmpty())
        return;
    for (Candidate &candidate : candidates)
        candidate.holdsCrib = holdsCrib(candidate.plain, crib);
}
