#include "gui/solvers/uSudoku.h"

#include "gui/app/AppContext.h"
#include "gui/support/DesignSize.h"
#include "gui/support/HandlerGuard.h"
#include "gui/support/ScreenFit.h"
#include "logic/common/QuarvelError.h"
#include "logic/solvers/SudokuFile.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <bitset>

namespace {

constexpr int kCellSize = 40;
constexpr int kSize = Sudoku::kSize;
// How often a running search hands the event loop a turn: about once per screen refresh, so
// the grid repaints smoothly and a click on "Abbrechen" is seen at once, while the search
// runs at full speed in between.
constexpr int kTurnIntervalMs = 16;

const QColor kBlockLineColour(0, 0, 255);
const QColor kGridLineColour(192, 192, 192);

// Hands the painting of every cell to the window's draw handler.
class SudokuCellDelegate : public QStyledItemDelegate
{
public:
    SudokuCellDelegate(const TfrmSudoku &window, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_window(window)
    {
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        m_window.sgSodokuDrawCell(*painter, index.column(), index.row(), option.rect,
                                  option.state.testFlag(QStyle::State_Selected));
    }

private:
    const TfrmSudoku &m_window;
};

QPushButton *makeButton(const QString &text, const char *name, const QColor *colour,
                        QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    if (colour) {
        QFont font = button->font();
        font.setBold(true);
        button->setFont(font);
        // Only the enabled look is coloured, so a blocked button still looks blocked.
        QPalette palette = button->palette();
        palette.setColor(QPalette::Active, QPalette::ButtonText, *colour);
        palette.setColor(QPalette::Inactive, QPalette::ButtonText, *colour);
        button->setPalette(palette);
    }
    // As narrow as the caption allows: the style's least button width does not shrink with the
    // screen's resolution, and five such buttons would widen the window beyond its design.
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(text) +
                            DesignSize::px(parent, 14));
    return button;
}

} // namespace

// The search's view of the window. The digits go into a copy of the cells; the grid is brought
// up to date whenever the user gets to see it: at each turn of the event loop, while a
// solution is shown, and when the search ends.
class TfrmSudoku::SearchHost final : public Sudoku::SudokuHost
{
public:
    explicit SearchHost(TfrmSudoku &window)
        : m_window(window)
    {
        for (int row = 0; row < kSize; ++row) {
            for (int col = 0; col < kSize; ++col) {
                m_live[row][col] = window.CellValue(row, col);
                // A text that reads as no integer is an empty cell whose text is not yet
                // replaced: the first write of the search must reach it.
                const bool textShown =
                    m_live[row][col] == 0 && !window.sgSodoku->item(row, col)->text().isEmpty();
                m_shown[row][col] = textShown ? -1 : m_live[row][col];
            }
        }
        m_sinceTurn.start();
    }

    void place(int row, int col, int digit) override
    {
        m_live[row][col] = digit;
        m_touched.set(row * kSize + col);
    }

    void clear(int row, int col) override { m_live[row][col] = 0; }

    void poll() override
    {
        if (!m_sinceTurn.hasExpired(kTurnIntervalMs))
            return;
        showCells();
        QCoreApplication::processEvents();
        m_sinceTurn.restart();
    }

    bool askContinue() override
    {
        showCells();
        // A window closed during the search asks nothing: the search unwinds to the givens.
        if (m_window.m_closedDuringSearch)
            return true;
        const Dialogs::Button answer = m_window.m_context.dialogs.messageDlg(
            &m_window, QStringLiteral("Lösung gefunden! Weiter suchen?"),
            Dialogs::Icon::Information, Dialogs::Yes | Dialogs::No);
        m_sinceTurn.restart();
        return answer == Dialogs::Yes;
    }

    bool cancelRequested() const override { return m_window.SudokuCancel; }

