// Every table as declared: unique, complete meanings, a named source and licence, fonts that
// really hold every glyph, and text that survives the way to glyphs and back.
#include "symbols/SymbolTable.h"
#include "logic/common/QuarvelError.h"

#include <QFile>
#include <QHash>
#include <QSet>

#include <gtest/gtest.h>

using SymbolTables::Table;

TEST(SymbolTables, AtLeastSixtyTablesWithUniqueNames)
{
    QSet<QString> names;
    for (const Table &table : SymbolTables::all()) {
        SCOPED_TRACE(table.name.toStdString());
        EXPECT_FALSE(names.contains(table.name.toLower()));
        names.insert(table.name.toLower());
        for (const QChar c : table.name)
            EXPECT_TRUE(c.isLower() || c.isDigit() || c == u'-') << "command-line name";
        EXPECT_EQ(SymbolTables::find(table.name.toUpper()), &table);
    }
    EXPECT_GE(SymbolTables::all().size(), 60);
    EXPECT_EQ(SymbolTables::find(QStringLiteral("gibt-es-nicht")), nullptr);
}

TEST(SymbolTables, EveryTableNamesTitleGroupSourceAndLicence)
{
    for (const Table &table : SymbolTables::all()) {
        SCOPED_TRACE(table.name.toStdString());
        EXPECT_FALSE(table.titel.isEmpty());
        EXPECT_FALSE(table.gruppe.isEmpty());
        EXPECT_FALSE(table.quelle.isEmpty());
        EXPECT_FALSE(table.glyphen.isEmpty());
        if (table.zeichne) {
            EXPECT_EQ(table.lizenz, QStringLiteral("eigene Zeichnung"));
            EXPECT_TRUE(table.schriftFamilie.isEmpty());
        } else {
            // Only fonts under the SIL Open Font License may be rendered into shipped pictures.
            EXPECT_EQ(table.lizenz, QStringLiteral("SIL Open Font License 1.1"));
            EXPECT_TRUE(table.quelle.contains(table.schriftFamilie));
            EXPECT_TRUE(table.quelle.contains(QStringLiteral(".ttf")));
            EXPECT_EQ(table.schriftPaket, QStringLiteral("fonts-noto-core"));
        }
    }
}

// Case is ignored when a text is spelled, so two meanings may not differ only in case.
TEST(SymbolTables, MeaningsAreUniqueIgnoringCase)
{
    for (const Table &table : SymbolTables::all()) {
        SCOPED_TRACE(table.name.toStdString());
        QSet<QString> seen;
        QSet<QString> glyphs;
        for (const SymbolTables::Glyph &glyph : table.glyphen) {
            EXPECT_FALSE(glyph.zeichen.trimmed().isEmpty());
            EXPECT_FALSE(seen.contains(glyph.zeichen.toLower())) << glyph.zeichen.toStdString();
            seen.insert(glyph.zeichen.toLower());
            if (!table.zeichne) {
                EXPECT_FALSE(glyphs.contains(glyph.schrift)) << glyph.zeichen.toStdString();
                glyphs.insert(glyph.schrift);
            }
        }
    }
}

// Tables that claim a complete set hold exactly that set.
TEST(SymbolTables, CompleteSetsAreComplete)
{
    const auto meanings = [](const char *name) {
        QStringList list;
        for (const SymbolTables::Glyph &glyph :
             SymbolTables::find(QString::fromLatin1(name))->glyphen)
            list.append(glyph.zeichen.trimmed().toUpper());
        return list;
    };
    const auto range = [](int from, int to) {
        QStringList list;
        for (int v = from; v <= to; ++v)
            list.append(QString::number(v));
        return list;
    };
    QStringList alphabet;
    for (char c = 'A'; c <= 'Z'; ++c)
        alphabet.append(QString(QLatin1Char(c)));
    const struct
    {
        const char *table;
        QStringList expected;
    } cases[] = {
        {"futhark", {}},
        {"freimaurer", alphabet},
        {"freimaurer-kreuz", alphabet},
        {"freimaurer-paare", alphabet},
        {"flaggen", alphabet},
        {"segment14", range(0, 9) + alphabet},
        {"segment16", range(0, 9) + alphabet},
        {"segment7", range(0, 9)},
        {"maya", range(0, 19)},
        {"stabziffern", range(1, 9)},
        {"wuerfel", range(1, 6)},
        {"hexagramme", range(1, 64)},
        {"postnet", range(0, 9)},
        {"widerstand", range(0, 9)},
        {"arabische-ziffern", range(0, 9)},
        {"thai-ziffern", range(0, 9)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.table);
        QStringList got = meanings(c.table);
        if (c.expected.isEmpty()) {
            EXPECT_EQ(got.size(), 24); // the elder futhark has 24 runes
            continue;
        }
        got.removeDuplicates(); // the dancing men repeat letters with a flag
        QStringList want = c.expected;
        std::sort(got.begin(), got.end());
        std::sort(want.begin(), want.end());
        EXPECT_EQ(got, want);
    }
    QStringList dancing = meanings("tanzende-maenner");
    dancing.removeDuplicates();
    std::sort(dancing.begin(), dancing.end());
    EXPECT_EQ(dancing, alphabet);
    EXPECT_EQ(meanings("spielkarten").size(), 52);
    EXPECT_EQ(meanings("zisterzienser").size(), 36);
    EXPECT_EQ(meanings("tierkreis").size(), 12);
    EXPECT_EQ(meanings("trigramme").size(), 8);
    EXPECT_EQ(meanings("schach").size(), 12);
}

