#include "gui/app/Main_Unit.h"

#include "gui/app/AppContext.h"
#include "gui/app/FrontPageStack.h"
#include "gui/app/NavigatorNodes.h"
#include "gui/app/StatusBar1.h"
#include "gui/app/panels/ToolPanels.h"
#include "gui/app/panels/gboxChiffren.h"
#include "gui/app/panels/gboxKoordinaten.h"
#include "gui/calc/CalcNavigator.h"
#include "gui/support/DesignSize.h"
#include "gui/support/Dialogs.h"
#include "gui/support/HandlerGuard.h"
#include "gui/support/ScreenFit.h"
#include "logic/common/Global_Unit.h"
#include "logic/settings/LoadSaveSettings.h"
#include "logic/tools/Koordinaten_Unit.h"
#include "logic/update/VersionCheck.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// Designed sizes at 120 dpi (DesignSize turns them into the screen's pixels).
constexpr int kNavigatorMinWidth = 255;
constexpr int kDesignedNavigatorWidth = 255;
constexpr int kDesignedHeaderHeight = 145;
const QColor kHeaderColour(189, 2, 152);

// Node pictures: a group (closed folder, open when selected for most groups), the GPS tool and
// every other tool, each with its own picture for the selected state.
QIcon nodeIcon(QStyle *style, QStyle::StandardPixmap normal, QStyle::StandardPixmap selected)
{
    QIcon icon;
    const QSize size(16, 16);
    icon.addPixmap(style->standardIcon(normal).pixmap(size), QIcon::Normal);
    icon.addPixmap(style->standardIcon(selected).pixmap(size), QIcon::Selected);
    return icon;
}

QLabel *headerLabel(const char *name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(10);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kHeaderColour);
    label->setPalette(palette);
    return label;
}

} // namespace

TfrmQuarvelMain::TfrmQuarvelMain(AppContext &context, QWidget *parent)
    : QMainWindow(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmQuarvelMain"));
    setWindowTitle(QStringLiteral("Quarvel"));
    setMinimumSize(DesignSize::size(this, 1024, 800));
    move(0, 0);
    resize(DesignSize::size(this, 1103, 768));
    createActions();
    createMenus();
    createToolBar();
    createNavigator();
    createHeaderAndPanels();
    createStatusBar();
    connectLauncherActions();
    FormCreate();
    ScreenFit::keepOnScreen(this);
}

TfrmQuarvelMain::~TfrmQuarvelMain()
{
    freeKoordinaten();
}

void TfrmQuarvelMain::FormCreate()
{
    guarded(m_context.dialogs, this, [this] {
        loadSettings();
        lblOben->setText(m_context.globals.settings.HomeKoordinaten);
        lblOben2->clear();
        Panel2->setCurrentWidget(pnlLeer);
        DateTime_Timer->start();
        if (m_context.globals.settings.UpdateSuchen &&
            VersionCheck::serverConfigured(m_context.globals.UpdateServer))
            Update_Timer->start();
        m_koordinaten = std::make_unique<TKoordinaten>();
        shareKoordinaten();
    });
}

void TfrmQuarvelMain::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
    QApplication::quit();
}

void TfrmQuarvelMain::FormClose()
{
    guarded(m_context.dialogs, this, [this] {
        captureLayoutSettings();
        if (m_context.settingsStore)
            SaveSettings(*m_context.settingsStore, m_context.globals.settings);
    });
    freeKoordinaten();
}

void TfrmQuarvelMain::shareKoordinaten()
{
    if (auto *panel = dynamic_cast<gboxKoordinaten *>(toolPanel(QStringLiteral("gboxKoordinaten"))))
        panel->setKoordinaten(m_koordinaten.get());
}

void TfrmQuarvelMain::freeKoordinaten()
{
    // The panel lets go first, so no later focus change reads into a freed object.
    const std::unique_ptr<TKoordinaten> freed = std::move(m_koordinaten);
    shareKoordinaten();
}

void TfrmQuarvelMain::applyLayoutSettings()
{
    const Settings &s = m_context.globals.settings;
    if (s.Left && s.Top)
        move(*s.Left, *s.Top);
    if (s.Width && s.Height)
        resize(*s.Width, *s.Height);
    // Stored widths are the user's own pixels; only the designed ones follow the screen. The
    // header's default height counts as designed, since the store cannot tell it apart.
    const int navWidth =
        std::max(DesignSize::px(this, kNavigatorMinWidth),
                 s.NavFensterBreite.value_or(DesignSize::px(this, kDesignedNavigatorWidth)));
    const int headerHeight = s.HomeFensterHoehe == kDesignedHeaderHeight
        ? DesignSize::px(this, kDesignedHeaderHeight)
        : s.HomeFensterHoehe;
    SplitterNav->setSizes({navWidth, std::max(1, width() - navWidth)});
    SplitterHome->setSizes({headerHeight, std::max(1, height() - headerHeight)});
}

