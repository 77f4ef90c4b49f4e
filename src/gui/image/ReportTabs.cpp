#include "gui/image/ReportTabs.h"

#include "gui/image/ItemViewCopy.h"
#include "gui/support/Dialogs.h"
#include "gui/support/HandlerGuard.h"
#include "gui/support/VisibleText.h"
#include "logic/geo/GeoFormats.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

template<typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

void fillTable(QTableWidget *table, const QList<QStringList> &rows)
{
    table->setRowCount(0);
    table->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c)
            table->setItem(r, c, new QTableWidgetItem(visibleLine(rows[r][c])));
    }
}

QString decimal(double value, int places)
{
    return QString::number(value, 'f', places).replace(u'.', u',');
}

QPlainTextEdit *readOnlyText(QWidget *parent, const char *name)
{
    auto *text = named(new QPlainTextEdit(parent), name);
    text->setReadOnly(true);
    return text;
}

// A picture with its caption under it, for the thumbnail page.
QWidget *captioned(const QImage &image, const QString &caption, QWidget *parent)
{
    auto *box = new QWidget(parent);
    auto *layout = new QVBoxLayout(box);
    auto *picture = new QLabel(box);
    picture->setPixmap(QPixmap::fromImage(image));
    auto *text = new QLabel(caption, box);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(picture);
    layout->addWidget(text);
    layout->addStretch(1);
    return box;
}

} // namespace

ReportTabs::ReportTabs(Dialogs &dialogs, QWidget *parent)
    : QTabWidget(parent)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("pcBericht"));
    memUebersicht = readOnlyText(this, "memUebersicht");
    addTab(memUebersicht, QStringLiteral("Übersicht"));
    tblMetadaten = table(
        "tblMetadaten", {QStringLiteral("Gruppe"), QStringLiteral("Feld"), QStringLiteral("Wert")});
    addTab(tblMetadaten, QStringLiteral("Metadaten"));
    addTab(createGpsPage(), QStringLiteral("GPS"));
    addTab(createThumbnailPage(), QStringLiteral("Vorschaubilder"));
    addTab(createAppendixPage(), QStringLiteral("Anhang"));
    tblSignaturen = table("tblSignaturen", {QStringLiteral("Offset"), QStringLiteral("Signatur")});
    addTab(tblSignaturen, QStringLiteral("Signaturen"));
    tblTexte =
        table("tblTexte",
              {QStringLiteral("Offset"), QStringLiteral("Kodierung"), QStringLiteral("Text")});
    addTab(tblTexte, QStringLiteral("Texte"));
    tblCodes = table("tblCodes", {QStringLiteral("Format"), QStringLiteral("Text")});
    addTab(tblCodes, QStringLiteral("Codes"));
    clear();
}

QTableWidget *ReportTabs::table(const char *name, const QStringList &headers)
{
    auto *table = named(new QTableWidget(0, int(headers.size()), this), name);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setStretchLastSection(true);
    ItemViewCopy::install(table, m_dialogs);
    return table;
}

QWidget *ReportTabs::createGpsPage()
{
    auto *page = new QWidget(this);
    lblGps = named(new QLabel(page), "lblGps");
    lblGps->setTextInteractionFlags(Qt::TextSelectableByMouse);
    tblGps = table("tblGps", {QStringLiteral("Schreibweise"), QStringLiteral("Position")});
    tblGps->setParent(page);
    btnKarte = named(new QPushButton(QStringLiteral("&Karte"), page), "btnKarte");
    btnKarte->setToolTip(QStringLiteral("Zeigt die Position im Fenster „Karte“"));
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(lblGps);
    layout->addWidget(tblGps, 1);
    layout->addWidget(btnKarte, 0, Qt::AlignLeft);
    connect(btnKarte, &QPushButton::clicked, this, [this] {
        if (m_position && onShowOnMap)
            guarded(m_dialogs, window(), [this] { onShowOnMap(*m_position); });
    });
    return page;
}

