// The GPX subcommand: what the map's GPX reader takes from each file.
#include "cli/CommandTable.h"
#include "cli/FileArguments.h"
#include "logic/common/QuarvelError.h"
#include "logic/map/Gpx.h"
#include "logic/map/MapShapes.h"

#include <QFileInfo>
#include <QJsonObject>

#include <vector>

namespace Cli {
namespace {

QJsonValue textOrNull(const QString &text)
{
    return text.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
}

Field textLine(const QString &text)
{
    return Field {QStringLiteral("zeile"), {}, {}, text, Field::Show::TextOnly};
}

Field jsonOnly(const QString &key, const QJsonValue &value)
{
    return Field {key, {}, value, {}, Field::Show::JsonOnly};
}

// What the output needs of a file's routes and tracks: their names and sizes, not their points.
struct PathSizes
{
    QString name;
    qsizetype points = 0;
};

// Takes the points of a file as the reader hands them on and counts the routes' and tracks'
// points without keeping them.
class GpxOutput : public Map::GpxVisitor
{
public:
    void pathBegins(bool track) override
    {
        m_paths = track ? &m_tracks : &m_routes;
        m_paths->push_back({});
    }
    void segmentBegins() override { }
    void pathPoint(Map::GpxPathPoint &&) override { ++m_paths->back().points; }
    void pathEnds(const QString &name) override { m_paths->back().name = name; }

protected:
    std::vector<PathSizes> m_routes, m_tracks;

private:
    std::vector<PathSizes> *m_paths = nullptr;
};

// The text form: each waypoint's line is written as soon as it is read, in blocks, so the
// memory needed does not grow with the file. Writing a position in a notation costs more than
// everything else a waypoint needs.
class TextOutput : public GpxOutput
{
public:
    explicit TextOutput(ResultSink &sink)
        : m_sink(sink)
    {
        m_block.linePerField = true;
    }

    void waypoint(Map::GpxWaypoint &&w) override
    {
        QString line = w.name + QStringLiteral(": ") + Map::positionInNotation(w.position, 1);
        if (!w.description.isEmpty())
            line += QStringLiteral(" – ") + w.description;
        m_block.fields.push_back(textLine(line));
        ++m_waypoints;
        if (m_block.fields.size() >= kBlockLines)
            flush();
    }

    void finish(const QString &path)
    {
        for (const PathSizes &route : m_routes)
            m_block.fields.push_back(
                textLine(QStringLiteral("Route %1: %2 Punkte").arg(route.name).arg(route.points)));
        for (const PathSizes &track : m_tracks)
            m_block.fields.push_back(
                textLine(QStringLiteral("Track %1: %2 Punkte").arg(track.name).arg(track.points)));
        if (m_waypoints == 0 && m_block.fields.empty())
            m_block.fields.push_back(
                textLine(QStringLiteral("%1: keine Wegpunkte, Routen oder Tracks").arg(path)));
        flush();
    }

    void flush()
    {
        if (!m_block.fields.empty())
            m_sink.report(m_block);
        m_block.fields.clear();
    }

private:
    static constexpr std::size_t kBlockLines = 1000;

    ResultSink &m_sink;
    Result m_block;
    qsizetype m_waypoints = 0;
};

QJsonArray pathsJson(const std::vector<PathSizes> &list)
{
    QJsonArray array;
    for (const PathSizes &path : list)
        array.append(QJsonObject {{QStringLiteral("name"), path.name},
                                  {QStringLiteral("punkte"), qint64(path.points)}});
    return array;
}

QJsonObject waypointJson(const Map::GpxWaypoint &w)
{
    return QJsonObject {{QStringLiteral("name"), w.name},
                        {QStringLiteral("breite"), w.position.lat},
                        {QStringLiteral("laenge"), w.position.lon},
                        {QStringLiteral("beschreibung"), w.description},
                        {QStringLiteral("cache"), textOrNull(w.cache)}};
}

// The JSON form, one object per file, written as the file is read. Its keys are written in
// order and "wegpunkte" comes after "routen" and "tracks", which files write last: a first
// pass counts the routes and tracks (and finds any fault before a line is written), a second
// hands the waypoints on one at a time.
class JsonOutput : public GpxOutput
{
public:
    void waypoint(Map::GpxWaypoint &&) override { }

    Result result(const QString &path) const
    {
        Result result;
        result.fields.push_back(jsonOnly(QStringLiteral("datei"), path));
        result.fields.push_back(jsonOnly(QStringLiteral("routen"), pathsJson(m_routes)));
        result.fields.push_back(jsonOnly(QStringLiteral("tracks"), pathsJson(m_tracks)));
        Field waypoints = jsonOnly(QStringLiteral("wegpunkte"), {});
        waypoints.jsonElements = [path](const std::function<void(const QJsonValue &)> &element) {
            WaypointsOnly each(element);
            Map::readGpxFile(path, each);
        };
        result.fields.push_back(std::move(waypoints));
        return result;
    }

private:
    class WaypointsOnly : public GpxOutput
    {
    public:
        explicit WaypointsOnly(const std::function<void(const QJsonValue &)> &element)
            : m_element(element)
        {
        }
        void waypoint(Map::GpxWaypoint &&w) override { m_element(waypointJson(w)); }

    private:
        const std::function<void(const QJsonValue &)> &m_element;
    };
};

Handler gpxHandler(const Options &)
{
    return [](const QString &input, ResultSink &sink) {
        for (const QString &path : fileNames(input)) {
            if (sink.json()) {
                JsonOutput output;
                Map::readGpxFile(path, output);
                sink.report(output.result(path));
            } else {
                TextOutput output(sink);
                try {
                    Map::readGpxFile(path, output);
                } catch (const QuarvelError &) {
                    output.flush(); // the waypoints read before the fault are out
                    throw;
                }
                output.finish(path);
            }
        }
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
            "Standardeingabe. Eine beschädigte Datei endet mit Exit-Code 1 und nennt die Zeile;\n"
            "die Textzeilen der Wegpunkte davor sind dann schon ausgegeben. Elemente, die mehr\n"
            "als 64 Ebenen tief stehen oder mehr als 64 Attribute haben, gelten als beschädigt.\n\n"
            "Beispiel: quarvel-cli gpx --json caches.gpx"),
        {},
        InputKind::Line,
        gpxHandler};
}

} // namespace Cli
