// Subcommands of the puzzle solvers: the Fermilab decoder and the Sudoku solver.
#include "cli/CommandTable.h"
#include "logic/common/Numbers.h"
#include "logic/solvers/FermilabCode.h"
#include "logic/solvers/SudokuFile.h"
#include "logic/solvers/SudokuSearch.h"

#include <algorithm>

namespace Cli {
namespace {

Handler fermilabHandler(const Options &)
{
    return [](const QString &input, ResultSink &sink) {
        Result result;
        result.fields = {field(QStringLiteral("ergebnis"), {}, FermilabDecode(input))};
        sink.report(result);
    };
}

// JSON gathers the solutions into one object before it is written; an empty grid has about
// 6.7 * 10^21 of them. The text output streams and may run as long as the user lets it.
constexpr qint64 kMaxJsonSolutions = 10000;

// Hands each solution to the sink as it is found (text) or gathers them (JSON, one object).
class SolutionCollector final : public Sudoku::SudokuHost
{
public:
    SolutionCollector(const Sudoku::CellValues &givens, qint64 max, ResultSink &sink)
        : m_cells(givens)
        , m_max(max)
        , m_sink(sink)
    {
    }

    void place(int row, int col, int digit) override { m_cells[row][col] = digit; }
    void clear(int row, int col) override { m_cells[row][col] = 0; }
    void poll() override { }
    bool cancelRequested() const override { return false; }
    bool askContinue() override
    {
        ++m_count;
        // A solution fills every cell, so the exchange format writes nine lines of digits.
        QString grid = QString::fromLatin1(Sudoku::SudokuText(m_cells));
        grid.chop(1);
        if (m_sink.json()) {
            m_solutions.append(QJsonArray::fromStringList(grid.split(u'\n')));
        } else {
            Result result;
            result.linePerField = true;
            result.fields = {field({}, {}, QStringLiteral("Lösung %1").arg(m_count)),
                             field({}, {}, grid)};
            m_sink.report(result);
        }
        return !m_sink.stopped() && (m_max <= 0 || m_count < m_max);
    }

    void finish(bool complete)
    {
        Result result;
        if (m_sink.json()) {
            result.fields = {Field {QStringLiteral("loesungen"), {}, m_solutions, {}},
                             field(QStringLiteral("anzahl"), {}, m_count),
                             Field {QStringLiteral("vollstaendig"), {}, complete, {}}};
        } else if (m_count == 0) {
            result.fields = {field({}, {}, QStringLiteral("Keine Lösung gefunden !"))};
        } else {
            result.fields = {field({}, QStringLiteral("Anzahl der Lösungen"), m_count)};
        }
        m_sink.report(result);
    }

private:
    Sudoku::CellValues m_cells;
    qint64 m_max;
    ResultSink &m_sink;
    qint64 m_count = 0;
    QJsonArray m_solutions;
};

Handler sudokuHandler(const Options &options)
{
    qint64 max = 0;
    if (options.has(QStringLiteral("max"))) {
        const std::optional<int32_t> value =
            Numbers::tryStrToInt(options.value(QStringLiteral("max")));
        if (!value || *value < 1)
            throw UsageError {QStringLiteral("--max braucht eine ganze Zahl ab 1: „%1“")
                                  .arg(options.value(QStringLiteral("max")))};
        max = *value;
    }
    return [max](const QString &input, ResultSink &sink) {
        // The window's reader and messages: one format, one set of faults.
        const Sudoku::CellValues givens = Sudoku::ReadSudokuText(input.toUtf8());
        Sudoku::CheckGivens(givens);
        Sudoku::SudokuSearch search(givens);
        const qint64 limit =
            sink.json() ? std::min(max > 0 ? max : kMaxJsonSolutions, kMaxJsonSolutions) : max;
        SolutionCollector collector(givens, limit, sink);
        const Sudoku::SearchEnd end = search.run(collector);
        collector.finish(end == Sudoku::SearchEnd::Finished);
    };
}

} // namespace

Command fermilabCommand()
{
    return Command {
        {QStringLiteral("fermilab")},
        QStringLiteral("den ternären Fermilab-Buchstabencode entschlüsseln"),
        QStringLiteral("[CODE ...]"),
        QStringLiteral("Jeder Buchstabe ist seine Stelle im Alphabet als dreistellige Zahl zur\n"
                       "Basis 3 (A = 001, Z = 222), ein Leerzeichen ist 000.\n\n"
                       "Beispiel: quarvel-cli fermilab 022 012 110 110 120\n"
                       "  H E L L O"),
        {},
        InputKind::Line,
        fermilabHandler};
}

Command sudokuCommand()
{
    Command command {
        {QStringLiteral("sudoku")},
        QStringLiteral("alle Lösungen eines Sudokus (Datei oder Standardeingabe)"),
        QStringLiteral("[DATEI | -]"),
        QStringLiteral(
            "Liest ein Gitter im Austauschformat: neun Zeilen mit je neun Zeichen, eine Ziffer\n"
            "1–9 für eine Vorgabe, „.“ oder „0“ für ein leeres Feld (auch eine Zeile mit 81\n"
            "Zeichen; Leerzeichen werden überlesen; höchstens 64 KiB wie im Fenster). Gibt jede\n"
            "Lösung in der Reihenfolge der Suche aus, zuletzt ihre Anzahl; ohne Lösung\n"
            "„Keine Lösung gefunden !“.\n"
            "Zwei gleiche Vorgaben in einer Zeile, Spalte oder einem Block werden gemeldet.\n\n"
            "Beispiel: quarvel-cli sudoku --max 1 raetsel.sud"),
        {{{QStringLiteral("--max")},
          QStringLiteral("max"),
          QStringLiteral("N"),
          QStringLiteral("nach N Lösungen aufhören (mit --json höchstens 10.000)")}},
        InputKind::Document,
        sudokuHandler};
    // The window refuses longer files unread; so does the command, for a file and for stdin.
    command.maxDocumentBytes = Sudoku::kMaxFileBytes;
    return command;
}

} // namespace Cli
