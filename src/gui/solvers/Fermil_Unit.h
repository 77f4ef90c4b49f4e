#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;
struct AppContext;

// The Fermilab decoder: the ternary code typed into the upper box, the plain letters in the
// lower one. Both boxes keep their text while the window is hidden.
class TfrmFermilab : public QWidget
{
public:
    explicit TfrmFermilab(AppContext &context, QWidget *parent = nullptr);

private:
    void FormCreate();
    void sbtnSolveClick();
    void sbtnCloseClick();

    AppContext &m_context;

public:
    QPlainTextEdit *mFermilab = nullptr;
    QPushButton *sbtnSolve = nullptr;
    QPlainTextEdit *mSolve = nullptr;
    QPushButton *sbtnClose = nullptr;
};
