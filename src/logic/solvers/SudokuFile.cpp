#include "logic/solvers/SudokuFile.h"

#include "logic/common/FileOpenError.h"
#include "logic/common/QuarvelError.h"
#include "logic/common/SafeWrite.h"

#include <QFile>

#include <QStringList>

namespace Sudoku {

namespace {

constexpr int kCells = kSize * kSize;

// One line of the file as read: its number and text.
struct SourceLine
{
    int number = 0;
    QString text;
};

bool isBlank(QChar c)
{
    // A lone carriage return (old Mac line ends) reads the grid as one line of 81 cells.
    return c == u' ' || c == u'\t' || c == u'\r';
}

// The lines of the text, without line ends and without the empty lines at its end.
QList<SourceLine> splitLines(const QByteArray &bytes)
{
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QStringList parts = text.split(u'\n');
    QList<SourceLine> lines;
    for (int i = 0; i < parts.size(); ++i)
        lines.append({i + 1, parts.at(i)});
    while (!lines.isEmpty() && lines.constLast().text.trimmed().isEmpty())
        lines.removeLast();
    return lines;
}

QString lineAt(int line, int character)
{
    return QStringLiteral("Zeile %1, Zeichen %2").arg(line).arg(character);
}

// Reads the cells of one line into `values` from cell `first` on; `count` cells are expected.
void readLine(const SourceLine &line, int first, int count, CellValues &values)
{
    int read = 0;
    for (int i = 0; i < line.text.size(); ++i) {
        const QChar c = line.text.at(i);
        if (isBlank(c))
            continue;
        if (read == count) {
            throw QuarvelError(QStringLiteral("%1: Die Zeile hat mehr als %2 Felder.")
                                   .arg(lineAt(line.number, i + 1))
                                   .arg(count));
        }
        const int cell = first + read;
        int value = 0;
        if (c >= u'1' && c <= u'9')
            value = c.unicode() - u'0';
        else if (c != u'.' && c != u'0') {
            throw QuarvelError(QStringLiteral("%1 (Sudoku-Zeile %2, Spalte %3): „%4“ ist weder "
                                              "eine Ziffer 1–9 noch ein leeres Feld („.“ oder "
                                              "„0“).")
                                   .arg(lineAt(line.number, i + 1))
                                   .arg(cell / kSize + 1)
                                   .arg(cell % kSize + 1)
                                   .arg(QString(c)));
        }
        values[cell / kSize][cell % kSize] = value;
        ++read;
    }
    if (read < count) {
        throw QuarvelError(QStringLiteral("Zeile %1, Zeichen %2: Die Zeile endet nach %3 von %4 "
                                          "Feldern.")
                               .arg(line.number)
                               .arg(line.text.size() + 1)
                               .arg(read)
                               .arg(count));
    }
}

QString blockName(int box)
{
    static const char16_t *const names[kSize] = {u"oben links",  u"oben Mitte",  u"oben rechts",
                                                 u"Mitte links", u"Mitte",       u"Mitte rechts",
                                                 u"unten links", u"unten Mitte", u"unten rechts"};
    return QStringLiteral("Block %1").arg(QString::fromUtf16(names[box]));
}

// The cells of a row (kind 0), a column (1) or a block (2), numbered 0..8.
std::pair<int, int> cellOf(int kind, int unit, int k)
{
    if (kind == 0)
        return {unit, k};
    if (kind == 1)
        return {k, unit};
    return {(unit / 3) * 3 + k / 3, (unit % 3) * 3 + k % 3};
}

QString unitName(int kind, int unit)
{
    if (kind == 0)
        return QStringLiteral("Zeile %1").arg(unit + 1);
    if (kind == 1)
        return QStringLiteral("Spalte %1").arg(unit + 1);
    return blockName(unit);
}

} // namespace

CellValues ReadSudokuText(const QByteArray &bytes)
{
    const QList<SourceLine> lines = splitLines(bytes);
    if (lines.isEmpty())
        throw QuarvelError(QStringLiteral("Die Datei ist leer: Sie enthält kein Sudoku."));
    CellValues values {};
    if (lines.size() == 1) {
        readLine(lines.first(), 0, kCells, values);
        return values;
    }
    for (int row = 0; row < lines.size(); ++row) {
        if (row == kSize) {
            throw QuarvelError(
                QStringLiteral("Zeile %1: Ein Sudoku hat nur neun Zeilen.").arg(lines[row].number));
        }
        readLine(lines[row], row * kSize, kSize, values);
    }
    if (lines.size() < kSize) {
        throw QuarvelError(
            QStringLiteral("Zeile %1: Die Datei endet nach %1 von neun Zeilen.").arg(lines.size()));
    }
    return values;
}

QByteArray SudokuText(const CellValues &values)
{
    QByteArray text;
    text.reserve(kSize * (kSize + 1));
    for (const auto &row : values) {
        for (const int value : row)
            text.append(value >= 1 && value <= 9 ? char('0' + value) : '.');
        text.append('\n');
    }
    return text;
}

CellValues ReadSudokuFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw QuarvelError(cannotOpenFileText(path, file.errorString()));
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (bytes.size() > kMaxFileBytes) {
        throw QuarvelError(QStringLiteral("Die Datei „%1“ ist zu groß für ein Sudoku.").arg(path));
    }
    try {
        return ReadSudokuText(bytes);
    } catch (const QuarvelError &error) {
        throw QuarvelError(QStringLiteral("Die Datei „%1“ enthält kein lesbares Sudoku.\n%2")
                               .arg(path, error.message()));
    }
}

void WriteSudokuFile(const QString &path, const CellValues &values)
{
    const QByteArray text = SudokuText(values);
    const QString failure = writeFileSafely(
        path, [&text](QIODevice &device) { return device.write(text) == text.size(); });
    if (!failure.isEmpty())
        throw QuarvelError(failure);
}

void CheckGivens(const CellValues &values)
{
    for (int kind = 0; kind < 3; ++kind) {
        for (int unit = 0; unit < kSize; ++unit) {
            DigitSet seen = 0;
            for (int k = 0; k < kSize; ++k) {
                const auto [row, col] = cellOf(kind, unit, k);
                const int value = values[row][col];
                if (value < 1 || value > 9)
                    continue;
                const DigitSet bit = DigitSet(1u << value);
                if (seen & bit) {
                    throw QuarvelError(QStringLiteral("Die Vorgaben widersprechen sich: %1 "
                                                      "enthält zweimal die %2.")
                                           .arg(unitName(kind, unit))
                                           .arg(value));
                }
                seen |= bit;
            }
        }
    }
}

} // namespace Sudoku
