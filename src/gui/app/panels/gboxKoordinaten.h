#pragma once

#include "gui/app/ToolPanel.h"

#include <QComboBox>

#include <functional>

class QKeyEvent;
class QLabel;
class QLineEdit;
class TKoordinaten;
struct AppContext;

// A drop-down list that reports when its list closes, after a choice made in it has become the
// current item, and lets its owner see key presses first.
class NotationList : public QComboBox
{
public:
    using QComboBox::QComboBox;

    std::function<void()> closedUp;
    std::function<bool(QKeyEvent *)> keyPressed; // true: the key is used up

    void hidePopup() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// The coordinates tool: a position typed in any of the three notations is read when the user
// leaves the input field; the list chooses the notation in which the last recognised position
// is shown, ready to be copied. The coordinate object belongs to the main window.
class gboxKoordinaten : public ToolPanel
{
public:
    gboxKoordinaten(AppContext &context, QWidget *parent);
    ~gboxKoordinaten() override;

    // The main window hands its coordinate object over once it exists and takes it back (null)
    // before freeing it; without one the panel reads and writes nothing.
    void setKoordinaten(TKoordinaten *koordinaten) { m_koordinaten = koordinaten; }

    bool edtKoordinatenKeyDown(QKeyEvent *event);
    void edtKoordinatenExit();
    void cboxKoordinatenCloseUp();
    bool cboxKoordinatenKeyPress(QKeyEvent *event);

    QLabel *Label2 = nullptr;
    QLineEdit *edtKoordinaten = nullptr;
    QLabel *lblKoordTest = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *lblLastKoord = nullptr;
    QLabel *Label4 = nullptr;
    NotationList *cboxKoordinaten = nullptr;
    QLineEdit *edtKoordAus = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLineEdit *Edit2 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void layOutControls();
    void showTestResult(bool recognised);

    AppContext &m_context;
    TKoordinaten *m_koordinaten = nullptr;
};
