#include "logic/formula/SheetFile.h"
#include "logic/common/QuarvelError.h"
#include "logic/formula/SheetCoordinate.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Formula;

TEST(SheetFile, RoundTripKeepsEveryEntryAndTheCoordinate)
{
    const SheetDocument document {{{"A", "1987"},
                                   {"Kirche", "\"Sankt Marien\""},
                                   {"C", "runden(wurzel(A - 12); 2)"},
                                   {"", ""},
                                   {"Ü_2", "bww(\"Ä\") ; \\ \" {"}},
                                  QStringLiteral("N 52° 3A.[C*100]0 E 013° 2B.000")};
    EXPECT_EQ(sheetFromJson(sheetToJson(document)), document);

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("blatt.json"));
    EXPECT_EQ(writeSheetFile(path, document), QString());
    EXPECT_EQ(readSheetFile(path), document);
    // A second save replaces the first whole.
    const SheetDocument smaller {{{"B", "2"}}, QString()};
    EXPECT_EQ(writeSheetFile(path, smaller), QString());
    EXPECT_EQ(readSheetFile(path), smaller);
}

TEST(SheetFile, NamesWhatIsWrongWithAFile)
{
    const struct
    {
        const char *json;
        const char *message;
    } cases[] = {
        {"", "kein gültiges JSON"},
        {"[1,2]", "kein Formelblatt von Quarvel"},
        {R"({"format":"anders","version":1})", "kein Formelblatt von Quarvel"},
        {R"({"format":"quarvel-formelblatt"})", "Version (keine)"},
        {R"({"format":"quarvel-formelblatt","version":2})", "Version 2"},
        {R"({"format":"quarvel-formelblatt","version":1,"werte":{}})", "„werte“ keine Liste"},
        {R"({"format":"quarvel-formelblatt","version":1,"werte":[3]})", "Zeile 1 kein Objekt"},
        {R"({"format":"quarvel-formelblatt","version":1,"werte":[{"name":1}]})",
         "„name“ in Zeile 1 kein Text"},
        {R"({"format":"quarvel-formelblatt","version":1,"koordinate":[]})",
         "„koordinate“  kein Text"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.json);
        try {
            sheetFromJson(c.json);
            ADD_FAILURE() << "accepted";
        } catch (const QuarvelError &error) {
            EXPECT_TRUE(error.message().contains(QString::fromUtf8(c.message)))
                << error.message().toStdString();
        }
    }
    // The entry limit, at, below and above it.
    for (const int count : {kMaxSheetEntries - 1, kMaxSheetEntries, kMaxSheetEntries + 1}) {
        SCOPED_TRACE(count);
        SheetDocument document;
        document.entries.assign(size_t(count), {"A", "1"});
        if (count > kMaxSheetEntries)
            EXPECT_THROW(sheetFromJson(sheetToJson(document)), QuarvelError);
        else
            EXPECT_EQ(sheetFromJson(sheetToJson(document)).entries.size(), size_t(count));
    }
}

TEST(SheetFile, RefusesMissingAndOversizedFilesAndReportsAFailedWrite)
{
    QTemporaryDir folder;
    EXPECT_THROW(readSheetFile(folder.filePath(QStringLiteral("fehlt.json"))), QuarvelError);
    EXPECT_THROW(readSheetFile(folder.path()), QuarvelError);
    const QString big = folder.filePath(QStringLiteral("gross.json"));
    for (const qint64 size : {kMaxSheetFileBytes, kMaxSheetFileBytes + 1}) {
        SCOPED_TRACE(size);
        QFile file(big);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray(size, ' '));
        file.close();
        try {
            readSheetFile(big);
            ADD_FAILURE() << "accepted";
        } catch (const QuarvelError &error) {
            // At the limit the file is read and found to be no sheet; above it, not read at all.
            EXPECT_EQ(error.message().contains(QStringLiteral("zu groß")),
                      size > kMaxSheetFileBytes)
                << error.message().toStdString();
        }
    }
    EXPECT_NE(writeSheetFile(folder.filePath(QStringLiteral("fehlt/blatt.json")), {}), QString());
}

TEST(SheetCoordinate, PutsInWhatTheSheetKnowsAndLeavesTheRest)
{
    const FormulaSheet sheet(
        {{"A", "5"}, {"B", "12/4"}, {"C", "2,5"}, {"D", "-1"}, {"Baujahr", "1987"}, {"G", "1/0"}});
    const struct
    {
        const char16_t *formula;
        const char16_t *text;
        const char16_t *reduced;
        const char16_t *unknown;
        const char16_t *error;
    } cases[] = {
        {u"N 52° 3A.B(A+2)0 E 013° 2[B*2].000", u"N 52° 35.370 E 013° 26.000",
         u"N 52° 35.370 E 013° 26.000", u"", u""},
        {u"N 52° 3A.(qs(Baujahr))1 E 013° 2F.(F+A)00", u"", u"N 52° 35.251 E 013° 2F.(F+A)00", u"F",
         u""},
        {u"N 52 1X.[Y*2] E 1", u"", u"N 52 1X.(Y*2) E 1", u"X, Y", u""},
        {u"N 52 (C*2)", u"N 52 5", u"N 52 5", u"", u""},
        {u"N 52 1C", u"", u"", u"", u"C ist 2,5"},
        {u"N 52 (D)", u"", u"", u"", u"(D) ist -1"},
        {u"N 52 1G", u"", u"", u"", u"G hat keinen Wert"},
        {u"N 52 (A", u"", u"", u"", u"Zeichen 6: Zu dieser Klammer fehlt die schließende"},
        {u"N 52 A]", u"", u"", u"", u"Zeichen 7: Zu dieser Klammer fehlt die öffnende"},
        {u"N 52 (A+)", u"", u"", u"", u"Zeichen 9: Der Ausdruck endet zu früh"},
        {u"  ", u"", u"", u"", u"Die Koordinate ist leer"},
    };
    for (const auto &c : cases) {
        const QString formula = QString::fromUtf16(c.formula);
        SCOPED_TRACE(formula.toStdString());
        const SheetCoordinate out = renderSheetCoordinate(formula, sheet);
        EXPECT_EQ(out.text, QString::fromUtf16(c.text));
        EXPECT_EQ(out.unknown.join(QStringLiteral(", ")), QString::fromUtf16(c.unknown));
        if (QString::fromUtf16(c.error).isEmpty()) {
            EXPECT_EQ(out.reduced, QString::fromUtf16(c.reduced));
            EXPECT_EQ(out.error, QString());
        } else {
            EXPECT_TRUE(out.error.startsWith(QString::fromUtf16(c.error)))
                << out.error.toStdString();
        }
    }
    // The letters of the sheet that stay inside a bracket with unknown letters are handed on.
    const SheetCoordinate mixed = renderSheetCoordinate(QStringLiteral("N 5(A+F)"), sheet);
    EXPECT_EQ(mixed.letterValues.value(u'A'), QStringLiteral("5"));
}
