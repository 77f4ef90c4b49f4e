#include "gui/support/LongParagraphEdit.h"

#include <QHash>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace {

// Marks a block format: the block continues the paragraph of the block before it.
constexpr int kContinues = QTextFormat::UserProperty + 0x4C50;

QTextBlockFormat withBreak(QTextBlockFormat format, bool soft)
{
    if (soft)
        format.setProperty(kContinues, true);
    else
        format.clearProperty(kContinues);
    return format;
}

// Where a paragraph ends as QTextCursor::insertText() sees it: at a line feed, a carriage return
// (with or without a line feed after it), a paragraph separator or a frame mark.
bool endsParagraph(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'\n' || u == u'\r' || u == QChar::ParagraphSeparator || u == 0xFDD0 || u == 0xFDD1;
}

// Where a piece of `text` from `from` ends at `at` at the latest: never inside a character as it
// is shown.
int characterStartAtOrBefore(QStringView text, int from, int at)
{
    // Graphemes are looked for near `at` only; a window of some characters holds any cluster
    // that text is made of in practice.
    const int start = std::max(from, at - 64);
    const int end = std::min(int(text.size()), at + 64);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.constData() + start,
                               end - start);
    finder.setPosition(at - start);
    if (!finder.isAtBoundary())
        finder.toPreviousBoundary();
    int cut = int(finder.position()) + start;
    if (cut <= from) {
        // One cluster longer than the window: at least no surrogate pair is torn.
        cut = at;
        if (text.at(cut).isLowSurrogate() && text.at(cut - 1).isHighSurrogate())
            --cut;
    }
    return cut;
}

// Inserts `text` at `cursor` as insertText() would, each paragraph cut into short blocks.
void insertInPieces(QTextCursor &cursor, QStringView text)
{
    const QTextBlockFormat hard = withBreak(cursor.blockFormat(), false);
    const QTextBlockFormat soft = withBreak(hard, true);
    qsizetype start = 0;
    for (bool first = true;; first = false) {
        qsizetype end = start;
        while (end < text.size() && !endsParagraph(text.at(end)))
            ++end;
        if (!first)
            cursor.insertBlock(hard);
        const QStringView paragraph = text.sliced(start, end - start);
        int pieceStart = 0;
        for (const int cut : LongParagraphEdit::cuts(paragraph)) {
            cursor.insertText(paragraph.sliced(pieceStart, cut - pieceStart).toString());
            cursor.insertBlock(soft);
            pieceStart = cut;
        }
        cursor.insertText(paragraph.sliced(pieceStart).toString());
        if (end == text.size())
            break;
        start = end + 1;
        if (text.at(end) == u'\r' && start < text.size() && text.at(start) == u'\n')
            ++start;
    }
}

bool paragraphLongerThan(QStringView text, qsizetype length)
{
    if (text.size() <= length)
        return false;
    qsizetype run = 0;
    for (const QChar c : text) {
        run = endsParagraph(c) ? 0 : run + 1;
        if (run > length)
            return true;
    }
    return false;
}

} // namespace

LongParagraphEdit::LongParagraphEdit(QWidget *parent)
    : QPlainTextEdit(parent)
{
}

bool LongParagraphEdit::continuesParagraph(const QTextBlock &block)
{
    return block.isValid() && block.blockFormat().boolProperty(kContinues);
}

QList<int> LongParagraphEdit::cuts(QStringView paragraph)
{
    QList<int> result;
    const int length = int(paragraph.size());
    int start = 0;
    while (length - start > kChunkLength) {
        const int latest = start + kChunkLength;
        int cut = 0;
        for (int i = latest - 1; i >= start + kChunkLength / 2; --i) {
            if (paragraph.at(i) == u' ') {
                cut = i + 1;
                break;
            }
        }
        if (cut == 0)
            cut = characterStartAtOrBefore(paragraph, start, latest);
        result.append(cut);
        start = cut;
    }
    return result;
}

