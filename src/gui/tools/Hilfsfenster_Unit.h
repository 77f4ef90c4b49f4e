#pragma once

#include <QWidget>

class QAction;
class QMenu;
class QPlainTextEdit;

// The shift table of the ROT tool: a text under all 27 letter shifts, one numbered line each, in
// a monospaced read-only box so the lines line up column by column. Created once at start-up;
// closing only hides it and every run of the table refills it.
class TfrmMisc : public QWidget
{
public:
    explicit TfrmMisc(QWidget *parent = nullptr);

    // Fills the table for s and shows the window without blocking the main window.
    void rot1_26(const QString &s);

    QPlainTextEdit *rtfRot = nullptr;
    QMenu *PopupMenu1 = nullptr;

    // ActionList1, category "Bearbeiten": what the popup menu's entries run.
    QAction *EditCut1 = nullptr;
    QAction *EditCopy1 = nullptr;
    QAction *EditPaste1 = nullptr;
    QAction *EditSelectAll1 = nullptr;

    // The entries of PopupMenu1.
    QAction *abc1 = nullptr;
    QAction *Kopieren1 = nullptr;
    QAction *Einfgen1 = nullptr;
    QAction *N1 = nullptr;
    QAction *Allesmarkieren1 = nullptr;

private:
    void createRtfRot();
    void createActions();
    void createPopupMenu();
};
