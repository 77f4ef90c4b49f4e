#include "logic/map/Gpx.h"

#include "logic/common/FileOpenError.h"
#include "logic/common/QuarvelError.h"
#include "logic/common/SystemMessages.h"

#include <QFile>
#include <QFileInfo>

#include <QIODevice>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace Map {

namespace {

const QString kGpx11 = QStringLiteral("http://www.topografix.com/GPX/1/1");

[[noreturn]] void fail(const QXmlStreamReader &xml, const QString &reason)
{
    throw QuarvelError(QStringLiteral("Die GPX-Datei ist beschädigt (Zeile %1): %2")
                           .arg(xml.lineNumber())
                           .arg(reason));
}

double coordinate(QXmlStreamReader &xml, const QString &name, double limit)
{
    const QStringView text = xml.attributes().value(name);
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (text.isEmpty())
        fail(xml, QStringLiteral("Dem Punkt fehlt das Attribut „%1“").arg(name));
    if (!ok || !(std::abs(value) <= limit))
        fail(xml, QStringLiteral("„%1“ ist kein gültiger Wert für „%2“").arg(text, name));
    return value;
}

Geo::GeoPoint pointOf(QXmlStreamReader &xml)
{
    const double lat = coordinate(xml, QStringLiteral("lat"), 90.0);
    return {lat, coordinate(xml, QStringLiteral("lon"), 180.0)};
}

// Reads the element the reader stands on up to its end tag, text of child elements included.
QString textOf(QXmlStreamReader &xml)
{
    return xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
}

// Some programs keep the geocache code in an element "code" somewhere inside the extensions.
// Walks them without recursion, so deeply nested foreign elements cannot exhaust the stack.
QString codeInExtensions(QXmlStreamReader &xml)
{
    QString code;
    for (int depth = 1; depth > 0 && !xml.atEnd();) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement && xml.name() == u"code") {
            if (code.isEmpty())
                code = cacheCodeIn(textOf(xml));
            else
                xml.skipCurrentElement();
        } else if (token == QXmlStreamReader::StartElement) {
            ++depth;
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    return code;
}

// The children of a waypoint (wpt, rtept, trkpt); leaves the reader on its end tag.
GpxWaypoint readWaypoint(QXmlStreamReader &xml)
{
    GpxWaypoint point;
    point.position = pointOf(xml);
    QString extensionCode;
    while (xml.readNextStartElement()) {
        const QStringView name = xml.name();
        if (name == u"name") {
            point.name = textOf(xml);
        } else if (name == u"desc") {
            point.description = textOf(xml);
        } else if (name == u"ele") {
            bool ok = false;
            const double ele = textOf(xml).toDouble(&ok);
            if (ok)
                point.elevation = ele;
        } else if (name == u"extensions") {
            extensionCode = codeInExtensions(xml);
        } else {
            xml.skipCurrentElement();
        }
    }
    point.cache = cacheCodeIn(point.name);
    if (point.cache.isEmpty())
        point.cache = extensionCode;
    return point;
}

QList<Geo::GeoPoint> readPoints(QXmlStreamReader &xml, QStringView pointName, QString *name)
{
    QList<Geo::GeoPoint> points;
    while (xml.readNextStartElement()) {
        if (xml.name() == pointName)
            points.append(readWaypoint(xml).position);
        else if (name && xml.name() == u"name")
            *name = textOf(xml);
        else
            xml.skipCurrentElement();
    }
    return points;
}

GpxPath readTrack(QXmlStreamReader &xml)
{
    GpxPath track;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"trkseg")
            track.segments.append(readPoints(xml, u"trkpt", nullptr));
        else if (xml.name() == u"name")
            track.name = textOf(xml);
        else
            xml.skipCurrentElement();
    }
    return track;
}

