#include "logic/common/HelpTopics.h"

#include <QFileInfo>
#include <QList>

namespace Help {

namespace {

struct Topic
{
    const char16_t *objectName;
    const char16_t *page;
};

// The main window's own page is the contents' first chapter; its tool panels and the other
// windows each have one.
constexpr Topic kTopics[] = {
    {u"frmQuarvelMain", u"hauptfenster.html"},
    {u"gboxKoordinaten", u"koordinaten.html"},
    {u"gboxQuersumme", u"quersumme.html"},
    {u"gboxBWW", u"buchstabenwortwert.html"},
    {u"gboxBuchstabenverteilung", u"buchstabenverteilung.html"},
    {u"gboxRotVerschiebung", u"rot-verschiebung.html"},
    {u"gboxRömZahlen", u"roemische-zahlen.html"},
    {u"gboxVigenere", u"vigenere.html"},
    {u"gboxTrifid", u"trifid.html"},
    {u"gboxChiffren", u"chiffren.html"},
    {u"gboxDiagramm", u"diagramme.html"},
    {u"gboxUmrechnung", u"meter-inch.html"},
    {u"gboxGcCode", u"gc-code.html"},
    {u"frmMisc", u"rot-tabelle.html"},
    {u"frmSudoku", u"sudoku.html"},
    {u"frmFermilab", u"fermilab.html"},
    {u"frmKoordRechner", u"koordinatenrechner.html"},
    {u"frmVariableKoordinaten", u"variable-koordinaten.html"},
    {u"frmFormelrechner", u"formelrechner.html"},
    {u"frmKarte", u"karte.html"},
    {u"frmCodeKnacker", u"code-knacker.html"},
    {u"frmBildanalyse", u"bildanalyse.html"},
    {u"frmSymbole", u"symbole.html"},
    {u"frmCacher", u"cacher.html"},
    {u"frmEinstellungen", u"einstellungen.html"},
    {u"frmInfo", u"info.html"},
    {u"frmUpdDL", u"update.html"},
};

} // namespace

QString pageFor(const QString &objectName)
{
    // Every panel of the calculating tools ("gboxRechnen…") shares one page.
    if (objectName.startsWith(QStringLiteral("gboxRechnen")))
        return QStringLiteral("rechnen.html");
    for (const Topic &topic : kTopics) {
        if (objectName == QString::fromUtf16(topic.objectName))
            return QString::fromUtf16(topic.page);
    }
    return QString::fromUtf16(StartPage);
}

QStringList openablePages()
{
    QStringList pages {QString::fromUtf16(StartPage), QStringLiteral("rechnen.html")};
    for (const Topic &topic : kTopics)
        pages.append(QString::fromUtf16(topic.page));
    return pages;
}

Target targetFor(const QString &exePfad, const QString &page, bool chmViewer)
{
    const QString chm = exePfad + QString::fromUtf16(ChmFile);
    const QString html = exePfad + QString::fromUtf16(HtmlFolder) + page;
    const bool contents = page == QString::fromUtf16(StartPage);
    // A CHM viewer on Linux cannot be asked for a topic: a topic opens as HTML.
    const bool chmFirst = chmViewer && contents;
    if (chmFirst && QFileInfo::exists(chm))
        return {chm, {}};
    if (QFileInfo::exists(html))
        return {html, {}};
    if (chmViewer && QFileInfo::exists(chm))
        return {chm, {}};
    return {{}, chmFirst ? chm : html};
}

QString missingHelpText(const QString &file)
{
    return QStringLiteral("Die Hilfe ist nicht installiert: Die Datei „%1“ wurde nicht gefunden.")
        .arg(file);
}

} // namespace Help
