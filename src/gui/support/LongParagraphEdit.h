#pragma once

#include <QList>
#include <QPlainTextEdit>

class QTextBlock;
class QTextCursor;
class QTextDocument;

// A plain text box for texts whose paragraphs may be very long. The box's layout lays out a
// changed block of its document whole, visible or not: a paragraph of a million characters held
// the window for seconds on every keystroke. Here a paragraph longer than kChunkLength is held
// as several blocks of the document, each continuing the paragraph of the one before it (a soft
// break, marked in the block's format and no part of the text). The box shows such a paragraph
// with a line ending early every kChunkLength characters or so, at a blank where there is one.
//
// The text with the soft breaks left out is text(); toPlainText() would show them as line
// breaks. Pasting, dropping, setText() and typing keep the blocks short; copying and dragging
// leave the soft breaks out; Backspace and Delete at a soft break remove the character beside
// it, and the arrow keys pass it with the character beyond. Any other way of setting the text
// (setPlainText()) gives blocks without soft breaks.
class LongParagraphEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    // The longest block a paragraph is cut into.
    static constexpr int kChunkLength = 2000;
    // Typing may grow a block up to this length before it is cut again.
    static constexpr int kLongestBlock = 2 * kChunkLength;

    explicit LongParagraphEdit(QWidget *parent = nullptr);

    // The text of the box without the soft breaks.
    QString text() const;
    // Replaces the text as setPlainText() does, with long paragraphs cut into blocks.
    void setText(const QString &text);

    // The characters of `document` from `from` up to `to` (positions of the document), without
    // soft breaks and with line breaks as toPlainText() writes them.
    static QString textOf(const QTextDocument &document, int from, int to);
    // Whether `block` continues the paragraph of the block before it.
    static bool continuesParagraph(const QTextBlock &block);
    // Where a paragraph is cut: the start of each piece after the first. Each piece is at most
    // kChunkLength long and ends after a blank where one is in its second half; otherwise it
    // ends between two characters as shown (never inside a surrogate pair or before a combining
    // mark).
    static QList<int> cuts(QStringView paragraph);

protected:
    QMimeData *createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData *source) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    bool removeBesideSoftBreak(QKeyEvent *event);
    void stepOverSoftBreak(QKeyEvent *event);
    template<typename Edit> void editCuttingLongBlock(Edit edit);
    void cutLongBlocks(QTextCursor &cursor, int firstBlock, int lastBlock);
};
