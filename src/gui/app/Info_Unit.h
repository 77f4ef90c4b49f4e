#pragma once

#include <QWidget>

#include <cstdint>

class OsInfo;
class QLabel;
class QPushButton;
class QTabWidget;
class QTextEdit;
class QToolButton;
struct AppContext;

// The information window: name, version, operating system and memory figures on the page
// "Allgemeines", the change history on "Historie". The history is read once at creation; the
// rest is read anew each time the window becomes active.
class TfrmInfo : public QWidget
{
public:
    // `osInfo` defaults to the running system's.
    explicit TfrmInfo(AppContext &context, OsInfo *osInfo = nullptr, QWidget *parent = nullptr);

    // The address the link button opens.
    static const QString kWebSite;

protected:
    bool event(QEvent *event) override;

private:
    void FormCreate();
    void FormActivate();
    void BitBtnOKClick();
    void BitBtnSysClick();
    void shellExecClick();

    QWidget *createGeneralPage();
    QWidget *createMemoryPanel();
    void loadHistory();

    AppContext &m_context;
    OsInfo &m_osInfo;

public:
    QTabWidget *PageControl2 = nullptr;
    QWidget *tbAllgemeines = nullptr;
    QWidget *tbHistorie = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *lblV = nullptr;
    QLabel *lblVersion = nullptr;
    QToolButton *sbtnCopyright = nullptr;
    QWidget *Panel3 = nullptr;
    QLabel *lblOS = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label10 = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *Label11 = nullptr;
    QLabel *lblMemory = nullptr;
    QLabel *lblMemoryAvail = nullptr;
    QLabel *lblPageMemory = nullptr;
    QLabel *lblPageMemoryAvail = nullptr;
    QTextEdit *rtfHistorie = nullptr;
    QPushButton *BitBtnSys = nullptr;
    QPushButton *BitBtnOK = nullptr;
};

// A memory figure as the window shows it: kilobytes, rounded, German grouping ("65.536 KB").
QString memoryKB(uint64_t bytes);