// A font that lacks a glyph would show its missing-glyph box: this fails for every glyph of a
// table whose font is not installed or does not hold the character.
TEST(SymbolTables, FontsHoldEveryGlyph)
{
    for (const Table &table : SymbolTables::all()) {
        SCOPED_TRACE(table.name.toStdString());
        EXPECT_EQ(SymbolTables::missingGlyphs(table), QStringList {});
        EXPECT_NO_THROW(SymbolTables::requireFont(table));
    }
}

TEST(SymbolTables, MissingFontIsNamedWithItsPackage)
{
    Table table = *SymbolTables::find(QStringLiteral("futhark"));
    table.schriftFamilie = QStringLiteral("Keine Solche Schrift");
    EXPECT_EQ(SymbolTables::missingGlyphs(table).size(), table.glyphen.size());
    try {
        SymbolTables::requireFont(table);
        FAIL() << "no error";
    } catch (const QuarvelError &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("Keine Solche Schrift")));
        EXPECT_TRUE(error.message().contains(QStringLiteral("fonts-noto-core")));
    }
    // One character the font lacks is named on its own.
    Table partly = *SymbolTables::find(QStringLiteral("futhark"));
    partly.glyphen.append({QStringLiteral("Hieroglyphe"), QString::fromUcs4(U"\U0001313F", 1)});
    EXPECT_EQ(SymbolTables::missingGlyphs(partly), QStringList {QStringLiteral("Hieroglyphe")});
}

// Text → glyphs → text: every meaning, separated by blanks, comes back as it was (a dancing man
// with a flag takes the blank after its letter with it).
TEST(SymbolTables, TextRoundTripsThroughGlyphs)
{
    for (const Table &table : SymbolTables::all()) {
        SCOPED_TRACE(table.name.toStdString());
        QStringList all;
        for (const SymbolTables::Glyph &glyph : table.glyphen)
            all.append(glyph.zeichen);
        const QString text = all.join(u' ');
        QString back;
        for (const int glyph : SymbolTables::glyphsFor(table, text))
            back += glyph < 0 ? QStringLiteral(" ") : table.glyphen.at(glyph).zeichen;
        EXPECT_EQ(back, text);
    }
}

TEST(SymbolTables, SpellingIgnoresCaseAndTakesLongestMeaning)
{
    const Table &morse = *SymbolTables::find(QStringLiteral("morse"));
    const QList<int> glyphs = SymbolTables::glyphsFor(morse, QStringLiteral("ch a"));
    ASSERT_EQ(glyphs.size(), 3);
    EXPECT_EQ(morse.glyphen.at(glyphs[0]).zeichen, QStringLiteral("CH"));
    EXPECT_EQ(glyphs[1], -1);
    EXPECT_EQ(morse.glyphen.at(glyphs[2]).zeichen, QStringLiteral("A"));
    // A flagged dancing man is a letter at a word's end: the blank belongs to it.
    const Table &men = *SymbolTables::find(QStringLiteral("tanzende-maenner"));
    const QList<int> words = SymbolTables::glyphsFor(men, QStringLiteral("AM I"));
    ASSERT_EQ(words.size(), 3);
    EXPECT_EQ(men.glyphen.at(words[1]).zeichen, QStringLiteral("M "));
    EXPECT_TRUE(SymbolTables::glyphsFor(morse, QString()).isEmpty());
}

