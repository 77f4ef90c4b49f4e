#include "logic/cacher/CacherCsv.h"
#include "logic/cacher/CacherBook.h"
#include "logic/common/CodePage.h"
#include "logic/common/QuarvelError.h"
#include "support/core/FailingDevice.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

TPerson personOf(const QStringList &fields)
{
    TPerson person;
    for (int f = 0; f < fields.size(); ++f)
        person.setField(TPerson::Field(f), fields[f]);
    return person;
}

QStringList fieldsOf(const TPerson &person)
{
    QStringList fields;
    for (int f = 0; f < TPerson::FieldCount; ++f)
        fields.append(person.field(TPerson::Field(f)));
    return fields;
}

QStringList padded(QStringList fields)
{
    while (fields.size() < TPerson::FieldCount)
        fields.append(QString());
    return fields;
}

} // namespace

TEST(CacherCsv, FreshBookIsTenCommasAndCrLf)
{
    EXPECT_EQ(csvText(CacherBook()), QByteArray(",,,,,,,,,,\r\n"));
}

TEST(CacherCsv, ExportIsWindows1252InBookOrder)
{
    CacherBook book;
    book.replacePersonen({personOf({"Zwerg", "Jörg"}), personOf({"Äsop", "", "", "Straße"})});
    EXPECT_EQ(csvText(book),
              QByteArray("Zwerg,J\xF6rg,,,,,,,,,\r\n\xC4sop,,,Stra\xDF"
                         "e,,,,,,,\r\n"));
}

TEST(CacherCsv, RoundTripGivesTheSameBook)
{
    const QStringList full = {"Häuptling+1",
                              "Anna",
                              "Müller",
                              "Hauptstraße 1",
                              "12345",
                              "Köln",
                              "a@b.de",
                              "0221 / 123-4",
                              "(0171) 5",
                              "https://x/?u=a",
                              "https://anna.example/€"};
    CacherBook book;
    book.replacePersonen({personOf(full), personOf({}), personOf({"nur Name"})});
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(ExportCsv(buffer, book));
    buffer.close();
    buffer.open(QIODevice::ReadOnly);
    const CsvBook back = ImportCsv(buffer);
    ASSERT_EQ(back.personen.size(), 3u);
    EXPECT_EQ(fieldsOf(back.personen[0]), full);
    EXPECT_EQ(back.personen[1], TPerson());
    EXPECT_EQ(back.namen, QStringList({"Häuptling+1", "", "nur Name"}));
}

