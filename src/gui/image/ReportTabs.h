#pragma once

#include "image/ImageReport.h"
#include "logic/common/SafeWrite.h"
#include "logic/geo/GeoPoint.h"

#include <QByteArray>
#include <QTabWidget>

#include <functional>

class Dialogs;
class QHBoxLayout;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

// The report on a picture in tabs: an overview, the metadata fields, the GPS position in every
// notation of the coordinate calculator, the thumbnails beside the picture, the data appended
// after the picture's end, signatures and texts inside the file, and the decoded codes. Every
// table copies its selected rows (Ctrl+C, context menu); every text can be selected.
class ReportTabs : public QTabWidget
{
public:
    ReportTabs(Dialogs &dialogs, QWidget *parent = nullptr);

    // `fileBytes` are kept for "Anhang speichern"; `picture` is shown beside the thumbnails.
    void setReport(const ImageAnalysis::Report &report, const QByteArray &fileBytes,
                   const QImage &picture);
    void clear();

    // Saves the appended data to `path` whole, or refuses (QuarvelError) with the reason.
    void saveAppendix(const QString &path) const;

    // "Karte": shows the position on the map.
    std::function<void(Geo::GeoPoint)> onShowOnMap;
    // The device a save goes to; tests hand in one that fails.
    WriteTarget writeTarget = saveFileTarget();

    QPlainTextEdit *memUebersicht = nullptr;
    QTableWidget *tblMetadaten = nullptr;
    QLabel *lblGps = nullptr;
    QTableWidget *tblGps = nullptr;
    QPushButton *btnKarte = nullptr;
    QWidget *pnlVorschau = nullptr;
    QLabel *lblAnhang = nullptr;
    QPlainTextEdit *memAnhang = nullptr;
    QPushButton *btnAnhangSpeichern = nullptr;
    QTableWidget *tblSignaturen = nullptr;
    QTableWidget *tblTexte = nullptr;
    QTableWidget *tblCodes = nullptr;

private:
    QTableWidget *table(const char *name, const QStringList &headers);
    QWidget *createGpsPage();
    QWidget *createThumbnailPage();
    QWidget *createAppendixPage();
    void showOverview(const ImageAnalysis::Report &report);
    void showGps(const ImageAnalysis::Report &report);
    void showThumbnails(const ImageAnalysis::Report &report, const QImage &picture);
    void showAppendix(const ImageAnalysis::Report &report);
    void btnAnhangSpeichernClick();

    Dialogs &m_dialogs;
    QByteArray m_bytes;
    std::optional<ImageAnalysis::Appendix> m_appendix;
    std::optional<Geo::GeoPoint> m_position;
    QHBoxLayout *m_thumbnails = nullptr;
};