void readDocument(QXmlStreamReader &xml, GpxData &data)
{
    if (!xml.readNextStartElement()) {
        if (!xml.hasError())
            fail(xml, QStringLiteral("Die Datei enthält kein XML-Element"));
        return;
    }
    if (xml.name() != u"gpx")
        fail(xml, QStringLiteral("„%1“ ist kein GPX-Element").arg(xml.name()));
    while (xml.readNextStartElement()) {
        if (xml.name() == u"wpt") {
            data.waypoints.append(readWaypoint(xml));
        } else if (xml.name() == u"rte") {
            GpxPath route;
            route.segments.append(readPoints(xml, u"rtept", &route.name));
            data.routes.append(route);
        } else if (xml.name() == u"trk") {
            data.tracks.append(readTrack(xml));
        } else {
            xml.skipCurrentElement();
        }
    }
    // Anything after the root element must still be well-formed.
    while (!xml.atEnd() && !xml.hasError())
        xml.readNext();
}

void writePoint(QXmlStreamWriter &xml, const QString &element, const GpxWaypoint &point)
{
    xml.writeStartElement(element);
    xml.writeAttribute(QStringLiteral("lat"), QString::number(point.position.lat, 'f', 8));
    xml.writeAttribute(QStringLiteral("lon"), QString::number(point.position.lon, 'f', 8));
    if (point.elevation)
        xml.writeTextElement(QStringLiteral("ele"), QString::number(*point.elevation, 'f', 2));
    if (!point.name.isEmpty())
        xml.writeTextElement(QStringLiteral("name"), point.name);
    if (!point.description.isEmpty())
        xml.writeTextElement(QStringLiteral("desc"), point.description);
    xml.writeEndElement();
}

void writePath(QXmlStreamWriter &xml, const GpxPath &path, bool track)
{
    xml.writeStartElement(track ? QStringLiteral("trk") : QStringLiteral("rte"));
    if (!path.name.isEmpty())
        xml.writeTextElement(QStringLiteral("name"), path.name);
    for (const QList<Geo::GeoPoint> &segment : path.segments) {
        if (track)
            xml.writeStartElement(QStringLiteral("trkseg"));
        for (const Geo::GeoPoint &p : segment)
            writePoint(xml, track ? QStringLiteral("trkpt") : QStringLiteral("rtept"),
                       GpxWaypoint {{}, p, std::nullopt, {}, {}});
        if (track)
            xml.writeEndElement();
    }
    xml.writeEndElement();
}

} // namespace

qsizetype GpxPath::pointCount() const
{
    qsizetype count = 0;
    for (const auto &segment : segments)
        count += segment.size();
    return count;
}

QString cacheCodeIn(const QString &name)
{
    static const QRegularExpression code(
        QStringLiteral("^(GC|OC|TC|OK|OU|OP|OB|OZ)[0-9A-Z]{1,7}$"));
    const QString trimmed = name.trimmed().toUpper();
    return code.match(trimmed).hasMatch() ? trimmed : QString();
}

GpxData readGpx(QIODevice &device)
{
    QXmlStreamReader xml(&device);
    GpxData data;
    readDocument(xml, data);
    if (xml.hasError()) {
        if (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError)
            fail(xml, QStringLiteral("Die Datei endet vor dem Schluss des GPX-Elements"));
        fail(xml, SystemMessages::germanXmlError(xml));
    }
    return data;
}

GpxData readGpxFile(const QString &path)
{
    if (QFileInfo(path).exists() && !QFileInfo(path).isFile())
        throw QuarvelError(QStringLiteral("%1 ist keine Datei").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw QuarvelError(cannotOpenFileText(path, file.errorString()));
    try {
        return readGpx(file);
    } catch (const QuarvelError &error) {
        throw QuarvelError(path + QStringLiteral(": ") + error.message());
    }
}

bool writeGpx(QIODevice &device, const GpxData &data)
{
    QXmlStreamWriter xml(&device);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("gpx"));
    xml.writeDefaultNamespace(kGpx11);
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    xml.writeAttribute(QStringLiteral("creator"), QStringLiteral("Quarvel"));
    for (const GpxWaypoint &point : data.waypoints)
        writePoint(xml, QStringLiteral("wpt"), point);
    for (const GpxPath &route : data.routes)
        writePath(xml, route, false);
    for (const GpxPath &track : data.tracks)
        writePath(xml, track, true);
    xml.writeEndElement();
    xml.writeEndDocument();
    return !xml.hasError();
}

} // namespace Map
