#include "gui/support/LongParagraphEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

namespace {

constexpr int kChunk = LongParagraphEdit::kChunkLength;

const QString kEmoji = QStringLiteral("😀");

// The blocks of the box as they are held, for the messages of failed checks.
QStringList blocksOf(const LongParagraphEdit &box)
{
    QStringList blocks;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next())
        blocks.append(block.text());
    return blocks;
}

// Every block at most `longest` long, none starting inside a character as it is shown.
void expectShortBlocks(const LongParagraphEdit &box, int longest)
{
    for (const QString &block : blocksOf(box)) {
        EXPECT_LE(block.size(), longest);
        if (!block.isEmpty()) {
            EXPECT_FALSE(block.front().isLowSurrogate());
            EXPECT_NE(block.front().category(), QChar::Mark_NonSpacing);
        }
    }
}

// What a plain text box gives back for `text`: line ends as Qt writes them.
QString asPlainBoxReads(const QString &text)
{
    QPlainTextEdit plain;
    plain.setPlainText(text);
    return plain.toPlainText();
}

struct TextCase
{
    const char *name;
    QString text;
    int blocks;
};

// Single paragraphs at, below and above the chunk length, with real line breaks, and with
// characters of two UTF-16 units or a combining mark where a cut would fall.
QList<TextCase> textCases()
{
    return {
        {"below", QString(kChunk - 1, u'a'), 1},
        {"empty", QString(), 1},
        {"at", QString(kChunk, u'a'), 1},
        {"above", QString(kChunk + 1, u'a'), 2},
        {"twice", QString(2 * kChunk, u'a'), 2},
        {"twice and one", QString(2 * kChunk + 1, u'a'), 3},
        {"million", QStringLiteral("Franz jagt im Taxi ").repeated(52632).left(1'000'000), 0},
        {"lines", QString(kChunk + 1, u'a') + u'\n' + QString(kChunk, u'b') + u'\n', 4},
        {"crlf", QString(kChunk + 1, u'a') + QStringLiteral("\r\n\r") + QString(5, u'b'), 4},
        {"emoji on the cut", u'a' + kEmoji.repeated(kChunk), 3},
        {"emoji off the cut", kEmoji.repeated(kChunk), 2},
        {"combining mark on the cut", QString(kChunk - 1, u'a') + QStringLiteral("e\u0301x"), 2},
        {"blank in the second half", QString(kChunk - 10, u'a') + u' ' + QString(kChunk, u'b'), 2},
        {"only blanks", QString(3 * kChunk, u' '), 3},
    };
}

} // namespace

TEST(LongParagraphEdit, CutsAfterABlankInTheSecondHalfOrBetweenCharacters)
{
    const struct
    {
        const char *name;
        QString paragraph;
        QList<int> cuts;
    } cases[] = {
        {"at", QString(kChunk, u'a'), {}},
        {"above", QString(kChunk + 1, u'a'), {kChunk}},
        {"blank last", QString(kChunk - 1, u'a') + u' ' + u'b', {kChunk}},
        {"blank first of the second half",
         QString(kChunk / 2, u'a') + u' ' + QString(kChunk, u'b'),
         {kChunk / 2 + 1}},
        {"blank in the first half",
         QString(kChunk / 2 - 1, u'a') + u' ' + QString(kChunk, u'b'),
         {kChunk}},
        {"surrogate pair on the cut", QString(kChunk - 1, u'a') + kEmoji + u'b', {kChunk - 1}},
        {"surrogate pair before the cut", QString(kChunk - 2, u'a') + kEmoji + u'b', {kChunk}},
        {"combining mark on the cut",
         QString(kChunk - 1, u'a') + QStringLiteral("e\u0301b"),
         {kChunk - 1}},
        {"three pieces", QString(2 * kChunk + 1, u'a'), {kChunk, 2 * kChunk}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(LongParagraphEdit::cuts(c.paragraph), c.cuts);
    }
}

TEST(LongParagraphEdit, SetTextKeepsTheTextAndHoldsLongParagraphsInShortBlocks)
{
    LongParagraphEdit box;
    for (const TextCase &c : textCases()) {
        SCOPED_TRACE(c.name);
        int changes = 0;
        const QMetaObject::Connection counting =
            QObject::connect(&box, &QPlainTextEdit::textChanged, [&] { ++changes; });
        box.setText(c.text);
        QObject::disconnect(counting);
        EXPECT_EQ(box.text(), asPlainBoxReads(c.text));
        EXPECT_EQ(changes, 1);
        expectShortBlocks(box, kChunk);
        if (c.blocks > 0) {
            EXPECT_EQ(box.blockCount(), c.blocks) << blocksOf(box).join(u'|').toStdString();
        }
        EXPECT_EQ(box.textCursor().position(), 0);
        EXPECT_FALSE(box.document()->isUndoAvailable());
    }
}

// Pasted into an empty box, and into the middle of a text that is held in short blocks already.
TEST(LongParagraphEdit, APasteKeepsTheTextAndHoldsLongParagraphsInShortBlocks)
{
    LongParagraphEdit box;
    const QString around = QString(kChunk + 500, u'x');
    for (const TextCase &c : textCases()) {
        for (const bool intoText : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.name << (intoText ? " into a text" : ""));
            box.setText(intoText ? around : QString());
            QTextCursor cursor = box.textCursor();
            cursor.setPosition(intoText ? kChunk + 250 : 0);
            box.setTextCursor(cursor);
            QApplication::clipboard()->setText(c.text);
            box.paste();
            const QString pasted = asPlainBoxReads(c.text);
            EXPECT_EQ(box.text(),
                      intoText
                          ? around.left(kChunk - 1 + 250) + pasted + around.mid(kChunk - 1 + 250)
                          : pasted);
            expectShortBlocks(box, LongParagraphEdit::kLongestBlock);
            if (!intoText && c.blocks > 0) {
                EXPECT_EQ(box.blockCount(), c.blocks);
            }
            // The cursor stands after the pasted text.
            EXPECT_EQ(LongParagraphEdit::textOf(*box.document(), 0, box.textCursor().position()),
                      box.text().left((intoText ? kChunk - 1 + 250 : 0) + pasted.size()));
            box.undo();
            EXPECT_EQ(box.text(), intoText ? around : QString());
        }
    }
}

