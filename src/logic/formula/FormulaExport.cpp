#include "logic/formula/FormulaExport.h"

#include "logic/common/QuarvelError.h"
#include "logic/tools/Koordinaten_Unit.h"

#include <QIODevice>
#include <QXmlStreamWriter>

#include <cmath>

namespace Formula {

namespace {

QString csvField(QString text)
{
    if (text.contains(u';') || text.contains(u'"') || text.contains(u'\n')) {
        text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        return u'"' + text + u'"';
    }
    return text;
}

} // namespace

bool writeGpx(QIODevice &device, const FormulaSolver &solver, const std::vector<Hit> &hits,
              const QString &formula)
{
    QXmlStreamWriter xml(&device);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("gpx"));
    xml.writeDefaultNamespace(QStringLiteral("http://www.topografix.com/GPX/1/1"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    xml.writeAttribute(QStringLiteral("creator"), QStringLiteral("Quarvel"));
    for (const Hit &hit : hits) {
        xml.writeStartElement(QStringLiteral("wpt"));
        // GPX wants a decimal point whatever the language.
        xml.writeAttribute(QStringLiteral("lat"), QString::number(hit.latitude, 'f', 8));
        xml.writeAttribute(QStringLiteral("lon"), QString::number(hit.longitude, 'f', 8));
        xml.writeTextElement(QStringLiteral("name"), solver.variablesText(hit.index));
        xml.writeTextElement(QStringLiteral("desc"), formula);
        xml.writeTextElement(QStringLiteral("sym"), QStringLiteral("Waypoint"));
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return !xml.hasError();
}

bool writeCsv(QIODevice &device, const FormulaSolver &solver, const std::vector<Hit> &hits,
              int notation)
{
    QByteArray block = QByteArrayLiteral("\xEF\xBB\xBF") +
        QStringLiteral("Variablen;Koordinate;Breite;Länge;Entfernung (m);Richtung (°)\r\n")
            .toUtf8();
    for (const Hit &hit : hits) {
        const QStringList fields {
            csvField(solver.variablesText(hit.index)),
            csvField(coordinateInNotation(solver.coordinateText(hit.index), notation)),
            decimalComma(hit.latitude, 8),
            decimalComma(hit.longitude, 8),
            decimalComma(hit.distanceMetres, 1),
            decimalComma(hit.bearingDegrees, 1)};
        block += fields.join(u';').toUtf8() + "\r\n";
        if (block.size() > 1 << 16) {
            if (device.write(block) != block.size())
                return false;
            block.clear();
        }
    }
    return device.write(block) == block.size();
}

QString decimalComma(double value, int decimals)
{
    if (std::isnan(value))
        return QString();
    return QString::number(value, 'f', decimals).replace(u'.', u',');
}

QString coordinateInNotation(const QString &text, int notation)
{
    try {
        TKoordinaten position;
        if (position.m_sSetKoordinaten(text) == 1)
            return position.m_sGetKoordinaten(notation).trimmed();
    } catch (const QuarvelError &) {
    }
    return text;
}

QString resultLine(const FormulaSolver &solver, const Hit &hit, const QString &coordinate)
{
    return QStringList {solver.variablesText(hit.index), coordinate,
                        decimalComma(hit.distanceMetres, 1), decimalComma(hit.bearingDegrees, 1)}
        .join(u'\t');
}

} // namespace Formula
