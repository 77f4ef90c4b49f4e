#include "gui/app/Info_Unit.h"

#include "gui/app/AppContext.h"
#include "gui/support/DesignSize.h"
#include "gui/support/Dialogs.h"
#include "gui/support/HandlerGuard.h"
#include "gui/support/LaunchFailureMessage.h"
#include "gui/support/Pictures.h"
#include "gui/support/ResultLabel.h"
#include "gui/support/ScreenFit.h"
#include "gui/support/ShellErrorMessage.h"
#include "logic/common/CodePage.h"
#include "logic/common/FileOpenError.h"
#include "logic/common/Global_Unit.h"
#include "logic/common/Numbers.h"
#include "logic/common/QuarvelError.h"
#include "platform/Launcher.h"
#include "platform/OsInfo.h"
#include "platform/SystemInfo.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStringDecoder>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

const QString TfrmInfo::kWebSite = QStringLiteral("https://www.quarvel.de/");

namespace {

template<typename T> T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel *valueLabel(const char *name, QWidget *parent)
{
    auto *label = named(new QLabel(parent), name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ResultLabel::makeCopyable(label);
    return label;
}

// The history file is ours and UTF-8; a file saved by an old editor in the Windows code page
// is read as that rather than shown with broken umlauts.
QString decodeHistory(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return CodePage::fromAnsi(bytes);
}

} // namespace

QString memoryKB(uint64_t bytes)
{
    return Numbers::formatGrouped(static_cast<long double>(bytes) / 1024.0L) +
        QStringLiteral(" KB");
}

TfrmInfo::TfrmInfo(AppContext &context, OsInfo *osInfo, QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
    , m_context(context)
    , m_osInfo(osInfo ? *osInfo : OsInfo::system())
{
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(QStringLiteral("Information"));
    setFixedSize(DesignSize::size(this, 572, 537));

    PageControl2 = named(new QTabWidget(this), "PageControl2");
    tbAllgemeines = createGeneralPage();
    PageControl2->addTab(tbAllgemeines, QStringLiteral("Allgemeines"));
    tbHistorie = named(new QWidget, "tbHistorie");
    rtfHistorie = named(new QTextEdit(tbHistorie), "rtfHistorie");
    rtfHistorie->setReadOnly(true);
    rtfHistorie->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    rtfHistorie->setPlainText(QStringLiteral("rtfHistorie"));
    (new QVBoxLayout(tbHistorie))->addWidget(rtfHistorie);
    PageControl2->addTab(tbHistorie, QStringLiteral("Historie"));

    BitBtnSys = named(new QPushButton(QStringLiteral("&SystemInfo..."), this), "BitBtnSys");
    BitBtnOK = named(new QPushButton(QStringLiteral("&OK"), this), "BitBtnOK");
    BitBtnOK->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BitBtnSys);
    buttons->addStretch();
    buttons->addWidget(BitBtnOK);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PageControl2);
    layout->addLayout(buttons);

    connect(BitBtnOK, &QPushButton::clicked, this, [this] { BitBtnOKClick(); });
    connect(BitBtnSys, &QPushButton::clicked, this, [this] { BitBtnSysClick(); });
    connect(sbtnCopyright, &QToolButton::clicked, this, [this] { shellExecClick(); });

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    ScreenFit::keepOnScreen(this);
    FormCreate();
}

QWidget *TfrmInfo::createGeneralPage()
{
    auto *page = named(new QWidget, "tbAllgemeines");
    Image1 = named(new QLabel(page), "Image1");
    Image1->setPixmap(Pictures::compassRose(QSize(200, 150)));
    Image1->setScaledContents(true);
    Image1->setFixedSize(DesignSize::size(this, 200, 150));
    Label2 = named(new QLabel(QStringLiteral("Quarvel"), page), "Label2");
    QFont title(QStringLiteral("Arial"), 28, QFont::Bold);
    title.setStyleHint(QFont::SansSerif);
    Label2->setFont(title);
    Label4 = named(new QLabel(QStringLiteral("Das kleine Werkzeug für große Cacher-Rätsel"), page),
                   "Label4");
    Label4->setWordWrap(true);
    lblV = named(new QLabel(QStringLiteral("Version:"), page), "lblV");
    lblVersion = named(new QLabel(page), "lblVersion");
    ResultLabel::makeCopyable(lblVersion);
    sbtnCopyright = named(new QToolButton(page), "sbtnCopyright");
    sbtnCopyright->setAutoRaise(true);
    sbtnCopyright->setCursor(Qt::PointingHandCursor);

    auto *heading = new QGridLayout;
    heading->addWidget(Label2, 0, 0, 1, 2);
    heading->addWidget(Label4, 1, 0, 1, 2);
    heading->addWidget(lblV, 2, 0);
    heading->addWidget(lblVersion, 2, 1);
    heading->addWidget(sbtnCopyright, 3, 0, 1, 2, Qt::AlignLeft);
    heading->setColumnStretch(1, 1);
    heading->setRowStretch(4, 1);
    auto *top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addSpacing(16);
    top->addLayout(heading, 1);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addStretch();
    layout->addWidget(createMemoryPanel());
    return page;
}

