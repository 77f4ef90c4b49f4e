#pragma once

#include <QDialog>

class QAbstractButton;
class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QToolButton;
struct AppContext;

// The small borderless window that offers a newer program version: it shows the program's own
// version and the verdict of the last update check, and downloads the update program either into
// the temporary folder and starts it ("Update") or into a folder the user chooses ("Download").
// It sits in the bottom right corner of the main window and starts no check of its own.
class TfrmUpdDL : public QDialog
{
public:
    TfrmUpdDL(AppContext &context, QWidget *mainWindow);

    // The pause after a download, so the user sees the full bar (2 s).
    void setPauseAfterDownload(int ms) { m_pauseMs = ms; }

    QFrame *Panel1 = nullptr;
    QLabel *lbllocalVersion = nullptr;
    QLabel *lblVersion = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QPushButton *bbtnUpdate = nullptr;
    QPushButton *bbtnDownload = nullptr;
    QToolButton *sbtnExit = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    void FormActivate();
    void placeInMainWindow();
    void bbtnUpdateClick(QAbstractButton *sender);
    void download(const QString &address, const QString &target);
    void showProgress(qint64 done, qint64 total);
    void startUpdate(const QString &file);
    void pause(int ms);

    AppContext &m_context;
    QWidget *m_mainWindow;
    int m_pauseMs = 2000;
};

// The user's Desktop folder; the home folder where there is none.
QString DesktopPfad();
