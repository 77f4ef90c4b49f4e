#include "gui/update/Upd_DL_Unit.h"
#include "gui/support/WidgetStyle.h"

#include "gui/app/AppContext.h"
#include "gui/app/Main_Unit.h"
#include "gui/support/BrowseForFolder.h"
#include "gui/support/DesignSize.h"
#include "gui/support/HandlerGuard.h"
#include "logic/common/Global_Unit.h"
#include "logic/common/HelpTopics.h"
#include "logic/common/QuarvelError.h"
#include "logic/update/Downloader.h"
#include "logic/update/VersionCheck.h"
#include "platform/Launcher.h"

#include <QCloseEvent>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QShortcut>
#include <QStandardPaths>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kMargin = 10; // inside the main window's bottom right corner
// Far above any update program; a server sending more is not sending one.
constexpr qint64 kMaxProgramBytes = qint64(512) << 20;

// Keeps the window's buttons disabled while a download blocks it, and restores them after.
class ButtonsDisabled
{
public:
    explicit ButtonsDisabled(std::initializer_list<QWidget *> buttons)
    {
        for (QWidget *button : buttons) {
            m_states.append({button, button->isEnabled()});
            button->setEnabled(false);
        }
    }
    ~ButtonsDisabled()
    {
        for (const auto &[button, enabled] : m_states)
            button->setEnabled(enabled);
    }

private:
    QList<QPair<QWidget *, bool>> m_states;
};

} // namespace

QString DesktopPfad()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return QFileInfo(desktop).isDir() ? desktop : QDir::homePath();
}

TfrmUpdDL::TfrmUpdDL(AppContext &context, QWidget *mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint)
    , m_context(context)
    , m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("frmUpdDL"));
    setWindowTitle(QStringLiteral("Update"));
    setWindowModality(Qt::ApplicationModal);
    createControls();
    connect(bbtnUpdate, &QPushButton::clicked, this, [this] { bbtnUpdateClick(bbtnUpdate); });
    connect(bbtnDownload, &QPushButton::clicked, this, [this] { bbtnUpdateClick(bbtnDownload); });
    connect(sbtnExit, &QToolButton::clicked, this, [this] { close(); });
    // The window is modal, so the main window's F1 does not reach it: it opens its page itself.
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, [this] {
        guarded(m_context.dialogs, this, [this] {
            if (auto *main = dynamic_cast<TfrmQuarvelMain *>(m_mainWindow))
                main->openHelp(Help::pageFor(objectName()));
        });
    });
    connect(btnAbbrechen, &QPushButton::clicked, this, [this] { btnAbbrechenClick(); });
    placeInMainWindow();
}

