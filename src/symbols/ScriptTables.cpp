// Alphabets of other scripts, rendered from Noto fonts. Where a Unicode name spells the letter's
// sound (LINEAR B SYLLABLE B008 A, CHEROKEE LETTER GA), the meaning is that spelling; where it
// names the letter (GOTHIC LETTER AHSA, PHOENICIAN LETTER ALF), the meaning is the letter's usual
// Latin transliteration; where the letter names are the only spelling a reader can look up
// (Deseret, Shavian, Coptic, Armenian, Georgian, Ugaritic, Old Italic), the meaning is the
// name's last words in lower case.

#include "symbols/TableParts.h"

namespace SymbolTables::Parts {

namespace {

constexpr FontSource kNotoSans {"Noto Sans", "NotoSans-Regular.ttf"};

QList<Table> ancientTables()
{
    const QString alt = QStringLiteral("Alte Schriften");
    return {
        // Gardiner's uniliteral signs: one sign for each consonant of Egyptian, with the
        // transliteration of the Egyptological convention.
        fontTable(
            "hieroglyphen", QStringLiteral("Ägyptische Hieroglyphen (Einkonsonantenzeichen)"), alt,
            {"Noto Sans Egyptian Hieroglyphs", "NotoSansEgyptianHieroglyphs-Regular.ttf"},
            {{0x1313F, u"ꜣ"}, {0x131CB, u"i"}, {0x133ED, u"y"}, {0x1309D, u"ꜥ"}, {0x13171, u"w"},
             {0x130C0, u"b"}, {0x132AA, u"p"}, {0x13191, u"f"}, {0x13153, u"m"}, {0x13216, u"n"},
             {0x1308B, u"r"}, {0x13254, u"h"}, {0x1339B, u"ḥ"}, {0x1340D, u"ḫ"}, {0x13121, u"ẖ"},
             {0x13283, u"z"}, {0x132F4, u"s"}, {0x13219, u"š"}, {0x1320E, u"q"}, {0x133A1, u"k"},
             {0x133BC, u"g"}, {0x133CF, u"t"}, {0x1337F, u"ṯ"}, {0x130A7, u"d"}, {0x13193, u"ḏ"}},
            QStringLiteral("Gardiners Zeichenliste (die Unicode-Namen nennen die "
                           "Gardiner-Nummern G1, M17, …)")),
        fontTable("phoenizisch", QStringLiteral("Phönizisch"), alt,
                  {"Noto Sans Phoenician", "NotoSansPhoenician-Regular.ttf"},
                  {{0x10900, u"ʾ"}, {0x10901, u"b"}, {0x10902, u"g"}, {0x10903, u"d"},
                   {0x10904, u"h"}, {0x10905, u"w"}, {0x10906, u"z"}, {0x10907, u"ḥ"},
                   {0x10908, u"ṭ"}, {0x10909, u"y"}, {0x1090A, u"k"}, {0x1090B, u"l"},
                   {0x1090C, u"m"}, {0x1090D, u"n"}, {0x1090E, u"s"}, {0x1090F, u"ʿ"},
                   {0x10910, u"p"}, {0x10911, u"ṣ"}, {0x10912, u"q"}, {0x10913, u"r"},
                   {0x10914, u"š"}, {0x10915, u"t"}}),
        fontTable("linear-b", QStringLiteral("Linear B (Silben)"), alt,
                  {"Noto Sans Linear B", "NotoSansLinearB-Regular.ttf"},
                  {
                      {0x10000, u"a"},   {0x10001, u"e"},   {0x10002, u"i"},   {0x10003, u"o"},
                      {0x10004, u"u"},   {0x10005, u"da"},  {0x10006, u"de"},  {0x10007, u"di"},
                      {0x10008, u"do"},  {0x10009, u"du"},  {0x1000A, u"ja"},  {0x1000B, u"je"},
                      {0x1000D, u"jo"},  {0x1000E, u"ju"},  {0x1000F, u"ka"},  {0x10010, u"ke"},
                      {0x10011, u"ki"},  {0x10012, u"ko"},  {0x10013, u"ku"},  {0x10014, u"ma"},
                      {0x10015, u"me"},  {0x10016, u"mi"},  {0x10017, u"mo"},  {0x10018, u"mu"},
                      {0x10019, u"na"},  {0x1001A, u"ne"},  {0x1001B, u"ni"},  {0x1001C, u"no"},
                      {0x1001D, u"nu"},  {0x1001E, u"pa"},  {0x1001F, u"pe"},  {0x10020, u"pi"},
                      {0x10021, u"po"},  {0x10022, u"pu"},  {0x10023, u"qa"},  {0x10024, u"qe"},
                      {0x10025, u"qi"},  {0x10026, u"qo"},  {0x10028, u"ra"},  {0x10029, u"re"},
                      {0x1002A, u"ri"},  {0x1002B, u"ro"},  {0x1002C, u"ru"},  {0x1002D, u"sa"},
                      {0x1002E, u"se"},  {0x1002F, u"si"},  {0x10030, u"so"},  {0x10031, u"su"},
                      {0x10032, u"ta"},  {0x10033, u"te"},  {0x10034, u"ti"},  {0x10035, u"to"},
                      {0x10036, u"tu"},  {0x10037, u"wa"},  {0x10038, u"we"},  {0x10039, u"wi"},
                      {0x1003A, u"wo"},  {0x1003C, u"za"},  {0x1003D, u"ze"},  {0x1003F, u"zo"},
                      {0x10040, u"a2"},  {0x10041, u"a3"},  {0x10042, u"au"},  {0x10043, u"dwe"},
                      {0x10044, u"dwo"}, {0x10045, u"nwa"}, {0x10046, u"pu2"}, {0x10047, u"pte"},
                      {0x10048, u"ra2"}, {0x10049, u"ra3"}, {0x1004A, u"ro2"}, {0x1004B, u"ta2"},
                      {0x1004C, u"twe"}, {0x1004D, u"two"},
                  }),
        fontTable(
            "ugaritisch", QStringLiteral("Ugaritisch"), alt,
            {"Noto Sans Ugaritic", "NotoSansUgaritic-Regular.ttf"},
            {
                {0x10380, u"alpa"},   {0x10381, u"beta"},  {0x10382, u"gamla"}, {0x10383, u"kha"},
                {0x10384, u"delta"},  {0x10385, u"ho"},    {0x10386, u"wo"},    {0x10387, u"zeta"},
                {0x10388, u"hota"},   {0x10389, u"tet"},   {0x1038A, u"yod"},   {0x1038B, u"kaf"},
                {0x1038C, u"shin"},   {0x1038D, u"lamda"}, {0x1038E, u"mem"},   {0x1038F, u"dhal"},
                {0x10390, u"nun"},    {0x10391, u"zu"},    {0x10392, u"samka"}, {0x10393, u"ain"},
                {0x10394, u"pu"},     {0x10395, u"sade"},  {0x10396, u"qopa"},  {0x10397, u"rasha"},
                {0x10398, u"thanna"}, {0x10399, u"ghain"}, {0x1039A, u"to"},    {0x1039B, u"i"},
                {0x1039C, u"u"},      {0x1039D, u"ssu"},
            }),
        fontTable("altitalisch", QStringLiteral("Altitalisch (etruskisch)"), alt,
                  {"Noto Sans Old Italic", "NotoSansOldItalic-Regular.ttf"},
                  {
                      {0x10300, u"a"},   {0x10301, u"be"},  {0x10302, u"ke"},  {0x10303, u"de"},
                      {0x10304, u"e"},   {0x10305, u"ve"},  {0x10306, u"ze"},  {0x10307, u"he"},
                      {0x10308, u"the"}, {0x10309, u"i"},   {0x1030A, u"ka"},  {0x1030B, u"el"},
                      {0x1030C, u"em"},  {0x1030D, u"en"},  {0x1030E, u"esh"}, {0x1030F, u"o"},
                      {0x10310, u"pe"},  {0x10311, u"she"}, {0x10312, u"ku"},  {0x10313, u"er"},
                      {0x10314, u"es"},  {0x10315, u"te"},  {0x10316, u"u"},   {0x10317, u"eks"},
                      {0x10318, u"phe"}, {0x10319, u"khe"}, {0x1031A, u"ef"},  {0x1031B, u"ers"},
                      {0x1031C, u"che"}, {0x1031D, u"ii"},  {0x1031E, u"uu"},  {0x1031F, u"ess"},
                  }),
        fontTable(
            "gotisch", QStringLiteral("Gotisch"), alt,
            {"Noto Sans Gothic", "NotoSansGothic-Regular.ttf"},
            {{0x10330, u"a"}, {0x10331, u"b"}, {0x10332, u"g"}, {0x10333, u"d"},  {0x10334, u"e"},
             {0x10335, u"q"}, {0x10336, u"z"}, {0x10337, u"h"}, {0x10338, u"th"}, {0x10339, u"i"},
             {0x1033A, u"k"}, {0x1033B, u"l"}, {0x1033C, u"m"}, {0x1033D, u"n"},  {0x1033E, u"j"},
             {0x1033F, u"u"}, {0x10340, u"p"}, {0x10342, u"r"}, {0x10343, u"s"},  {0x10344, u"t"},
             {0x10345, u"w"}, {0x10346, u"f"}, {0x10347, u"x"}, {0x10348, u"hw"}, {0x10349, u"o"}}),
        fontTable("glagolitisch", QStringLiteral("Glagolitisch"), alt,
                  {"Noto Sans Glagolitic", "NotoSansGlagolitic-Regular.ttf"},
                  {{0x2C00, u"a"},  {0x2C01, u"b"}, {0x2C02, u"v"}, {0x2C03, u"g"},
                   {0x2C04, u"d"},  {0x2C05, u"e"}, {0x2C06, u"ž"}, {0x2C07, u"dz"},
                   {0x2C08, u"z"},  {0x2C09, u"i"}, {0x2C0C, u"đ"}, {0x2C0D, u"k"},
                   {0x2C0E, u"l"},  {0x2C0F, u"m"}, {0x2C10, u"n"}, {0x2C11, u"o"},
                   {0x2C12, u"p"},  {0x2C13, u"r"}, {0x2C14, u"s"}, {0x2C15, u"t"},
                   {0x2C16, u"u"},  {0x2C17, u"f"}, {0x2C18, u"h"}, {0x2C19, u"ô"},
                   {0x2C1B, u"št"}, {0x2C1C, u"c"}, {0x2C1D, u"č"}, {0x2C1E, u"š"},
                   {0x2C1F, u"ъ"},  {0x2C20, u"ь"}, {0x2C21, u"ě"}, {0x2C23, u"ju"},
                   {0x2C24, u"ę"},  {0x2C28, u"ǫ"}, {0x2C2A, u"θ"}, {0x2C2B, u"ü"}}),
        fontTable("altungarisch", QStringLiteral("Altungarische Kerbschrift"), alt,
                  {"Noto Sans Old Hungarian", "NotoSansOldHungarian-Regular.ttf"},
                  {{0x10C80, u"a"},  {0x10C81, u"á"},  {0x10C82, u"b"},  {0x10C84, u"c"},
                   {0x10C86, u"cs"}, {0x10C87, u"d"},  {0x10C89, u"e"},  {0x10C8B, u"é"},
                   {0x10C8C, u"f"},  {0x10C8D, u"g"},  {0x10C8E, u"gy"}, {0x10C8F, u"h"},
                   {0x10C90, u"i"},  {0x10C91, u"í"},  {0x10C92, u"j"},  {0x10C93, u"k"},
                   {0x10C96, u"l"},  {0x10C97, u"ly"}, {0x10C98, u"m"},  {0x10C99, u"n"},
                   {0x10C9A, u"ny"}, {0x10C9B, u"o"},  {0x10C9C, u"ó"},  {0x10C9D, u"ö"},
                   {0x10C9F, u"ő"},  {0x10CA0, u"p"},  {0x10CA2, u"r"},  {0x10CA4, u"s"},
                   {0x10CA5, u"sz"}, {0x10CA6, u"t"},  {0x10CA8, u"ty"}, {0x10CA9, u"ch"},
                   {0x10CAA, u"u"},  {0x10CAB, u"ú"},  {0x10CAC, u"ü"},  {0x10CAE, u"v"},
                   {0x10CAF, u"z"},  {0x10CB0, u"zs"}}),
        fontTable(
            "koptisch", QStringLiteral("Koptisch"), alt,
            {"Noto Sans Coptic", "NotoSansCoptic-Regular.ttf"},
            {
                {0x2C80, u"alfa"},   {0x2C82, u"vida"},  {0x2C84, u"gamma"}, {0x2C86, u"dalda"},
                {0x2C88, u"eie"},    {0x2C8A, u"sou"},   {0x2C8C, u"zata"},  {0x2C8E, u"hate"},
                {0x2C90, u"thethe"}, {0x2C92, u"iauda"}, {0x2C94, u"kapa"},  {0x2C96, u"laula"},
                {0x2C98, u"mi"},     {0x2C9A, u"ni"},    {0x2C9C, u"ksi"},   {0x2C9E, u"o"},
                {0x2CA0, u"pi"},     {0x2CA2, u"ro"},    {0x2CA4, u"sima"},  {0x2CA6, u"tau"},
                {0x2CA8, u"ua"},     {0x2CAA, u"fi"},    {0x2CAC, u"khi"},   {0x2CAE, u"psi"},
                {0x2CB0, u"oou"},
            }),
    };
}

QList<Table> livingTables()
{
    const QString schriften = QStringLiteral("Schriften");
    return {
        // The standard alphabet of the Royal Institute of Amazigh Culture (IRCAM).
        fontTable("tifinagh", QStringLiteral("Tifinagh"), schriften,
                  {"Noto Sans Tifinagh", "NotoSansTifinagh-Regular.ttf"},
                  {{0x2D30, u"a"}, {0x2D31, u"b"}, {0x2D33, u"g"}, {0x2D37, u"d"}, {0x2D39, u"ḍ"},
                   {0x2D3B, u"e"}, {0x2D3C, u"f"}, {0x2D3D, u"k"}, {0x2D40, u"h"}, {0x2D43, u"ḥ"},
                   {0x2D44, u"ɛ"}, {0x2D45, u"x"}, {0x2D47, u"q"}, {0x2D49, u"i"}, {0x2D4A, u"j"},
                   {0x2D4D, u"l"}, {0x2D4E, u"m"}, {0x2D4F, u"n"}, {0x2D53, u"u"}, {0x2D54, u"r"},
                   {0x2D55, u"ṛ"}, {0x2D56, u"ɣ"}, {0x2D59, u"s"}, {0x2D5A, u"ṣ"}, {0x2D5B, u"c"},
                   {0x2D5C, u"t"}, {0x2D5F, u"ṭ"}, {0x2D61, u"w"}, {0x2D62, u"y"}, {0x2D63, u"z"},
                   {0x2D65, u"ẓ"}}),
        fontTable("cherokee", QStringLiteral("Cherokee (Silbenschrift)"), schriften,
                  {"Noto Sans Cherokee", "NotoSansCherokee-Regular.ttf"},
                  {
                      {0x13A0, u"a"},   {0x13A1, u"e"},   {0x13A2, u"i"},   {0x13A3, u"o"},
                      {0x13A4, u"u"},   {0x13A5, u"v"},   {0x13A6, u"ga"},  {0x13A7, u"ka"},
                      {0x13A8, u"ge"},  {0x13A9, u"gi"},  {0x13AA, u"go"},  {0x13AB, u"gu"},
                      {0x13AC, u"gv"},  {0x13AD, u"ha"},  {0x13AE, u"he"},  {0x13AF, u"hi"},
                      {0x13B0, u"ho"},  {0x13B1, u"hu"},  {0x13B2, u"hv"},  {0x13B3, u"la"},
                      {0x13B4, u"le"},  {0x13B5, u"li"},  {0x13B6, u"lo"},  {0x13B7, u"lu"},
                      {0x13B8, u"lv"},  {0x13B9, u"ma"},  {0x13BA, u"me"},  {0x13BB, u"mi"},
                      {0x13BC, u"mo"},  {0x13BD, u"mu"},  {0x13BE, u"na"},  {0x13BF, u"hna"},
                      {0x13C0, u"nah"}, {0x13C1, u"ne"},  {0x13C2, u"ni"},  {0x13C3, u"no"},
                      {0x13C4, u"nu"},  {0x13C5, u"nv"},  {0x13C6, u"qua"}, {0x13C7, u"que"},
                      {0x13C8, u"qui"}, {0x13C9, u"quo"}, {0x13CA, u"quu"}, {0x13CB, u"quv"},
                      {0x13CC, u"sa"},  {0x13CD, u"s"},   {0x13CE, u"se"},  {0x13CF, u"si"},
                      {0x13D0, u"so"},  {0x13D1, u"su"},  {0x13D2, u"sv"},  {0x13D3, u"da"},
                      {0x13D4, u"ta"},  {0x13D5, u"de"},  {0x13D6, u"te"},  {0x13D7, u"di"},
                      {0x13D8, u"ti"},  {0x13D9, u"do"},  {0x13DA, u"du"},  {0x13DB, u"dv"},
                      {0x13DC, u"dla"}, {0x13DD, u"tla"}, {0x13DE, u"tle"}, {0x13DF, u"tli"},
                      {0x13E0, u"tlo"}, {0x13E1, u"tlu"}, {0x13E2, u"tlv"}, {0x13E3, u"tsa"},
                      {0x13E4, u"tse"}, {0x13E5, u"tsi"}, {0x13E6, u"tso"}, {0x13E7, u"tsu"},
                      {0x13E8, u"tsv"}, {0x13E9, u"wa"},  {0x13EA, u"we"},  {0x13EB, u"wi"},
                      {0x13EC, u"wo"},  {0x13ED, u"wu"},  {0x13EE, u"wv"},  {0x13EF, u"ya"},
                      {0x13F0, u"ye"},  {0x13F1, u"yi"},  {0x13F2, u"yo"},  {0x13F3, u"yu"},
                      {0x13F4, u"yv"},  {0x13F5, u"mv"},
                  }),
        fontTable("deseret", QStringLiteral("Deseret"), schriften,
                  {"Noto Sans Deseret", "NotoSansDeseret-Regular.ttf"},
                  {
                      {0x10400, u"long i"},   {0x10401, u"long e"},  {0x10402, u"long a"},
                      {0x10403, u"long ah"},  {0x10404, u"long o"},  {0x10405, u"long oo"},
                      {0x10406, u"short i"},  {0x10407, u"short e"}, {0x10408, u"short a"},
                      {0x10409, u"short ah"}, {0x1040A, u"short o"}, {0x1040B, u"short oo"},
                      {0x1040C, u"ay"},       {0x1040D, u"ow"},      {0x1040E, u"wu"},
                      {0x1040F, u"yee"},      {0x10410, u"h"},       {0x10411, u"pee"},
                      {0x10412, u"bee"},      {0x10413, u"tee"},     {0x10414, u"dee"},
                      {0x10415, u"chee"},     {0x10416, u"jee"},     {0x10417, u"kay"},
                      {0x10418, u"gay"},      {0x10419, u"ef"},      {0x1041A, u"vee"},
                      {0x1041B, u"eth"},      {0x1041C, u"thee"},    {0x1041D, u"es"},
                      {0x1041E, u"zee"},      {0x1041F, u"esh"},     {0x10420, u"zhee"},
                      {0x10421, u"er"},       {0x10422, u"el"},      {0x10423, u"em"},
                      {0x10424, u"en"},       {0x10425, u"eng"},     {0x10426, u"oi"},
                      {0x10427, u"ew"},
                  }),
        fontTable("shaw", QStringLiteral("Shaw-Alphabet (Shavian)"), schriften,
                  {"Noto Sans Shavian", "NotoSansShavian-Regular.ttf"},
                  {
                      {0x10450, u"peep"}, {0x10451, u"tot"},     {0x10452, u"kick"},
                      {0x10453, u"fee"},  {0x10454, u"thigh"},   {0x10455, u"so"},
                      {0x10456, u"sure"}, {0x10457, u"church"},  {0x10458, u"yea"},
                      {0x10459, u"hung"}, {0x1045A, u"bib"},     {0x1045B, u"dead"},
                      {0x1045C, u"gag"},  {0x1045D, u"vow"},     {0x1045E, u"they"},
                      {0x1045F, u"zoo"},  {0x10460, u"measure"}, {0x10461, u"judge"},
                      {0x10462, u"woe"},  {0x10463, u"ha-ha"},   {0x10464, u"loll"},
                      {0x10465, u"mime"}, {0x10466, u"if"},      {0x10467, u"egg"},
                      {0x10468, u"ash"},  {0x10469, u"ado"},     {0x1046A, u"on"},
                      {0x1046B, u"wool"}, {0x1046C, u"out"},     {0x1046D, u"ah"},
                      {0x1046E, u"roar"}, {0x1046F, u"nun"},     {0x10470, u"eat"},
                      {0x10471, u"age"},  {0x10472, u"ice"},     {0x10473, u"up"},
                      {0x10474, u"oak"},  {0x10475, u"ooze"},    {0x10476, u"oil"},
                      {0x10477, u"awe"},  {0x10478, u"are"},     {0x10479, u"or"},
                      {0x1047A, u"air"},  {0x1047B, u"err"},     {0x1047C, u"array"},
                      {0x1047D, u"ear"},  {0x1047E, u"ian"},     {0x1047F, u"yew"},
                  }),
        fontTable("armenisch", QStringLiteral("Armenisch"), schriften,
                  {"Noto Sans Armenian", "NotoSansArmenian-Regular.ttf"},
                  {
                      {0x531, u"ayb"}, {0x532, u"ben"},  {0x533, u"gim"},  {0x534, u"da"},
                      {0x535, u"ech"}, {0x536, u"za"},   {0x537, u"eh"},   {0x538, u"et"},
                      {0x539, u"to"},  {0x53A, u"zhe"},  {0x53B, u"ini"},  {0x53C, u"liwn"},
                      {0x53D, u"xeh"}, {0x53E, u"ca"},   {0x53F, u"ken"},  {0x540, u"ho"},
                      {0x541, u"ja"},  {0x542, u"ghad"}, {0x543, u"cheh"}, {0x544, u"men"},
                      {0x545, u"yi"},  {0x546, u"now"},  {0x547, u"sha"},  {0x548, u"vo"},
                      {0x549, u"cha"}, {0x54A, u"peh"},  {0x54B, u"jheh"}, {0x54C, u"ra"},
                      {0x54D, u"seh"}, {0x54E, u"vew"},  {0x54F, u"tiwn"}, {0x550, u"reh"},
                      {0x551, u"co"},  {0x552, u"yiwn"}, {0x553, u"piwr"}, {0x554, u"keh"},
                      {0x555, u"oh"},  {0x556, u"feh"},
                  }),
        fontTable("georgisch", QStringLiteral("Georgisch (Mchedruli)"), schriften,
                  {"Noto Sans Georgian", "NotoSansGeorgian-Regular.ttf"},
                  {
                      {0x10D0, u"an"},   {0x10D1, u"ban"},  {0x10D2, u"gan"},  {0x10D3, u"don"},
                      {0x10D4, u"en"},   {0x10D5, u"vin"},  {0x10D6, u"zen"},  {0x10D7, u"tan"},
                      {0x10D8, u"in"},   {0x10D9, u"kan"},  {0x10DA, u"las"},  {0x10DB, u"man"},
                      {0x10DC, u"nar"},  {0x10DD, u"on"},   {0x10DE, u"par"},  {0x10DF, u"zhar"},
                      {0x10E0, u"rae"},  {0x10E1, u"san"},  {0x10E2, u"tar"},  {0x10E3, u"un"},
                      {0x10E4, u"phar"}, {0x10E5, u"khar"}, {0x10E6, u"ghan"}, {0x10E7, u"qar"},
                      {0x10E8, u"shin"}, {0x10E9, u"chin"}, {0x10EA, u"can"},  {0x10EB, u"jil"},
                      {0x10EC, u"cil"},  {0x10ED, u"char"}, {0x10EE, u"xan"},  {0x10EF, u"jhan"},
                      {0x10F0, u"hae"},
                  }),
    };
}

// Greek, Cyrillic and Hebrew with their usual scientific transliteration.
QList<Table> alphabetTables()
{
    const QString schriften = QStringLiteral("Schriften");
    return {
        fontTable("griechisch", QStringLiteral("Griechisch (Großbuchstaben)"), schriften, kNotoSans,
                  {{0x391, u"a"},  {0x392, u"b"},  {0x393, u"g"},  {0x394, u"d"}, {0x395, u"e"},
                   {0x396, u"z"},  {0x397, u"ē"},  {0x398, u"th"}, {0x399, u"i"}, {0x39A, u"k"},
                   {0x39B, u"l"},  {0x39C, u"m"},  {0x39D, u"n"},  {0x39E, u"x"}, {0x39F, u"o"},
                   {0x3A0, u"p"},  {0x3A1, u"r"},  {0x3A3, u"s"},  {0x3A4, u"t"}, {0x3A5, u"y"},
                   {0x3A6, u"ph"}, {0x3A7, u"ch"}, {0x3A8, u"ps"}, {0x3A9, u"ō"}}),
        fontTable("griechisch-klein", QStringLiteral("Griechisch (Kleinbuchstaben)"), schriften,
                  kNotoSans,
                  {{0x3B1, u"a"},  {0x3B2, u"b"},  {0x3B3, u"g"},  {0x3B4, u"d"}, {0x3B5, u"e"},
                   {0x3B6, u"z"},  {0x3B7, u"ē"},  {0x3B8, u"th"}, {0x3B9, u"i"}, {0x3BA, u"k"},
                   {0x3BB, u"l"},  {0x3BC, u"m"},  {0x3BD, u"n"},  {0x3BE, u"x"}, {0x3BF, u"o"},
                   {0x3C0, u"p"},  {0x3C1, u"r"},  {0x3C3, u"s"},  {0x3C4, u"t"}, {0x3C5, u"y"},
                   {0x3C6, u"ph"}, {0x3C7, u"ch"}, {0x3C8, u"ps"}, {0x3C9, u"ō"}}),
        fontTable("kyrillisch", QStringLiteral("Kyrillisch (Russisch)"), schriften, kNotoSans,
                  {{0x410, u"a"}, {0x411, u"b"},  {0x412, u"v"},  {0x413, u"g"}, {0x414, u"d"},
                   {0x415, u"e"}, {0x401, u"ë"},  {0x416, u"ž"},  {0x417, u"z"}, {0x418, u"i"},
                   {0x419, u"j"}, {0x41A, u"k"},  {0x41B, u"l"},  {0x41C, u"m"}, {0x41D, u"n"},
                   {0x41E, u"o"}, {0x41F, u"p"},  {0x420, u"r"},  {0x421, u"s"}, {0x422, u"t"},
                   {0x423, u"u"}, {0x424, u"f"},  {0x425, u"ch"}, {0x426, u"c"}, {0x427, u"č"},
                   {0x428, u"š"}, {0x429, u"šč"}, {0x42A, u"ʺ"},  {0x42B, u"y"}, {0x42C, u"ʹ"},
                   {0x42D, u"ė"}, {0x42E, u"ju"}, {0x42F, u"ja"}},
                  QStringLiteral("den Unicode-Zeichennamen, umschrieben nach der "
                                 "wissenschaftlichen Transliteration")),
        fontTable("hebraeisch", QStringLiteral("Hebräisch"), schriften,
                  {"Noto Sans Hebrew", "NotoSansHebrew-Regular.ttf"},
                  {{0x5D0, u"ʾ"}, {0x5D1, u"b"}, {0x5D2, u"g"}, {0x5D3, u"d"}, {0x5D4, u"h"},
                   {0x5D5, u"w"}, {0x5D6, u"z"}, {0x5D7, u"ḥ"}, {0x5D8, u"ṭ"}, {0x5D9, u"y"},
                   {0x5DB, u"k"}, {0x5DC, u"l"}, {0x5DE, u"m"}, {0x5E0, u"n"}, {0x5E1, u"s"},
                   {0x5E2, u"ʿ"}, {0x5E4, u"p"}, {0x5E6, u"ṣ"}, {0x5E7, u"q"}, {0x5E8, u"r"},
                   {0x5E9, u"š"}, {0x5EA, u"t"}}),
        // The letters as numbers (1–9, 10–90, 100–400), as Hebrew writes numerals.
        fontTable("hebraeisch-zahlwerte", QStringLiteral("Hebräische Zahlbuchstaben"),
                  QStringLiteral("Zahlen"), {"Noto Sans Hebrew", "NotoSansHebrew-Regular.ttf"},
                  {{0x5D0, u"1"},   {0x5D1, u"2"},  {0x5D2, u"3"},   {0x5D3, u"4"},
                   {0x5D4, u"5"},   {0x5D5, u"6"},  {0x5D6, u"7"},   {0x5D7, u"8"},
                   {0x5D8, u"9"},   {0x5D9, u"10"}, {0x5DB, u"20"},  {0x5DC, u"30"},
                   {0x5DE, u"40"},  {0x5E0, u"50"}, {0x5E1, u"60"},  {0x5E2, u"70"},
                   {0x5E4, u"80"},  {0x5E6, u"90"}, {0x5E7, u"100"}, {0x5E8, u"200"},
                   {0x5E9, u"300"}, {0x5EA, u"400"}},
                  QStringLiteral("den Zahlwerten der hebräischen Buchstaben")),
    };
}

} // namespace

QList<Table> scriptTables()
{
    return ancientTables() + livingTables() + alphabetTables();
}

} // namespace SymbolTables::Parts