void TfrmQuarvelMain::captureLayoutSettings()
{
    Settings &s = m_context.globals.settings;
    // The position is the frame's, as move() takes it; the size is the client area's, as
    // resize() takes it: the frame belongs to the window manager, and storing its size would
    // grow the window by the frame on every start.
    const QRect frame = frameGeometry();
    s.Left = frame.left();
    s.Top = frame.top();
    s.Width = width();
    s.Height = height();
    s.NavFensterBreite = gboxNavigation->width();
    s.HomeFensterHoehe = gboxOben->height();
}

void TfrmQuarvelMain::createNavigator()
{
    gboxNavigation = new QGroupBox(QStringLiteral(" Navigation "));
    gboxNavigation->setObjectName(QStringLiteral("gboxNavigation"));
    gboxNavigation->setMinimumWidth(DesignSize::px(this, kNavigatorMinWidth));
    TreeView1 = new QTreeWidget(gboxNavigation);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setIndentation(DesignSize::px(this, 19));
    // Where Tahoma is missing its stand-in must be as narrow, or "Römische Zahlenkodierung"
    // does not fit the designed width; DejaVu Sans, the usual stand-in, is wider.
    QFont treeFont;
    treeFont.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans Condensed")});
    treeFont.setPointSize(9);
    TreeView1->setFont(treeFont);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto *layout = new QVBoxLayout(gboxNavigation);
    const int margin = DesignSize::px(this, 4);
    layout->setContentsMargins(margin, margin, margin, margin);
    // The filter narrows the tree to the tools whose name or explanation holds the typed text.
    edtFilter = new QLineEdit(gboxNavigation);
    edtFilter->setObjectName(QStringLiteral("edtFilter"));
    edtFilter->setPlaceholderText(QStringLiteral("Werkzeug suchen …"));
    edtFilter->setClearButtonEnabled(true);
    connect(edtFilter, &QLineEdit::textChanged, this,
            [this](const QString &text) { filterNavigator(*TreeView1, text); });
    layout->addWidget(edtFilter);
    layout->addWidget(TreeView1);

    QStyle *s = style();
    const QIcon groupIcon = nodeIcon(s, QStyle::SP_DirClosedIcon, QStyle::SP_DirOpenIcon);
    const QIcon flatGroupIcon = nodeIcon(s, QStyle::SP_DirClosedIcon, QStyle::SP_DirClosedIcon);
    const QIcon gpsIcon = nodeIcon(s, QStyle::SP_DriveNetIcon, QStyle::SP_ComputerIcon);
    const QIcon toolIcon = nodeIcon(s, QStyle::SP_FileIcon, QStyle::SP_FileDialogContentsView);
    for (const NavigatorGroup &group : navigatorTree()) {
        auto *groupItem = new QTreeWidgetItem(TreeView1, {group.text});
        const bool flat = group.text == u"Koordinaten" || group.text == u"Umrechnung";
        groupItem->setIcon(0, flat ? flatGroupIcon : groupIcon);
        for (const QString &toolText : group.tools) {
            auto *item = new QTreeWidgetItem(groupItem, {toolText});
            item->setIcon(0, toolText == u"GPS (WGS84)" ? gpsIcon : toolIcon);
            if (toolText == kDisabledNode) {
                item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
                item->setForeground(0, QColor(Qt::gray));
            }
        }
    }
    TreeView1->collapseAll();
    connect(TreeView1, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { TreeView1Change(current); });
    // A node that opens a window opens it again when clicked while it is chosen already.
    connect(TreeView1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        const NavigatorNode *node = findNavigatorNode(item->text(0));
        if (node && node->kind == NavigatorNode::Kind::Window && node->window &&
            item->text(0) == m_aktuellerKnoten)
            showSecondaryWindow(m_context.windows.*node->window);
    });
    // With many groups open the nodes outgrow the navigator's height; the scroll bar that then
    // appears must not cut the longest node off, so the navigator widens by what is missing.
    connect(TreeView1->verticalScrollBar(), &QScrollBar::rangeChanged, this, [this](int, int max) {
        if (max > 0)
            fitNavigatorToItsNodes();
    });
}

