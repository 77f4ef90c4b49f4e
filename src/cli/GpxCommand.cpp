// The GPX subcommand: what the map's GPX reader takes from each file.
#include "cli/CommandTable.h"
#include "logic/common/QuarvelError.h"
#include "logic/map/Gpx.h"
#include "logic/map/MapShapes.h"

#include <QFileInfo>
#include <QJsonObject>

namespace Cli {
namespace {

// The runner joins the file names of the command line with blanks; a name that itself holds
// blanks is found again by taking words together until they name an existing file.
QStringList fileNames(const QString &input)
{
    if (QFileInfo::exists(input))
        return {input};
    QStringList names;
    QString current;
    for (const QString &word : input.split(u' ', Qt::SkipEmptyParts)) {
        current = current.isEmpty() ? word : current + u' ' + word;
        if (QFileInfo::exists(current)) {
            names.append(current);
            current.clear();
        }
    }
    if (!current.isEmpty())
        names.append(current.section(u' ', 0, 0)); // the first name that is not there
    return names;
}

QJsonValue textOrNull(const QString &text)
{
    return text.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
}

QJsonArray paths(const QList<Map::GpxPath> &list)
{
    QJsonArray array;
    for (const Map::GpxPath &path : list)
        array.append(QJsonObject {{QStringLiteral("name"), path.name},
                                  {QStringLiteral("punkte"), qint64(path.pointCount())}});
    return array;
}

Field textLine(const QString &text)
{
    return Field {QStringLiteral("zeile"), {}, {}, text, Field::Show::TextOnly};
}

Field jsonOnly(const QString &key, const QJsonValue &value)
{
    return Field {key, {}, value, {}, Field::Show::JsonOnly};
}

// The text lines are only made for the text form: writing a position in a notation costs more
// than everything else a waypoint needs.
Result fileResult(const QString &path, const Map::GpxData &data, bool json)
{
    Result result;
    result.linePerField = true;
    QJsonArray waypoints;
    for (const Map::GpxWaypoint &w : data.waypoints) {
        waypoints.append(QJsonObject {{QStringLiteral("name"), w.name},
                                      {QStringLiteral("breite"), w.position.lat},
                                      {QStringLiteral("laenge"), w.position.lon},
                                      {QStringLiteral("beschreibung"), w.description},
                                      {QStringLiteral("cache"), textOrNull(w.cache)}});
        if (json)
            continue;
        QString line = w.name + QStringLiteral(": ") + Map::positionInNotation(w.position, 1);
        if (!w.description.isEmpty())
            line += QStringLiteral(" – ") + w.description;
        result.fields.push_back(textLine(line));
    }
    for (const Map::GpxPath &route : data.routes)
        result.fields.push_back(textLine(
            QStringLiteral("Route %1: %2 Punkte").arg(route.name).arg(route.pointCount())));
    for (const Map::GpxPath &track : data.tracks)
        result.fields.push_back(textLine(
            QStringLiteral("Track %1: %2 Punkte").arg(track.name).arg(track.pointCount())));
    if (result.fields.empty())
        result.fields.push_back(
            textLine(QStringLiteral("%1: keine Wegpunkte, Routen oder Tracks").arg(path)));
    result.fields.push_back(jsonOnly(QStringLiteral("datei"), path));
    result.fields.push_back(jsonOnly(QStringLiteral("wegpunkte"), waypoints));
    result.fields.push_back(jsonOnly(QStringLiteral("routen"), paths(data.routes)));
    result.fields.push_back(jsonOnly(QStringLiteral("tracks"), paths(data.tracks)));
    return result;
}

Handler gpxHandler(const Options &)
{
    return [](const QString &input, ResultSink &sink) {
        for (const QString &path : fileNames(input))
            sink.report(fileResult(path, Map::readGpxFile(path), sink.json()));
    };
}

} // namespace

Command gpxCommand()
{
    return Command {
        {QStringLiteral("gpx")},
        QStringLiteral("Wegpunkte, Routen und Tracks aus GPX-Dateien auflisten"),
        QStringLiteral("DATEI ..."),
        QStringLiteral(
            "Liest GPX-Dateien (Version 1.0 und 1.1) so, wie die Karte sie importiert, und gibt\n"
            "je Wegpunkt eine Zeile aus: „Name: Position in Grad und Minuten – Beschreibung“,\n"
            "danach je Route und Track eine Zeile mit der Zahl ihrer Punkte. Mit --json je\n"
            "Datei ein Objekt mit datei, wegpunkte (name, breite, laenge, beschreibung, cache),\n"
            "routen und tracks (name, punkte). Ohne DATEI: ein Dateiname je Zeile der\n"
            "Standardeingabe. Eine beschädigte Datei endet mit Exit-Code 1 und nennt die Zeile.\n\n"
            "Beispiel: quarvel-cli gpx --json caches.gpx"),
        {},
        InputKind::Line,
        gpxHandler};
}

} // namespace Cli