TEST(LongParagraphEdit, CopyingASelectionLeavesTheSoftBreaksOut)
{
    LongParagraphEdit box;
    // Blocks: 0..1999 "a…", break at 2000, 2001..4000 "b…", line break at 4001, 4002.. "c…".
    const QString text = QString(kChunk, u'a') + QString(kChunk, u'b') + u'\n' + QString(10, u'c');
    box.setText(text);
    ASSERT_EQ(box.blockCount(), 3);
    const struct
    {
        int from;
        int to;
        QString copied;
    } cases[] = {
        {1990, 2000, QString(10, u'a')}, // up to the soft break
        {1990, 2001, QString(10, u'a')}, // over it
        {1990, 2011, QString(10, u'a') + QString(10, u'b')},
        {2001, 2011, QString(10, u'b')},
        {3991, 4002, QString(10, u'b') + u'\n'}, // a line break is copied
        {3991, 4005, QString(10, u'b') + u'\n' + QString(3, u'c')},
        {0, 4012, text},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << ".." << c.to);
        QTextCursor cursor = box.textCursor();
        cursor.setPosition(c.from);
        cursor.setPosition(c.to, QTextCursor::KeepAnchor);
        box.setTextCursor(cursor);
        box.copy();
        EXPECT_EQ(QApplication::clipboard()->text(), c.copied);
    }
}

// At a soft break the keys do to the text what they would do without it.
TEST(LongParagraphEdit, KeysBesideASoftBreakActOnTheText)
{
    // Blocks: 0..1999 "a…", break at 2000, 2001.. "b…".
    const QString text = QString(kChunk, u'a') + QString(kChunk, u'b');
    const struct
    {
        const char *name;
        int position;
        Qt::Key key;
        QString typed;
        QString result;
    } cases[] = {
        {"backspace after the break",
         kChunk + 1,
         Qt::Key_Backspace,
         {},
         QString(kChunk - 1, u'a') + QString(kChunk, u'b')},
        {"backspace before the break",
         kChunk,
         Qt::Key_Backspace,
         {},
         QString(kChunk - 1, u'a') + QString(kChunk, u'b')},
        {"delete before the break",
         kChunk,
         Qt::Key_Delete,
         {},
         QString(kChunk, u'a') + QString(kChunk - 1, u'b')},
        {"delete after the break",
         kChunk + 1,
         Qt::Key_Delete,
         {},
         QString(kChunk, u'a') + QString(kChunk - 1, u'b')},
        {"return after the break",
         kChunk + 1,
         Qt::Key_Return,
         {},
         QString(kChunk, u'a') + u'\n' + QString(kChunk, u'b')},
        {"return within the continued block",
         kChunk + 11,
         Qt::Key_Return,
         {},
         QString(kChunk, u'a') + QString(10, u'b') + u'\n' + QString(kChunk - 10, u'b')},
        {"a letter after the break", kChunk + 1, Qt::Key_X, QStringLiteral("x"),
         QString(kChunk, u'a') + u'x' + QString(kChunk, u'b')},
    };
    LongParagraphEdit box;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        box.setText(text);
        ASSERT_EQ(box.blockCount(), 2);
        QTextCursor cursor = box.textCursor();
        cursor.setPosition(c.position);
        box.setTextCursor(cursor);
        QTest::keyClick(&box, c.key, Qt::NoModifier);
        EXPECT_EQ(box.text(), c.result);
        // A second key goes on from there: the new paragraph stays one.
        QTest::keyClick(&box, Qt::Key_Y, Qt::NoModifier);
        EXPECT_EQ(box.text().count(u'\n'), c.result.count(u'\n'));
        box.undo();
        box.undo();
        EXPECT_EQ(box.text(), text);
    }
}

