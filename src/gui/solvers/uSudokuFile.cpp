// The Sudoku window's file commands: "Laden" reads a puzzle in the plain-text exchange format,
// "Speichern" writes the givens in it.

#include "gui/app/AppContext.h"
#include "gui/solvers/uSudoku.h"
#include "gui/support/HandlerGuard.h"
#include "logic/solvers/SudokuFile.h"

#include <QFileInfo>

void TfrmSudoku::btnLoadClick()
{
    guarded(m_context.dialogs, this, [this] {
        if (m_searching)
            return;
        const QString path = m_context.dialogs.openFileName(this, OpenDialog1);
        if (path.isEmpty())
            return;
        // A file that cannot be read throws here, before a single cell changed.
        const Sudoku::CellValues values = Sudoku::ReadSudokuFile(path);
        showCells(values);
        rememberFile(path);
    });
}

void TfrmSudoku::Button3Click()
{
    guarded(m_context.dialogs, this, [this] {
        if (m_searching)
            return;
        const QString path = m_context.dialogs.saveFileName(this, SaveDialog1);
        if (path.isEmpty())
            return;
        Sudoku::WriteSudokuFile(path, readCells());
        rememberFile(path);
    });
}

void TfrmSudoku::showCells(const Sudoku::CellValues &values)
{
    for (int row = 0; row < Sudoku::kSize; ++row)
        for (int col = 0; col < Sudoku::kSize; ++col)
            SetCellValue(row, col, values[row][col]);
}

// Both dialogs start where the last puzzle was loaded or saved.
void TfrmSudoku::rememberFile(const QString &path)
{
    const QFileInfo info(path);
    for (Dialogs::FileRequest *request : {&OpenDialog1, &SaveDialog1}) {
        request->directory = info.absolutePath();
        request->fileName = info.fileName();
    }
}
