#include "cli/RechnerConstructions.h"

#include "logic/common/QuarvelError.h"
#include "logic/geo/GeoFormats.h"
#include "logic/geo/GeoResection.h"
#include "logic/geo/GeoTasks.h"
#include "logic/geo/GeoUnits.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>

#include <memory>

namespace Cli::Rechner {

namespace {

using Geo::GeoPoint;

// Without semicolons the words of a centroid are grouped into up to this many points; with
// them any count up to the centroid's own limit.
constexpr int kMostUnseparatedPoints = 12;

QJsonObject pointJson(GeoPoint p)
{
    return {{QStringLiteral("breite"), p.lat},
            {QStringLiteral("laenge"), p.lon},
            {QStringLiteral("text"), Geo::formatDegreesMinutes(p)}};
}

Field pointField(const QString &key, const QString &label, GeoPoint p)
{
    return Field {key, label, pointJson(p), Geo::formatDegreesMinutes(p)};
}

Field pointsField(const QList<GeoPoint> &points, const QStringList &labels = {})
{
    QJsonArray json;
    QStringList texts;
    for (qsizetype i = 0; i < points.size(); ++i) {
        json.append(pointJson(points[i]));
        const QString text = Geo::formatDegreesMinutes(points[i]);
        texts.append(i < labels.size() ? labels[i] + QStringLiteral(": ") + text : text);
    }
    return Field {QStringLiteral("punkte"), {}, json, texts.join(u'\n')};
}

Field metresField(const QString &key, const QString &label, double metres)
{
    return Field {key, label, metres, Geo::formatDistance(metres, Geo::DistanceUnit::Metre)};
}

Field note(const QString &text)
{
    return Field {QStringLiteral("hinweis"), {}, {}, text, Field::Show::TextOnly};
}

// A reader that remembers its answers: grouping words tries the same texts many times.
PartReader remembered(PartReader reader)
{
    auto known = std::make_shared<QHash<QString, bool>>();
    return [reader, known](const QString &text) {
        if (const auto it = known->constFind(text); it != known->constEnd())
            return *it;
        const bool ok = reader(text);
        known->insert(text, ok);
        return ok;
    };
}

PartReader valueReader(double (*read)(const QString &))
{
    return [read](const QString &text) {
        try {
            read(text);
            return true;
        } catch (const QuarvelError &) {
            return false;
        }
    };
}

double readNumber(const QString &text)
{
    bool ok = false;
    const double value =
        QString(text).trimmed().replace(u',', u'.').replace(u'−', u'-').toDouble(&ok);
    if (!ok || !std::isfinite(value))
        throw QuarvelError(QStringLiteral("„%1“ ist keine Zahl").arg(text.left(40)));
    return value;
}

int readCount(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        throw QuarvelError(QStringLiteral("„%1“ ist keine ganze Zahl").arg(text.left(40)));
    return value;
}

// An offset: minutes with "'", "′" or "min" after the number, else a distance in metres (or with
// a unit); a leading sign goes south or west.
struct Offset
{
    double value = 0.0;
    bool minutes = false;
};

Offset readOffset(const QString &input)
{
    QString text = input.trimmed();
    static const QRegularExpression minuteMark(QStringLiteral("\\s*(?:'|′|min)$"),
                                               QRegularExpression::CaseInsensitiveOption);
    if (text.contains(minuteMark))
        return {readNumber(text.remove(minuteMark)), true};
    double sign = 1.0;
    if (text.startsWith(u'-') || text.startsWith(u'−')) {
        sign = -1.0;
        text.remove(0, 1);
    } else if (text.startsWith(u'+')) {
        text.remove(0, 1);
    }
    return {sign * readDistanceWithUnit(text), false};
}

double readOffsetValue(const QString &text)
{
    return readOffset(text).value;
}

// ---- the tasks

void centroidTask(const QString &text, const PointInput &points, ResultSink &sink)
{
    QStringList parts;
    if (text.contains(u';')) {
        parts = text.split(u';', Qt::SkipEmptyParts);
    } else {
        std::vector<std::vector<PartReader>> alternatives;
        const PartReader point = remembered(points.accepts);
        // From one point, so a lone point is refused by the centroid with its reason.
        for (int n = 1; n <= kMostUnseparatedPoints; ++n)
            alternatives.emplace_back(size_t(n), point);
        parts = splitParts(text, alternatives);
    }
    QList<GeoPoint> list;
    for (const QString &part : parts)
        list.append(points.read(part.trimmed()));
    const Geo::Centroid c = Geo::centroid(list);
    Result result;
    result.fields = {pointField(QStringLiteral("ziel"),
                                QStringLiteral("Schwerpunkt (Mittel der ECEF-Vektoren, "
                                               "entlang der Ellipsoidnormalen)"),
                                c.surface),
                     pointField(QStringLiteral("mittel"),
                                QStringLiteral("Mittel der Breiten und Längen"), c.arithmetic)};
    result.linePerField = true;
    sink.report(result);
}

void antipodeTask(const QString &text, const PointInput &points, ResultSink &sink)
{
    const QStringList parts = splitParts(text, {{points.accepts}});
    Result result;
    result.fields = {pointField(QStringLiteral("ziel"), QStringLiteral("Antipode"),
                                Geo::antipode(points.read(parts[0])))};
    sink.report(result);
}

void rhumbTask(const QString &text, const PointInput &points, ResultSink &sink)
{
    const QStringList parts = splitParts(text, {{points.accepts, points.accepts}});
    const Geo::RhumbCourse r = Geo::rhumbInverse(points.read(parts[0]), points.read(parts[1]));
    Result result;
    result.fields = {metresField(QStringLiteral("entfernung_m"),
                                 QStringLiteral("Entfernung (Loxodrome)"), r.distance),
                     Field {QStringLiteral("kurs_grad"), QStringLiteral("Kurs"), r.course,
                            Geo::formatBearing(r.course, Geo::AngleUnit::Degree)}};
    sink.report(result);
}

void rhumbProjectionTask(const QString &text, const PointInput &points, ResultSink &sink)
{
    const QStringList parts = splitParts(
        text,
        {{points.accepts, valueReader(readBearingDegrees), valueReader(readDistanceWithUnit)}});
    Result result;
    result.fields = {
        pointField(QStringLiteral("ziel"), QStringLiteral("Ziel (Loxodrome)"),
                   Geo::rhumbDirect(points.read(parts[0]), readBearingDegrees(parts[1]),
                                    readDistanceWithUnit(parts[2])))};
    sink.report(result);
}

void resectionTask(const QString &text, const PointInput &points, ResultSink &sink)
{
    const PartReader p = points.accepts, angle = valueReader(readBearingDegrees);
    const QStringList s = splitParts(text, {{p, p, p, angle, angle}});
    const Geo::Resection r = Geo::resect(points.read(s[0]), points.read(s[1]), points.read(s[2]),
                                         readBearingDegrees(s[3]), readBearingDegrees(s[4]));
    Result result;
    result.fields = {pointField(QStringLiteral("ziel"), QStringLiteral("Standpunkt"), r.standpoint),
                     metresField(QStringLiteral("gefahrkreis_m"),
                                 QStringLiteral("Abstand zum gefährlichen Kreis"),
                                 r.dangerCircleDistance)};
    if (!r.warning.isEmpty())
        result.fields.push_back(note(r.warning));
    sink.report(result);
}

void divisionTask(const QString &text, const PointInput &points, ResultSink &sink)
{
    const QStringList s = splitParts(text, {{points.accepts, points.accepts, [](const QString &t) {
                                                 bool ok = false;
                                                 t.trimmed().toInt(&ok);
                                                 return ok;
                                             }}});
    Result result;
    result.linePerField = true;
    result.fields = {
        pointsField(Geo::divideGeodesic(points.read(s[0]), points.read(s[1]), readCount(s[2])))};
    sink.report(result);
}

void triangleTask(const QString &text, const PointInput &points, ResultSink &sink)
{
    const QStringList s = splitParts(text, {{points.accepts, points.accepts}});
    const Geo::Apexes apexes = Geo::equilateralApexes(points.read(s[0]), points.read(s[1]));
    Result result;
    result.linePerField = true;
    result.fields = {
        pointsField({apexes.left, apexes.right},
                    {QStringLiteral("Links"), QStringLiteral("Rechts")}),
        metresField(QStringLiteral("seite_m"), QStringLiteral("Seitenlänge"), apexes.side)};
    sink.report(result);
}

void offsetTask(const QString &text, const PointInput &points, ResultSink &sink)
{
    const PartReader offset = valueReader(readOffsetValue);
    const QStringList s = splitParts(text, {{points.accepts, offset, offset}});
    const Offset north = readOffset(s[1]), east = readOffset(s[2]);
    if (north.minutes != east.minutes)
        throw QuarvelError(QStringLiteral("Nord- und Ostversatz bitte in derselben Einheit: beide "
                                          "in Minuten (') oder beide in Metern"));
    const GeoPoint start = points.read(s[0]);
    Result result;
    result.fields = {
        north.minutes ? pointField(QStringLiteral("ziel"), QStringLiteral("Ziel (Minuten addiert)"),
                                   Geo::offsetByMinutes(start, north.value, east.value))
                      : pointField(QStringLiteral("ziel"),
                                   QStringLiteral("Ziel (eine Geodäte, Peilung atan2(Ost, Nord))"),
                                   Geo::offsetByMetres(start, north.value, east.value))};
    sink.report(result);
}

using Task = void (*)(const QString &, const PointInput &, ResultSink &);
const std::pair<const char *, Task> kTasks[] = {
    {"schwerpunkt", centroidTask},
    {"antipode", antipodeTask},
    {"loxodrome", rhumbTask},
    {"loxodrome-projektion", rhumbProjectionTask},
    {"rueckwaertsschnitt", resectionTask},
    {"teilung", divisionTask},
    {"dreieck", triangleTask},
    {"versatz", offsetTask},
};

} // namespace

QStringList constructionTasks()
{
    QStringList names;
    for (const auto &[name, run] : kTasks)
        names.append(QString::fromLatin1(name));
    return names;
}

bool runConstruction(const QString &task, const QString &text, const PointInput &points,
                     ResultSink &sink)
{
    for (const auto &[name, run] : kTasks) {
        if (task == QLatin1String(name)) {
            run(text, points, sink);
            return true;
        }
    }
    return false;
}

} // namespace Cli::Rechner
