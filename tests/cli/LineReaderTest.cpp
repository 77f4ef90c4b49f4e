// Splitting stdin into lines: line ends, the line limit at, below and above it, and the runner's
// message for a line that is too long.
#include "cli/LineReader.h"
#include "cli/CliInProcess.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

struct Read
{
    QList<QByteArray> lines;
    bool tooLong = false;
    qint64 tooLongLine = 0;
};

Read readAll(QByteArray input, qsizetype maxLine)
{
    QBuffer device(&input);
    device.open(QIODevice::ReadOnly);
    Cli::LineReader reader(device, {}, maxLine);
    Read read;
    QByteArrayView line;
    for (;;) {
        const Cli::LineReader::Status status = reader.next(line);
        if (status == Cli::LineReader::Status::End)
            break;
        if (status == Cli::LineReader::Status::TooLong) {
            read.tooLong = true;
            read.tooLongLine = reader.lineNumber();
            break;
        }
        read.lines.append(line.toByteArray());
    }
    return read;
}

} // namespace

TEST(CliLineReader, SplitsAtLineEndsAndStopsAtTheLimit)
{
    const qsizetype limit = 100 * 1024; // more than one read block
    const QByteArray at(limit, 'a');
    const struct
    {
        const char *name;
        QByteArray input;
        QList<QByteArray> lines;
        qint64 tooLongLine; // 0: none
    } cases[] = {
        {"empty", {}, {}, 0},
        {"line ends of both kinds", "a\r\nb\n\nc", {"a", "b", "", "c"}, 0},
        {"a final line end adds no line", "a\n", {"a"}, 0},
        {"below the limit", "x\n" + at.left(limit - 1) + "\ny", {"x", at.left(limit - 1), "y"}, 0},
        {"at the limit", "x\n" + at + "\ny", {"x", at, "y"}, 0},
        {"at the limit with CR LF", "x\n" + at + "\r\ny", {"x", at, "y"}, 0},
        {"at the limit, last line", "x\n" + at, {"x", at}, 0},
        {"above the limit", "x\n" + at + "a\ny", {"x"}, 2},
        {"above the limit, last line", "x\n" + at + "a", {"x"}, 2},
        {"no line end far beyond the limit", QByteArray(10 * limit, '\0'), {}, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const Read read = readAll(c.input, limit);
        EXPECT_EQ(read.lines, c.lines);
        EXPECT_EQ(read.tooLong, c.tooLongLine > 0);
        EXPECT_EQ(read.tooLongLine, c.tooLongLine);
    }
}

TEST(CliLineReader, TheRunnerNamesTheLineThatIsTooLongAndKeepsTheOutputAligned)
{
    const QByteArray input = "abc\nxyz\n" + QByteArray(Cli::kMaxLineBytes + 1, 'a') + "\nnie\n";
    const CliInProcess o = runInProcess({"rot"}, input);
    EXPECT_EQ(o.code, 1);
    EXPECT_EQ(o.out, "nop\nklm\n\n");
    EXPECT_EQ(o.err,
              "quarvel-cli: Zeile 3: Die Zeile ist länger als 16.777.216 Byte und wird "
              "nicht gelesen; die Eingabe endet hier.\n");
}
