// Runes and Ogham, rendered from Noto Sans Runic and Noto Sans Ogham. The meaning of each rune is
// the transliteration its Unicode name gives (RUNIC LETTER FEHU FEOH FE F: "f"); þ is written
// "th", ŋ "ng", so a text can be typed on a German keyboard.

#include "symbols/TableParts.h"

namespace SymbolTables::Parts {

namespace {

constexpr FontSource kRunic {"Noto Sans Runic", "NotoSansRunic-Regular.ttf"};
constexpr FontSource kOgham {"Noto Sans Ogham", "NotoSansOgham-Regular.ttf"};

} // namespace

QList<Table> runeTables()
{
    const QString runen = QStringLiteral("Runen");
    return {
        fontTable("futhark", QStringLiteral("Ältere Futhark-Runen"), runen, kRunic,
                  {{0x16A0, u"f"}, {0x16A2, u"u"},  {0x16A6, u"th"}, {0x16A8, u"a"}, {0x16B1, u"r"},
                   {0x16B2, u"k"}, {0x16B7, u"g"},  {0x16B9, u"w"},  {0x16BA, u"h"}, {0x16BE, u"n"},
                   {0x16C1, u"i"}, {0x16C3, u"j"},  {0x16C7, u"ei"}, {0x16C8, u"p"}, {0x16C9, u"z"},
                   {0x16CA, u"s"}, {0x16CF, u"t"},  {0x16D2, u"b"},  {0x16D6, u"e"}, {0x16D7, u"m"},
                   {0x16DA, u"l"}, {0x16DC, u"ng"}, {0x16DE, u"d"},  {0x16DF, u"o"}}),
        fontTable("futhark-jung", QStringLiteral("Jüngere Futhark-Runen (Langzweig)"), runen,
                  kRunic,
                  {{0x16A0, u"f"},
                   {0x16A2, u"u"},
                   {0x16A6, u"th"},
                   {0x16AC, u"o"},
                   {0x16B1, u"r"},
                   {0x16B4, u"k"},
                   {0x16BC, u"h"},
                   {0x16BE, u"n"},
                   {0x16C1, u"i"},
                   {0x16C5, u"a"},
                   {0x16CB, u"s"},
                   {0x16CF, u"t"},
                   {0x16D2, u"b"},
                   {0x16D8, u"m"},
                   {0x16DA, u"l"},
                   {0x16E6, u"y"}}),
        fontTable("futhark-kurzzweig", QStringLiteral("Jüngere Futhark-Runen (Kurzzweig)"), runen,
                  kRunic,
                  {{0x16A0, u"f"},
                   {0x16A2, u"u"},
                   {0x16A6, u"th"},
                   {0x16AD, u"o"},
                   {0x16B1, u"r"},
                   {0x16B4, u"k"},
                   {0x16BD, u"h"},
                   {0x16BF, u"n"},
                   {0x16C1, u"i"},
                   {0x16C6, u"a"},
                   {0x16CC, u"s"},
                   {0x16D0, u"t"},
                   {0x16D3, u"b"},
                   {0x16D9, u"m"},
                   {0x16DA, u"l"},
                   {0x16E7, u"y"}}),
        fontTable(
            "futhorc", QStringLiteral("Angelsächsische Runen (Futhorc)"), runen, kRunic,
            {{0x16A0, u"f"},  {0x16A2, u"u"},  {0x16A6, u"th"}, {0x16A9, u"o"}, {0x16B1, u"r"},
             {0x16B3, u"c"},  {0x16B7, u"g"},  {0x16B9, u"w"},  {0x16BB, u"h"}, {0x16BE, u"n"},
             {0x16C1, u"i"},  {0x16C4, u"j"},  {0x16C7, u"eo"}, {0x16C8, u"p"}, {0x16C9, u"x"},
             {0x16CB, u"s"},  {0x16CF, u"t"},  {0x16D2, u"b"},  {0x16D6, u"e"}, {0x16D7, u"m"},
             {0x16DA, u"l"},  {0x16DD, u"ng"}, {0x16DF, u"oe"}, {0x16DE, u"d"}, {0x16AA, u"a"},
             {0x16AB, u"ae"}, {0x16A3, u"y"},  {0x16E1, u"io"}, {0x16E0, u"ea"}}),
        // The twenty letters of the four groups, then the five later letters (forfeda), whose
        // usual values stand beside their names EADHADH, OR, UILLEANN, IFIN, EAMHANCHOLL.
        fontTable("ogham", QStringLiteral("Ogham"), runen, kOgham,
                  {{0x1681, u"b"},  {0x1682, u"l"},  {0x1683, u"f"},  {0x1684, u"s"},
                   {0x1685, u"n"},  {0x1686, u"h"},  {0x1687, u"d"},  {0x1688, u"t"},
                   {0x1689, u"c"},  {0x168A, u"q"},  {0x168B, u"m"},  {0x168C, u"g"},
                   {0x168D, u"ng"}, {0x168E, u"z"},  {0x168F, u"r"},  {0x1690, u"a"},
                   {0x1691, u"o"},  {0x1692, u"u"},  {0x1693, u"e"},  {0x1694, u"i"},
                   {0x1695, u"ea"}, {0x1696, u"oi"}, {0x1697, u"ui"}, {0x1698, u"ia"},
                   {0x1699, u"ae"}, {0x169A, u"p"}},
                  QStringLiteral("den Unicode-Zeichennamen (Buchstabennamen der Ogham-Reihen)")),
    };
}

} // namespace SymbolTables::Parts
