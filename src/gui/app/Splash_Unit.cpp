#include "gui/app/Splash_Unit.h"

#include "gui/support/DesignSize.h"
#include "gui/support/Pictures.h"
#include "gui/support/ScreenFit.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

TfrmSplash::TfrmSplash(const QString &lokaleVersion, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowOpacity(200.0 / 255.0);
    setFixedSize(DesignSize::size(this, 620, 373));

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    Label1 = new QLabel(QStringLiteral("QUARVEL"), GroupBox1);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont title(QStringLiteral("DejaVu Serif"), 40, QFont::Bold);
    title.setStyleHint(QFont::Serif);
    Label1->setFont(title);
    Label1->setStyleSheet(QStringLiteral("color: rgb(128, 0, 128);"));
    Label2 = new QLabel(QStringLiteral("Version:"), GroupBox1);
    Label2->setObjectName(QStringLiteral("Label2"));
    lblVersion = new QLabel(lokaleVersion, GroupBox1);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    Image1 = new QLabel(GroupBox1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(Pictures::compassRose(QSize(300, 230)));
    Image1->setScaledContents(true);
    lblMeldung = new QLabel(QStringLiteral("Initializing..."), GroupBox1);
    lblMeldung->setObjectName(QStringLiteral("lblMeldung"));
    lblMeldung->setStyleSheet(QStringLiteral("color: rgb(0, 128, 0);"));

    auto *grid = new QGridLayout(GroupBox1);
    grid->addWidget(Label1, 0, 0, 1, 2);
    grid->addWidget(Image1, 1, 0, 1, 2);
    grid->addWidget(Label2, 2, 0);
    grid->addWidget(lblVersion, 2, 1);
    grid->addWidget(lblMeldung, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    auto *outer = new QGridLayout(this);
    outer->addWidget(GroupBox1);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    ScreenFit::keepOnScreen(this);

    tmrMinTiming = new QTimer(this);
    tmrMinTiming->setObjectName(QStringLiteral("tmrMinTiming"));
    tmrMinTiming->setInterval(3000);
    connect(tmrMinTiming, &QTimer::timeout, this, [this] { tmrMinTimingTimer(); });
    tmrMinTiming->start();
}

void TfrmSplash::setInitializationDone(bool done)
{
    m_initializationDone = done;
    close();
}

void TfrmSplash::tmrMinTimingTimer()
{
    tmrMinTiming->stop();
    close();
}

void TfrmSplash::closeEvent(QCloseEvent *event)
{
    if (closeAllowed(tmrMinTiming->isActive(), m_initializationDone))
        event->accept();
    else
        event->ignore();
}
