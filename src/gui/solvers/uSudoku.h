#pragma once

#include "gui/support/Dialogs.h"
#include "logic/solvers/SudokuSearch.h"

#include <QWidget>

class QKeyEvent;
class QLabel;
class QPainter;
class QPushButton;
class QTableWidget;
struct AppContext;

// The Sudoku window: a 9 × 9 grid the user types into and a search that lists every solution.
//
// A cell holds one digit 1-9 or nothing: a typed digit replaces the current cell's, "0", ".",
// the space bar and the delete keys empty it, the arrow keys move between cells and every other
// typed character is ignored. A grid pasted with the paste keys goes through the exchange
// format's reader, so the same texts are refused with the same messages as a loaded file.
//
// While "Lösen" runs, the search writes its digits into a copy of the cells and the grid shows
// that copy at screen rate: about every 16 ms the search hands the event loop a turn, which
// repaints the grid and delivers a click on "Abbrechen". Each solution is shown in the grid
// while the user is asked whether to search on. During a search "Lösen", "Neu", "Laden" and
// editing are blocked, and so is "Speichern", which would store the search's digits as givens;
// closing the window (or the program) cancels the search.
class TfrmSudoku : public QWidget
{
public:
    explicit TfrmSudoku(AppContext &context, QWidget *parent = nullptr);
    ~TfrmSudoku() override;

    // The cell's text read as an integer, 0 for any other text.
    int CellValue(int row, int col) const;
    // Writes v in decimal, or the empty text for 0.
    void SetCellValue(int row, int col, int v);

    bool searchRunning() const { return m_searching; }

    // Cancel request of the running search; reset at every start of a search.
    bool SudokuCancel = false;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class SearchHost;
    friend class SearchHost;

    void FormCreate();
    void btnNewClick();
    void btnLoadClick();
    void Button3Click();
    void btnSolveClick();
    void btnCancelClick();
    bool sgSodokuKeyPress(const QKeyEvent &event);
    void pasteGrid();

    void createControls();
    void layoutControls();
    void connectHandlers();
    void setSearching(bool searching);
    Sudoku::CellValues readCells() const;
    void showCells(const Sudoku::CellValues &values);
    void rememberFile(const QString &path);
    QString runSearch();

    AppContext &m_context;
    bool m_searching = false;
    bool m_closedDuringSearch = false;

public:
    // Paints one cell: background, centred text, grid lines and the blue 3 × 3 block borders.
    void sgSodokuDrawCell(QPainter &painter, int ACol, int ARow, const QRect &Rect,
                          bool selected) const;

    QLabel *Label1 = nullptr;
    QTableWidget *sgSodoku = nullptr;
    QPushButton *btnNew = nullptr;
    QPushButton *btnLoad = nullptr;
    QPushButton *Button3 = nullptr;
    QPushButton *btnSolve = nullptr;
    QPushButton *btnCancel = nullptr;
    Dialogs::FileRequest OpenDialog1;
    Dialogs::FileRequest SaveDialog1;
};
