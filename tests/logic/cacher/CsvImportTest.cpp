#include "logic/cacher/CacherCsv.h"
#include "logic/cacher/CsvDecoding.h"
#include "logic/common/QuarvelError.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <thread>

#include <unistd.h>

TEST(CsvImport, NotesNameExtraFieldsAndUndecodableCharacters)
{
    const struct
    {
        const char *what;
        QByteArray data;
        qsizetype extraLines;
        QList<qsizetype> listed;
        QString notes;
    } cases[] = {
        {"clean file", "a,b\r\nc\r\n", 0, {}, {}},
        {"exactly eleven fields", "1,2,3,4,5,6,7,8,9,10,11\r\n", 0, {}, {}},
        {"one line with twelve fields",
         "a\r\n1,2,3,4,5,6,7,8,9,10,11,12\r\n",
         1,
         {2},
         "1 Zeile hatte mehr als elf Felder (Zeile 2). Übernommen wurden die ersten elf; bitte "
         "diesen Datensatz prüfen."},
        {"quoted spreadsheet lines: only the one with twelve fields",
         "\"Mustermann, Max\",a,b,c,d,e,f,g,h,i,j\r\nx\r\n\"Berg, Eva\",1,2,3,4,5,6,7,8,9,10,11\r\n"
         "a,\"b\nc\",3,4,5,6,7,8,9,10,11,12\r\n",
         2,
         {3, 4},
         "2 Zeilen hatten mehr als elf Felder (Zeilen 3, 4). Übernommen wurden jeweils die "
         "ersten elf; bitte diese Datensätze prüfen."},
        {"more lines than listed",
         QByteArray(",,,,,,,,,,,\n").repeated(7),
         7,
         {1, 2, 3, 4, 5},
         "7 Zeilen hatten mehr als elf Felder (Zeilen 1, 2, 3, 4, 5 und weitere). Übernommen "
         "wurden jeweils die ersten elf; bitte diese Datensätze prüfen."},
        {"one undecodable character",
         "\xEF\xBB\xBF"
         "a\xFF",
         0,
         {},
         "1 Zeichen konnte nicht gelesen werden und wurde als „?“ übernommen."},
        {"both",
         "\xEF\xBB\xBF"
         "a\xFF\xFE,,,,,,,,,,,",
         1,
         {1},
         "1 Zeile hatte mehr als elf Felder (Zeile 1). Übernommen wurden die ersten elf; bitte "
         "diesen Datensatz prüfen.\n\n2 Zeichen konnten nicht gelesen werden und wurden als „?“ "
         "übernommen."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const CsvBook book = csvBook(c.data);
        EXPECT_EQ(book.linesWithExtraFields, c.extraLines);
        EXPECT_EQ(book.firstLinesWithExtraFields, c.listed);
        EXPECT_EQ(csvImportNotes(book), c.notes);
    }
}

TEST(CsvImport, ExtraFieldsAreDroppedAndTheLineStillImported)
{
    const CsvBook book = csvBook("Berg, Eva,Eva,Berg,Weg 1,12345,Ort,e@x,1,2,P,H,zu viel\r\n");
    ASSERT_EQ(book.personen.size(), 1u);
    EXPECT_EQ(book.namen, QStringList({"Berg"}));
    EXPECT_EQ(book.personen[0].field(TPerson::Vorname), QStringLiteral(" Eva"));
    EXPECT_EQ(book.personen[0].field(TPerson::Homepage), QStringLiteral("P"));
}

namespace {

// A file of a given size whose bytes cannot be read: enough to see whether the size alone
// refuses it.
class UnreadableFile : public QIODevice
{
public:
    UnreadableFile(qint64 size, QByteArray start)
        : m_size(size)
        , m_start(std::move(start))
    {
    }
    qint64 size() const override { return m_size; }
    qint64 delivered = 0;

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        // The start (where a mark would be) can be peeked at; every byte after it fails.
        const qint64 n = std::min<qint64>(maxSize, m_start.size() - delivered);
        if (n <= 0)
            return -1;
        memcpy(data, m_start.constData() + delivered, size_t(n));
        delivered += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    qint64 m_size;
    QByteArray m_start;
};

} // namespace

// A file larger than 65535 lines of 1800 characters could ever be is refused before a byte of
// it is read.
TEST(CsvImport, SizeLimitIsCheckedBeforeReading)
{
    const struct
    {
        const char *what;
        QByteArray start;
        qint64 extra; // bytes relative to the limit
        bool refused;
    } cases[] = {
        {"plain, one byte above", "ab", 1, true},
        {"plain, at the limit", "ab", 0, false},
        {"plain, one byte below", "ab", -1, false},
        {"UTF-8 mark, one byte above", "\xEF\xBB\xBF", 1, true},
        {"UTF-16, one byte above", "\xFF\xFE", 1, true},
        {"UTF-16, at the limit", "\xFF\xFE", 0, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        UnreadableFile file(maxCsvFileSize(c.start) + c.extra, c.start);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        try {
            ImportCsv(file);
            ADD_FAILURE() << "an unreadable file was read";
        } catch (const QuarvelError &error) {
            const bool tooLarge = error.message().startsWith(QStringLiteral("Die Datei ist mit "));
            EXPECT_EQ(tooLarge, c.refused) << error.message().toStdString();
            if (tooLarge) {
                EXPECT_TRUE(error.message().contains(QStringLiteral("65.535 Datensätze")));
            }
        }
        if (c.refused) {
            EXPECT_EQ(file.pos(), 0);
        }
    }
}

// A real file of that size: sparse, so it costs no disk space.
TEST(CsvImport, OversizedFileOnDiskIsRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gross.csv"));
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    ASSERT_TRUE(out.resize(maxCsvFileSize("") + 1));
    out.close();
    QFile in(path);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_THROW(ImportCsv(in), QuarvelError);
    EXPECT_EQ(in.pos(), 0);
}

// A pipe tells no size: it is refused once more than a book can hold has come through it.
TEST(CsvImport, APipeLargerThanTheLimitIsRefused)
{
    // A reader that gives up early must not end the test with SIGPIPE.
    const auto previous = std::signal(SIGPIPE, SIG_IGN);
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const qint64 total = maxCsvFileSize("") + 1;
    std::thread writer([fd = fds[1], total] {
        const QByteArray block(1 << 16, 'x');
        for (qint64 sent = 0; sent < total;) {
            const ssize_t n = ::write(fd, block.constData(),
                                      size_t(std::min<qint64>(block.size(), total - sent)));
            if (n <= 0)
                break; // the reader gave up
            sent += n;
        }
        ::close(fd);
    });
    QFile pipe;
    ASSERT_TRUE(pipe.open(fds[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
    ASSERT_TRUE(pipe.isSequential());
    try {
        ImportCsv(pipe);
        ADD_FAILURE() << "the pipe was read whole";
    } catch (const QuarvelError &error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("Die Datei ist mit ")))
            << error.message().toStdString();
    }
    pipe.close(); // lets the writer finish
    writer.join();
    std::signal(SIGPIPE, previous);
}
