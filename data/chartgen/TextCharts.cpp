// The two charts that are tables of text: letter values and Roman numerals.

#include "ChartCanvas.h"

#include "logic/tools/CryptoTools_WortWert.h"

#include <QStringList>

namespace {

// A table with a shaded header and alternate shaded rows.
struct Table
{
    QRect box;
    QList<int> columnWidths;
    int rowHeight;
};

void drawRow(QPainter &p, const Table &t, int row, const QStringList &cells, bool header)
{
    const int y = t.box.top() + row * t.rowHeight;
    const QRect line(t.box.left(), y, t.box.width(), t.rowHeight);
    if (header)
        p.fillRect(line, QColor(120, 20, 100));
    else if (row % 2 == 0)
        p.fillRect(line, Chart::kShade);
    int x = t.box.left();
    for (int c = 0; c < cells.size() && c < t.columnWidths.size(); ++c) {
        const QRect cell(x, y, t.columnWidths[c], t.rowHeight);
        const bool first = c == 0;
        Chart::drawCentred(p, cell, cells[c],
                           Chart::font(header ? 12 : (first ? 15 : 14), header || first),
                           header ? QColor(Qt::white) : Chart::kInk);
        x += t.columnWidths[c];
    }
}

void frame(QPainter &p, const Table &t, int rows)
{
    p.save();
    p.setPen(QPen(Chart::kGrid, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(t.box.left(), t.box.top(), t.box.width() - 1, rows * t.rowHeight - 1));
    p.restore();
}

} // namespace

QImage drawLetterValues()
{
    QImage image = Chart::blank(Chart::kMaxHeight);
    QPainter p(&image);
    Chart::begin(p);
    const int top =
        Chart::drawTitle(p, QStringLiteral("Buchstabenwerte"),
                         QStringLiteral("A=1 … Z=26, Ä=27, Ö=28, Ü=29, ß=30; invers A=26 … Z=1."));
    // The values come from the word value tool, so the chart says what the tool counts.
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÜß");
    constexpr int kRows = 15;
    const int blockWidth = (Chart::kWidth - 2 * Chart::kMargin - 16) / 2;
    for (int block = 0; block < 2; ++block) {
        const Table t {QRect(Chart::kMargin + block * (blockWidth + 16), top, blockWidth, 0),
                       {blockWidth / 3, blockWidth / 3, blockWidth - 2 * (blockWidth / 3)},
                       22};
        drawRow(p, t, 0,
                {QStringLiteral("Buchstabe"), QStringLiteral("Wert"), QStringLiteral("Invers")},
                true);
        for (int r = 0; r < kRows; ++r) {
            const QChar letter = letters.at(block * kRows + r);
            const auto value = [letter](bool inverse) {
                return QString::number(CryptoTools::letterValue(letter, inverse, false));
            };
            drawRow(p, t, r + 1, {letter, value(false), value(true)}, false);
        }
        frame(p, t, kRows + 1);
    }
    p.setFont(Chart::font(11));
    p.setPen(Chart::kMuted);
    p.drawText(QRect(Chart::kMargin, top + 16 * 22 + 6, Chart::kWidth - 2 * Chart::kMargin, 20),
               Qt::AlignLeft,
               QStringLiteral("Klein wie groß; Ziffern zählen nur mit „Zahlen mitaddieren“."));
    return image;
}

namespace {

constexpr int kTextWidth = Chart::kWidth - 2 * Chart::kMargin;

// The seven symbols side by side; returns the next free y.
int romanSymbols(QPainter &p, int y)
{
    const QStringList symbols {"I", "V", "X", "L", "C", "D", "M"};
    const QStringList values {"1", "5", "10", "50", "100", "500", "1000"};
    const int cw = kTextWidth / 7;
    for (int i = 0; i < 7; ++i) {
        const QRect cell(Chart::kMargin + i * cw, y, cw - 4, 58);
        p.fillRect(cell, Chart::kShade);
        Chart::drawCentred(p, cell.adjusted(0, 2, 0, -24), symbols[i], Chart::serifFont(26, true),
                           Chart::kTitle);
        Chart::drawCentred(p, cell.adjusted(0, 34, 0, 0), values[i], Chart::font(14, true));
    }
    return y + 70;
}

// The six subtractive pairs.
int romanPairs(QPainter &p, int y)
{
    p.setFont(Chart::font(13, true));
    p.drawText(Chart::kMargin, y + 12,
               QStringLiteral("Abzug: ein kleineres Zeichen vor einem größeren"));
    y += 20;
    const QStringList pairs {"IV = 4", "IX = 9", "XL = 40", "XC = 90", "CD = 400", "CM = 900"};
    const int pw = kTextWidth / 6;
    for (int i = 0; i < 6; ++i) {
        const QRect cell(Chart::kMargin + i * pw, y, pw - 4, 28);
        p.fillRect(cell, QColor(248, 236, 246));
        Chart::drawCentred(p, cell, pairs[i], Chart::font(13, true));
    }
    return y + 40;
}

int romanRules(QPainter &p, int y)
{
    p.setFont(Chart::font(12));
    p.setPen(Chart::kInk);
    const QStringList rules {
        QStringLiteral("• Nur I vor V und X, X vor L und C, C vor D und M wird abgezogen."),
        QStringLiteral("• I, X, C und M stehen höchstens dreimal hintereinander (III = 3)."),
        QStringLiteral("• V, L und D stehen nie doppelt: 10 ist X, nicht VV."),
        QStringLiteral("• Größte Zahl in dieser Schreibweise: 3999 = MMMCMXCIX."),
    };
    for (const QString &rule : rules) {
        p.drawText(QRect(Chart::kMargin, y, kTextWidth, 18), Qt::AlignLeft | Qt::AlignVCenter,
                   rule);
        y += 19;
    }
    return y + 8;
}

void romanExamples(QPainter &p, int y)
{
    const Table t {QRect(Chart::kMargin, y, kTextWidth, 0), {110, kTextWidth - 110}, 18};
    drawRow(p, t, 0, {QStringLiteral("Zahl"), QStringLiteral("Römisch")}, true);
    const QList<QStringList> examples {
        {"14", "XIV"},       {"49", "XLIX"},         {"99", "XCIX"},     {"444", "CDXLIV"},
        {"1666", "MDCLXVI"}, {"1987", "MCMLXXXVII"}, {"2024", "MMXXIV"}, {"3999", "MMMCMXCIX"},
    };
    for (int i = 0; i < examples.size(); ++i)
        drawRow(p, t, i + 1, examples[i], false);
    frame(p, t, int(examples.size()) + 1);
}

} // namespace

QImage drawRoman()
{
    QImage image = Chart::blank(Chart::kMaxHeight);
    QPainter p(&image);
    Chart::begin(p);
    int y = Chart::drawTitle(p, QStringLiteral("Römische Zahlen"),
                             QStringLiteral("Die Zeichen werden von links nach rechts addiert, "
                                            "die größten zuerst."));
    y = romanSymbols(p, y);
    y = romanPairs(p, y);
    y = romanRules(p, y);
    romanExamples(p, y);
    return image;
}
