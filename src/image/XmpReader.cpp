// XMP: the RDF inside the packet flattened to one field per value. A property's path names its
// structure: "dc:title[1]" for the first item of an array, "Iptc4xmpCore:CreatorContactInfo/
// Iptc4xmpCore:CiCity" for a field of a structure. Values given as attributes count the same.
#include "image/GpsCoordinates.h"
#include "image/MetadataReaders.h"

#include <QHash>
#include <QXmlStreamReader>

#include <vector>

namespace ImageAnalysis {
namespace {

const QString kRdf = QStringLiteral("http://www.w3.org/1999/02/22-rdf-syntax-ns#");
const QString kImageNs = QStringLiteral("http://ns.adobe.com/xap/1.0/g/img/");

struct Frame
{
    QString path;
    bool property = false; // a value may stand in it (a property or an array item)
    bool hadChild = false;
    int items = 0; // array items seen, for an array
    QString text;
    QString resource;
};

class XmpFlattener
{
public:
    MetadataContent read(QByteArrayView packet)
    {
        QXmlStreamReader xml(packet.toByteArray());
        while (!xml.atEnd()) {
            const QXmlStreamReader::TokenType token = xml.readNext();
            if (token == QXmlStreamReader::StartElement)
                start(xml);
            else if (token == QXmlStreamReader::Characters && !m_stack.empty())
                m_stack.back().text += xml.text();
            else if (token == QXmlStreamReader::EndElement)
                end();
        }
        if (xml.hasError())
            m_content.probleme << QStringLiteral("XMP: Das Paket ist ab Zeile %1, Spalte %2 "
                                                 "fehlerhaft; gezeigt ist, was davor stand")
                                      .arg(xml.lineNumber())
                                      .arg(xml.columnNumber());
        gps();
        return std::move(m_content);
    }

private:
    void start(const QXmlStreamReader &xml)
    {
        const QString parentPath = m_stack.empty() ? QString() : m_stack.back().path;
        if (!m_stack.empty())
            m_stack.back().hadChild = true;
        Frame frame;
        const bool rdf = xml.namespaceUri() == kRdf;
        const QStringView local = xml.name();
        if (rdf && local == u"li") {
            Frame *array = m_stack.size() >= 1 ? &m_stack.back() : nullptr;
            const int index = array ? ++array->items : 1;
            frame.path = parentPath + QStringLiteral("[%1]").arg(index);
            frame.property = true;
        } else if (rdf || m_stack.size() < 2) {
            frame.path = parentPath; // rdf:RDF, rdf:Description, the arrays, x:xmpmeta
        } else {
            frame.path = join(parentPath, xml.qualifiedName().toString());
            frame.property = true;
        }
        for (const QXmlStreamAttribute &attribute : xml.attributes()) {
            if (attribute.namespaceUri() == kRdf) {
                if (attribute.name() == u"resource")
                    frame.resource = attribute.value().toString();
                continue;
            }
            if (attribute.prefix() == u"xml" || attribute.qualifiedName().startsWith(u"xmlns"))
                continue;
            add(join(frame.path, attribute.qualifiedName().toString()),
                attribute.value().toString(), attribute.namespaceUri());
        }
        m_stack.push_back(std::move(frame));
        m_namespaces.push_back(xml.namespaceUri().toString());
    }

    void end()
    {
        if (m_stack.empty())
            return;
        const Frame frame = std::move(m_stack.back());
        const QString ns = m_namespaces.back();
        m_stack.pop_back();
        m_namespaces.pop_back();
        if (!frame.property || frame.hadChild)
            return;
        add(frame.path, frame.resource.isEmpty() ? frame.text : frame.resource, ns);
    }

    static QString join(const QString &path, const QString &name)
    {
        return path.isEmpty() ? name : path + u'/' + name;
    }

    void add(const QString &path, const QString &value, QStringView ns)
    {
        const QString last = path.section(u'/', -1).section(u'[', 0, 0);
        if (ns == kImageNs && last.endsWith(u":image")) {
            const QByteArray image = QByteArray::fromBase64(value.toLatin1());
            m_content.vorschaubilder << RawThumbnail {QStringLiteral("XMP"), image, {}};
            m_content.felder << MetadataField {
                QStringLiteral("XMP"), path,
                QStringLiteral("Vorschaubild, %1 Bytes (Base64)").arg(image.size())};
            return;
        }
        m_content.felder << MetadataField {QStringLiteral("XMP"), path, value};
        const QString local = last.section(u':', -1);
        if (local.startsWith(u"GPS"))
            m_gps.insert(local, value);
    }

    void gps()
    {
        if (!m_gps.contains(QStringLiteral("GPSLatitude")) &&
            !m_gps.contains(QStringLiteral("GPSLongitude")))
            return;
        const auto lat = degreesFromXmp(m_gps.value(QStringLiteral("GPSLatitude")), 90);
        const auto lon = degreesFromXmp(m_gps.value(QStringLiteral("GPSLongitude")), 180);
        if (!lat || !lon) {
            m_content.probleme << QStringLiteral("XMP: Die GPS-Position ist unvollständig oder "
                                                 "ungültig");
            return;
        }
        GpsPosition position {*lat, *lon, std::nullopt};
        if (m_gps.contains(QStringLiteral("GPSAltitude"))) {
            position.hoehe = altitudeFromXmp(m_gps.value(QStringLiteral("GPSAltitude")));
            if (position.hoehe && m_gps.value(QStringLiteral("GPSAltitudeRef")).trimmed() == u"1")
                position.hoehe = -*position.hoehe;
        }
        m_content.gps = position;
    }

    MetadataContent m_content;
    std::vector<Frame> m_stack;
    std::vector<QString> m_namespaces;
    QHash<QString, QString> m_gps;
};

} // namespace

MetadataContent readXmp(QByteArrayView packet)
{
    return XmpFlattener().read(packet);
}

} // namespace ImageAnalysis
