#include "logic/update/VersionCheck.h"
#include "logic/common/QuarvelError.h"
#include "logic/update/Downloader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace VersionCheck;
using namespace Qt::StringLiterals;

TEST(CompareVersions, ComparesPartByPartAsNumbers)
{
    const struct
    {
        const char *server;
        const char *word;
    } cases[] = {
        {"0.4.1.0", "gleich"},
        {"0.4.2.0", "größer"},
        {"0.4.0.9", "kleiner"},
        {"1.0.0.0", "größer"},
        {"0.3.99.99", "kleiner"},
        {"0.10.0.0", "größer"},
        {"0.04.1.00", "gleich"},
        {"0.4.1.1", "größer"},
        {"0.4.1.0000", "gleich"},
        {"2147483647.0.0.0", "größer"},
        // Each part is read with the program's integer syntax: leading blanks, a sign, a
        // hexadecimal form.
        {" 0.4.1.0", "gleich"},
        {"+0.4.1.0", "gleich"},
        {"0.4.1.-1", "kleiner"},
        {"0. 4.+1.0", "gleich"},
        {"$1.0.0.0", "größer"},
        {"0x1.0.0.0", "größer"},
        {"0.4.1.-2147483648", "kleiner"},
        {"0.4.1.$FFFFFFFF", "kleiner"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.server);
        EXPECT_EQ(CompareVersions(QStringLiteral("0.4.1.0"), QString::fromUtf8(c.server)),
                  QString::fromUtf8(c.word));
    }
}

TEST(CompareVersions, ServerLinesWithBlanksAndSignsCompare)
{
    EXPECT_EQ(CompareVersions(QStringLiteral("2.15.13.1"), QStringLiteral(" 2.15.13.2")),
              QStringLiteral("größer"));
    EXPECT_EQ(CompareVersions(QStringLiteral("1.2.3.0"), QStringLiteral("1.2.3.-4")),
              QStringLiteral("kleiner"));
}

TEST(CompareVersions, TextsThatAreNoVersionFail)
{
    const char *const notVersions[] = {
        "",
        "0.4.1",
        "0.4.1.0.0",
        "a.b.c.d",
        "0.4.1.0 ",
        "0 .4.1.0",
        "0.4..0",
        "2147483648.0.0.0",
        "0.4.1.-2147483649",
        "--1.0.0.0",
        "0x.0.0.0",
        "+.0.0.0",
        "0,4,1,0",
        "0.4.1.0\r",
        "1.0.0.0\n",
        "\t1.0.0.0",
        "$100000000.0.0.0",
    };
    for (const char *text : notVersions) {
        SCOPED_TRACE(text);
        try {
            CompareVersions(QStringLiteral("0.4.1.0"), QString::fromUtf8(text));
            ADD_FAILURE() << "no error";
        } catch (const QuarvelError &error) {
            EXPECT_TRUE(error.message().endsWith(u"ist kein gültiger Integer-Wert"))
                << error.message().toStdString();
        }
        // The local text is checked the same way.
        EXPECT_THROW(CompareVersions(QString::fromUtf8(text), QStringLiteral("0.4.1.0")),
                     QuarvelError);
    }
}

TEST(CompareVersions, NamesThePartThatIsNoInteger)
{
    try {
        CompareVersions(QStringLiteral("0.4.1.0"), QStringLiteral("0.4.y1.0"));
        FAIL();
    } catch (const QuarvelError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("''y1'' ist kein gültiger Integer-Wert"));
    }
}