TEST(SymbolTables, UnknownCharacterIsNamed)
{
    const Table &table = *SymbolTables::find(QStringLiteral("segment7"));
    for (const QString &text :
         {QStringLiteral("12x"), QStringLiteral("€"), QStringLiteral("1\U0001F600")}) {
        SCOPED_TRACE(text.toStdString());
        try {
            SymbolTables::glyphsFor(table, text);
            FAIL() << "no error";
        } catch (const QuarvelError &error) {
            EXPECT_TRUE(error.message().contains(QStringLiteral("7-Segment-Ziffern")));
            EXPECT_TRUE(error.message().contains(text.right(text.back().isLowSurrogate() ? 2 : 1)));
        }
    }
}

// Names whose Unicode name spells the meaning: the meaning is the name's last words.
TEST(SymbolTables, MeaningsFollowTheUnicodeNames)
{
    QFile data(QStringLiteral("/usr/share/unicode/UnicodeData.txt"));
    if (!data.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "unicode-data is not installed";
    QHash<char32_t, QString> names;
    while (!data.atEnd()) {
        const QList<QByteArray> fields = data.readLine().split(';');
        if (fields.size() > 1)
            names.insert(fields[0].toUInt(nullptr, 16), QString::fromLatin1(fields[1]));
    }
    const struct
    {
        const char *table;
        const char *prefix;
        bool lastWordOnly;
    } cases[] = {{"cherokee", "CHEROKEE LETTER ", false},
                 {"deseret", "DESERET CAPITAL LETTER ", false},
                 {"shaw", "SHAVIAN LETTER ", false},
                 {"armenisch", "ARMENIAN CAPITAL LETTER ", false},
                 {"georgisch", "GEORGIAN LETTER ", false},
                 {"ugaritisch", "UGARITIC LETTER ", false},
                 {"altitalisch", "OLD ITALIC LETTER ", false},
                 {"koptisch", "COPTIC CAPITAL LETTER ", false},
                 {"linear-b", "LINEAR B SYLLABLE ", true}};
    for (const auto &c : cases) {
        const Table &table = *SymbolTables::find(QString::fromLatin1(c.table));
        for (const SymbolTables::Glyph &glyph : table.glyphen) {
            SCOPED_TRACE(std::string(c.table) + " " + glyph.zeichen.toStdString());
            const QString name = names.value(glyph.schrift.toUcs4().value(0));
            ASSERT_TRUE(name.startsWith(QString::fromLatin1(c.prefix))) << name.toStdString();
            QString spelled = name.mid(qstrlen(c.prefix)).toLower();
            if (c.lastWordOnly)
                spelled = spelled.section(u' ', -1);
            EXPECT_EQ(glyph.zeichen, spelled);
        }
    }
    // Runes whose name ends in the letter carry that letter.
    const Table &futhark = *SymbolTables::find(QStringLiteral("futhark"));
    for (const SymbolTables::Glyph &glyph : futhark.glyphen) {
        const QString name = names.value(glyph.schrift.toUcs4().value(0));
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(name.startsWith(QStringLiteral("RUNIC LETTER ")));
        const QString last = name.section(u' ', -1).toLower();
        if (last.size() == 1) {
            EXPECT_EQ(glyph.zeichen, last);
        }
    }
}

// The README and the package's copyright file list every table with its source and licence, so
// neither list can fall behind the code.
TEST(SymbolTables, ReadmeAndCopyrightListEveryTable)
{
    QFile readmeFile(QStringLiteral(QUARVEL_TEST_DATA_DIR "/../../README.md"));
    QFile copyrightFile(QStringLiteral(QUARVEL_TEST_DATA_DIR "/../../data/packaging/copyright"));
    ASSERT_TRUE(readmeFile.open(QIODevice::ReadOnly));
    ASSERT_TRUE(copyrightFile.open(QIODevice::ReadOnly));
    const QString readme = QString::fromUtf8(readmeFile.readAll());
    const QString copyright = QString::fromUtf8(copyrightFile.readAll());
    for (const Table &table : SymbolTables::all()) {
        SCOPED_TRACE(table.name.toStdString());
        const QString row = QStringLiteral("| `%1` | %2 | %3 | ")
                                .arg(table.name, table.titel)
                                .arg(table.glyphen.size());
        EXPECT_TRUE(readme.contains(row));
        EXPECT_TRUE(readme.contains(table.lizenz));
        const QString line = QStringLiteral("\n %1 (%2): ").arg(table.name, table.titel);
        const qsizetype at = copyright.indexOf(line);
        ASSERT_GE(at, 0);
        const QString rest = copyright.mid(at + 1).section(u'\n', 0, 0);
        EXPECT_TRUE(rest.endsWith(QStringLiteral("; ") + table.lizenz)) << rest.toStdString();
    }
}
