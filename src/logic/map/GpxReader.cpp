// Reading GPX: one pass over the file, each point handed on as soon as it is complete.
#include "logic/common/FileOpenError.h"
#include "logic/common/QuarvelError.h"
#include "logic/common/SystemMessages.h"
#include "logic/map/Gpx.h"
#include "logic/map/XmlAttributeCounter.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QXmlStreamReader>

#include <cmath>

namespace Map {

namespace {

// Hands the file's bytes to the XML reader after counting the attributes of their tags; a tag
// beyond the limit ends the data there, so the reader never parses it.
class CountedDevice : public QIODevice
{
public:
    explicit CountedDevice(QIODevice &source)
        : m_source(source)
    {
        open(QIODevice::ReadOnly);
    }

    bool isSequential() const override { return true; }
    qint64 tooManyAttributesLine() const { return m_tooMany ? m_counter.tooManyLine() : 0; }
    QString readFailure() const { return m_readFailure; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_tooMany || !m_readFailure.isEmpty())
            return -1;
        const qint64 size = m_source.read(data, maxSize);
        if (size < 0) {
            m_readFailure = m_source.errorString();
            return -1;
        }
        if (!m_counter.add(QByteArrayView(data, size))) {
            m_tooMany = true;
            return -1;
        }
        return size;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QIODevice &m_source;
    XmlAttributeCounter m_counter {kGpxMaxAttributes};
    bool m_tooMany = false;
    QString m_readFailure;
};

// A recursive descent over the elements GPX defines. Every element is read through next(),
// which keeps the depth, and text is gathered in a loop: no amount of nesting in a file
// deepens the stack.
class GpxParser
{
public:
    GpxParser(QIODevice &device, GpxVisitor &visitor)
        : m_device(device)
        , m_visitor(visitor)
        , m_xml(&m_device)
    {
    }

    void run()
    {
        readDocument();
        if (const qint64 line = m_device.tooManyAttributesLine())
            fail(QStringLiteral("Ein Element hat mehr als %1 Attribute").arg(kGpxMaxAttributes),
                 line);
        if (!m_device.readFailure().isEmpty())
            throw QuarvelError(QStringLiteral("Die GPX-Datei konnte nicht gelesen werden: %1")
                                   .arg(SystemMessages::germanReason(m_device.readFailure())));
        if (m_xml.hasError()) {
            if (m_xml.error() == QXmlStreamReader::PrematureEndOfDocumentError)
                fail(QStringLiteral("Die Datei endet vor dem Schluss des GPX-Elements"));
            fail(SystemMessages::germanXmlError(m_xml));
        }
    }

private:
    [[noreturn]] void fail(const QString &reason, qint64 line = 0) const
    {
        throw QuarvelError(QStringLiteral("Die GPX-Datei ist beschädigt (Zeile %1): %2")
                               .arg(line > 0 ? line : m_xml.lineNumber())
                               .arg(reason));
    }

    QXmlStreamReader::TokenType next()
    {
        const QXmlStreamReader::TokenType token = m_xml.readNext();
        if (token == QXmlStreamReader::StartElement && ++m_depth > kGpxMaxDepth)
            fail(QStringLiteral("Die Elemente sind tiefer als %1 Ebenen ineinander geschachtelt")
                     .arg(kGpxMaxDepth));
        if (token == QXmlStreamReader::EndElement)
            --m_depth;
        return token;
    }

    // The next child element of the current element; false at the current element's end or
    // at an error.
    bool nextChild()
    {
        for (;;) {
            switch (next()) {
            case QXmlStreamReader::StartElement:
                return true;
            case QXmlStreamReader::EndElement:
            case QXmlStreamReader::EndDocument:
            case QXmlStreamReader::Invalid:
                return false;
            default:
                break;
            }
        }
    }

    // Passes over the rest of the current element; with `text`, gathers its text, that of
    // child elements included.
    void skip(QString *text = nullptr)
    {
        for (int open = 1; open > 0;) {
            switch (next()) {
            case QXmlStreamReader::StartElement:
                ++open;
                break;
            case QXmlStreamReader::EndElement:
                --open;
                break;
            case QXmlStreamReader::Characters:
            case QXmlStreamReader::EntityReference:
                if (text)
                    text->append(m_xml.text());
                break;
            case QXmlStreamReader::Invalid:
            case QXmlStreamReader::EndDocument:
                return;
            default:
                break;
            }
        }
    }

    QString text()
    {
        QString text;
        skip(&text);
        return text.trimmed();
    }

    std::optional<double> number()
    {
        bool ok = false;
        const double value = text().toDouble(&ok);
        return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
    }

    double coordinate(const char *name, double limit)
    {
        const QStringView text = m_xml.attributes().value(QLatin1StringView(name));
        bool ok = false;
        const double value = text.trimmed().toDouble(&ok);
        if (text.isEmpty())
            fail(QStringLiteral("Dem Punkt fehlt das Attribut „%1“").arg(QLatin1StringView(name)));
        if (!ok || !(std::abs(value) <= limit))
            fail(QStringLiteral("„%1“ ist kein gültiger Wert für „%2“")
                     .arg(text, QLatin1StringView(name)));
        return value;
    }

    Geo::GeoPoint position()
    {
        const double lat = coordinate("lat", 90.0);
        return {lat, coordinate("lon", 180.0)};
    }

    // GPX 1.1 writes <link href="..."><text>...</text></link>.
    void readLink(GpxWaypoint &point)
    {
        const bool first = point.link.isEmpty();
        if (first)
            point.link = m_xml.attributes().value(QLatin1StringView("href")).trimmed().toString();
        while (nextChild()) {
            if (first && m_xml.name() == u"text")
                point.linkText = text();
            else
                skip();
        }
    }

