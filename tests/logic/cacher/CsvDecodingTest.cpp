#include "logic/cacher/CsvDecoding.h"
#include "logic/cacher/CacherCsv.h"
#include "logic/common/CodePage.h"

#include <gtest/gtest.h>

namespace {

QByteArray utf16(const QString &text, bool littleEndian)
{
    QByteArray bytes;
    for (const QChar c : text) {
        const char low = char(c.unicode() & 0xFF);
        const char high = char(c.unicode() >> 8);
        bytes += littleEndian ? low : high;
        bytes += littleEndian ? high : low;
    }
    return bytes;
}

} // namespace

TEST(CsvDecoding, EncodingFollowsTheMarkOrTheBytes)
{
    const struct
    {
        const char *what;
        QByteArray data;
        CsvEncoding encoding;
        qsizetype markSize;
    } cases[] = {
        {"empty", "", CsvEncoding::Ansi, 0},
        {"ASCII only", "Anna,Bert\r\n", CsvEncoding::Ansi, 0},
        {"UTF-8 umlaut", "K\xC3\xB6ln", CsvEncoding::Utf8, 0},
        {"UTF-8 euro and emoji", "\xE2\x82\xAC \xF0\x9F\x98\x80", CsvEncoding::Utf8, 0},
        {"Windows-1252 umlaut", "K\xF6ln", CsvEncoding::Ansi, 0},
        {"Windows-1252 \xE4 next to ASCII",
         "\xE4"
         "a",
         CsvEncoding::Ansi, 0},
        {"Windows-1252 sharp s and euro",
         "Stra\xDF"
         "e \x80",
         CsvEncoding::Ansi, 0},
        {"UTF-8 with one broken byte", "K\xC3\xB6ln \xFF", CsvEncoding::Ansi, 0},
        {"UTF-8 cut at the end", "K\xC3\xB6ln \xE2\x82", CsvEncoding::Ansi, 0},
        {"overlong form", "\xC0\xAF", CsvEncoding::Ansi, 0},
        {"overlong three bytes", "\xE0\x80\xAF", CsvEncoding::Ansi, 0},
        {"surrogate in UTF-8", "\xED\xA0\x80", CsvEncoding::Ansi, 0},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", CsvEncoding::Ansi, 0},
        {"largest code point", "\xF4\x8F\xBF\xBF", CsvEncoding::Utf8, 0},
        {"UTF-8 mark",
         "\xEF\xBB\xBF"
         "a",
         CsvEncoding::Utf8, 3},
        {"UTF-16 LE mark", "\xFF\xFE" + utf16(QStringLiteral("a"), true), CsvEncoding::Utf16LE, 2},
        {"UTF-16 BE mark", "\xFE\xFF" + utf16(QStringLiteral("a"), false), CsvEncoding::Utf16BE, 2},
        {"UTF-8 mark, then Windows-1252", "\xEF\xBB\xBF\xF6", CsvEncoding::Utf8, 3},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const CsvEncodingChoice choice = chooseCsvEncoding(c.data);
        EXPECT_EQ(choice.encoding, c.encoding);
        EXPECT_EQ(choice.markSize, c.markSize);
    }
}