// Left and right pass a soft break with the character beyond it, selecting it with Shift.
TEST(LongParagraphEdit, ArrowKeysPassASoftBreakWithACharacter)
{
    // Blocks: 0..1999 "a…", break at 2000, 2001.. "b…".
    const QString text = QString(kChunk, u'a') + QString(kChunk, u'b');
    const struct
    {
        const char *name;
        int position;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int after; // characters of the text before the cursor
        QString selected;
    } cases[] = {
        {"right before the break", kChunk, Qt::Key_Right, Qt::NoModifier, kChunk + 1, {}},
        {"right after the break", kChunk + 1, Qt::Key_Right, Qt::NoModifier, kChunk + 1, {}},
        {"left after the break", kChunk + 1, Qt::Key_Left, Qt::NoModifier, kChunk - 1, {}},
        {"left before the break", kChunk, Qt::Key_Left, Qt::NoModifier, kChunk - 1, {}},
        {"shift right before the break", kChunk, Qt::Key_Right, Qt::ShiftModifier, kChunk + 1,
         QStringLiteral("b")},
        {"shift left after the break", kChunk + 1, Qt::Key_Left, Qt::ShiftModifier, kChunk - 1,
         QStringLiteral("a")},
        {"right within a block", 10, Qt::Key_Right, Qt::NoModifier, 11, {}},
    };
    LongParagraphEdit box;
    box.setText(text);
    ASSERT_EQ(box.blockCount(), 2);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QTextCursor cursor = box.textCursor();
        cursor.setPosition(c.position);
        box.setTextCursor(cursor);
        QTest::keyClick(&box, c.key, c.modifiers);
        EXPECT_EQ(LongParagraphEdit::textOf(*box.document(), 0, box.textCursor().position()).size(),
                  c.after);
        box.copy();
        if (!c.selected.isEmpty()) {
            EXPECT_EQ(QApplication::clipboard()->text(), c.selected);
        }
        EXPECT_EQ(box.text(), text);
    }
}

// A paragraph typed in grows its block up to twice the chunk length before it is cut again; the
// cut is undone with the keystroke that made it.
TEST(LongParagraphEdit, TypingPastTheLongestBlockCutsIt)
{
    const struct
    {
        int before;
        int blocks;
    } cases[] = {
        {LongParagraphEdit::kLongestBlock - 1, 1},
        {LongParagraphEdit::kLongestBlock, 3},
    };
    // The window is shown: the keystroke that cuts is laid out and painted.
    LongParagraphEdit box;
    box.show();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.before);
        box.setPlainText(QString(c.before, u'a')); // one block, as a plain text box holds it
        box.moveCursor(QTextCursor::End);
        QTest::keyClick(&box, Qt::Key_B, Qt::NoModifier);
        QCoreApplication::processEvents();
        EXPECT_EQ(box.text(), QString(c.before, u'a') + u'b');
        EXPECT_EQ(box.textCursor().position(), c.before + box.blockCount()); // after the b
        EXPECT_EQ(box.blockCount(), c.blocks);
        expectShortBlocks(box, LongParagraphEdit::kLongestBlock);
        box.undo();
        EXPECT_EQ(box.text(), QString(c.before, u'a'));
        EXPECT_EQ(box.blockCount(), 1);
    }
}

// Backspace at a real line break joins two paragraphs; a block that grows too long by that is cut.
TEST(LongParagraphEdit, JoiningParagraphsCutsTheJoinedBlock)
{
    const struct
    {
        int first;
        int second;
        int blocks;
    } cases[] = {
        {kChunk, kChunk, 1}, // exactly the longest block
        {kChunk, kChunk + 1, 3},
        {3 * kChunk / 2, 3 * kChunk / 2, 3},
        {kChunk - 1, 1, 1},
    };
    LongParagraphEdit box;
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << " + " << c.second);
        const QString text = QString(c.first, u'a') + u'\n' + QString(c.second, u'b');
        box.setPlainText(text); // a block for each paragraph, as a plain text box holds them
        QTextCursor cursor = box.textCursor();
        cursor.setPosition(c.first + 1);
        box.setTextCursor(cursor);
        QTest::keyClick(&box, Qt::Key_Backspace, Qt::NoModifier);
        EXPECT_EQ(box.text(), QString(text).remove(c.first, 1));
        EXPECT_EQ(box.blockCount(), c.blocks);
        expectShortBlocks(box, LongParagraphEdit::kLongestBlock);
    }
}
