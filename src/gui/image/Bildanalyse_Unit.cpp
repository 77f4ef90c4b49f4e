#include "gui/image/Bildanalyse_Unit.h"

#include "gui/app/AppContext.h"
#include "gui/image/HexModel.h"
#include "gui/image/ItemViewCopy.h"
#include "gui/image/LsbPage.h"
#include "gui/image/PictureView.h"
#include "gui/image/ReportTabs.h"
#include "gui/map/Karte_Unit.h"
#include "gui/support/HandlerGuard.h"
#include "image/ImageDecode.h"
#include "logic/map/MapShapes.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace {

template<typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The zoom levels offered; 0 fits the picture into the window.
constexpr double kZooms[] = {0.0, 0.125, 0.25, 0.5, 1.0, 2.0, 4.0, 8.0, 16.0};

QString zoomCaption(double zoom)
{
    return zoom <= 0 ? QStringLiteral("Einpassen") : QStringLiteral("%1 %").arg(zoom * 100);
}

QString pictureFilter()
{
    return QStringLiteral("Bilder (*.jpg *.jpeg *.png *.gif *.bmp *.webp *.tif *.tiff);;"
                          "Alle Dateien (*)");
}

// The first local file of a drop, empty if there is none.
QString droppedFile(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls())
        return {};
    for (const QUrl &url : mime->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return {};
}

} // namespace

TfrmBildanalyse::TfrmBildanalyse(AppContext &context, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmBildanalyse"));
    setWindowTitle(QStringLiteral("Bildanalyse"));
    setAcceptDrops(true);
    createControls();
    connectControls();
    // As large as a laptop screen allows, with room for the frame and the panel.
    const QSize room = screen()->availableGeometry().size() - QSize(40, 60);
    resize(QSize(1200, 700).boundedTo(room));
}

TfrmBildanalyse::~TfrmBildanalyse() = default;

void TfrmBildanalyse::createControls()
{
    btnOeffnen = named(new QPushButton(QStringLiteral("Bild ö&ffnen ..."), this), "btnOeffnen");
    lblDatei = named(new QLabel(QStringLiteral("Kein Bild geöffnet – öffnen Sie eines oder ziehen "
                                               "Sie es auf dieses Fenster."),
                                this),
                     "lblDatei");
    lblDatei->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cboxZoom = named(new QComboBox(this), "cboxZoom");
    for (double zoom : kZooms)
        cboxZoom->addItem(zoomCaption(zoom), zoom);
    lblPixel = named(new QLabel(this), "lblPixel");
    lblPixel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *top = new QHBoxLayout;
    top->addWidget(btnOeffnen);
    top->addWidget(lblDatei, 1);
    auto *zoomCaptionLabel = new QLabel(QStringLiteral("&Zoom:"), this);
    zoomCaptionLabel->setBuddy(cboxZoom);
    top->addWidget(zoomCaptionLabel);
    top->addWidget(cboxZoom);

    pnlAnsicht = named(new ViewChooser(this), "pnlAnsicht");
    imgBild = named(new PictureView(this), "imgBild");
    auto *left = new QWidget(this);
    auto *leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(pnlAnsicht);
    leftLayout->addWidget(imgBild, 1);
    leftLayout->addWidget(lblPixel);

    pcSeiten = named(new QTabWidget(this), "pcSeiten");
    pcBericht = new ReportTabs(m_context.dialogs, pcSeiten);
    tsLsb = named(new LsbPage(pcSeiten), "tsLsb");
    pcSeiten->addTab(pcBericht, QStringLiteral("Bericht"));
    pcSeiten->addTab(tsLsb, QStringLiteral("LSB"));
    pcSeiten->addTab(createHexPage(), QStringLiteral("Hex"));

    auto *split = new QSplitter(this);
    split->addWidget(left);
    split->addWidget(pcSeiten);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    lblStatus = named(new QLabel(this), "lblStatus");
    lblStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblStatus->setWordWrap(true);
    btnSchliessen = named(new QPushButton(QStringLiteral("Schließen"), this), "btnSchliessen");
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lblStatus, 1);
    bottom->addWidget(btnSchliessen);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split, 1);
    layout->addLayout(bottom);
}

