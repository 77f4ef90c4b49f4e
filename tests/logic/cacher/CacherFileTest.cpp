#include "logic/cacher/CacherFile.h"
#include "logic/cacher/CacherBook.h"
#include "support/core/FailingDevice.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

CacherBook bookOf(std::initializer_list<const char *> cacherNames)
{
    std::vector<TPerson> personen;
    for (const char *name : cacherNames) {
        TPerson person;
        person.setField(TPerson::Cachername, QString::fromUtf8(name));
        person.setField(TPerson::Wohnort, QStringLiteral("Ort ") + QString::fromUtf8(name));
        personen.push_back(person);
    }
    CacherBook book;
    book.replacePersonen(std::move(personen));
    return book;
}

QStringList names(const CacherBook &book)
{
    QStringList result;
    for (const TPerson &person : book.Personen())
        result.append(person.field(TPerson::Cachername));
    return result;
}

QByteArray written(const CacherBook &book)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_EQ(WriteCacherFile(buffer, book), CacherFileResult::Ok);
    return buffer.data();
}

CacherFileResult readInto(const QByteArray &bytes, CacherBook &book)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadCacherFile(buffer, book);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

} // namespace

TEST(CacherFile, StoresCountLittleEndianAndTheLastRecordFirst)
{
    const QByteArray bytes = written(bookOf({"A", "B", "C"}));
    ASSERT_EQ(bytes.size(), 2660);
    EXPECT_EQ(bytes.left(2), QByteArray("\x03\x00", 2));
    EXPECT_EQ(bytes.mid(2, 2), QByteArray("\x01\x43"));
    EXPECT_EQ(bytes.mid(2 + 886, 2), QByteArray("\x01\x42"));
    EXPECT_EQ(bytes.mid(2 + 2 * 886, 2), QByteArray("\x01\x41"));

    CacherBook book;
    ASSERT_EQ(readInto(bytes, book), CacherFileResult::Ok);
    EXPECT_EQ(names(book), QStringList({"A", "B", "C"}));
    EXPECT_EQ(book.person(2).field(TPerson::Wohnort), QStringLiteral("Ort C"));
    EXPECT_EQ(book.AktuellerIndex, 0);
}

TEST(CacherFile, CountAbove255UsesBothBytes)
{
    CacherBook big;
    big.replacePersonen(std::vector<TPerson>(300));
    const QByteArray bytes = written(big);
    EXPECT_EQ(bytes.left(2), QByteArray("\x2C\x01"));
    CacherBook back;
    ASSERT_EQ(readInto(bytes, back), CacherFileResult::Ok);
    EXPECT_EQ(back.PersonenAnzahl(), 300);
}

TEST(CacherFile, ShortOrOddFilesAreReadSafely)
{
    const QByteArray two = written(bookOf({"A", "B"}));
    const struct
    {
        const char *what;
        QByteArray bytes;
        CacherFileResult result;
        QStringList names; // the book afterwards
    } cases[] = {
        {"empty file", {}, CacherFileResult::ReadError, {"X", "Y"}},
        {"one byte", QByteArray(1, '\x02'), CacherFileResult::ReadError, {"X", "Y"}},
        {"record cut short", two.left(2 + 886 + 100), CacherFileResult::ReadError, {"X", "Y"}},
        {"count without records",
         QByteArray("\x05\x00", 2),
         CacherFileResult::ReadError,
         {"X", "Y"}},
        {"count zero", QByteArray("\x00\x00", 2), CacherFileResult::Ok, {""}},
        {"trailing bytes", two + QByteArray(500, 'z'), CacherFileResult::Ok, {"A", "B"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        CacherBook book = bookOf({"X", "Y"});
        EXPECT_EQ(readInto(c.bytes, book), c.result);
        EXPECT_EQ(names(book), c.names);
    }
}

// Deleted records' personal data must not stay readable after the records the book holds.
TEST(CacherFile, SaveOverALongerFileLeavesNothingAfterTheNewRecords)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Cacher.dat"));
    writeFile(path, written(bookOf({"1", "2", "3", "4", "5"})));

    ASSERT_EQ(WriteCacherFile(path, bookOf({"A", "B", "C"})), CacherFileResult::Ok);
    EXPECT_EQ(fileBytes(path), written(bookOf({"A", "B", "C"})));
    CacherBook book;
    ASSERT_EQ(ReadCacherFile(path, book), CacherFileResult::Ok);
    EXPECT_EQ(names(book), QStringList({"A", "B", "C"}));
}

TEST(CacherFile, MissingFilesAreNotCreated)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fehlt.dat"));
    CacherBook book = bookOf({"A"});
    EXPECT_EQ(WriteCacherFile(path, book), CacherFileResult::OpenFailed);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(ReadCacherFile(path, book), CacherFileResult::OpenFailed);
    EXPECT_EQ(names(book), QStringList({"A"}));
}

TEST(CacherFile, WriteThatFailsPartWayIsReported)
{
    for (const qint64 limit : {0, 1, 2, 500, 2 + 886, 2659}) {
        SCOPED_TRACE(limit);
        FailingDevice device(limit);
        device.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        EXPECT_EQ(WriteCacherFile(device, bookOf({"A", "B", "C"})), CacherFileResult::WriteError);
    }
}

TEST(CacherFile, ReadThatFailsPartWayKeepsTheBook)
{
    const QByteArray bytes = written(bookOf({"A", "B", "C"}));
    const struct
    {
        bool sequential;
        qint64 limit;
        CacherFileResult result;
        QStringList names;
    } cases[] = {
        {false, 1000, CacherFileResult::ReadError, {"X"}},
        {true, 1000, CacherFileResult::ReadError, {"X"}},
        {true, 100000, CacherFileResult::Ok, {"A", "B", "C"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.sequential);
        FailingDevice device(c.limit, bytes);
        device.setSequential(c.sequential);
        device.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        CacherBook book = bookOf({"X"});
        EXPECT_EQ(ReadCacherFile(device, book), c.result);
        EXPECT_EQ(names(book), c.names);
    }
}