QWidget *ReportTabs::createThumbnailPage()
{
    auto *scroll = new QScrollArea(this);
    pnlVorschau = named(new QWidget(scroll), "pnlVorschau");
    m_thumbnails = new QHBoxLayout(pnlVorschau);
    scroll->setWidget(pnlVorschau);
    scroll->setWidgetResizable(true);
    return scroll;
}

QWidget *ReportTabs::createAppendixPage()
{
    auto *page = new QWidget(this);
    lblAnhang = named(new QLabel(page), "lblAnhang");
    lblAnhang->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblAnhang->setWordWrap(true);
    memAnhang = readOnlyText(page, "memAnhang");
    btnAnhangSpeichern =
        named(new QPushButton(QStringLiteral("Anhang &speichern ..."), page), "btnAnhangSpeichern");
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(lblAnhang);
    layout->addWidget(memAnhang, 1);
    layout->addWidget(btnAnhangSpeichern, 0, Qt::AlignLeft);
    connect(btnAnhangSpeichern, &QPushButton::clicked, this,
            [this] { guarded(m_dialogs, window(), [this] { btnAnhangSpeichernClick(); }); });
    return page;
}

void ReportTabs::clear()
{
    setReport({}, {}, {});
    memUebersicht->clear();
}

void ReportTabs::setReport(const ImageAnalysis::Report &report, const QByteArray &fileBytes,
                           const QImage &picture)
{
    m_bytes = fileBytes;
    showOverview(report);
    QList<QStringList> rows;
    for (const ImageAnalysis::MetadataField &field : report.metadaten)
        rows.append({field.gruppe, field.feld, field.wert});
    fillTable(tblMetadaten, rows);
    showGps(report);
    showThumbnails(report, picture);
    showAppendix(report);
    rows.clear();
    for (const ImageAnalysis::EmbeddedSignature &found : report.signaturen)
        rows.append({QString::number(found.offset), found.signatur});
    fillTable(tblSignaturen, rows);
    rows.clear();
    for (const ImageAnalysis::FoundText &found : report.texte)
        rows.append({QString::number(found.offset), found.kodierung, found.text});
    fillTable(tblTexte, rows);
    rows.clear();
    for (const ImageAnalysis::DecodedCode &code : report.codes)
        rows.append({code.format, code.text});
    fillTable(tblCodes, rows);
}

void ReportTabs::showOverview(const ImageAnalysis::Report &report)
{
    QStringList lines;
    lines << QStringLiteral("Format: %1").arg(report.format)
          << QStringLiteral("Größe: %1 × %2 Pixel").arg(report.breite).arg(report.hoehe)
          << QStringLiteral("Farbtiefe: %1 Bit je Pixel").arg(report.farbtiefe)
          << QStringLiteral("Einzelbilder: %1").arg(report.bilder);
    if (!report.bildDauernMs.isEmpty()) {
        QStringList delays;
        for (int ms : report.bildDauernMs)
            delays << decimal(ms / 1000.0, 2);
        lines << QStringLiteral("Anzeigedauern (s): %1").arg(delays.join(QStringLiteral("; ")));
    }
    lines << QStringLiteral("Metadatenfelder: %1").arg(report.metadaten.size())
          << QStringLiteral("GPS-Position: %1")
                 .arg(report.gps ? QStringLiteral("ja") : QStringLiteral("nein"))
          << QStringLiteral("Vorschaubilder: %1").arg(report.vorschaubilder.size())
          << QStringLiteral("Anhang: %1")
                 .arg(report.anhang ? QStringLiteral("%1 Bytes").arg(report.anhang->laenge)
                                    : QStringLiteral("keiner"))
          << QStringLiteral("Codes: %1").arg(report.codes.size());
    for (const QString &problem : report.probleme)
        lines << QStringLiteral("Nicht lesbar: %1").arg(problem);
    memUebersicht->setPlainText(lines.join(u'\n'));
}

