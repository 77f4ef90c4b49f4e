// Codes drawn from their tables: Morse as dots and dashes, Braille as raised dots in the cell,
// the bar codes Code 39 and POSTNET, and the colour rings of resistors.

#include "symbols/SymbolRules.h"
#include "symbols/TableParts.h"

namespace SymbolTables {

namespace {

using Rules::CodeSign;

const QColor kInk(20, 20, 30);

QList<CodeSign> signList(std::initializer_list<std::pair<const char16_t *, const char *>> pairs)
{
    QList<CodeSign> list;
    for (const auto &[zeichen, code] : pairs)
        list.append({QString::fromUtf16(zeichen), QString::fromLatin1(code)});
    return list;
}

QStringList meaningsOf(const QList<CodeSign> &signs)
{
    QStringList meanings;
    for (const CodeSign &sign : signs)
        meanings.append(sign.zeichen);
    return meanings;
}

// Dots and dashes in a row, centred; a dash is three dots long, the gaps one dot.
void drawMorse(QPainter &painter, const QRectF &box, const QString &code)
{
    qreal units = -1;
    for (const QChar c : code)
        units += (c == u'-' ? 3 : 1) + 1;
    const qreal unit = std::min(box.width() / std::max<qreal>(units, 7), box.height() * 0.3);
    qreal x = box.center().x() - units * unit / 2;
    const qreal y = box.center().y();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    for (const QChar c : code) {
        if (c == u'-') {
            painter.drawRoundedRect(QRectF(x, y - unit / 2, 3 * unit, unit), unit / 4, unit / 4);
            x += 4 * unit;
        } else {
            painter.drawEllipse(QRectF(x, y - unit / 2, unit, unit));
            x += 2 * unit;
        }
    }
}

// The six places of a Braille cell: raised dots in ink, the others as faint rings.
void drawBraille(QPainter &painter, const QRectF &box, const QString &dots)
{
    const qreal pitch = std::min(box.width() / 2.2, box.height() / 3.3);
    const QPointF first(box.center().x() - pitch / 2, box.center().y() - pitch);
    for (int n = 1; n <= 6; ++n) {
        const bool raised = dots.contains(QChar(u'0' + n));
        const QPointF centre = first + QPointF(n > 3 ? pitch : 0, ((n - 1) % 3) * pitch);
        painter.setPen(raised ? Qt::NoPen : QPen(QColor(200, 200, 210), pitch * 0.06));
        painter.setBrush(raised ? QBrush(kInk) : QBrush(Qt::NoBrush));
        const qreal r = pitch * (raised ? 0.3 : 0.12);
        painter.drawEllipse(centre, r, r);
    }
}

// Code 39: five bars and four spaces, wide ones three times as wide as narrow ones.
void drawCode39(QPainter &painter, const QRectF &box, const QString &pattern)
{
    qreal units = 0;
    for (const QChar c : pattern)
        units += c == u'w' ? 3 : 1;
    const qreal unit = box.width() / units;
    qreal x = box.left();
    for (int k = 0; k < pattern.size(); ++k) {
        const qreal w = (pattern.at(k) == u'w' ? 3 : 1) * unit;
        if (k % 2 == 0)
            painter.fillRect(QRectF(x, box.top(), w, box.height()), kInk);
        x += w;
    }
}

// POSTNET: five bars, each full or half height, standing on a common line.
void drawPostnet(QPainter &painter, const QRectF &box, const QString &bars)
{
    const qreal pitch = box.width() / 5;
    for (int k = 0; k < 5; ++k) {
        const qreal height = bars.at(k) == u'1' ? box.height() : box.height() * 0.45;
        painter.fillRect(QRectF(box.left() + k * pitch + pitch * 0.3, box.bottom() - height,
                                pitch * 0.4, height),
                         kInk);
    }
}

// Resistor colour code: the digit's colour as a ring on a resistor's body.
const QColor kRingColours[10] = {QColor(0, 0, 0),      QColor(120, 66, 18),  QColor(210, 20, 20),
                                 QColor(255, 140, 0),  QColor(255, 220, 0),  QColor(20, 150, 40),
                                 QColor(20, 60, 200),  QColor(140, 40, 180), QColor(128, 128, 128),
                                 QColor(255, 255, 255)};

void drawResistor(QPainter &painter, const QRectF &box, int digit)
{
    const qreal h = box.height() * 0.5;
    const QRectF body(box.left() + box.width() * 0.15, box.center().y() - h / 2, box.width() * 0.7,
                      h);
    painter.setPen(QPen(kInk, box.height() * 0.03));
    painter.drawLine(QPointF(box.left(), box.center().y()), QPointF(box.right(), box.center().y()));
    painter.setBrush(QColor(225, 205, 160));
    painter.drawRoundedRect(body, h * 0.3, h * 0.3);
    painter.setBrush(kRingColours[digit]);
    painter.drawRect(QRectF(body.center().x() - body.width() * 0.14, body.top(),
                            body.width() * 0.28, body.height()));
}

} // namespace

namespace Rules {

// International Morse code (ITU-R M.1677) with the German letters and the usual signs.
const QList<CodeSign> &morse()
{
    static const QList<CodeSign> list = signList({
        {u"A", ".-"},     {u"B", "-..."},   {u"C", "-.-."},   {u"D", "-.."},    {u"E", "."},
        {u"F", "..-."},   {u"G", "--."},    {u"H", "...."},   {u"I", ".."},     {u"J", ".---"},
        {u"K", "-.-"},    {u"L", ".-.."},   {u"M", "--"},     {u"N", "-."},     {u"O", "---"},
        {u"P", ".--."},   {u"Q", "--.-"},   {u"R", ".-."},    {u"S", "..."},    {u"T", "-"},
        {u"U", "..-"},    {u"V", "...-"},   {u"W", ".--"},    {u"X", "-..-"},   {u"Y", "-.--"},
        {u"Z", "--.."},   {u"1", ".----"},  {u"2", "..---"},  {u"3", "...--"},  {u"4", "....-"},
        {u"5", "....."},  {u"6", "-...."},  {u"7", "--..."},  {u"8", "---.."},  {u"9", "----."},
        {u"0", "-----"},  {u"Ä", ".-.-"},   {u"Ö", "---."},   {u"Ü", "..--"},   {u"ß", "...--.."},
        {u"CH", "----"},  {u".", ".-.-.-"}, {u",", "--..--"}, {u"?", "..--.."}, {u"!", "-.-.--"},
        {u":", "---..."}, {u";", "-.-.-."}, {u"-", "-....-"}, {u"/", "-..-."},  {u"=", "-...-"},
        {u"+", ".-.-."},  {u"(", "-.--."},  {u")", "-.--.-"}, {u"'", ".----."}, {u"\"", ".-..-."},
        {u"&", ".-..."},  {u"@", ".--.-."},
    });
    return list;
}

// German Braille (Basisschrift): letters, umlauts, ß and the letter groups of the full script.
const QList<CodeSign> &brailleGerman()
{
    static const QList<CodeSign> list = signList({
        {u"a", "1"},     {u"b", "12"},    {u"c", "14"},     {u"d", "145"},  {u"e", "15"},
        {u"f", "124"},   {u"g", "1245"},  {u"h", "125"},    {u"i", "24"},   {u"j", "245"},
        {u"k", "13"},    {u"l", "123"},   {u"m", "134"},    {u"n", "1345"}, {u"o", "135"},
        {u"p", "1234"},  {u"q", "12345"}, {u"r", "1235"},   {u"s", "234"},  {u"t", "2345"},
        {u"u", "136"},   {u"v", "1236"},  {u"w", "2456"},   {u"x", "1346"}, {u"y", "13456"},
        {u"z", "1356"},  {u"ä", "345"},   {u"ö", "246"},    {u"ü", "1256"}, {u"ß", "2346"},
        {u"au", "16"},   {u"eu", "126"},  {u"ei", "146"},   {u"äu", "34"},  {u"ie", "346"},
        {u"ch", "1456"}, {u"sch", "156"}, {u"st", "23456"},
    });
    return list;
}

// Code 39: ten patterns of the bars (two of five wide) in the order 1–9, 0, combined with the
// place of the one wide space: second for the digits, third for A–J, fourth for K–T, first for
// U–Z, "-", ".", blank and the start/stop sign "*"; "$", "/", "+" and "%" have narrow bars and
// three wide spaces.
const QList<CodeSign> &code39()
{
    static const QList<CodeSign> list = [] {
        const char *bars[10] = {"10001", "01001", "11000", "00101", "10100",
                                "01100", "00011", "10010", "01010", "00110"};
        const auto pattern = [](const char *bar, const char *space) {
            QString elements;
            for (int k = 0; k < 5; ++k) {
                elements += bar[k] == '1' ? u'w' : u'n';
                if (k < 4)
                    elements += space[k] == '1' ? u'w' : u'n';
            }
            return elements;
        };
        const struct
        {
            const char16_t *letters;
            const char *space;
        } groups[] = {{u"1234567890", "0100"},
                      {u"ABCDEFGHIJ", "0010"},
                      {u"KLMNOPQRST", "0001"},
                      {u"UVWXYZ-. *", "1000"}};
        QList<CodeSign> signs;
        for (const auto &group : groups) {
            const QString letters = QString::fromUtf16(group.letters);
            for (int k = 0; k < 10; ++k)
                signs.append({letters.mid(k, 1), pattern(bars[k], group.space)});
        }
        for (const auto &[sign, space] : {std::pair {u"$", "1110"}, std::pair {u"/", "1101"},
                                          std::pair {u"+", "1011"}, std::pair {u"%", "0111"}})
            signs.append({QString::fromUtf16(sign), pattern("00000", space)});
        return signs;
    }();
    return list;
}

// POSTNET: the digits by the weights 7, 4, 2, 1, 0 of their two full bars (0 is 7 + 4).
const QList<CodeSign> &postnet()
{
    static const QList<CodeSign> list = signList({{u"0", "11000"},
                                                  {u"1", "00011"},
                                                  {u"2", "00101"},
                                                  {u"3", "00110"},
                                                  {u"4", "01001"},
                                                  {u"5", "01010"},
                                                  {u"6", "01100"},
                                                  {u"7", "10001"},
                                                  {u"8", "10010"},
                                                  {u"9", "10100"}});
    return list;
}

} // namespace Rules

namespace Parts {

QList<Table> codeTables()
{
    const QList<CodeSign> morse = Rules::morse();
    const QList<CodeSign> braille = Rules::brailleGerman();
    QList<CodeSign> code39;
    for (const CodeSign &sign : Rules::code39())
        code39.append(sign.zeichen == QStringLiteral(" ")
                          ? CodeSign {QStringLiteral("Leerzeichen"), sign.code}
                          : sign);
    const QList<CodeSign> postnet = Rules::postnet();
    const QString codes = QStringLiteral("Codes");
    return {
        drawnTable(
            "morse", QStringLiteral("Morsezeichen"), codes,
            QStringLiteral("gezeichnet aus dem internationalen Morsecode (ITU-R M.1677) "
                           "mit den deutschen Umlauten"),
            meaningsOf(morse),
            [morse](QPainter &painter, const QRectF &box, int index) {
                drawMorse(painter, box, morse.at(index).code);
            },
            1.6),
        drawnTable(
            "braille-punkte", QStringLiteral("Brailleschrift (Punktbild, deutsch)"),
            QStringLiteral("Blindenschrift"),
            QStringLiteral("gezeichnet aus den Punkten der deutschen Basisschrift "
                           "(Punkte 1–3 links, 4–6 rechts, von oben)"),
            meaningsOf(braille),
            [braille](QPainter &painter, const QRectF &box, int index) {
                drawBraille(painter, box, braille.at(index).code);
            },
            0.7),
        drawnTable(
            "code39", QStringLiteral("Strichcode Code 39"), codes,
            QStringLiteral("gezeichnet aus den Strichmustern von Code 39 (fünf Striche, "
                           "vier Lücken, drei davon breit)"),
            meaningsOf(code39),
            [code39](QPainter &painter, const QRectF &box, int index) {
                drawCode39(painter, box, code39.at(index).code);
            },
            0.7),
        drawnTable(
            "postnet", QStringLiteral("POSTNET-Strichcode"), codes,
            QStringLiteral("gezeichnet aus den Gewichten 7-4-2-1-0 der zwei langen "
                           "Striche jeder Ziffer"),
            meaningsOf(postnet),
            [postnet](QPainter &painter, const QRectF &box, int index) {
                drawPostnet(painter, box, postnet.at(index).code);
            },
            0.8),
        drawnTable("widerstand", QStringLiteral("Farbcode der Widerstände"), codes,
                   QStringLiteral("gezeichnet aus dem Farbcode nach IEC 60062 (schwarz 0 bis "
                                  "weiß 9)"),
                   {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                    QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"),
                    QStringLiteral("6"), QStringLiteral("7"), QStringLiteral("8"),
                    QStringLiteral("9")},
                   drawResistor, 1.6),
    };
}

} // namespace Parts

} // namespace SymbolTables
