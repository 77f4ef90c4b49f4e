#include "logic/language/WordBreaks.h"
#include "logic/common/QuarvelError.h"
#include "support/core/FailingDevice.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

const WordList &germanWords()
{
    static const WordList words({"wer",   "anderen", "andere", "eine",   "Grube", "gräbt",
                                 "fällt", "selbst",  "hinein", "der",    "die",   "Dose",
                                 "liegt", "unter",   "Brücke", "Straße", "a",     "an",
                                 "er",    "ein",     "Test's"});
    return words;
}

} // namespace

TEST(WordBreaks, BlanksGoBetweenKnownWords)
{
    const struct
    {
        const char *text;
        const char *expected;
    } cases[] = {
        {"WERANDERENEINEGRUBEGRAEBT", "WER ANDEREN EINE GRUBE GRAEBT"},
        {"derSchatzliegtunterderBRUECKE", "der Schatz liegt unter der BRUECKE"}, // case kept
        {"DIEDOSEXQLIEGT", "DIE DOSE XQ LIEGT"}, // unknown letters stay together
        {"STRASSE", "STRASSE"},
        {"XYZ", "XYZ"},
        {"A", "A"},
        {"", ""},
        // Not for this: blanks, digits or other characters already in the text.
        {"WER ANDEREN", "WER ANDEREN"},
        {"DOSE1LIEGT", "DOSE1LIEGT"},
        {"TESTS", "TESTS"}, // "Test's" is left out of the list
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(insertBlanks(QString::fromUtf8(c.text), germanWords()),
                  QString::fromUtf8(c.expected));
    }
}

TEST(WordBreaks, LimitsAndEmptyList)
{
    const QString atLimit = QStringLiteral("DOSE").repeated(MaxWordBreakLetters / 4);
    EXPECT_EQ(insertBlanks(atLimit, germanWords()).size(), atLimit.size() * 5 / 4 - 1);
    EXPECT_EQ(insertBlanks(atLimit + u'A', germanWords()), atLimit + u'A');
    EXPECT_EQ(insertBlanks(QStringLiteral("WERANDEREN"), WordList()), u"WERANDEREN");

    QByteArray text("wer\nanderen\n" + QByteArray(WordList::MaxLength + 1, 'x') + "\n");
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    const WordList read = WordList::read(buffer);
    EXPECT_TRUE(read.contains("ANDEREN"));
    EXPECT_FALSE(read.contains(QByteArray(WordList::MaxLength + 1, 'X')));
    FailingDevice broken(3, "wer\nanderen\n");
    broken.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    EXPECT_THROW(WordList::read(broken), QuarvelError);
}

TEST(WordBreaks, WordListKeepsWordsUpToTheLongestAndOnlyOfLetters)
{
    const QString longest(WordList::MaxLength, u'x');
    const struct
    {
        QString word;
        QByteArray letters;
        bool kept;
    } cases[] = {
        {longest, longest.toUpper().toLatin1(), true},
        {longest + u'x', QByteArray(WordList::MaxLength + 1, 'X'), false},
        // An umlaut is two letters: the word is as long as its letters.
        {QString(WordList::MaxLength - 2, u'x') + u'ä',
         QByteArray(WordList::MaxLength - 2, 'X') + "AE", true},
        {QString(WordList::MaxLength - 1, u'x') + u'ä',
         QByteArray(WordList::MaxLength - 1, 'X') + "AE", false},
        {QStringLiteral("don't"), "DONT", false},
        {QStringLiteral("Grete's"), "GRETES", false},
        {QStringLiteral("café"), "CAF", false},
        {QStringLiteral("Dose"), "DOSE", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.word.toStdString());
        EXPECT_EQ(WordList({c.word}).contains(c.letters), c.kept);
    }
    // A word of the longest length is found inside a text.
    const WordList words({longest, QStringLiteral("Dose")});
    EXPECT_EQ(insertBlanks(u"DOSE"_qs + longest.toUpper() + u"DOSE"_qs, words),
              u"DOSE "_qs + longest.toUpper() + u" DOSE"_qs);
}