void TfrmUpdDL::createControls()
{
    setFixedSize(DesignSize::size(this, 360, 150));
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(Panel1);

    lbllocalVersion = new QLabel(Panel1);
    lbllocalVersion->setObjectName(QStringLiteral("lbllocalVersion"));
    lblVersion = new QLabel(Panel1);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    QFont bold = lblVersion->font();
    bold.setBold(true);
    lblVersion->setFont(bold);
    ProgressBar1 = new QProgressBar(Panel1);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setValue(0);
    bbtnUpdate = new QPushButton(QStringLiteral("Update"), Panel1);
    bbtnUpdate->setObjectName(QStringLiteral("bbtnUpdate"));
    bbtnDownload = new QPushButton(QStringLiteral("Download"), Panel1);
    bbtnDownload->setObjectName(QStringLiteral("bbtnDownload"));
    setPaletteColour(bbtnDownload, QPalette::ButtonText, QColor(255, 0, 0));
    // A download starts only by a click, never by the Enter key.
    for (QPushButton *button : {bbtnUpdate, bbtnDownload})
        button->setAutoDefault(false);
    sbtnExit = new QToolButton(Panel1);
    sbtnExit->setObjectName(QStringLiteral("sbtnExit"));
    sbtnExit->setText(QStringLiteral("X"));
    sbtnExit->setAutoRaise(true);
    sbtnExit->setFixedSize(DesignSize::size(this, 20, 20));
    btnAbbrechen = new QPushButton(QStringLiteral("Abbrechen"), Panel1);
    btnAbbrechen->setObjectName(QStringLiteral("btnAbbrechen"));
    btnAbbrechen->setAutoDefault(false);
    btnAbbrechen->hide();

    auto *grid = new QGridLayout(Panel1);
    const auto d = [this](int designed) { return DesignSize::px(this, designed); };
    grid->setContentsMargins(d(12), d(6), d(6), d(12));
    grid->addWidget(lbllocalVersion, 0, 0, 1, 2);
    grid->addWidget(sbtnExit, 0, 2, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(lblVersion, 1, 0, 1, 3);
    grid->addWidget(ProgressBar1, 2, 0, 1, 3);
    grid->addWidget(bbtnUpdate, 3, 0);
    grid->addWidget(bbtnDownload, 3, 1);
    grid->addWidget(btnAbbrechen, 3, 2, Qt::AlignRight);
    grid->setColumnStretch(2, 1);
}

void TfrmUpdDL::showEvent(QShowEvent *event)
{
    FormActivate();
    QDialog::showEvent(event);
}

void TfrmUpdDL::placeInMainWindow()
{
    if (!m_mainWindow)
        return;
    const QRect main = m_mainWindow->frameGeometry();
    const int margin = DesignSize::px(this, kMargin);
    move(main.left() + main.width() - width() - margin,
         main.top() + main.height() - height() - margin);
}

void TfrmUpdDL::FormActivate()
{
    guarded(m_context.dialogs, this, [this] {
        placeInMainWindow();
        const Globals &globals = m_context.globals;
        bbtnUpdate->setEnabled(false);
        lbllocalVersion->setText(QStringLiteral("Programmversion: ") + globals.LokaleVersion);
        const QString &word = globals.VersionsVergleich;
        QString text;
        QColor colour;
        // Without a server there is nothing to fetch either.
        const bool server = VersionCheck::serverConfigured(globals.UpdateServer);
        bbtnDownload->setEnabled(server);
        if (!server) {
            text = QString::fromUtf16(VersionCheck::NichtEingerichtet);
            colour = QColor(128, 128, 128);
        } else if (word == QString::fromUtf16(VersionCheck::Gleich)) {
            text = QStringLiteral("Ihre Version ") + globals.ServerVersion +
                QStringLiteral(" ist aktuell !");
            colour = QColor(0, 128, 0);
        } else if (word == QString::fromUtf16(VersionCheck::Groesser)) {
            text = QStringLiteral("Version ") + globals.ServerVersion +
                QStringLiteral(" ist verfügbar !!!");
            colour = QColor(255, 0, 0);
            bbtnUpdate->setEnabled(true);
        } else if (word == QString::fromUtf16(VersionCheck::Kleiner)) {
            text = QStringLiteral("Ihre Version ist neuer als die auf dem Server !");
            colour = QColor(255, 128, 64);
        } else if (word == QString::fromUtf16(VersionCheck::Nil)) {
            text = QStringLiteral("Keine Verbindung zum Server !");
            colour = QColor(255, 0, 0);
        } else {
            return; // no verdict yet: the line stays as it is
        }
        lblVersion->setText(text);
        setPaletteColour(lblVersion, QPalette::WindowText, colour);
    });
}

void TfrmUpdDL::bbtnUpdateClick(QAbstractButton *sender)
{
    guarded(m_context.dialogs, this, [&] {
        const Globals &globals = m_context.globals;
        const QString UpdateDatei = VersionCheck::updateFileName(globals.ServerVersion);
        const QString address = VersionCheck::updateAddress(globals.UpdateServer, UpdateDatei);
        if (sender == bbtnUpdate) {
            const QString UpdateZiel = globals.TempPfad + UpdateDatei;
            if (!download(address, UpdateZiel))
                return; // cancelled: the window stays for another try
            startUpdate(UpdateZiel);
        } else {
            QString folder = DesktopPfad();
            BrowseForFolder(m_context.dialogs, this,
                            QStringLiteral("Bitte wählen Sie einen Zielordner aus: "), folder);
            if (!download(address, folder + u'/' + UpdateDatei))
                return;
        }
        close();
    });
}

Downloader::Request TfrmUpdDL::downloadRequest(const QString &address)
{
    Downloader::Request request;
    request.url = QUrl(address);
    request.maxBytes = kMaxProgramBytes;
    request.progress = [this](qint64 done, qint64 total) { showProgress(done, total); };
    request.minBytesPerSecond = m_minBytesPerSecond;
    request.rateWindowMs = m_rateWindowMs;
    request.cancelled = [this] { return m_cancelRequested; };
    return request;
}

bool TfrmUpdDL::download(const QString &address, const QString &target)
{
    ButtonsDisabled blocked {bbtnUpdate, bbtnDownload, sbtnExit};
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    m_cancelRequested = false;
    m_downloading = true;
    btnAbbrechen->show();
    const Downloader::Request request = downloadRequest(address);
    bool transferFailed = !m_context.downloader;
    // Written beside the target and put in its place only when complete, so a failed or
    // cancelled download leaves neither a partial file nor a damaged older one.
    const QString failure = transferFailed
        ? QString()
        : writeFileSafely(
              target,
              [&](QIODevice &file) {
                  if (m_context.downloader->DownloadToFile(request, file))
                      return true;
                  const auto *device = qobject_cast<QFileDevice *>(&file);
                  transferFailed = !device || device->error() == QFileDevice::NoError;
                  return false;
              },
              m_writeTarget);
    btnAbbrechen->hide();
    m_downloading = false;
    if (m_cancelRequested) {
        ProgressBar1->setValue(0);
        return false;
    }
    ProgressBar1->setRange(0, std::max(1, ProgressBar1->maximum()));
    ProgressBar1->setValue(ProgressBar1->maximum());
    pause(m_pauseMs);
    // What arrived and could not be stored names the file and the reason; a transfer that
    // failed names the address.
    if (transferFailed)
        throw QuarvelError(QStringLiteral("Fehler beim Download von URL: ") + address);
    if (!failure.isEmpty())
        throw QuarvelError(failure);
    return true;
}

void TfrmUpdDL::btnAbbrechenClick()
{
    m_cancelRequested = true;
}

void TfrmUpdDL::reject()
{
    // Escape while a download runs cancels it; the window stays.
    if (m_downloading)
        btnAbbrechenClick();
    else
        QDialog::reject();
}

void TfrmUpdDL::closeEvent(QCloseEvent *event)
{
    if (m_downloading) {
        btnAbbrechenClick();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TfrmUpdDL::showProgress(qint64 done, qint64 total)
{
    if (total <= 0)
        return; // length unknown: the bar waits for the end
    // The bar counts in int; the download is bounded far below its range.
    ProgressBar1->setRange(0, int(std::min<qint64>(total, kMaxProgramBytes)));
    ProgressBar1->setValue(int(std::min(done, total)));
}

void TfrmUpdDL::startUpdate(const QString &file)
{
    QFile::setPermissions(file, QFile::permissions(file) | QFile::ExeOwner | QFile::ExeUser);
    // The file stays while the started program runs; removing it at once could pull it away
    // before the program (or its interpreter) has opened it. Only a file that could not be
    // started is removed again.
    if (m_context.launcher.open(file, QString(), QString()) <= 32)
        QFile::remove(file);
}

void TfrmUpdDL::pause(int ms)
{
    if (ms <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}