QWidget *TfrmBildanalyse::createHexPage()
{
    hexModel = new HexModel(this);
    tblHex = named(new QTableView(this), "tblHex");
    tblHex->setModel(hexModel);
    tblHex->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    tblHex->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblHex->setWordWrap(false);
    // Fixed row heights: the view never measures millions of rows.
    QHeaderView *rows = tblHex->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(tblHex->fontMetrics().height() + 4);
    QHeaderView *columns = tblHex->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Fixed);
    const int digit = tblHex->fontMetrics().horizontalAdvance(u'0');
    tblHex->setColumnWidth(HexModel::OffsetColumn, digit * 10);
    tblHex->setColumnWidth(HexModel::HexColumn, digit * 51);
    columns->setStretchLastSection(true);
    ItemViewCopy::install(tblHex, m_context.dialogs);
    return tblHex;
}

void TfrmBildanalyse::connectControls()
{
    const auto handler = [this](void (TfrmBildanalyse::*method)()) {
        return [this, method] { guarded(m_context.dialogs, this, [&] { (this->*method)(); }); };
    };
    connect(btnOeffnen, &QPushButton::clicked, this, handler(&TfrmBildanalyse::btnOeffnenClick));
    connect(btnSchliessen, &QPushButton::clicked, this, &QWidget::close);
    connect(cboxZoom, &QComboBox::currentIndexChanged, this,
            handler(&TfrmBildanalyse::cboxZoomChange));
    connect(tsLsb->btnLsbLesen, &QPushButton::clicked, this,
            [this] { guarded(m_context.dialogs, this, [this] { tsLsb->extract(); }); });
    pnlAnsicht->onChanged = handler(&TfrmBildanalyse::updateView);
    pnlAnsicht->onSecondPictureWanted = handler(&TfrmBildanalyse::btnZweitesBildClick);
    imgBild->onPixelHovered = [this](QPoint pixel) { showPixel(pixel); };
    imgBild->onPixelClicked = [this](QPoint pixel) { pickColour(pixel); };
    imgBild->onZoomWheel = [this](int steps) { zoomBy(steps); };
    pcBericht->onShowOnMap = [this](Geo::GeoPoint position) { showOnMap(position); };
}

TfrmBildanalyse::Loaded TfrmBildanalyse::load(const QString &path, bool withReport)
{
    Loaded loaded;
    loaded.path = path;
    try {
        const QFileInfo info(path);
        if (!info.exists())
            throw QuarvelError(QStringLiteral("Die Datei „%1“ gibt es nicht.").arg(path));
        if (!info.isFile())
            throw QuarvelError(QStringLiteral("„%1“ ist keine gewöhnliche Datei.").arg(path));
        if (const QString problem = ImageAnalysis::fileSizeProblem(info.size()); !problem.isEmpty())
            throw QuarvelError(problem);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            throw QuarvelError(QStringLiteral("Die Datei „%1“ lässt sich nicht lesen: %2")
                                   .arg(path, file.errorString()));
        }
        loaded.bytes = file.readAll();
        loaded.source.bild = ImageAnalysis::decodeImage(loaded.bytes);
    } catch (const QuarvelError &error) {
        loaded.error = error.message();
    }
    if (!withReport || loaded.bytes.isEmpty())
        return loaded;
    // A damaged picture may still hold readable metadata and appended data.
    try {
        loaded.report = ImageAnalysis::analyse(loaded.bytes);
        if (loaded.report.bilder > 1 && loaded.error.isEmpty()) {
            ImageAnalysis::Frames frames = ImageAnalysis::readFrames(loaded.bytes);
            loaded.source.einzelbilder = frames.bilder;
            loaded.frameProblem = frames.problem;
        }
    } catch (const QuarvelError &error) {
        loaded.report.probleme.prepend(error.message());
    }
    return loaded;
}

void TfrmBildanalyse::btnOeffnenClick()
{
    Dialogs::FileRequest request;
    request.title = QStringLiteral("Bild öffnen");
    request.directory = m_folder;
    request.filter = pictureFilter();
    const QString path = m_context.dialogs.openFileName(this, request);
    if (!path.isEmpty())
        openFile(path);
}

void TfrmBildanalyse::openFile(const QString &path)
{
    m_folder = QFileInfo(path).absolutePath();
    const int generation = ++m_generation;
    lblStatus->setText(
        QStringLiteral("„%1“ wird gelesen und untersucht ...").arg(QFileInfo(path).fileName()));
    m_job.start<Loaded>(
        this, [path](const std::atomic<bool> &) { return load(path, true); },
        [this, generation](const Loaded &loaded) {
            if (generation == m_generation)
                guarded(m_context.dialogs, this, [&] { received(loaded); });
        });
}