QString LongParagraphEdit::textOf(const QTextDocument &document, int from, int to)
{
    // The document's characters, a paragraph separator between blocks, at their positions.
    const QString raw = document.toRawText();
    to = std::min(to, int(raw.size()));
    if (to <= from)
        return {};
    QString text;
    text.reserve(to - from);
    // A few formats serve all blocks: each is looked at once. A document none of whose formats
    // was ever soft has no soft break, and its blocks need not be looked at.
    QHash<int, bool> softFormats;
    const QList<QTextFormat> formats = document.allFormats();
    const bool anySoft = std::any_of(formats.cbegin(), formats.cend(), [](const QTextFormat &f) {
        return f.boolProperty(kContinues);
    });
    int copied = from;
    // The blocks whose break before them is within the range.
    for (QTextBlock block = document.findBlock(from).next();
         anySoft && block.isValid() && block.position() <= to; block = block.next()) {
        auto soft = softFormats.constFind(block.blockFormatIndex());
        if (soft == softFormats.cend())
            soft = softFormats.insert(block.blockFormatIndex(), continuesParagraph(block));
        if (*soft) {
            text += QStringView(raw).sliced(copied, block.position() - 1 - copied);
            copied = block.position();
        }
    }
    text += QStringView(raw).sliced(copied, to - copied);
    // As QTextDocument::toPlainText() writes them.
    for (QChar &c : text) {
        const char16_t u = c.unicode();
        if (u == QChar::LineSeparator || u == QChar::ParagraphSeparator || u == 0xFDD0 ||
            u == 0xFDD1)
            c = u'\n';
        else if (u == QChar::Nbsp)
            c = u' ';
    }
    return text;
}

QString LongParagraphEdit::text() const
{
    return textOf(*document(), 0, document()->characterCount() - 1);
}

void LongParagraphEdit::setText(const QString &text)
{
    if (!paragraphLongerThan(text, kChunkLength)) {
        setPlainText(text);
        return;
    }
    // What setPlainText() does, in one change of the document: its layout sees the blocks
    // once, and the box's change signal comes once.
    QTextDocument *doc = document();
    const bool undoRedo = doc->isUndoRedoEnabled();
    doc->setUndoRedoEnabled(false);
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    cursor.setBlockFormat(QTextBlockFormat());
    cursor.setCharFormat(QTextCharFormat());
    insertInPieces(cursor, text);
    cursor.endEditBlock();
    doc->setUndoRedoEnabled(undoRedo);
    setTextCursor(QTextCursor(doc));
    ensureCursorVisible();
}

QMimeData *LongParagraphEdit::createMimeDataFromSelection() const
{
    const QTextCursor cursor = textCursor();
    auto *data = new QMimeData;
    data->setText(textOf(*document(), cursor.selectionStart(), cursor.selectionEnd()));
    return data;
}

void LongParagraphEdit::insertFromMimeData(const QMimeData *source)
{
    if (isReadOnly() || !source || !source->hasText())
        return;
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    const int first = cursor.blockNumber();
    insertInPieces(cursor, source->text());
    // The block the text went into may have been long already.
    cutLongBlocks(cursor, first, cursor.blockNumber());
    cursor.endEditBlock();
    ensureCursorVisible();
}