QWidget *TfrmInfo::createMemoryPanel()
{
    Panel3 = named(new QWidget, "Panel3");
    Panel3->setAutoFillBackground(true);
    QPalette palette = Panel3->palette();
    palette.setColor(QPalette::Window, QColor(224, 223, 227));
    Panel3->setPalette(palette);
    lblOS = named(new QLabel(Panel3), "lblOS");
    lblOS->setWordWrap(true);
    ResultLabel::makeCopyable(lblOS);
    Label8 = named(new QLabel(QStringLiteral("Phys. Windows - Speicher:"), Panel3), "Label8");
    Label10 =
        named(new QLabel(QStringLiteral("Verfügb. Phys.  Windows - Speicher:"), Panel3), "Label10");
    Label9 = named(new QLabel(QStringLiteral("Auslagerungsspeicher:"), Panel3), "Label9");
    Label11 =
        named(new QLabel(QStringLiteral("Verfügbarer Auslagerungsspeicher:"), Panel3), "Label11");
    lblMemory = valueLabel("lblMemory", Panel3);
    lblMemoryAvail = valueLabel("lblMemoryAvail", Panel3);
    lblPageMemory = valueLabel("lblPageMemory", Panel3);
    lblPageMemoryAvail = valueLabel("lblPageMemoryAvail", Panel3);
    auto *grid = new QGridLayout(Panel3);
    grid->addWidget(lblOS, 0, 0, 1, 2);
    const std::pair<QLabel *, QLabel *> rows[] = {{Label8, lblMemory},
                                                  {Label10, lblMemoryAvail},
                                                  {Label9, lblPageMemory},
                                                  {Label11, lblPageMemoryAvail}};
    int row = 1;
    for (const auto &[caption, value] : rows) {
        grid->addWidget(caption, row, 0);
        grid->addWidget(value, row, 1);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    return Panel3;
}

void TfrmInfo::FormCreate()
{
    sbtnCopyright->setText(QStringLiteral("© Brask · www.quarvel.de"));
    sbtnCopyright->setToolTip(kWebSite);
    guarded(m_context.dialogs, this, [this] { loadHistory(); });
}

void TfrmInfo::loadHistory()
{
    const QString path = m_context.globals.ExePfad + QStringLiteral("Historie.txt");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw QuarvelError(cannotOpenFileText(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw QuarvelError(cannotOpenFileText(path, file.errorString()));
    const QString text = decodeHistory(bytes);
    if (Qt::mightBeRichText(text))
        rtfHistorie->setHtml(text);
    else
        rtfHistorie->setPlainText(text);
}

bool TfrmInfo::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(event);
}

void TfrmInfo::FormActivate()
{
    guarded(m_context.dialogs, this, [this] {
        FileVersion version;
        SystemInfo::FileVersionOf(QCoreApplication::applicationFilePath(), version);
        lblVersion->setText(versionText(version));
        PageControl2->setCurrentWidget(tbAllgemeines);
        lblOS->setText(WindowsVersionText(m_osInfo.versionRecord(), true, true, true, false));
        const MemoryStatus memory = m_osInfo.memoryStatus();
        lblMemory->setText(memoryKB(memory.totalPhys));
        lblMemoryAvail->setText(memoryKB(memory.availPhys));
        lblPageMemory->setText(memoryKB(memory.totalPageFile));
        lblPageMemoryAvail->setText(memoryKB(memory.availPageFile));
    });
}

void TfrmInfo::BitBtnOKClick()
{
    guarded(m_context.dialogs, this, [this] { close(); });
}

void TfrmInfo::BitBtnSysClick()
{
    guarded(m_context.dialogs, this, [this] {
        const QString program = QStringLiteral("MSInfo32.exe");
        const int result = m_context.launcher.open(program, QString(), QString());
        reportLaunchFailure(m_context.dialogs, this, program, result);
    });
}

void TfrmInfo::shellExecClick()
{
    guarded(m_context.dialogs, this, [this] {
        const int result = m_context.launcher.open(kWebSite, QString(), QString());
        ShellErrorMessage(m_context.dialogs, this, result);
        BitBtnOK->setFocus();
    });
}