TEST(CsvDecoding, TextAndUndecodableCharacters)
{
    const QString kolner = QStringLiteral("Kölner Geocacher,Jörg €");
    const struct
    {
        const char *what;
        QByteArray data;
        QString text;
        qsizetype undecodable;
    } cases[] = {
        {"UTF-8 without mark", kolner.toUtf8(), kolner, 0},
        {"Windows-1252", "K\xF6lner Geocacher,J\xF6rg \x80", kolner, 0},
        {"UTF-8 emoji is a surrogate pair", "\xF0\x9F\x98\x80", QStringLiteral("😀"), 0},
        {"invalid bytes after a UTF-8 mark",
         "\xEF\xBB\xBF"
         "a\xFF"
         "b\xE2\x82"
         "c\xC3",
         QStringLiteral("a\uFFFDb\uFFFDc\uFFFD"), 3},
        {"continuation bytes alone", "\xEF\xBB\xBF\x80\x80", QStringLiteral("\uFFFD\uFFFD"), 2},
        {"UTF-16 LE", "\xFF\xFE" + utf16(kolner, true), kolner, 0},
        {"UTF-16 BE", "\xFE\xFF" + utf16(kolner, false), kolner, 0},
        {"UTF-16 of odd length", "\xFF\xFE" + utf16(QStringLiteral("ab"), true) + "c",
         QStringLiteral("ab\uFFFD"), 1},
        {"UTF-16 lone surrogates",
         "\xFE\xFF" + utf16(QString(QChar(0xD800)) + u'a' + QChar(0xDC00), false),
         QStringLiteral("\uFFFDa\uFFFD"), 2},
        {"UTF-16 pair", "\xFF\xFE" + utf16(QStringLiteral("😀"), true), QStringLiteral("😀"), 0},
        {"two UTF-8 marks",
         "\xEF\xBB\xBF\xEF\xBB\xBF"
         "a",
         QStringLiteral("\uFEFFa"), 0},
        {"two UTF-16 LE marks", "\xFF\xFE" + utf16(QStringLiteral("\uFEFFa"), true),
         QStringLiteral("\uFEFFa"), 0},
        {"two UTF-16 BE marks", "\xFE\xFF" + utf16(QStringLiteral("\uFEFFa"), false),
         QStringLiteral("\uFEFFa"), 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const DecodedCsv decoded = decodeCsv(c.data);
        EXPECT_EQ(decoded.text, c.text);
        EXPECT_EQ(decoded.undecodable, c.undecodable);
    }
}

// Only the first mark chooses the encoding; a second one is the first character of the first
// field, stored as "?" like any character the code page lacks.
TEST(CsvDecoding, SecondMarkStaysInTheFirstField)
{
    const QByteArray name = "Anna,Berg\r\n";
    for (const QByteArray &data :
         {QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF") + name,
          QByteArray("\xFF\xFE\xFF\xFE") + utf16(QString::fromLatin1(name), true),
          QByteArray("\xFE\xFF\xFE\xFF") + utf16(QString::fromLatin1(name), false)}) {
        SCOPED_TRACE(data.toHex().left(16).toStdString());
        const CsvBook book = csvBook(data);
        ASSERT_EQ(book.personen.size(), 1u);
        EXPECT_EQ(book.namen, QStringList({QStringLiteral("\uFEFFAnna")}));
        EXPECT_EQ(book.personen[0].fieldBytes(TPerson::Cachername), QByteArray("?Anna"));
        EXPECT_EQ(book.personen[0].field(TPerson::Vorname), QStringLiteral("Berg"));
    }
}

TEST(CsvDecoding, LargestFileOfABook)
{
    const qint64 units = 65535LL * 1802;
    EXPECT_EQ(maxCsvFileSize(""), 3 + units);
    EXPECT_EQ(maxCsvFileSize("abc"), 3 + units);
    EXPECT_EQ(maxCsvFileSize("\xEF\xBB\xBF"), 3 + units);
    EXPECT_EQ(maxCsvFileSize("\xFF\xFE"
                             "a"),
              2 + 2 * units);
    EXPECT_EQ(maxCsvFileSize("\xFE\xFF"), 2 + 2 * units);
}

// The fast paths take sixteen or sixty-four bytes at a time and must agree with decoding then
// converting for every piece at every position of a block: each piece is put after 0 to 69
// ASCII letters and repeated so that it straddles block ends.
TEST(CsvDecoding, FieldConversionMatchesDecodingAtEveryBlockPosition)
{
    const struct
    {
        const char *what;
        QByteArray piece;
        bool lossy;
    } cases[] = {
        {"umlauts", "\xC3\xA4\xC3\xB6\xC3\x9F", false},
        {"no-break space and y with diaeresis", "\xC2\xA0\xC3\xBF", false},
        {"C1 control without a place", "\xC2\x80", true},
        {"C1 control the code page keeps", "\xC2\x81", false},
        {"euro (three bytes)", "\xE2\x82\xAC", false},
        {"L with stroke", "\xC5\x81", true},
        {"emoji", "\xF0\x9F\x98\x80", true},
        {"broken: lead without continuation", "\xC3", false},
        {"broken: continuation alone", "\xA4", false},
        {"broken: overlong", "\xC0\xAF", false},
    };
    for (const auto &c : cases) {
        for (int offset = 0; offset < 70; ++offset) {
            SCOPED_TRACE(std::string(c.what) + " at " + std::to_string(offset));
            const QByteArray utf8 = QByteArray(offset, 'a') + (c.piece + "b").repeated(30);
            QByteArray ansi;
            bool lossy = false;
            ASSERT_TRUE(utf8ToAnsi(utf8, false, ansi, lossy));
            EXPECT_EQ(ansi, CodePage::toAnsi(decodeUtf8(utf8)));
            EXPECT_EQ(lossy, c.lossy);
            const bool valid = undecodableUtf8(utf8) == 0;
            EXPECT_EQ(utf8ToAnsi(utf8, true, ansi, lossy), valid);
        }
    }
}