void TfrmQuarvelMain::fitNavigatorToItsNodes()
{
    const int scrollBar = TreeView1->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr,
                                                          TreeView1->verticalScrollBar());
    QStyleOptionViewItem option;
    option.initFrom(TreeView1);
    option.font = TreeView1->font();
    option.fontMetrics = TreeView1->fontMetrics();
    option.decorationSize = TreeView1->iconSize();
    option.widget = TreeView1;
    int widest = 0;
    const QAbstractItemModel *model = TreeView1->model();
    const std::function<void(const QModelIndex &)> visit = [&](const QModelIndex &parent) {
        for (int row = 0; row < model->rowCount(parent); ++row) {
            const QModelIndex index = model->index(row, 0, parent);
            const QRect rect = TreeView1->visualRect(index);
            if (rect.isValid())
                widest = std::max(widest,
                                  rect.left() +
                                      TreeView1->itemDelegate()->sizeHint(option, index).width());
            if (TreeView1->isExpanded(index))
                visit(index);
        }
    };
    visit(QModelIndex());
    const int needed = widest + scrollBar + 2 * TreeView1->frameWidth();
    const int missing = needed - TreeView1->width();
    QList<int> sizes = SplitterNav->sizes();
    if (missing <= 0 || sizes.size() < 2 || sizes[1] <= missing)
        return;
    sizes[0] += missing;
    sizes[1] -= missing;
    SplitterNav->setSizes(sizes);
}

void TfrmQuarvelMain::createHeaderAndPanels()
{
    auto *panel1 = new QWidget(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    SplitterNav = new QSplitter(Qt::Horizontal, panel1);
    SplitterNav->setObjectName(QStringLiteral("SplitterNav"));
    SplitterNav->setHandleWidth(DesignSize::px(this, 6));
    SplitterNav->setChildrenCollapsible(false);
    SplitterNav->addWidget(gboxNavigation);

    pnlBox = new QWidget;
    pnlBox->setObjectName(QStringLiteral("pnlBox"));
    SplitterHome = new QSplitter(Qt::Vertical, pnlBox);
    SplitterHome->setObjectName(QStringLiteral("SplitterHome"));
    SplitterHome->setHandleWidth(DesignSize::px(this, 7));
    SplitterHome->setChildrenCollapsible(false);

    gboxOben = new QGroupBox(QStringLiteral(" Home "));
    gboxOben->setObjectName(QStringLiteral("gboxOben"));
    lblOben = headerLabel("lblOben", gboxOben);
    lblOben2 = headerLabel("lblOben2", gboxOben);
    auto *headerLayout = new QVBoxLayout(gboxOben);
    headerLayout->addWidget(lblOben);
    headerLayout->addWidget(lblOben2);
    headerLayout->addStretch();

    Panel2 = new FrontPageStack;
    Panel2->setObjectName(QStringLiteral("Panel2"));
    pnlLeer = new QWidget;
    pnlLeer->setObjectName(QStringLiteral("pnlLeer"));
    Panel2->addWidget(pnlLeer);
    for (ToolPanel *panel : createToolPanels(m_context, *this, Panel2)) {
        Panel2->addWidget(panel);
        m_panels.insert(panel->objectName(), panel);
    }
    SplitterHome->addWidget(gboxOben);
    // A panel that cannot shrink to a small screen scrolls instead of being cut.
    SplitterHome->addWidget(ScreenFit::scrollWhenCramped(Panel2));
    SplitterHome->setStretchFactor(1, 1);
    auto *boxLayout = new QVBoxLayout(pnlBox);
    boxLayout->setContentsMargins(0, 0, 0, 0);
    boxLayout->addWidget(SplitterHome);

    SplitterNav->addWidget(pnlBox);
    SplitterNav->setStretchFactor(1, 1);
    auto *layout = new QVBoxLayout(panel1);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(SplitterNav);
    setCentralWidget(panel1);
}

void TfrmQuarvelMain::createStatusBar()
{
    statusBar1 =
        new StatusBar1([this](QPainter &painter, int panel,
                              const QRect &rect) { StatusBar1DrawPanel(painter, panel, rect); },
                       this);
    setStatusBar(statusBar1);
    DateTime_Timer = new QTimer(this);
    DateTime_Timer->setObjectName(QStringLiteral("DateTime_Timer"));
    DateTime_Timer->setInterval(1000);
    connect(DateTime_Timer, &QTimer::timeout, this, [this] { DateTime_TimerTimer(); });
    Update_Timer = new QTimer(this);
    Update_Timer->setObjectName(QStringLiteral("Update_Timer"));
    Update_Timer->setInterval(2000);
    Update_Timer->setSingleShot(true);
    connect(Update_Timer, &QTimer::timeout, this, [this] { Update_TimerTimer(); });
    tmrUpdDL = new QTimer(this);
    tmrUpdDL->setObjectName(QStringLiteral("tmrUpdDL"));
    tmrUpdDL->setInterval(1000);
    tmrUpdDL->setSingleShot(true);
    connect(tmrUpdDL, &QTimer::timeout, this, [this] { tmrUpdDLTimer(); });
}

void TfrmQuarvelMain::StatusBar1DrawPanel(QPainter &painter, int panel, const QRect &rect)
{
    const int indent = DesignSize::px(this, 10);
    const QPoint origin(rect.left() + indent, rect.top());
    const QRect textRect(origin, QSize(rect.width() - indent, rect.height()));
    if (panel == 0) {
        painter.setPen(QColor(0, 0, 255));
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop,
                         statusClockText(QDateTime::currentDateTime()));
    } else if (panel == 1) {
        const StatusVerdict verdict = statusVerdict(m_context.globals);
        if (verdict.text.isEmpty())
            return;
        QFont bold = painter.font();
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(verdict.colour);
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop, verdict.text);
    }
}