TEST(CacherCsv, LinesAndFieldsAreSplitAsWritten)
{
    const struct
    {
        const char *what;
        QByteArray data;
        QList<QStringList> records; // the given fields; the rest must be empty
    } cases[] = {
        {"no line", "", {}},
        {"three fields", "a,b,c\r\n", {{"a", "b", "c"}}},
        {"empty line between", "a\r\n\r\nb\r\n", {{"a"}, {}, {"b"}}},
        {"lone LF and lone CR", "a\nb\rc", {{"a"}, {"b"}, {"c"}}},
        {"final break makes no line", "a\n", {{"a"}}},
        {"LF CR is two breaks", "a\n\rb", {{"a"}, {}, {"b"}}},
        {"comma moves the rest right",
         "Name,Vor,Nach,Stra\xDF"
         "e 1, 2,12345",
         {{"Name", "Vor", "Nach", "Straße 1", " 2", "12345"}}},
        {"quotes inside an unquoted field are ordinary", "a\"b,c\"", {{"a\"b", "c\""}}},
        {"more than eleven fields",
         "1,2,3,4,5,6,7,8,9,10,11,12,13",
         {{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const CsvBook book = csvBook(c.data);
        ASSERT_EQ(book.personen.size(), size_t(c.records.size()));
        for (qsizetype i = 0; i < c.records.size(); ++i) {
            EXPECT_EQ(fieldsOf(book.personen[size_t(i)]), padded(c.records[i]));
            EXPECT_EQ(book.namen[i], padded(c.records[i]).first());
        }
    }
}

TEST(CacherCsv, ByteOrderMarksChooseTheEncoding)
{
    const QString line = QStringLiteral("Jürgen,Öttö,€\r\n");
    QByteArray utf16le("\xFF\xFE");
    QByteArray utf16be("\xFE\xFF");
    for (const QChar c : line) {
        utf16le += char(c.unicode() & 0xFF);
        utf16le += char(c.unicode() >> 8);
        utf16be += char(c.unicode() >> 8);
        utf16be += char(c.unicode() & 0xFF);
    }
    const struct
    {
        const char *what;
        QByteArray data;
        QStringList fields;
    } cases[] = {
        {"UTF-8 with mark", "\xEF\xBB\xBF" + line.toUtf8(), {"Jürgen", "Öttö", "€"}},
        {"UTF-16 LE", utf16le, {"Jürgen", "Öttö", "€"}},
        {"UTF-16 BE", utf16be, {"Jürgen", "Öttö", "€"}},
        {"UTF-8 without mark", line.toUtf8(), {"Jürgen", "Öttö", "€"}},
        {"UTF-8 without mark, broken",
         QStringLiteral("Jürgen,Öttö,€").toUtf8() + "\xFF\r\n",
         {"JÃ¼rgen", "Ã–ttÃ¶", "â‚¬ÿ"}},
        {"ANSI", CodePage::toAnsi(line), {"Jürgen", "Öttö", "€"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const CsvBook book = csvBook(c.data);
        ASSERT_EQ(book.personen.size(), 1u);
        EXPECT_EQ(fieldsOf(book.personen[0]), padded(c.fields));
    }
}

TEST(CacherCsv, LongNameStaysWholeInTheNameListOnly)
{
    const QString name(60, u'n');
    const CsvBook book = csvBook(name.toLatin1());
    EXPECT_EQ(book.namen, QStringList({name}));
    EXPECT_EQ(book.personen[0].field(TPerson::Cachername), name.left(50));
}

TEST(CacherCsv, TooManyLinesAreRefused)
{
    EXPECT_NO_THROW(csvBook(QByteArray(CacherBook::MaxPersonen, '\n')));
    EXPECT_THROW(csvBook(QByteArray(CacherBook::MaxPersonen + 1, '\n')), QuarvelError);
}

TEST(CacherCsv, FailingDevicesAreReported)
{
    FailingDevice full(5);
    full.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    EXPECT_FALSE(ExportCsv(full, CacherBook()));

    FailingDevice broken(3, "a,b,c\r\nd,e\r\n");
    broken.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    EXPECT_THROW(ImportCsv(broken), QuarvelError);
}

TEST(CacherCsv, EveryPrintableByteSurvivesExportAndImport)
{
    QByteArray bytes;
    for (int b = 0x20; b <= 0xFF; ++b) {
        if (b != ',')
            bytes += char(b);
    }
    TPerson person;
    person.setFieldBytes(TPerson::Homepage, bytes);
    CacherBook book;
    book.replacePersonen({person});
    const CsvBook back = csvBook(csvText(book));
    ASSERT_EQ(back.personen.size(), 1u);
    EXPECT_EQ(back.personen[0].fieldBytes(TPerson::Homepage), bytes);
}

// RFC 4180: a field in double quotes holds commas, doubled quotes and line breaks.
TEST(CacherCsv, QuotedFieldsAreReadWhole)
{
    const struct
    {
        const char *what;
        QByteArray data;
        QList<QStringList> records;
        qsizetype extraLines;
    } cases[] = {
        {"comma", "Anna,\"Weg 1, Hinterhaus\",x\r\n", {{"Anna", "Weg 1, Hinterhaus", "x"}}, 0},
        {"doubled quote", "\"Der \"\"Zwerg\"\"\"\r\n", {{"Der \"Zwerg\""}}, 0},
        {"only a quote", "\"\"\"\"\n", {{"\""}}, 0},
        {"empty quoted", "\"\",b", {{"", "b"}}, 0},
        {"line breaks inside",
         "\"a\r\nb\",c\r\n\"d\ne\rf\"\r\n",
         {{"a\r\nb", "c"}, {"d\ne\rf"}},
         0},
        {"quoted last field, no break", "a,\"b,c\"", {{"a", "b,c"}}, 0},
        {"text after the closing quote stays", "\"ab\"cd,e", {{"abcd", "e"}}, 0},
        {"never closed runs to the end", "a,\"b,c\r\nd", {{"a", "b,c\r\nd"}}, 0},
        {"quoted commas make no extra fields",
         "\"1,1\",2,3,4,5,6,7,8,9,10,\"11,11\"\r\n",
         {{"1,1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11,11"}},
         0},
        {"twelfth quoted field is dropped",
         "1,2,3,4,5,6,7,8,9,10,11,\"12\r\n12\"\r\nb",
         {{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"}, {"b"}},
         1},
        {"Windows-1252 inside quotes",
         "\"M\xFCller, J\xFCrgen\",K\xF6ln",
         {{"Müller, Jürgen", "Köln"}},
         0},
        {"UTF-8 inside quotes",
         "\"M\xC3\xBCller, J\xC3\xBCrgen\",K\xC3\xB6ln",
         {{"Müller, Jürgen", "Köln"}},
         0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const CsvBook book = csvBook(c.data);
        ASSERT_EQ(book.personen.size(), size_t(c.records.size()));
        for (qsizetype i = 0; i < c.records.size(); ++i) {
            EXPECT_EQ(fieldsOf(book.personen[size_t(i)]), padded(c.records[i]));
            EXPECT_EQ(book.namen[i], padded(c.records[i]).first());
        }
        EXPECT_EQ(book.linesWithExtraFields, c.extraLines);
    }
}

// Only a field with a comma, a quote or a line break is quoted; every other line is written as
// it always was, and what is written reads back as the same record.
TEST(CacherCsv, ExportQuotesOnlyWhereNeededAndReadsBack)
{
    const struct
    {
        const char *what;
        QStringList fields;
        QByteArray line;
    } cases[] = {
        {"plain", {"Anna", "Weg 1"}, "Anna,Weg 1,,,,,,,,,\r\n"},
        {"comma", {"Anna", "Weg 1, Hinterhaus"}, "Anna,\"Weg 1, Hinterhaus\",,,,,,,,,\r\n"},
        {"quote", {"Der \"Zwerg\""}, "\"Der \"\"Zwerg\"\"\",,,,,,,,,,\r\n"},
        {"line break", {"a\r\nb", "c\nd"}, "\"a\r\nb\",\"c\nd\",,,,,,,,,\r\n"},
        {"lone CR", {"a\rb"}, "\"a\rb\",,,,,,,,,,\r\n"},
        {"quote at the start", {"\"a"}, "\"\"\"a\",,,,,,,,,,\r\n"},
        {"umlaut stays Windows-1252", {"J\u00FCrgen"}, "J\xFCrgen,,,,,,,,,,\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        CacherBook book;
        book.replacePersonen({personOf(c.fields)});
        EXPECT_EQ(csvText(book), c.line);
        const CsvBook back = csvBook(csvText(book));
        ASSERT_EQ(back.personen.size(), 1u);
        EXPECT_EQ(fieldsOf(back.personen[0]), padded(c.fields));
    }
}

// Text beyond Windows-1252 (Łukasz, Ğ, an emoji) stays whole in the book beside the record's "?"
// and leaves through a UTF-8 export with a mark; a book without any keeps its Windows-1252 file.
TEST(CacherCsv, TextBeyondWindows1252IsKeptAndExportedAsUtf8)
{
    const QString emoji = QStringLiteral("Ziel \U0001F600");
    const struct
    {
        const char *what;
        QStringList fields;
        QByteArray record; // the Cachername's bytes in the record
        QByteArray start; // of the export
    } cases[] = {
        {"Polish", {"Łukasz", "Jörg"}, "?ukasz", "\xEF\xBB\xBF\xC5\x81ukasz,J\xC3\xB6rg,"},
        {"Turkish", {"Ğül"}, "?\xFCl", "\xEF\xBB\xBF\xC4\x9E\xC3\xBCl,"},
        {"emoji", {emoji}, "Ziel ??", "\xEF\xBB\xBFZiel \xF0\x9F\x98\x80,"},
        {"code page only", {"Jörg €"}, "J\xF6rg \x80", "J\xF6rg \x80,"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        CacherBook book;
        for (int f = 0; f < c.fields.size(); ++f)
            book.setText(0, TPerson::Field(f), c.fields[f]);
        EXPECT_EQ(book.person(0).fieldBytes(TPerson::Cachername), c.record);
        EXPECT_EQ(book.text(0, TPerson::Cachername), c.fields[0]);
        const QByteArray text = csvText(book);
        EXPECT_TRUE(text.startsWith(c.start)) << text.toStdString();

        CsvBook csv = csvBook(text);
        CacherBook back;
        back.replacePersonen(std::move(csv.personen), std::move(csv.wide));
        EXPECT_EQ(back.person(0), book.person(0));
        EXPECT_EQ(back.text(0, TPerson::Cachername), c.fields[0]);
        EXPECT_EQ(csvText(back), text);
    }
}

TEST(CacherCsv, UnicodeTextFollowsItsRecord)
{
    CacherBook book;
    book.setText(0, TPerson::Cachername, QString(60, u'Ł'));
    EXPECT_EQ(book.text(0, TPerson::Cachername), QString(50, u'Ł')); // cut like the record
    EXPECT_EQ(book.wideSummary().fields, 1);

    book.InsertAfterCurrent();
    book.setText(1, TPerson::Wohnort, QStringLiteral("Köln"));
    book.AktuellerIndex = 0;
    book.InsertAfterCurrent(); // a record between them: the text stays with its record
    EXPECT_EQ(book.text(0, TPerson::Cachername), QString(50, u'Ł'));
    EXPECT_EQ(book.text(2, TPerson::Wohnort), QStringLiteral("Köln"));
    ASSERT_TRUE(book.DeleteCurrent());
    EXPECT_EQ(book.text(0, TPerson::Cachername), QString(50, u'Ł'));

    // Text stored by the record alone replaces the Unicode text, as does a whole one.
    book.current().setField(TPerson::Cachername, QStringLiteral("Anna"));
    EXPECT_EQ(book.text(0, TPerson::Cachername), QStringLiteral("Anna"));
    EXPECT_EQ(book.wideSummary().fields, 0);
    EXPECT_FALSE(csvText(book).startsWith("\xEF\xBB\xBF"));
    book.setText(0, TPerson::Vorname, QStringLiteral("Ğ"));
    book.setText(0, TPerson::Vorname, QStringLiteral("G"));
    EXPECT_EQ(book.wideSummary().fields, 0);
}