void ReportTabs::showGps(const ImageAnalysis::Report &report)
{
    m_position.reset();
    btnKarte->setEnabled(report.gps.has_value());
    if (!report.gps) {
        lblGps->setText(QStringLiteral("Das Bild enthält keine GPS-Position."));
        fillTable(tblGps, {});
        return;
    }
    const Geo::GeoPoint point {report.gps->breite, report.gps->laenge};
    m_position = point;
    lblGps->setText(report.gps->hoehe
                        ? QStringLiteral("Höhe: %1 m").arg(decimal(*report.gps->hoehe, 1))
                        : QStringLiteral("Ohne Höhe"));
    QList<QStringList> rows;
    for (const Geo::FormatLine &line : Geo::allFormats(point))
        rows.append({line.caption, line.error.isEmpty() ? line.text : line.error});
    fillTable(tblGps, rows);
}

void ReportTabs::showThumbnails(const ImageAnalysis::Report &report, const QImage &picture)
{
    while (QLayoutItem *item = m_thumbnails->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    if (report.vorschaubilder.isEmpty()) {
        m_thumbnails->addWidget(
            captioned({}, QStringLiteral("Die Datei enthält kein Vorschaubild."), pnlVorschau));
        return;
    }
    const QSize size = report.vorschaubilder.first().bild.size().boundedTo(QSize(320, 320));
    if (!picture.isNull()) {
        m_thumbnails->addWidget(
            captioned(picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation),
                      QStringLiteral("Das Bild selbst, verkleinert"), pnlVorschau));
    }
    for (const ImageAnalysis::Thumbnail &thumbnail : report.vorschaubilder) {
        const QString verdict = thumbnail.weichtAb ? QStringLiteral("weicht vom Bild ab")
                                                   : QStringLiteral("zeigt dasselbe wie das Bild");
        m_thumbnails->addWidget(captioned(thumbnail.bild,
                                          QStringLiteral("%1 (%2 × %3): %4")
                                              .arg(thumbnail.quelle)
                                              .arg(thumbnail.bild.width())
                                              .arg(thumbnail.bild.height())
                                              .arg(verdict),
                                          pnlVorschau));
    }
    m_thumbnails->addStretch(1);
}

void ReportTabs::showAppendix(const ImageAnalysis::Report &report)
{
    m_appendix = report.anhang;
    btnAnhangSpeichern->setEnabled(report.anhang.has_value());
    if (!report.anhang) {
        lblAnhang->setText(QStringLiteral("Nach dem Ende des Bildes folgen keine Daten."));
        memAnhang->clear();
        return;
    }
    const ImageAnalysis::Appendix &appendix = *report.anhang;
    lblAnhang->setText(
        QStringLiteral("Ab Offset %1 folgen %2 Bytes nach dem Ende des Bildes. Signaturen: %3")
            .arg(appendix.offset)
            .arg(appendix.laenge)
            .arg(appendix.signaturen.isEmpty() ? QStringLiteral("keine")
                                               : appendix.signaturen.join(QStringLiteral(", "))));
    memAnhang->setPlainText(appendix.text);
}

void ReportTabs::saveAppendix(const QString &path) const
{
    if (!m_appendix)
        throw QuarvelError(QStringLiteral("Das Bild hat keinen Anhang."));
    const qint64 offset = m_appendix->offset;
    const qint64 length = m_appendix->laenge;
    if (offset < 0 || length < 0 || offset + length > m_bytes.size())
        throw QuarvelError(QStringLiteral("Der Anhang liegt nicht in der Datei."));
    const QByteArray data = m_bytes.mid(offset, length);
    const QString failure = writeFileSafely(
        path, [&data](QIODevice &device) { return device.write(data) == data.size(); },
        writeTarget);
    if (!failure.isEmpty())
        throw QuarvelError(failure);
}

void ReportTabs::btnAnhangSpeichernClick()
{
    Dialogs::FileRequest request;
    request.title = QStringLiteral("Anhang speichern");
    // The first signature found names the kind of data, so the file opens with its program.
    request.fileName = QStringLiteral("anhang.") +
        (m_appendix && !m_appendix->signaturen.isEmpty() ? m_appendix->signaturen.first()
                                                         : QStringLiteral("bin"));
    request.filter = QStringLiteral("Alle Dateien (*)");
    const QString path = m_dialogs.saveFileName(window(), request);
    if (!path.isEmpty())
        saveAppendix(path);
}
