// Signs rendered from Noto fonts: Braille cells, astronomical and alchemical signs, the I Ching,
// games and music. Braille cells are the Unicode patterns whose dots are the letter's dots (the
// German and English letter tables of the blind associations); every other meaning is the
// Unicode name in German (TRIGRAM FOR HEAVEN: "Himmel", PLAYING CARD ACE OF SPADES: "Pik Ass").

#include "symbols/TableParts.h"

namespace SymbolTables::Parts {

namespace {

constexpr FontSource kSymbols {"Noto Sans Symbols", "NotoSansSymbols-Regular.ttf"};
constexpr FontSource kSymbols2 {"Noto Sans Symbols2", "NotoSansSymbols2-Regular.ttf"};
constexpr FontSource kMusic {"Noto Music", "NotoMusic-Regular.ttf"};

QList<Table> brailleTables()
{
    const QString blinden = QStringLiteral("Blindenschrift");
    const QString dots = QStringLiteral("den Punkten der Brailleschrift (Unicode-Muster "
                                        "BRAILLE PATTERN DOTS-…)");
    return {
        fontTable("braille", QStringLiteral("Brailleschrift (deutsche Basisschrift)"), blinden,
                  kSymbols2,
                  {
                      {0x2801, u"a"},   {0x2803, u"b"},  {0x2809, u"c"},  {0x2819, u"d"},
                      {0x2811, u"e"},   {0x280B, u"f"},  {0x281B, u"g"},  {0x2813, u"h"},
                      {0x280A, u"i"},   {0x281A, u"j"},  {0x2805, u"k"},  {0x2807, u"l"},
                      {0x280D, u"m"},   {0x281D, u"n"},  {0x2815, u"o"},  {0x280F, u"p"},
                      {0x281F, u"q"},   {0x2817, u"r"},  {0x280E, u"s"},  {0x281E, u"t"},
                      {0x2825, u"u"},   {0x2827, u"v"},  {0x283A, u"w"},  {0x282D, u"x"},
                      {0x283D, u"y"},   {0x2835, u"z"},  {0x281C, u"ä"},  {0x282A, u"ö"},
                      {0x2833, u"ü"},   {0x282E, u"ß"},  {0x2821, u"au"}, {0x2823, u"eu"},
                      {0x2829, u"ei"},  {0x280C, u"äu"}, {0x282C, u"ie"}, {0x2839, u"ch"},
                      {0x2831, u"sch"}, {0x283E, u"st"},
                  },
                  dots),
        fontTable(
            "braille-englisch", QStringLiteral("Brailleschrift (englisch, Grade 1)"), blinden,
            kSymbols2,
            {
                {0x2801, u"a"}, {0x2803, u"b"}, {0x2809, u"c"}, {0x2819, u"d"}, {0x2811, u"e"},
                {0x280B, u"f"}, {0x281B, u"g"}, {0x2813, u"h"}, {0x280A, u"i"}, {0x281A, u"j"},
                {0x2805, u"k"}, {0x2807, u"l"}, {0x280D, u"m"}, {0x281D, u"n"}, {0x2815, u"o"},
                {0x280F, u"p"}, {0x281F, u"q"}, {0x2817, u"r"}, {0x280E, u"s"}, {0x281E, u"t"},
                {0x2825, u"u"}, {0x2827, u"v"}, {0x283A, u"w"}, {0x282D, u"x"}, {0x283D, u"y"},
                {0x2835, u"z"}, {0x2802, u","}, {0x2806, u";"}, {0x2812, u":"}, {0x2832, u"."},
                {0x2816, u"!"}, {0x2826, u"?"}, {0x2804, u"'"}, {0x2824, u"-"},
            },
            dots),
        // The digits are the letters a–j after the number sign (dots 3-4-5-6).
        fontTable("braille-ziffern", QStringLiteral("Brailleschrift (Ziffern und Zahlzeichen)"),
                  blinden, kSymbols2,
                  {
                      {0x2801, u"1"},
                      {0x2803, u"2"},
                      {0x2809, u"3"},
                      {0x2819, u"4"},
                      {0x2811, u"5"},
                      {0x280B, u"6"},
                      {0x281B, u"7"},
                      {0x2813, u"8"},
                      {0x280A, u"9"},
                      {0x281A, u"0"},
                      {0x283C, u"#"},
                  },
                  dots),
    };
}

QList<Table> skyTables()
{
    const QString zeichen = QStringLiteral("Zeichen");
    return {
        fontTable("tierkreis", QStringLiteral("Tierkreiszeichen"), zeichen, kSymbols,
                  {{0x2648, u"Widder"},
                   {0x2649, u"Stier"},
                   {0x264A, u"Zwillinge"},
                   {0x264B, u"Krebs"},
                   {0x264C, u"Löwe"},
                   {0x264D, u"Jungfrau"},
                   {0x264E, u"Waage"},
                   {0x264F, u"Skorpion"},
                   {0x2650, u"Schütze"},
                   {0x2651, u"Steinbock"},
                   {0x2652, u"Wassermann"},
                   {0x2653, u"Fische"}}),
        // The sun's sign is missing from Noto Sans Symbols, so the table starts with the moon.
        fontTable("planeten", QStringLiteral("Planetenzeichen"), zeichen, kSymbols,
                  {{0x263D, u"Mond"},
                   {0x263F, u"Merkur"},
                   {0x2640, u"Venus"},
                   {0x2641, u"Erde"},
                   {0x2642, u"Mars"},
                   {0x2643, u"Jupiter"},
                   {0x2644, u"Saturn"},
                   {0x2645, u"Uranus"},
                   {0x2646, u"Neptun"},
                   {0x2647, u"Pluto"}}),
        fontTable(
            "alchemie", QStringLiteral("Alchemistische Zeichen"), zeichen, kSymbols,
            {{0x1F700, u"Quintessenz"},  {0x1F701, u"Luft"},       {0x1F702, u"Feuer"},
             {0x1F703, u"Erde"},         {0x1F704, u"Wasser"},     {0x1F705, u"Scheidewasser"},
             {0x1F706, u"Königswasser"}, {0x1F708, u"Weingeist"},  {0x1F70A, u"Essig"},
             {0x1F70D, u"Schwefel"},     {0x1F713, u"Zinnober"},   {0x1F714, u"Salz"},
             {0x1F715, u"Salpeter"},     {0x1F716, u"Vitriol"},    {0x1F718, u"Steinsalz"},
             {0x1F71A, u"Gold"},         {0x1F71B, u"Silber"},     {0x1F71C, u"Eisenerz"},
             {0x1F720, u"Kupfererz"},    {0x1F728, u"Grünspan"},   {0x1F729, u"Zinnerz"},
             {0x1F72A, u"Bleierz"},      {0x1F72B, u"Antimonerz"}, {0x1F73A, u"Arsen"},
             {0x1F73E, u"Wismuterz"},    {0x1F741, u"Branntkalk"}, {0x1F742, u"Borax"},
             {0x1F745, u"Alaun"},        {0x1F746, u"Öl"},         {0x1F74A, u"Wachs"},
             {0x1F757, u"Asche"},        {0x1F76E, u"Stunde"},     {0x1F76F, u"Nacht"},
             {0x1F771, u"Monat"}}),
        fontTable("trigramme", QStringLiteral("I-Ging-Trigramme"), zeichen, kSymbols2,
                  {{0x2630, u"Himmel"},
                   {0x2631, u"See"},
                   {0x2632, u"Feuer"},
                   {0x2633, u"Donner"},
                   {0x2634, u"Wind"},
                   {0x2635, u"Wasser"},
                   {0x2636, u"Berg"},
                   {0x2637, u"Erde"}}),
        // The 64 hexagrams in the order of King Wen, which is their Unicode order.
        fontTable(
            "hexagramme", QStringLiteral("I-Ging-Hexagramme (Nummern)"), zeichen, kSymbols2,
            {
                {0x4DC0, u"1"},  {0x4DC1, u"2"},  {0x4DC2, u"3"},  {0x4DC3, u"4"},  {0x4DC4, u"5"},
                {0x4DC5, u"6"},  {0x4DC6, u"7"},  {0x4DC7, u"8"},  {0x4DC8, u"9"},  {0x4DC9, u"10"},
                {0x4DCA, u"11"}, {0x4DCB, u"12"}, {0x4DCC, u"13"}, {0x4DCD, u"14"}, {0x4DCE, u"15"},
                {0x4DCF, u"16"}, {0x4DD0, u"17"}, {0x4DD1, u"18"}, {0x4DD2, u"19"}, {0x4DD3, u"20"},
                {0x4DD4, u"21"}, {0x4DD5, u"22"}, {0x4DD6, u"23"}, {0x4DD7, u"24"}, {0x4DD8, u"25"},
                {0x4DD9, u"26"}, {0x4DDA, u"27"}, {0x4DDB, u"28"}, {0x4DDC, u"29"}, {0x4DDD, u"30"},
                {0x4DDE, u"31"}, {0x4DDF, u"32"}, {0x4DE0, u"33"}, {0x4DE1, u"34"}, {0x4DE2, u"35"},
                {0x4DE3, u"36"}, {0x4DE4, u"37"}, {0x4DE5, u"38"}, {0x4DE6, u"39"}, {0x4DE7, u"40"},
                {0x4DE8, u"41"}, {0x4DE9, u"42"}, {0x4DEA, u"43"}, {0x4DEB, u"44"}, {0x4DEC, u"45"},
                {0x4DED, u"46"}, {0x4DEE, u"47"}, {0x4DEF, u"48"}, {0x4DF0, u"49"}, {0x4DF1, u"50"},
                {0x4DF2, u"51"}, {0x4DF3, u"52"}, {0x4DF4, u"53"}, {0x4DF5, u"54"}, {0x4DF6, u"55"},
                {0x4DF7, u"56"}, {0x4DF8, u"57"}, {0x4DF9, u"58"}, {0x4DFA, u"59"}, {0x4DFB, u"60"},
                {0x4DFC, u"61"}, {0x4DFD, u"62"}, {0x4DFE, u"63"}, {0x4DFF, u"64"},
            },
            QStringLiteral("der Reihenfolge König Wens (die der Unicode-Namen)")),
    };
}

QList<Table> gameTables()
{
    const QString spiele = QStringLiteral("Spiele und Musik");
    return {
        fontTable("schach", QStringLiteral("Schachfiguren"), spiele, kSymbols2,
                  {{0x2654, u"weißer König"},
                   {0x2655, u"weiße Dame"},
                   {0x2656, u"weißer Turm"},
                   {0x2657, u"weißer Läufer"},
                   {0x2658, u"weißer Springer"},
                   {0x2659, u"weißer Bauer"},
                   {0x265A, u"schwarzer König"},
                   {0x265B, u"schwarze Dame"},
                   {0x265C, u"schwarzer Turm"},
                   {0x265D, u"schwarzer Läufer"},
                   {0x265E, u"schwarzer Springer"},
                   {0x265F, u"schwarzer Bauer"}}),
        fontTable("spielkarten", QStringLiteral("Spielkarten (52 Blatt)"), spiele, kSymbols2,
                  {
                      {0x1F0A1, u"Pik Ass"},     {0x1F0A2, u"Pik 2"},      {0x1F0A3, u"Pik 3"},
                      {0x1F0A4, u"Pik 4"},       {0x1F0A5, u"Pik 5"},      {0x1F0A6, u"Pik 6"},
                      {0x1F0A7, u"Pik 7"},       {0x1F0A8, u"Pik 8"},      {0x1F0A9, u"Pik 9"},
                      {0x1F0AA, u"Pik 10"},      {0x1F0AB, u"Pik Bube"},   {0x1F0AD, u"Pik Dame"},
                      {0x1F0AE, u"Pik König"},   {0x1F0B1, u"Herz Ass"},   {0x1F0B2, u"Herz 2"},
                      {0x1F0B3, u"Herz 3"},      {0x1F0B4, u"Herz 4"},     {0x1F0B5, u"Herz 5"},
                      {0x1F0B6, u"Herz 6"},      {0x1F0B7, u"Herz 7"},     {0x1F0B8, u"Herz 8"},
                      {0x1F0B9, u"Herz 9"},      {0x1F0BA, u"Herz 10"},    {0x1F0BB, u"Herz Bube"},
                      {0x1F0BD, u"Herz Dame"},   {0x1F0BE, u"Herz König"}, {0x1F0C1, u"Karo Ass"},
                      {0x1F0C2, u"Karo 2"},      {0x1F0C3, u"Karo 3"},     {0x1F0C4, u"Karo 4"},
                      {0x1F0C5, u"Karo 5"},      {0x1F0C6, u"Karo 6"},     {0x1F0C7, u"Karo 7"},
                      {0x1F0C8, u"Karo 8"},      {0x1F0C9, u"Karo 9"},     {0x1F0CA, u"Karo 10"},
                      {0x1F0CB, u"Karo Bube"},   {0x1F0CD, u"Karo Dame"},  {0x1F0CE, u"Karo König"},
                      {0x1F0D1, u"Kreuz Ass"},   {0x1F0D2, u"Kreuz 2"},    {0x1F0D3, u"Kreuz 3"},
                      {0x1F0D4, u"Kreuz 4"},     {0x1F0D5, u"Kreuz 5"},    {0x1F0D6, u"Kreuz 6"},
                      {0x1F0D7, u"Kreuz 7"},     {0x1F0D8, u"Kreuz 8"},    {0x1F0D9, u"Kreuz 9"},
                      {0x1F0DA, u"Kreuz 10"},    {0x1F0DB, u"Kreuz Bube"}, {0x1F0DD, u"Kreuz Dame"},
                      {0x1F0DE, u"Kreuz König"},
                  }),
        fontTable("wuerfel", QStringLiteral("Würfelaugen"), spiele, kSymbols2,
                  {
                      {0x2680, u"1"},
                      {0x2681, u"2"},
                      {0x2682, u"3"},
                      {0x2683, u"4"},
                      {0x2684, u"5"},
                      {0x2685, u"6"},
                  }),
        fontTable("noten", QStringLiteral("Notenwerte"), spiele, kMusic,
                  {{0x1D15D, u"ganze Note"},
                   {0x1D15E, u"halbe Note"},
                   {0x1D15F, u"Viertelnote"},
                   {0x1D160, u"Achtelnote"},
                   {0x1D161, u"Sechzehntelnote"},
                   {0x1D162, u"Zweiunddreißigstelnote"},
                   {0x1D163, u"Vierundsechzigstelnote"}}),
        fontTable("pausen", QStringLiteral("Pausenzeichen"), spiele, kMusic,
                  {{0x1D13B, u"ganze Pause"},
                   {0x1D13C, u"halbe Pause"},
                   {0x1D13D, u"Viertelpause"},
                   {0x1D13E, u"Achtelpause"},
                   {0x1D13F, u"Sechzehntelpause"},
                   {0x1D140, u"Zweiunddreißigstelpause"},
                   {0x1D141, u"Vierundsechzigstelpause"}}),
    };
}

} // namespace

QList<Table> signTables()
{
    return brailleTables() + skyTables() + gameTables();
}

} // namespace SymbolTables::Parts