    void showCells()
    {
        for (int row = 0; row < kSize; ++row) {
            for (int col = 0; col < kSize; ++col) {
                if (!m_touched.test(row * kSize + col) || m_live[row][col] == m_shown[row][col])
                    continue;
                m_window.SetCellValue(row, col, m_live[row][col]);
                m_shown[row][col] = m_live[row][col];
            }
        }
    }

private:
    TfrmSudoku &m_window;
    Sudoku::CellValues m_live {};
    Sudoku::CellValues m_shown {};
    std::bitset<kSize * kSize> m_touched;
    QElapsedTimer m_sinceTurn;
};

TfrmSudoku::TfrmSudoku(AppContext &context, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmSudoku"));
    createControls();
    layoutControls();
    connectHandlers();
    FormCreate();
}

TfrmSudoku::~TfrmSudoku() = default;

void TfrmSudoku::createControls()
{
    Label1 = new QLabel(QStringLiteral("Sudoku - Solver (Multisolver)"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont labelFont = Label1->font();
    labelFont.setBold(true);
    labelFont.setPointSizeF(DesignSize::fontPoints(20));
    Label1->setFont(labelFont);

    sgSodoku = new QTableWidget(kSize, kSize, this);
    sgSodoku->setObjectName(QStringLiteral("sgSodoku"));
    sgSodoku->horizontalHeader()->hide();
    sgSodoku->verticalHeader()->hide();
    for (QHeaderView *header : {sgSodoku->horizontalHeader(), sgSodoku->verticalHeader()}) {
        header->setMinimumSectionSize(DesignSize::px(this, kCellSize));
        header->setDefaultSectionSize(DesignSize::px(this, kCellSize));
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    // The draw handler paints the grid lines itself, so the block borders are not painted over.
    sgSodoku->setShowGrid(false);
    sgSodoku->setSelectionMode(QAbstractItemView::ContiguousSelection);
    // Typing goes through the window's key handler, never through a free-text editor.
    sgSodoku->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgSodoku->installEventFilter(this);
    sgSodoku->setItemDelegate(new SudokuCellDelegate(*this, sgSodoku));
    QFont cellFont(QStringLiteral("Arial Narrow"));
    cellFont.setStyleHint(QFont::SansSerif);
    cellFont.setBold(true);
    cellFont.setPointSizeF(DesignSize::fontPoints(22));
    sgSodoku->setFont(cellFont);
    for (int row = 0; row < kSize; ++row)
        for (int col = 0; col < kSize; ++col)
            sgSodoku->setItem(row, col, new QTableWidgetItem);
    const int frame = 2 * sgSodoku->frameWidth();
    const int cells = kSize * DesignSize::px(this, kCellSize);
    sgSodoku->setMinimumSize(cells + frame, cells + frame);
    sgSodoku->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    const QColor blue(0, 0, 255), green(0, 128, 0), red(255, 0, 0);
    btnNew = makeButton(QStringLiteral("Neu"), "btnNew", &blue, this);
    btnLoad = makeButton(QStringLiteral("Laden"), "btnLoad", nullptr, this);
    Button3 = makeButton(QStringLiteral("Speichern"), "Button3", nullptr, this);
    btnSolve = makeButton(QStringLiteral("Lösen"), "btnSolve", &green, this);
    btnCancel = makeButton(QStringLiteral("Abbrechen"), "btnCancel", &red, this);

    const QString filter = QStringLiteral("Sudoku (*.sud);;Textdateien (*.txt);;Alle Dateien (*)");
    OpenDialog1 = {QStringLiteral("Öffnen"), {}, {}, filter, QStringLiteral("sud")};
    SaveDialog1 = {QStringLiteral("Speichern unter"), {}, {}, filter, QStringLiteral("sud")};
}

void TfrmSudoku::layoutControls()
{
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(DesignSize::px(this, 6));
    for (QPushButton *button : {btnNew, btnLoad, Button3, btnSolve, btnCancel})
        buttons->addWidget(button);

    // At the designed size the grid just holds its 9 × 9 cells; it grows with the window.
    auto *gridRow = new QHBoxLayout;
    const int side = DesignSize::px(this, 35);
    gridRow->setContentsMargins(side, 0, side, 0);
    gridRow->addWidget(sgSodoku);

    auto *layout = new QVBoxLayout(this);
    const auto d = [this](int designed) { return DesignSize::px(this, designed); };
    layout->setContentsMargins(d(12), d(18), d(12), d(16));
    layout->setSpacing(d(18));
    layout->addWidget(Label1, 0, Qt::AlignHCenter);
    layout->addLayout(gridRow, 1);
    layout->addLayout(buttons);

    resize(DesignSize::size(this, 456, 488));
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    ScreenFit::keepOnScreen(this);
}

void TfrmSudoku::connectHandlers()
{
    connect(btnNew, &QPushButton::clicked, this, [this] { btnNewClick(); });
    connect(btnLoad, &QPushButton::clicked, this, [this] { btnLoadClick(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(btnSolve, &QPushButton::clicked, this, [this] { btnSolveClick(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
}

int TfrmSudoku::CellValue(int row, int col) const
{
    return Sudoku::CellValue(sgSodoku->item(row, col)->text());
}

void TfrmSudoku::SetCellValue(int row, int col, int v)
{
    sgSodoku->item(row, col)->setText(Sudoku::CellText(v));
}

void TfrmSudoku::FormCreate()
{
    guarded(m_context.dialogs, this, [this] {
        setWindowTitle(QStringLiteral("Sudoku-Solver"));
        const Sudoku::CellValues sample = Sudoku::samplePuzzle();
        for (int row = 0; row < kSize; ++row)
            for (int col = 0; col < kSize; ++col)
                if (sample[row][col] != 0)
                    SetCellValue(row, col, sample[row][col]);
    });
}

void TfrmSudoku::btnNewClick()
{
    guarded(m_context.dialogs, this, [this] {
        if (m_searching)
            return;
        for (int row = 0; row < kSize; ++row)
            for (int col = 0; col < kSize; ++col)
                SetCellValue(row, col, 0);
    });
}

void TfrmSudoku::btnSolveClick()
{
    guarded(m_context.dialogs, this, [this] {
        if (m_searching)
            return;
        // Contradictory givens could keep the search busy for hours, or let it fill the grid
        // around the contradiction and call that a solution.
        Sudoku::CheckGivens(readCells());
        const QString message = runSearch();
        if (!message.isEmpty())
            m_context.dialogs.showMessage(this, message);
    });
}

void TfrmSudoku::btnCancelClick()
{
    guarded(m_context.dialogs, this, [this] { SudokuCancel = true; });
}

// Runs one search from the grid as it stands and returns the closing message, or nothing
// when the window was closed during the search.
QString TfrmSudoku::runSearch()
{
    SudokuCancel = false;
    m_closedDuringSearch = false;
    Sudoku::SudokuSearch search(readCells());
    SearchHost host(*this);
    Sudoku::SearchEnd end = Sudoku::SearchEnd::Stopped;
    setSearching(true);
    try {
        end = search.run(host);
    } catch (const std::exception &) {
        // Whatever leaves the search ends it as cancelled, with the grid as it stands.
    }
    host.showCells();
    setSearching(false);
    if (m_closedDuringSearch)
        return {};
    if (end == Sudoku::SearchEnd::Stopped || SudokuCancel)
        return QStringLiteral("Suche abgebrochen !");
    return QStringLiteral("Keine Lösung gefunden !");
}

Sudoku::CellValues TfrmSudoku::readCells() const
{
    Sudoku::CellValues values {};
    for (int row = 0; row < kSize; ++row)
        for (int col = 0; col < kSize; ++col)
            values[row][col] = CellValue(row, col);
    return values;
}

void TfrmSudoku::setSearching(bool searching)
{
    m_searching = searching;
    for (QPushButton *button : {btnSolve, btnNew, btnLoad, Button3})
        button->setEnabled(!searching);
}

bool TfrmSudoku::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == sgSodoku && event->type() == QEvent::KeyPress)
        return sgSodokuKeyPress(*static_cast<QKeyEvent *>(event));
    return QWidget::eventFilter(watched, event);
}

// True when the key was the grid's to handle: a digit, an emptying key, a paste or any other
// typed character; keys without a character (arrows, page keys) keep moving between cells.
bool TfrmSudoku::sgSodokuKeyPress(const QKeyEvent &event)
{
    if (event.matches(QKeySequence::Paste)) {
        if (!m_searching)
            pasteGrid();
        return true;
    }
    const bool emptying = event.key() == Qt::Key_Delete || event.key() == Qt::Key_Backspace;
    const QString text = event.text();
    if (!emptying &&
        (text.isEmpty() || !text.at(0).isPrint() ||
         event.modifiers().testAnyFlags(Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const QModelIndex current = sgSodoku->currentIndex();
    if (m_searching || !current.isValid())
        return true;
    const QChar key = emptying ? QChar(u'0') : text.at(0);
    if (key >= u'1' && key <= u'9')
        SetCellValue(current.row(), current.column(), key.unicode() - u'0');
    else if (key == u'0' || key == u'.' || key == u' ')
        SetCellValue(current.row(), current.column(), 0);
    return true;
}

void TfrmSudoku::pasteGrid()
{
    guarded(m_context.dialogs, this, [this] {
        const QString text = QGuiApplication::clipboard()->text();
        const QModelIndex current = sgSodoku->currentIndex();
        // One digit goes into the current cell, as if typed.
        if (text.trimmed().size() == 1 && current.isValid()) {
            const QChar digit = text.trimmed().at(0);
            if (digit >= u'1' && digit <= u'9') {
                SetCellValue(current.row(), current.column(), digit.unicode() - u'0');
                return;
            }
        }
        if (text.trimmed().isEmpty())
            throw QuarvelError(QStringLiteral("Die Zwischenablage enthält kein Sudoku."));
        if (text.size() > Sudoku::kMaxFileBytes)
            throw QuarvelError(QStringLiteral("Der eingefügte Text ist zu lang für ein Sudoku."));
        try {
            showCells(Sudoku::ReadSudokuText(text.toUtf8()));
        } catch (const QuarvelError &error) {
            throw QuarvelError(QStringLiteral("Der eingefügte Text ist kein lesbares Sudoku.\n%1")
                                   .arg(error.message()));
        }
    });
}

void TfrmSudoku::closeEvent(QCloseEvent *event)
{
    // Closing only hides the window; a search still running is cancelled, so that it can
    // never keep the program from ending.
    if (m_searching) {
        SudokuCancel = true;
        m_closedDuringSearch = true;
    }
    QWidget::closeEvent(event);
}

void TfrmSudoku::sgSodokuDrawCell(QPainter &painter, int ACol, int ARow, const QRect &Rect,
                                  bool selected) const
{
    const QPalette &palette = sgSodoku->palette();
    painter.save();
    painter.fillRect(Rect, selected ? palette.highlight() : palette.base());
    painter.setFont(sgSodoku->font());
    painter.setPen(selected ? palette.color(QPalette::HighlightedText)
                            : palette.color(QPalette::WindowText));
    const QRect inner = Rect.adjusted(0, 0, -1, -1);
    if (const QTableWidgetItem *item = sgSodoku->item(ARow, ACol))
        painter.drawText(inner, Qt::AlignCenter | Qt::TextSingleLine, item->text());

    // Each cell owns the grid lines along its right and bottom edge.
    painter.setPen(kGridLineColour);
    painter.drawLine(Rect.topRight(), Rect.bottomRight());
    painter.drawLine(Rect.bottomLeft(), Rect.bottomRight());
    // The 3 × 3 block borders, 2 px wide, over the grid line and the cell's last pixel line.
    if (ARow == 2 || ARow == 5)
        painter.fillRect(QRect(Rect.left(), Rect.bottom() - 1, Rect.width(), 2), kBlockLineColour);
    if (ACol == 2 || ACol == 5)
        painter.fillRect(QRect(Rect.right() - 1, Rect.top(), 2, Rect.height()), kBlockLineColour);
    painter.restore();
}