TEST(VersionFileFirstLine, StopsAtTheFirstLineEnd)
{
    const struct
    {
        QByteArray bytes;
        const char *line;
    } cases[] = {
        {"0.4.2.0\r\n0.5.0.0\r\n", "0.4.2.0"},
        {"0.4.2.0\nrest", "0.4.2.0"},
        {"0.4.2.0\rrest", "0.4.2.0"},
        {"0.4.2.0", "0.4.2.0"},
        {"\n0.4.2.0", ""},
        {"", ""},
        {"Gr\xf6\xdf"
         "e\r\n",
         "Größe"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        EXPECT_EQ(versionFileFirstLine(c.bytes), QString::fromUtf8(c.line));
    }
}

namespace {

// Answers from a script and records what it was asked.
class ScriptedDownloader : public Downloader
{
public:
    bool DownloadToFile(const Request &request, QIODevice &target) override
    {
        requests.append(request);
        if (auto *file = qobject_cast<QFile *>(&target))
            targets.append(file->fileName());
        if (during)
            during();
        if (!ok)
            return false;
        target.write(body);
        return true;
    }

    bool ok = true;
    QByteArray body;
    std::function<void()> during;
    QList<Request> requests;
    QStringList targets;
};

QStringList leftovers(const QTemporaryDir &dir)
{
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
}

} // namespace

TEST(CheckServerVersion, FetchesTheVersionFileAndComparesItsFirstLine)
{
    QTemporaryDir temp;
    const struct
    {
        bool ok;
        QByteArray body;
        std::optional<QString> word;
        std::optional<QString> serverVersion;
    } cases[] = {
        {true, "0.4.1.0\r\n", u"gleich"_s, u"0.4.1.0"_s},
        {true, "0.4.2.0\r\n0.1.0.0\r\n", u"größer"_s, u"0.4.2.0"_s},
        {true, "0.3.99.99", u"kleiner"_s, u"0.3.99.99"_s},
        {true, "0.04.1.00\n", u"gleich"_s, u"0.04.1.00"_s},
        {false, {}, u"NIL"_s, std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.body.toStdString());
        ScriptedDownloader downloader;
        downloader.ok = c.ok;
        downloader.body = c.body;
        const auto result = CheckServerVersion(downloader, QStringLiteral("https://server/"),
                                               temp.path() + u'/', QStringLiteral("0.4.1.0"));
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(result->VersionsVergleich, *c.word);
        EXPECT_EQ(result->ServerVersion, c.serverVersion);
        ASSERT_EQ(downloader.requests.size(), 1);
        EXPECT_EQ(downloader.requests[0].url.toString(),
                  QStringLiteral("https://server/download/quarvel/ver_quarvel.txt"));
        EXPECT_TRUE(downloader.requests[0].firstLineOnly);
        EXPECT_TRUE(downloader.targets[0].startsWith(temp.path()));
        EXPECT_EQ(leftovers(temp), QStringList());
    }
}

TEST(CheckServerVersion, GivesNoResultForAFirstLineThatIsNoVersion)
{
    QTemporaryDir temp;
    const QByteArray bodies[] = {"0.4.1\r\n", "", "\r\n0.4.1.0", "<html><body>Fehler</body></html>",
                                 "\xef\xbb\xbf"
                                 "0.4.2.0\r\n"}; // a byte-order mark is no digit
    for (const QByteArray &body : bodies) {
        SCOPED_TRACE(body.toStdString());
        ScriptedDownloader downloader;
        downloader.body = body;
        EXPECT_FALSE(CheckServerVersion(downloader, QStringLiteral("https://server/"),
                                        temp.path() + u'/', QStringLiteral("0.4.1.0")));
        EXPECT_EQ(leftovers(temp), QStringList()) << "the temporary file stays behind";
    }
}

TEST(CheckServerVersion, GivesNoResultWhenTheTemporaryFileCannotBeMade)
{
    ScriptedDownloader downloader;
    downloader.body = "0.4.2.0";
    EXPECT_FALSE(CheckServerVersion(downloader, QStringLiteral("https://server/"),
                                    QStringLiteral("/nonexistent/quarvel/"),
                                    QStringLiteral("0.4.1.0")));
    EXPECT_TRUE(downloader.requests.isEmpty());
}

TEST(CheckServerVersion, OverlappingChecksUseFilesOfTheirOwn)
{
    QTemporaryDir temp;
    ScriptedDownloader inner;
    inner.body = "0.4.1.0";
    ScriptedDownloader outer;
    outer.body = "0.5.0.0\r\n";
    std::optional<Result> innerResult;
    // The second check runs to its end while the first is still fetching.
    outer.during = [&] {
        innerResult = CheckServerVersion(inner, QStringLiteral("https://server/"),
                                         temp.path() + u'/', QStringLiteral("0.4.1.0"));
    };
    const auto outerResult = CheckServerVersion(outer, QStringLiteral("https://server/"),
                                                temp.path() + u'/', QStringLiteral("0.4.1.0"));
    ASSERT_TRUE(innerResult && outerResult);
    EXPECT_EQ(innerResult->VersionsVergleich, u"gleich");
    EXPECT_EQ(outerResult->VersionsVergleich, u"größer");
    EXPECT_NE(inner.targets.value(0), outer.targets.value(0));
    EXPECT_EQ(leftovers(temp), QStringList());
}
