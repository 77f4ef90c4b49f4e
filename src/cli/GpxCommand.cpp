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

// The JSON form, one object per file. Its keys are written in order, so "wegpunkte" comes after
// "routen" and "tracks", which files write last. One pass reads the file and keeps what the
// waypoints' objects need; a file whose waypoints would take more than kKeptBytes is read a
// second time instead, handing the waypoints on one at a time, so the memory stays bounded for
// a file of any size. Either way any fault is found before a line is written.
class JsonOutput : public GpxOutput
{
public:
    explicit JsonOutput(QString path)
        : m_path(std::move(path))
    {
    }

    void waypoint(Map::GpxWaypoint &&w) override
    {
        if (m_tooMany)
            return;
        m_keptBytes +=
            qsizetype(sizeof(Kept)) + 2 * (w.name.size() + w.description.size() + w.cache.size());
        if (m_keptBytes > kKeptBytes) {
            m_tooMany = true;
            std::vector<Kept>().swap(m_kept);
            return;
        }
        m_kept.push_back(
            {std::move(w.name), w.position, std::move(w.description), std::move(w.cache)});
    }

    Result result() const
    {
        Result result;
        result.fields.push_back(jsonOnly(QStringLiteral("datei"), m_path));
        result.fields.push_back(jsonOnly(QStringLiteral("routen"), pathsJson(m_routes)));
        result.fields.push_back(jsonOnly(QStringLiteral("tracks"), pathsJson(m_tracks)));
        Field waypoints = jsonOnly(QStringLiteral("wegpunkte"), {});
        waypoints.jsonElements = [this](const std::function<void(const QJsonValue &)> &element) {
            if (!m_tooMany) {
                for (const Kept &w : m_kept)
                    element(waypointJson(w.name, w.position, w.description, w.cache));
                return;
            }
            WaypointsOnly each(element);
            Map::readGpxFile(m_path, each);
        };
        result.fields.push_back(std::move(waypoints));
        return result;
    }

private:
    // Counted as the objects and their strings' characters: a waypoint with a name and a short
    // description takes about 200 bytes, so some 600,000 of them are kept.
    static constexpr qsizetype kKeptBytes = 128 << 20;

    struct Kept
    {
        QString name;
        Geo::GeoPoint position;
        QString description;
        QString cache;
    };

    static QJsonObject waypointJson(const QString &name, const Geo::GeoPoint &position,
                                    const QString &description, const QString &cache)
    {
        return QJsonObject {{QStringLiteral("name"), name},
                            {QStringLiteral("breite"), position.lat},
                            {QStringLiteral("laenge"), position.lon},
                            {QStringLiteral("beschreibung"), description},
                            {QStringLiteral("cache"), textOrNull(cache)}};
    }

    class WaypointsOnly : public GpxOutput
    {
    public:
        explicit WaypointsOnly(const std::function<void(const QJsonValue &)> &element)
            : m_element(element)
        {
        }
        void waypoint(Map::GpxWaypoint &&w) override
        {
            m_element(waypointJson(w.name, w.position, w.description, w.cache));
        }

    private:
        const std::function<void(const QJsonValue &)> &m_element;
    };

    QString m_path;
    std::vector<Kept> m_kept;
    qsizetype m_keptBytes = 0;
    bool m_tooMany = false;
};

Handler gpxHandler(const Options &)
{
    return [](const QString &input, ResultSink &sink) {
        for (const QString &path : fileNames(input)) {
            if (sink.json()) {
                JsonOutput output(path);
                Map::readGpxFile(path, output);
                sink.report(output.result());
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