void TfrmQuarvelMain::DateTime_TimerTimer()
{
    statusBar1->setPanelText(
        0, QStringLiteral("  ") + statusClockText(QDateTime::currentDateTime()).mid(1));
}

void TfrmQuarvelMain::refreshStatusBar()
{
    statusBar1->update();
}

void TfrmQuarvelMain::setOben(const QString &text)
{
    lblOben->setText(text);
}

void TfrmQuarvelMain::setOben2(const QString &text)
{
    lblOben2->setText(text);
}

void TfrmQuarvelMain::ShowHome()
{
    gboxOben->setTitle(QStringLiteral(" Home "));
    Panel2->setCurrentWidget(pnlLeer);
    lblOben->setText(m_context.globals.settings.HomeKoordinaten);
    lblOben2->clear();
}

void TfrmQuarvelMain::OpenGroup(bool recursive)
{
    ShowHome();
    QTreeWidgetItem *item = TreeView1->currentItem();
    if (!item)
        return;
    if (recursive)
        TreeView1->expandRecursively(TreeView1->indexFromItem(item));
    else
        item->setExpanded(true);
}

void TfrmQuarvelMain::ShowToolPanel(ToolPanel *panel)
{
    Panel2->setCurrentWidget(panel);
    panel->setTitle(u' ' + m_aktuellerKnoten + u' ');
}

void TfrmQuarvelMain::ShowChart(const QString &fileName)
{
    gboxOben->setTitle(QStringLiteral(" Diagramme "));
    lblOben->setText(QStringLiteral("Verschiedene nützliche Diagramme"));
    lblOben2->clear();
    ToolPanel *panel = toolPanel(QStringLiteral("gboxDiagramm"));
    if (!panel)
        return;
    Panel2->setCurrentWidget(panel);
    panel->setTitle(u' ' + m_aktuellerKnoten + u' ');
    panel->showChart(m_context.globals.ExePfad + fileName);
}

void TfrmQuarvelMain::openCipher(const QString &cliName, const QHash<QString, QString> &values,
                                 const QString &cipherText)
{
    const QList<QTreeWidgetItem *> items = TreeView1->findItems(
        QStringLiteral("Weitere Chiffren"), Qt::MatchExactly | Qt::MatchRecursive);
    if (items.isEmpty())
        return;
    TreeView1->setCurrentItem(items.constFirst());
    if (auto *panel = dynamic_cast<gboxChiffren *>(toolPanel(QStringLiteral("gboxChiffren"))))
        panel->openCipher(cliName, values, cipherText);
    showNormal();
    raise();
    activateWindow();
}

void TfrmQuarvelMain::TreeView1Change(QTreeWidgetItem *current)
{
    guarded(m_context.dialogs, this, [&] {
        m_aktuellerKnoten = current ? current->text(0) : QString();
        if (m_ersterWechsel) {
            m_aktuellerKnoten.clear();
            m_ersterWechsel = false;
        }
        if (const NavigatorNode *node = findNavigatorNode(m_aktuellerKnoten))
            runNode(*node);
    });
}

void TfrmQuarvelMain::runNode(const NavigatorNode &node)
{
    using Kind = NavigatorNode::Kind;
    switch (node.kind) {
    case Kind::Group:
    case Kind::GroupRecursive:
        OpenGroup(node.kind == Kind::GroupRecursive);
        return;
    case Kind::Chart:
        ShowChart(node.chartFile);
        return;
    case Kind::Window:
        gboxOben->setTitle(node.caption);
        lblOben->setText(node.oben.value_or(QString()));
        lblOben2->setText(node.oben2.value_or(QString()));
        Panel2->setCurrentWidget(pnlLeer);
        if (node.window)
            showSecondaryWindow(m_context.windows.*node.window);
        return;
    case Kind::Tool:
        break;
    }
    gboxOben->setTitle(node.caption);
    if (node.oben)
        lblOben->setText(*node.oben);
    if (node.oben2)
        lblOben2->setText(*node.oben2);
    ToolPanel *panel = toolPanel(node.panel);
    if (!panel)
        return; // the tool's panel is not part of this build
    if (node.panelCaption) {
        Panel2->setCurrentWidget(panel);
        panel->setTitle(*node.panelCaption);
    } else {
        ShowToolPanel(panel);
    }
    panel->nodeChosen();
}
