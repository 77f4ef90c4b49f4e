#pragma once

#include "gui/image/ViewChooser.h"
#include "gui/map/BackgroundJob.h"
#include "image/ImageReport.h"
#include "logic/geo/GeoPoint.h"

#include <QWidget>

class HexModel;
class LsbPage;
class PictureView;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableView;
class ReportTabs;
struct AppContext;

// "Bildanalyse": open a puzzle picture once (dialog or drop) and see all it shows or hides. On
// the left the picture at a zoom in the view chosen above it (channels, bit planes, levels,
// inverted, one colour, frames, difference to a second picture); on the right the report in
// tabs, the low-bit reader and a hex listing of the file. Reading the file, decoding it and the
// analysis run on a thread of their own, so a 24-megapixel picture leaves the window working;
// a newer file replaces a run still going. Not modal; keeps its content while the program runs.
class TfrmBildanalyse : public QWidget
{
public:
    explicit TfrmBildanalyse(AppContext &context, QWidget *parent = nullptr);
    ~TfrmBildanalyse() override;

    // Starts reading `path`; the result arrives through the event loop (see loading()).
    void openFile(const QString &path);
    // Starts reading the second picture of the difference view.
    void openSecondFile(const QString &path);
    bool loading() const { return m_job.running() || m_secondJob.running(); }
    // Shows the current view of the picture again.
    void updateView();

    QPushButton *btnOeffnen = nullptr;
    QLabel *lblDatei = nullptr;
    QComboBox *cboxZoom = nullptr;
    QLabel *lblPixel = nullptr;
    ViewChooser *pnlAnsicht = nullptr;
    PictureView *imgBild = nullptr;
    QTabWidget *pcSeiten = nullptr;
    ReportTabs *pcBericht = nullptr;
    LsbPage *tsLsb = nullptr;
    QTableView *tblHex = nullptr;
    HexModel *hexModel = nullptr;
    QLabel *lblStatus = nullptr;
    QPushButton *btnSchliessen = nullptr;

    // What a read of a file gives: the bytes, the decoded picture, the frames of an animation and
    // the report, or the reason it failed.
    struct Loaded
    {
        QString path;
        QByteArray bytes;
        ViewSource source;
        ImageAnalysis::Report report;
        QString frameProblem;
        QString error;
    };
    static Loaded load(const QString &path, bool withReport);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createControls();
    QWidget *createHexPage();
    void connectControls();
    void btnOeffnenClick();
    void btnZweitesBildClick();
    void received(const Loaded &loaded);
    void receivedSecond(const Loaded &loaded);
    void cboxZoomChange();
    void zoomBy(int steps);
    void showPixel(QPoint pixel);
    void pickColour(QPoint pixel);
    void showOnMap(Geo::GeoPoint position);

    AppContext &m_context;
    ViewSource m_source;
    QImage m_shown;
    BackgroundJob m_job;
    BackgroundJob m_secondJob;
    int m_generation = 0;
    QString m_folder;
};