void TfrmBildanalyse::received(const Loaded &loaded)
{
    lblStatus->clear();
    if (!loaded.error.isEmpty() && loaded.bytes.isEmpty())
        throw QuarvelError(loaded.error);
    m_source = loaded.source;
    lblDatei->setText(QFileInfo(loaded.path).fileName());
    lblDatei->setToolTip(loaded.path);
    hexModel->setBytes(loaded.bytes);
    tsLsb->setImage(m_source.bild);
    pcBericht->setReport(loaded.report, loaded.bytes, m_source.bild);
    pnlAnsicht->setFrameCount(int(m_source.einzelbilder.size()));
    updateView();
    QStringList notes;
    if (!loaded.error.isEmpty())
        notes << loaded.error;
    if (!loaded.frameProblem.isEmpty())
        notes << loaded.frameProblem;
    if (!loaded.report.probleme.isEmpty())
        notes << QStringLiteral("Nicht alles ließ sich lesen (siehe Übersicht).");
    lblStatus->setText(notes.join(u' '));
    // A picture that cannot be decoded is shown in hex and in its report, and named as such.
    if (!loaded.error.isEmpty())
        throw QuarvelError(loaded.error);
}

void TfrmBildanalyse::btnZweitesBildClick()
{
    Dialogs::FileRequest request;
    request.title = QStringLiteral("Zweites Bild zum Vergleich öffnen");
    request.directory = m_folder;
    request.filter = pictureFilter();
    const QString path = m_context.dialogs.openFileName(this, request);
    if (!path.isEmpty())
        openSecondFile(path);
}

void TfrmBildanalyse::openSecondFile(const QString &path)
{
    m_secondJob.start<Loaded>(
        this, [path](const std::atomic<bool> &) { return load(path, false); },
        [this](const Loaded &loaded) {
            guarded(m_context.dialogs, this, [&] { receivedSecond(loaded); });
        });
}

void TfrmBildanalyse::receivedSecond(const Loaded &loaded)
{
    if (!loaded.error.isEmpty())
        throw QuarvelError(loaded.error);
    m_source.zweitesBild = loaded.source.bild;
    pnlAnsicht->btnZweitesBild->setToolTip(loaded.path);
    pnlAnsicht->setView(ViewChooser::Differenz);
    updateView();
}

void TfrmBildanalyse::updateView()
{
    if (m_source.bild.isNull()) {
        imgBild->setImage({});
        return;
    }
    m_shown = pnlAnsicht->render(m_source);
    imgBild->setImage(m_shown);
}

void TfrmBildanalyse::cboxZoomChange()
{
    imgBild->setZoom(cboxZoom->currentData().toDouble());
}

void TfrmBildanalyse::zoomBy(int steps)
{
    // From "Einpassen" the wheel starts at the listed zoom next to the fitted one.
    int index = cboxZoom->currentIndex();
    if (index == 0) {
        const double fitted = imgBild->shownZoom();
        index = 1;
        while (index + 1 < cboxZoom->count() && kZooms[index + 1] <= fitted)
            ++index;
    }
    cboxZoom->setCurrentIndex(qBound(1, index + steps, cboxZoom->count() - 1));
}

void TfrmBildanalyse::showPixel(QPoint pixel)
{
    if (pixel.x() < 0 || m_source.bild.isNull()) {
        lblPixel->clear();
        return;
    }
    const QRgb value = m_source.bild.pixel(pixel);
    lblPixel->setText(QStringLiteral("x %1, y %2: R %3 G %4 B %5 A %6 (#%7)")
                          .arg(pixel.x())
                          .arg(pixel.y())
                          .arg(qRed(value))
                          .arg(qGreen(value))
                          .arg(qBlue(value))
                          .arg(qAlpha(value))
                          .arg(QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0')).toUpper()));
}

void TfrmBildanalyse::pickColour(QPoint pixel)
{
    if (m_source.bild.isNull() || pnlAnsicht->view() != ViewChooser::FarbeIsolieren)
        return;
    pnlAnsicht->setColour(m_source.bild.pixel(pixel));
}

void TfrmBildanalyse::showOnMap(Geo::GeoPoint position)
{
    auto *karte = dynamic_cast<TfrmKarte *>(m_context.windows.karte.get());
    if (!karte)
        throw QuarvelError(QStringLiteral("Das Fenster „Karte“ steht nicht zur Verfügung."));
    Map::Layer layer;
    layer.name = QStringLiteral("Bildanalyse");
    layer.markers.append({position, lblDatei->text()});
    karte->showBildPosition(layer);
}

void TfrmBildanalyse::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TfrmBildanalyse::dropEvent(QDropEvent *event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openFile(path);
}
