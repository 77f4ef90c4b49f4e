#include "logic/map/Gpx.h"

#include <QIODevice>
#include <QLocale>
#include <QXmlStreamWriter>

#include <algorithm>
#include <array>

namespace Map {

namespace {

const QString kGpx11 = QStringLiteral("http://www.topografix.com/GPX/1/1");
const QString kGsak = QStringLiteral("http://www.gsak.net/xmlv1/6");

void writeText(QXmlStreamWriter &xml, const QString &element, const QString &text)
{
    if (!text.isEmpty())
        xml.writeTextElement(element, text);
}

void writePosition(QXmlStreamWriter &xml, const QString &element, Geo::GeoPoint position,
                   const std::optional<double> &elevation, const QString &time)
{
    xml.writeStartElement(element);
    xml.writeAttribute(QStringLiteral("lat"), QString::number(position.lat, 'f', 8));
    xml.writeAttribute(QStringLiteral("lon"), QString::number(position.lon, 'f', 8));
    // GPX 1.1 fixes the order of a point's children: ele, time, …, name, cmt, desc, …, link,
    // sym, type, …, extensions.
    if (elevation)
        xml.writeTextElement(QStringLiteral("ele"),
                             QString::number(*elevation, 'f', QLocale::FloatingPointShortest));
    writeText(xml, QStringLiteral("time"), time);
}

void writeWaypoint(QXmlStreamWriter &xml, const GpxWaypoint &point)
{
    writePosition(xml, QStringLiteral("wpt"), point.position, point.elevation, point.time);
    writeText(xml, QStringLiteral("name"), point.name);
    writeText(xml, QStringLiteral("cmt"), point.comment);
    writeText(xml, QStringLiteral("desc"), point.description);
    if (!point.link.isEmpty() || !point.linkText.isEmpty()) {
        xml.writeStartElement(QStringLiteral("link"));
        xml.writeAttribute(QStringLiteral("href"), point.link);
        writeText(xml, QStringLiteral("text"), point.linkText);
        xml.writeEndElement();
    }
    writeText(xml, QStringLiteral("sym"), point.symbol);
    writeText(xml, QStringLiteral("type"), point.type);
    if (!point.cache.isEmpty() && cacheCodeIn(point.name) != point.cache) {
        xml.writeStartElement(QStringLiteral("extensions"));
        xml.writeStartElement(kGsak, QStringLiteral("wptExtension"));
        xml.writeTextElement(kGsak, QStringLiteral("Code"), point.cache);
        xml.writeEndElement();
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

void writePath(QXmlStreamWriter &xml, const GpxPath &path, bool track)
{
    xml.writeStartElement(track ? QStringLiteral("trk") : QStringLiteral("rte"));
    writeText(xml, QStringLiteral("name"), path.name);
    const QString pointElement = track ? QStringLiteral("trkpt") : QStringLiteral("rtept");
    for (const QList<GpxPathPoint> &segment : path.segments) {
        if (track)
            xml.writeStartElement(QStringLiteral("trkseg"));
        for (const GpxPathPoint &p : segment) {
            writePosition(xml, pointElement, p.position, p.elevation, p.time);
            xml.writeEndElement();
        }
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
    // Two letters of a listing site, then one to seven digits or capitals. Checked by hand:
    // a shared regular expression would serialise threads reading files side by side.
    static constexpr std::array<const char16_t *, 8> kPrefixes = {u"GC", u"OC", u"TC", u"OK",
                                                                  u"OU", u"OP", u"OB", u"OZ"};
    const QString code = name.trimmed().toUpper();
    if (code.size() < 3 || code.size() > 9)
        return {};
    if (std::none_of(kPrefixes.begin(), kPrefixes.end(),
                     [&](const char16_t *prefix) { return code.startsWith(prefix); }))
        return {};
    for (const QChar c : QStringView(code).sliced(2)) {
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z')))
            return {};
    }
    return code;
}

bool writeGpx(QIODevice &device, const GpxData &data)
{
    QXmlStreamWriter xml(&device);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeNamespace(kGsak, QStringLiteral("gsak"));
    xml.writeStartElement(QStringLiteral("gpx"));
    xml.writeDefaultNamespace(kGpx11);
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    xml.writeAttribute(QStringLiteral("creator"), QStringLiteral("Quarvel"));
    for (const GpxWaypoint &point : data.waypoints)
        writeWaypoint(xml, point);
    for (const GpxPath &route : data.routes)
        writePath(xml, route, false);
    for (const GpxPath &track : data.tracks)
        writePath(xml, track, true);
    xml.writeEndElement();
    xml.writeEndDocument();
    return !xml.hasError();
}

} // namespace Map
