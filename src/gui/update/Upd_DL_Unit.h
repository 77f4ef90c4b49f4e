#pragma once

#include "logic/common/SafeWrite.h"
#include "logic/update/Downloader.h"

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
    // A download that brings less than `bytesPerSecond` over `windowMs` gives up (1 KB/s over
    // 30 s).
    void setMinimumRate(qint64 bytesPerSecond, int windowMs)
    {
        m_minBytesPerSecond = bytesPerSecond;
        m_rateWindowMs = windowMs;
    }
    // Where the downloaded program is written; tests hand in a device that fails.
    void setWriteTarget(WriteTarget target) { m_writeTarget = std::move(target); }
    bool downloading() const { return m_downloading; }

    QFrame *Panel1 = nullptr;
    QLabel *lbllocalVersion = nullptr;
    QLabel *lblVersion = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
    QPushButton *bbtnUpdate = nullptr;
    QPushButton *bbtnDownload = nullptr;
    QToolButton *sbtnExit = nullptr;
    // Shown only while a download runs: stops it and removes what had arrived.
    QPushButton *btnAbbrechen = nullptr;

    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void FormActivate();
    void placeInMainWindow();
    void bbtnUpdateClick(QAbstractButton *sender);
    // False when the user cancelled it; throws when it failed.
    bool download(const QString &address, const QString &target);
    Downloader::Request downloadRequest(const QString &address);
    void btnAbbrechenClick();
    void showProgress(qint64 done, qint64 total);
    void startUpdate(const QString &file);
    void pause(int ms);

    AppContext &m_context;
    QWidget *m_mainWindow;
    int m_pauseMs = 2000;
    qint64 m_minBytesPerSecond = 1024;
    int m_rateWindowMs = 30000;
    WriteTarget m_writeTarget = saveFileTarget();
    bool m_downloading = false;
    bool m_cancelRequested = false;
};

// The user's Desktop folder; the home folder where there is none.
QString DesktopPfad();
