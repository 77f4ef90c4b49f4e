// Numerals of other number systems, rendered from Noto fonts; the meaning is the value the
// Unicode name gives (MAYAN NUMERAL FIVE: "5", COUNTING ROD TENS DIGIT THREE: "30").

#include "symbols/TableParts.h"

namespace SymbolTables::Parts {

namespace {

constexpr FontSource kSymbols2 {"Noto Sans Symbols2", "NotoSansSymbols2-Regular.ttf"};

} // namespace

QList<Table> numeralTables()
{
    const QString zahlen = QStringLiteral("Zahlen");
    return {
        fontTable("maya", QStringLiteral("Maya-Zahlen (0–19)"), zahlen,
                  {"Noto Sans Mayan Numerals", "NotoSansMayanNumerals-Regular.ttf"},
                  {
                      {0x1D2E0, u"0"},  {0x1D2E1, u"1"},  {0x1D2E2, u"2"},  {0x1D2E3, u"3"},
                      {0x1D2E4, u"4"},  {0x1D2E5, u"5"},  {0x1D2E6, u"6"},  {0x1D2E7, u"7"},
                      {0x1D2E8, u"8"},  {0x1D2E9, u"9"},  {0x1D2EA, u"10"}, {0x1D2EB, u"11"},
                      {0x1D2EC, u"12"}, {0x1D2ED, u"13"}, {0x1D2EE, u"14"}, {0x1D2EF, u"15"},
                      {0x1D2F0, u"16"}, {0x1D2F1, u"17"}, {0x1D2F2, u"18"}, {0x1D2F3, u"19"},
                  }),
        // Counting rods: the units stand upright, the tens lie; a number alternates them.
        fontTable("stabziffern", QStringLiteral("Chinesische Stäbchenziffern (Einer)"), zahlen,
                  kSymbols2,
                  {
                      {0x1D360, u"1"},
                      {0x1D361, u"2"},
                      {0x1D362, u"3"},
                      {0x1D363, u"4"},
                      {0x1D364, u"5"},
                      {0x1D365, u"6"},
                      {0x1D366, u"7"},
                      {0x1D367, u"8"},
                      {0x1D368, u"9"},
                  }),
        fontTable("stabziffern-zehner", QStringLiteral("Chinesische Stäbchenziffern (Zehner)"),
                  zahlen, kSymbols2,
                  {
                      {0x1D369, u"10"},
                      {0x1D36A, u"20"},
                      {0x1D36B, u"30"},
                      {0x1D36C, u"40"},
                      {0x1D36D, u"50"},
                      {0x1D36E, u"60"},
                      {0x1D36F, u"70"},
                      {0x1D370, u"80"},
                      {0x1D371, u"90"},
                  }),
        fontTable("arabische-ziffern", QStringLiteral("Arabisch-indische Ziffern"), zahlen,
                  {"Noto Sans Arabic", "NotoSansArabic-Regular.ttf"},
                  {
                      {0x660, u"0"},
                      {0x661, u"1"},
                      {0x662, u"2"},
                      {0x663, u"3"},
                      {0x664, u"4"},
                      {0x665, u"5"},
                      {0x666, u"6"},
                      {0x667, u"7"},
                      {0x668, u"8"},
                      {0x669, u"9"},
                  }),
        fontTable("persische-ziffern", QStringLiteral("Persische Ziffern (östlich arabisch)"),
                  zahlen, {"Noto Sans Arabic", "NotoSansArabic-Regular.ttf"},
                  {
                      {0x6F0, u"0"},
                      {0x6F1, u"1"},
                      {0x6F2, u"2"},
                      {0x6F3, u"3"},
                      {0x6F4, u"4"},
                      {0x6F5, u"5"},
                      {0x6F6, u"6"},
                      {0x6F7, u"7"},
                      {0x6F8, u"8"},
                      {0x6F9, u"9"},
                  }),
        fontTable("thai-ziffern", QStringLiteral("Thailändische Ziffern"), zahlen,
                  {"Noto Sans Thai", "NotoSansThai-Regular.ttf"},
                  {
                      {0xE50, u"0"},
                      {0xE51, u"1"},
                      {0xE52, u"2"},
                      {0xE53, u"3"},
                      {0xE54, u"4"},
                      {0xE55, u"5"},
                      {0xE56, u"6"},
                      {0xE57, u"7"},
                      {0xE58, u"8"},
                      {0xE59, u"9"},
                  }),
        fontTable("devanagari-ziffern", QStringLiteral("Devanagari-Ziffern"), zahlen,
                  {"Noto Sans Devanagari", "NotoSansDevanagari-Regular.ttf"},
                  {
                      {0x966, u"0"},
                      {0x967, u"1"},
                      {0x968, u"2"},
                      {0x969, u"3"},
                      {0x96A, u"4"},
                      {0x96B, u"5"},
                      {0x96C, u"6"},
                      {0x96D, u"7"},
                      {0x96E, u"8"},
                      {0x96F, u"9"},
                  }),
        fontTable("bengali-ziffern", QStringLiteral("Bengalische Ziffern"), zahlen,
                  {"Noto Sans Bengali", "NotoSansBengali-Regular.ttf"},
                  {
                      {0x9E6, u"0"},
                      {0x9E7, u"1"},
                      {0x9E8, u"2"},
                      {0x9E9, u"3"},
                      {0x9EA, u"4"},
                      {0x9EB, u"5"},
                      {0x9EC, u"6"},
                      {0x9ED, u"7"},
                      {0x9EE, u"8"},
                      {0x9EF, u"9"},
                  }),
        fontTable("roemische-zahlzeichen", QStringLiteral("Römische Zahlzeichen"), zahlen,
                  {"Noto Sans Symbols", "NotoSansSymbols-Regular.ttf"},
                  {
                      {0x2160, u"1"},
                      {0x2161, u"2"},
                      {0x2162, u"3"},
                      {0x2163, u"4"},
                      {0x2164, u"5"},
                      {0x2165, u"6"},
                      {0x2166, u"7"},
                      {0x2167, u"8"},
                      {0x2168, u"9"},
                      {0x2169, u"10"},
                      {0x216A, u"11"},
                      {0x216B, u"12"},
                      {0x216C, u"50"},
                      {0x216D, u"100"},
                      {0x216E, u"500"},
                      {0x216F, u"1000"},
                  }),
    };
}

} // namespace SymbolTables::Parts