    // Programs keep the geocache code in an element "code" (GSAK: "Code") somewhere inside
    // their own elements, which GPX 1.1 gathers in "extensions".
    QString codeInExtensions()
    {
        QString code;
        for (int open = 1; open > 0;) {
            const QXmlStreamReader::TokenType token = next();
            if (token == QXmlStreamReader::StartElement &&
                m_xml.name().compare(u"code", Qt::CaseInsensitive) == 0) {
                const QString found = cacheCodeIn(text());
                if (code.isEmpty())
                    code = found;
            } else if (token == QXmlStreamReader::StartElement) {
                ++open;
            } else if (token == QXmlStreamReader::EndElement) {
                --open;
            } else if (token == QXmlStreamReader::Invalid ||
                       token == QXmlStreamReader::EndDocument) {
                break;
            }
        }
        return code;
    }

    // The children of a waypoint; leaves the reader on its end tag.
    GpxWaypoint waypoint()
    {
        GpxWaypoint point;
        point.position = position();
        QString extensionCode;
        while (nextChild()) {
            const QStringView name = m_xml.name();
            if (name == u"name")
                point.name = text();
            else if (name == u"desc")
                point.description = text();
            else if (name == u"cmt")
                point.comment = text();
            else if (name == u"ele")
                point.elevation = number();
            else if (name == u"time")
                point.time = text();
            else if (name == u"sym")
                point.symbol = text();
            else if (name == u"type")
                point.type = text();
            else if (name == u"link")
                readLink(point);
            else if (name == u"url" && point.link.isEmpty()) // GPX 1.0
                point.link = text();
            else if (name == u"urlname" && point.linkText.isEmpty())
                point.linkText = text();
            else if (const QString code = codeInExtensions(); extensionCode.isEmpty())
                extensionCode = code; // GPX 1.0 files put foreign elements here directly
        }
        point.cache = cacheCodeIn(point.name);
        if (point.cache.isEmpty())
            point.cache = extensionCode;
        return point;
    }

    GpxPathPoint pathPoint()
    {
        GpxPathPoint point {position()};
        while (nextChild()) {
            if (m_xml.name() == u"ele")
                point.elevation = number();
            else if (m_xml.name() == u"time")
                point.time = text();
            else
                skip();
        }
        return point;
    }

    // The children of a route (points directly) or a track (points in segments).
    void path(bool track)
    {
        m_visitor.pathBegins(track);
        if (!track)
            m_visitor.segmentBegins();
        QString name;
        while (nextChild()) {
            const QStringView element = m_xml.name();
            if (element == u"name") {
                name = text();
            } else if (!track && element == u"rtept") {
                m_visitor.pathPoint(pathPoint());
            } else if (track && element == u"trkseg") {
                m_visitor.segmentBegins();
                while (nextChild()) {
                    if (m_xml.name() == u"trkpt")
                        m_visitor.pathPoint(pathPoint());
                    else
                        skip();
                }
            } else {
                skip();
            }
        }
        m_visitor.pathEnds(name);
    }

    void readDocument()
    {
        if (!nextChild()) {
            if (!m_xml.hasError() && !m_device.tooManyAttributesLine())
                fail(QStringLiteral("Die Datei enthält kein XML-Element"));
            return;
        }
        if (m_xml.name() != u"gpx")
            fail(QStringLiteral("„%1“ ist kein GPX-Element").arg(m_xml.name()));
        while (nextChild()) {
            const QStringView element = m_xml.name();
            if (element == u"wpt")
                m_visitor.waypoint(waypoint());
            else if (element == u"rte" || element == u"trk")
                path(element == u"trk");
            else
                skip();
        }
        // Anything after the root element must still be well-formed.
        while (!m_xml.atEnd() && !m_xml.hasError())
            next();
    }

    CountedDevice m_device;
    GpxVisitor &m_visitor;
    QXmlStreamReader m_xml;
    int m_depth = 0;
};

// Keeps everything, for the map.
class Collector : public GpxVisitor
{
public:
    GpxData data;

    void waypoint(GpxWaypoint &&point) override { data.waypoints.append(std::move(point)); }
    void pathBegins(bool track) override
    {
        m_paths = track ? &data.tracks : &data.routes;
        m_paths->append(GpxPath {});
    }
    void segmentBegins() override { m_paths->last().segments.append(QList<GpxPathPoint> {}); }
    void pathPoint(GpxPathPoint &&point) override
    {
        m_paths->last().segments.last().append(std::move(point));
    }
    void pathEnds(const QString &name) override { m_paths->last().name = name; }

private:
    QList<GpxPath> *m_paths = nullptr;
};

} // namespace

void readGpx(QIODevice &device, GpxVisitor &visitor)
{
    GpxParser(device, visitor).run();
}

GpxData readGpx(QIODevice &device)
{
    Collector collector;
    readGpx(device, collector);
    return std::move(collector.data);
}

void readGpxFile(const QString &path, GpxVisitor &visitor)
{
    if (QFileInfo(path).exists() && !QFileInfo(path).isFile())
        throw QuarvelError(QStringLiteral("%1 ist keine Datei").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw QuarvelError(cannotOpenFileText(path, file.errorString()));
    try {
        readGpx(file, visitor);
    } catch (const QuarvelError &error) {
        throw QuarvelError(path + QStringLiteral(": ") + error.message());
    }
}

GpxData readGpxFile(const QString &path)
{
    Collector collector;
    readGpxFile(path, collector);
    return std::move(collector.data);
}

} // namespace Map