void LongParagraphEdit::keyPressEvent(QKeyEvent *event)
{
    if (!isReadOnly() && event->matches(QKeySequence::InsertParagraphSeparator)) {
        // A new paragraph, whatever the block it was typed in continued.
        QTextCursor cursor = textCursor();
        const QTextBlock start = document()->findBlock(cursor.selectionStart());
        cursor.insertBlock(withBreak(start.blockFormat(), false));
        setTextCursor(cursor);
        ensureCursorVisible();
        event->accept();
        return;
    }
    if (!isReadOnly() && removeBesideSoftBreak(event))
        return;
    stepOverSoftBreak(event);
    if (isReadOnly() || event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    editCuttingLongBlock([&] { QPlainTextEdit::keyPressEvent(event); });
}

void LongParagraphEdit::inputMethodEvent(QInputMethodEvent *event)
{
    if (isReadOnly()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    editCuttingLongBlock([&] { QPlainTextEdit::inputMethodEvent(event); });
}

// A keystroke in a block that may grow too long is one edit with the cut that follows it: it is
// undone as one, and the box's layout and its change signal see the cut block only.
template<typename Edit> void LongParagraphEdit::editCuttingLongBlock(Edit edit)
{
    if (textCursor().block().length() - 1 < kLongestBlock) {
        edit(); // typing merges into one undo step as usual
        // Joining two blocks can make one too long: cut as an undo step of its own.
        const QTextBlock block = textCursor().block();
        if (block.length() - 1 > kLongestBlock) {
            QTextCursor cursor(document());
            cursor.beginEditBlock();
            cutLongBlocks(cursor, block.blockNumber(), block.blockNumber());
            cursor.endEditBlock();
        }
        return;
    }
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    edit();
    const int number = textCursor().blockNumber();
    cutLongBlocks(cursor, number, number);
    cursor.endEditBlock();
}

// Backspace and Delete beside a soft break remove the character on the other side of it, as
// they would without the break; removing the break alone would change nothing in the text.
bool LongParagraphEdit::removeBesideSoftBreak(QKeyEvent *event)
{
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection())
        return false;
    const bool backspace =
        event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier);
    if (backspace && cursor.atBlockStart() && continuesParagraph(cursor.block())) {
        QTextBlock before = cursor.block().previous();
        while (before.length() == 1 && continuesParagraph(before))
            before = before.previous();
        if (!before.isValid())
            return false;
        cursor.setPosition(before.position() + before.length() - 1);
        cursor.deletePreviousChar();
    } else if (event->matches(QKeySequence::Delete) && cursor.atBlockEnd() &&
               continuesParagraph(cursor.block().next())) {
        QTextBlock after = cursor.block().next();
        while (after.length() == 1 && continuesParagraph(after.next()))
            after = after.next();
        cursor.setPosition(after.position());
        cursor.deleteChar();
    } else {
        return false;
    }
    ensureCursorVisible();
    event->accept();
    return true;
}

// The ends of the two blocks at a soft break are one place in the text: the arrow keys pass the
// break with a character, as if it were not there.
void LongParagraphEdit::stepOverSoftBreak(QKeyEvent *event)
{
    const bool select = event->matches(QKeySequence::SelectNextChar) ||
        event->matches(QKeySequence::SelectPreviousChar);
    const bool forward = event->matches(QKeySequence::MoveToNextChar) ||
        event->matches(QKeySequence::SelectNextChar);
    const bool back = event->matches(QKeySequence::MoveToPreviousChar) ||
        event->matches(QKeySequence::SelectPreviousChar);
    QTextCursor cursor = textCursor();
    // Right and left go the other way in a right-to-left paragraph; a selection collapses.
    if ((!forward && !back) || (cursor.hasSelection() && !select) ||
        cursor.block().textDirection() != Qt::LeftToRight)
        return;
    const QTextCursor::MoveMode mode = select ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor;
    if (forward && cursor.atBlockEnd() && continuesParagraph(cursor.block().next()))
        cursor.setPosition(cursor.position() + 1, mode);
    else if (back && cursor.atBlockStart() && continuesParagraph(cursor.block()))
        cursor.setPosition(cursor.position() - 1, mode);
    else
        return;
    setTextCursor(cursor);
}

// Cuts each block from `firstBlock` to `lastBlock` (numbers) that is longer than kLongestBlock,
// with `cursor` in an edit block of the caller's.
void LongParagraphEdit::cutLongBlocks(QTextCursor &cursor, int firstBlock, int lastBlock)
{
    for (int number = lastBlock; number >= firstBlock; --number) {
        const QTextBlock block = document()->findBlockByNumber(number);
        if (block.length() - 1 <= kLongestBlock)
            continue;
        const int start = block.position();
        const QTextBlockFormat soft = withBreak(block.blockFormat(), true);
        const QList<int> at = cuts(block.text());
        for (auto cut = at.crbegin(); cut != at.crend(); ++cut) {
            cursor.setPosition(start + *cut);
            cursor.insertBlock(soft);
        }
    }
}
