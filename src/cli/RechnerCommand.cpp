// The coordinate calculator on the command line: every page of the window as a task word after
// "rechner", and the GC code conversion.
#include "cli/CommandTable.h"
#include "cli/RechnerConstructions.h"
#include "cli/RechnerInput.h"
#include "logic/common/QuarvelError.h"
#include "logic/geo/GcCode.h"
#include "logic/geo/GeoCalc.h"
#include "logic/geo/GeoCodes.h"
#include "logic/geo/GeoFormats.h"
#include "logic/geo/GeoGrids.h"
#include "logic/geo/GeoIntersect.h"
#include "logic/geo/GeoRead.h"
#include "logic/geo/GeoUnits.h"
#include "logic/settings/LoadSaveSettings.h"
#include "logic/settings/RegistryText.h"

#include <QFile>
#include <QJsonObject>
#include <QStandardPaths>

#include <memory>

namespace Cli {
namespace {

using Geo::GeoPoint;
using Rechner::PartReader;

struct Setup
{
    std::optional<Geo::Format> from;
    Geo::CodeLengths lengths;
    QString reference; // --bezug as typed; empty: the home coordinates
    // The reference point once read; it is only looked up for a short Plus Code.
    std::shared_ptr<std::optional<GeoPoint>> referencePoint =
        std::make_shared<std::optional<GeoPoint>>();
    QString bearing; // --peilung
    QString distance; // --entfernung
};

// The home coordinates from the program's settings file, as the window uses them for short
// Plus Codes; "N 0° E 0°" (the settings' own default) when there is none to read.
GeoPoint homeCoordinates()
{
    QFile file(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
               QStringLiteral("/Brask/registry.reg"));
    if (file.size() < (1 << 22) && file.open(QIODevice::ReadOnly)) {
        const RegistryParseResult parsed = parseRegistryText(file.readAll());
        const RegistryKey *key = parsed.document ? parsed.document->find(kSettingsKey) : nullptr;
        const RegistryValue *value = key ? key->find(QStringLiteral("HomeKoordinaten")) : nullptr;
        if (value && value->isText()) {
            try {
                return Geo::readAnyPosition(value->textValue()).point;
            } catch (const QuarvelError &) {
                throw QuarvelError(QStringLiteral("Die Home-Koordinaten der Einstellungen sind "
                                                  "keine Position: bitte --bezug angeben"));
            }
        }
    }
    return {};
}

GeoPoint readPoint(const QString &text, std::optional<Geo::Format> format, const Setup &setup)
{
    std::optional<GeoPoint> &reference = *setup.referencePoint;
    if (!reference && text.contains(u'+'))
        reference = setup.reference.isEmpty() ? homeCoordinates()
                                              : Geo::readAnyPosition(setup.reference).point;
    return Geo::readAnyPosition(text, format, reference.value_or(GeoPoint {})).point;
}

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

Field numberField(const QString &key, const QString &label, double value, const QString &text)
{
    return Field {key, label, value, text};
}

PartReader positionReader(const Setup &setup)
{
    return [&setup](const QString &text) {
        try {
            readPoint(text, std::nullopt, setup);
            return true;
        } catch (const QuarvelError &) {
            return false;
        }
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

// ---- the tasks

void formatTask(const QString &text, const Setup &setup, ResultSink &sink)
{
    const GeoPoint p = readPoint(text, setup.from, setup);
    Result result;
    result.linePerField = true;
    result.fields.push_back(Field {QStringLiteral("eingabe"), {}, text, {}, Field::Show::JsonOnly});
    for (const Geo::FormatLine &line : Geo::allFormats(p, setup.lengths)) {
        const QString shown =
            line.error.isEmpty() ? line.text : QStringLiteral("– (%1)").arg(line.error);
        if (line.key.startsWith(QStringLiteral("wgs84-"))) {
            result.fields.push_back(
                Field {line.key, line.caption, {}, shown, Field::Show::TextOnly});
            continue;
        }
        QJsonValue json = line.error.isEmpty() ? QJsonValue(line.text) : QJsonValue();
        if (line.key == u"wgs84")
            json = pointJson(p);
        if (line.key == u"ecef" && line.error.isEmpty()) {
            const Geo::Ecef e = Geo::toEcef(p);
            json = QJsonObject {
                {QStringLiteral("x"), e.x}, {QStringLiteral("y"), e.y}, {QStringLiteral("z"), e.z}};
        }
        result.fields.push_back(Field {line.key, line.caption, json, shown});
    }
    sink.report(result);
}

void distanceTask(const QString &text, const Setup &setup, ResultSink &sink)
{
    const PartReader point = positionReader(setup);
    const QStringList parts = Rechner::splitParts(text, {{point, point}});
    const Geo::DistanceBearing d =
        Geo::distanceAndBearing(readPoint(parts[0], {}, setup), readPoint(parts[1], {}, setup));
    Result result;
    result.fields = {
        numberField(QStringLiteral("entfernung_m"), QStringLiteral("Entfernung"), d.distance,
                    Geo::formatDistance(d.distance, Geo::DistanceUnit::Metre)),
        numberField(QStringLiteral("peilung_grad"), QStringLiteral("Peilung"), d.initialBearing,
                    Geo::formatBearing(d.initialBearing, Geo::AngleUnit::Degree)),
        numberField(QStringLiteral("ankunft_grad"), QStringLiteral("Richtung bei Ankunft"),
                    d.finalBearing, Geo::formatBearing(d.finalBearing, Geo::AngleUnit::Degree))};
    sink.report(result);
}

void projectionTask(const QString &text, const Setup &setup, ResultSink &sink)
{
    const PartReader point = positionReader(setup);
    QStringList parts;
    if (!setup.bearing.isEmpty() || !setup.distance.isEmpty()) {
        if (setup.bearing.isEmpty() || setup.distance.isEmpty())
            throw QuarvelError(QStringLiteral("Die Projektion braucht --peilung und --entfernung"));
        parts = Rechner::splitParts(text, {{point}});
        parts << setup.bearing << setup.distance;
    } else {
        parts = Rechner::splitParts(text,
                                    {{point, valueReader(Rechner::readBearingDegrees),
                                      valueReader(Rechner::readDistanceWithUnit)}});
    }
    const GeoPoint target =
        Geo::project(readPoint(parts[0], {}, setup), Rechner::readBearingDegrees(parts[1]),
                     Rechner::readDistanceWithUnit(parts[2]));
    Result result;
    result.fields = {pointField(QStringLiteral("ziel"), QStringLiteral("Ziel"), target)};
    sink.report(result);
}

void middleTask(const QString &text, const Setup &setup, ResultSink &sink)
{
    const PartReader point = positionReader(setup);
    const QStringList parts = Rechner::splitParts(text, {{point, point}, {point, point, point}});
    QList<GeoPoint> points;
    for (const QString &part : parts)
        points.append(readPoint(part, {}, setup));
    Result result;
    if (points.size() == 2) {
        result.fields = {pointField(QStringLiteral("ziel"), QStringLiteral("Mitte"),
                                    Geo::midpoint(points[0], points[1]))};
    } else {
        const Geo::Centre centre = Geo::centreOfThree(points[0], points[1], points[2]);
        result.fields = {
            pointField(QStringLiteral("ziel"), QStringLiteral("Mittelpunkt"), centre.point),
            Field {QStringLiteral("abstand_m"), QStringLiteral("Abstand"), centre.distance,
                   Geo::formatDistance(centre.distance, Geo::DistanceUnit::Metre),
                   Field::Show::TextOnly}};
    }
    sink.report(result);
}

void reportPoints(const QList<GeoPoint> &points, ResultSink &sink, const QStringList &notes = {})
{
    QJsonArray json;
    QStringList texts;
    for (const GeoPoint &p : points) {
        json.append(pointJson(p));
        texts.append(Geo::formatDegreesMinutes(p));
    }
    Result result;
    result.linePerField = true;
    result.fields.push_back(Field {QStringLiteral("punkte"), {}, json, texts.join(u'\n')});
    for (const QString &note : notes)
        result.fields.push_back(
            Field {QStringLiteral("hinweis"), {}, {}, note, Field::Show::TextOnly});
    sink.report(result);
}

void intersectionTask(const QString &kind, const QString &text, const Setup &setup,
                      ResultSink &sink)
{
    const PartReader p = positionReader(setup);
    const PartReader b = valueReader(Rechner::readBearingDegrees);
    const PartReader r = valueReader(Rechner::readDistanceWithUnit);
    auto point = [&](const QString &part) { return readPoint(part, {}, setup); };
    auto line = [&](const QString &at, const QString &bearing) {
        return Geo::BearingLine {point(at), Rechner::readBearingDegrees(bearing)};
    };
    auto circle = [&](const QString &at, const QString &radius) {
        return Geo::Circle {point(at), Rechner::readDistanceWithUnit(radius)};
    };
    if (kind == u"peilungen") {
        const QStringList s = Rechner::splitParts(text, {{p, b, p, b}});
        reportPoints({Geo::intersectBearings(line(s[0], s[1]), line(s[2], s[3]))}, sink);
    } else if (kind == u"linie-kreis") {
        const QStringList s = Rechner::splitParts(text, {{p, b, p, r}});
        reportPoints(Geo::intersectLineCircle(line(s[0], s[1]), circle(s[2], s[3])), sink);
    } else if (kind == u"kreise") {
        const QStringList s = Rechner::splitParts(text, {{p, r, p, r}});
        reportPoints(Geo::intersectCircles(circle(s[0], s[1]), circle(s[2], s[3])), sink);
    } else if (kind == u"drei-kreise") {
        const QStringList s = Rechner::splitParts(text, {{p, r, p, r, p, r}});
        const Geo::BestFit fit =
            Geo::trilaterate(circle(s[0], s[1]), circle(s[2], s[3]), circle(s[4], s[5]));
        QStringList notes;
        for (int i = 0; i < 3; ++i)
            notes.append(
                QStringLiteral("Abweichung Kreis %1: %2")
                    .arg(i + 1)
                    .arg(Geo::formatDistance(fit.misfit[size_t(i)], Geo::DistanceUnit::Metre)));
        reportPoints({fit.point}, sink, notes);
    } else {
        throw QuarvelError(QStringLiteral("„schnitt“ braucht peilungen, linie-kreis, kreise "
                                          "oder drei-kreise, nicht „%1“")
                               .arg(kind.left(40)));
    }
}

const QString kTasks = QStringLiteral("format, entfernung, projektion, mitte, schnitt "
                                      "peilungen|linie-kreis|kreise|drei-kreise, ") +
    Rechner::constructionTasks().join(QStringLiteral(", "));

// The first word names the task, for "schnitt" the second its kind.
void runTask(const QString &input, const Setup &setup, ResultSink &sink)
{
    const QString text = input.trimmed();
    const qsizetype blank = text.indexOf(QRegularExpression(QStringLiteral("\\s")));
    const QString task = (blank < 0 ? text : text.left(blank)).toLower();
    const QString rest = blank < 0 ? QString() : text.mid(blank + 1).trimmed();
    if (task.isEmpty())
        throw QuarvelError(QStringLiteral("Bitte eine Aufgabe angeben: %1").arg(kTasks));
    if (setup.bearing.size() + setup.distance.size() > 0 && task != u"projektion")
        throw QuarvelError(
            QStringLiteral("--peilung und --entfernung gelten nur für „projektion“"));
    if (task == u"format")
        return formatTask(rest, setup, sink);
    if (task == u"entfernung")
        return distanceTask(rest, setup, sink);
    if (task == u"projektion")
        return projectionTask(rest, setup, sink);
    if (task == u"mitte")
        return middleTask(rest, setup, sink);
    if (task == u"schnitt") {
        const qsizetype next = rest.indexOf(QRegularExpression(QStringLiteral("\\s")));
        return intersectionTask((next < 0 ? rest : rest.left(next)).toLower(),
                                next < 0 ? QString() : rest.mid(next + 1), setup, sink);
    }
    const Rechner::PointInput points {
        [&setup](const QString &part) { return readPoint(part, {}, setup); },
        positionReader(setup)};
    if (Rechner::runConstruction(task, rest, points, sink))
        return;
    throw QuarvelError(QStringLiteral("Unbekannte Aufgabe „%1“: %2").arg(task.left(40), kTasks));
}

// "entfernung", "schnitt kreise": the task alone, so its positions come line by line from stdin.
bool textsOnlyNameTask(const QStringList &texts)
{
    static const QStringList tasks {QStringLiteral("format"), QStringLiteral("entfernung"),
                                    QStringLiteral("projektion"), QStringLiteral("mitte")};
    static const QStringList kinds {QStringLiteral("peilungen"), QStringLiteral("linie-kreis"),
                                    QStringLiteral("kreise"), QStringLiteral("drei-kreise")};
    if (texts.size() == 1)
        return tasks.contains(texts.constFirst().toLower()) ||
            Rechner::constructionTasks().contains(texts.constFirst().toLower());
    return texts.size() == 2 && texts.constFirst().toLower() == u"schnitt" &&
        kinds.contains(texts.constLast().toLower());
}

int lengthOption(const Options &options, const QString &key, int low, int high, int fallback)
{
    if (!options.has(key))
        return fallback;
    bool ok = false;
    const int value = options.value(key).trimmed().toInt(&ok);
    if (!ok || value < low || value > high)
        throw UsageError {QStringLiteral("--%1 muss eine Zahl von %2 bis %3 sein: „%4“")
                              .arg(key)
                              .arg(low)
                              .arg(high)
                              .arg(options.value(key))};
    return value;
}

Handler rechnerHandler(const Options &options)
{
    Setup setup;
    if (options.has(QStringLiteral("von"))) {
        setup.from = Geo::formatFromKey(options.value(QStringLiteral("von")));
        if (!setup.from)
            throw UsageError {
                QStringLiteral("--von kennt %1, nicht „%2“")
                    .arg(Geo::formatKeys().join(u' '), options.value(QStringLiteral("von")))};
    }
    setup.lengths.maidenhead =
        lengthOption(options, QStringLiteral("maidenhead-stellen"), 2, 16, 8);
    if (setup.lengths.maidenhead % 2 == 1)
        throw UsageError {QStringLiteral("--maidenhead-stellen muss gerade sein")};
    setup.lengths.geohash = lengthOption(options, QStringLiteral("geohash-stellen"), 1, 12, 10);
    setup.lengths.olc = lengthOption(options, QStringLiteral("olc-stellen"), 2, 15, 10);
    setup.lengths.tileZoom = lengthOption(options, QStringLiteral("zoom"), Geo::kTileZoomMin,
                                          Geo::kTileZoomMax, Geo::kTileZoomDefault);
    setup.lengths.nac = lengthOption(options, QStringLiteral("nac-stellen"), Geo::kNacMin,
                                     Geo::kNacMax, Geo::kNacDefault);
    if (setup.lengths.olc < 10 && setup.lengths.olc % 2 == 1)
        throw UsageError {QStringLiteral("--olc-stellen muss unter 10 gerade sein")};
    setup.reference = options.value(QStringLiteral("bezug"));
    setup.bearing = options.value(QStringLiteral("peilung"));
    setup.distance = options.value(QStringLiteral("entfernung"));
    return [setup](const QString &input, ResultSink &sink) { runTask(input, setup, sink); };
}

void gcHandler(const QString &input, ResultSink &sink)
{
    const Geo::GcCodePair pair = Geo::readGcCode(input);
    Result result;
    result.fields = {field(QStringLiteral("code"), QStringLiteral("Code"), pair.code),
                     field(QStringLiteral("nummer"), QStringLiteral("Nummer"), pair.number)};
    sink.report(result);
}

OptionDecl option(const char *name, const char *key, const char *value, const char *help)
{
    return {{QString::fromLatin1(name)},
            QString::fromLatin1(key),
            QString::fromLatin1(value),
            QString::fromUtf8(help)};
}

} // namespace

Command rechnerCommand()
{
    return Command {
        {QStringLiteral("rechner"), QStringLiteral("calc")},
        QStringLiteral("Koordinatenrechner: Formate, Entfernung, Projektion, Mitte, Schnittpunkte"),
        QStringLiteral("AUFGABE [ANGABEN ...]"),
        QStringLiteral(
            "Jede Seite des Koordinatenrechners als Aufgabe; das erste Wort nennt sie:\n"
            "  format POSITION                  die Position in jedem Format, eines je Zeile\n"
            "  entfernung P1 P2                 Entfernung, Peilung, Richtung bei Ankunft\n"
            "  projektion P --peilung GRAD --entfernung WERT[m|km|ft|mi]\n"
            "  mitte P1 P2 [P3]                 Mitte zweier Punkte, Mittelpunkt dreier\n"
            "  schnitt peilungen P1 B1 P2 B2\n"
            "  schnitt linie-kreis P B M R\n"
            "  schnitt kreise M1 R1 M2 R2\n"
            "  schnitt drei-kreise M1 R1 M2 R2 M3 R3\n"
            "  schwerpunkt P1 P2 ... Pn          Schwerpunkt (ECEF-Mittel) und Mittel der Grade\n"
            "  antipode P                        der gegenüberliegende Punkt der Erde\n"
            "  loxodrome P1 P2                   Entfernung und Kurs auf der Loxodrome\n"
            "  loxodrome-projektion P KURS DIST  Ziel auf der Loxodrome\n"
            "  rueckwaertsschnitt A B C WINKEL_AB WINKEL_BC   Standpunkt (Winkel im "
            "Uhrzeigersinn)\n"
            "  teilung P1 P2 N                   die N-1 Punkte, die die Strecke in N Teile "
            "teilen\n"
            "  dreieck P1 P2                     die Spitzen der gleichseitigen Dreiecke\n"
            "  versatz P NORD OST                um Minuten (0,25') oder Meter (25m) versetzt\n"
            "Angaben trennt man am sichersten mit „;“; ohne „;“ werden die Wörter so geteilt,\n"
            "wie sich jede Angabe lesen lässt (sonst kommt die Bitte um „;“). Positionen in\n"
            "jedem Format: wgs84 utm mgrs gk lv95 rd maidenhead geohash olc ecef lv03\n"
            "wherigo kachel quadkey nac.\n"
            "Ohne Text nach „rechner“ ist jede Zeile der Standardeingabe ein Aufruf,\n"
            "z. B. „entfernung N 52 E 13; N 53 E 14“; steht nur die Aufgabe da\n"
            "(„rechner entfernung“), hält jede Zeile die Angaben eines Aufrufs.\n\n"
            "Beispiel: quarvel-cli rechner entfernung \"N 52° 31,250 E 013° 24,713\" \"JO62qm\""),
        {option("--von", "von", "FORMAT", "die Position nur in diesem Format lesen (format)"),
         option("--maidenhead-stellen", "maidenhead-stellen", "N", "Länge des Locators, 2 bis 16"),
         option("--geohash-stellen", "geohash-stellen", "N", "Länge des Geohash, 1 bis 12"),
         option("--olc-stellen", "olc-stellen", "N", "Stellen des Plus Codes, 2 bis 15"),
         option("--zoom", "zoom", "N", "Zoomstufe der Kachel und Länge des Quadkeys, 0 bis 23"),
         option("--nac-stellen", "nac-stellen", "N",
                "Zeichen je Teil des Natural Area Code, 1 bis 8"),
         option("--bezug", "bezug", "P",
                "Bezugspunkt kurzer Plus Codes (sonst die Home-Koordinaten)"),
         option("--peilung", "peilung", "GRAD", "Peilung der Projektion"),
         option("--entfernung", "entfernung", "WERT",
                "Entfernung der Projektion, z. B. 350m, 2km")},
        InputKind::Line,
        rechnerHandler,
        kMaxDocumentBytes,
        textsOnlyNameTask};
}

Command gccodeCommand()
{
    return Command {
        {QStringLiteral("gccode"), QStringLiteral("gc")},
        QStringLiteral("GC-Code in die Nummer umrechnen und zurück"),
        QStringLiteral("[CODE|NUMMER ...]"),
        QStringLiteral("Rechnet einen Geocaching-Code in seine Nummer um und eine Nummer in den\n"
                       "Code: bis GCFFFF hexadezimal, ab GCG000 zur Basis 31 ohne I, L, O, S, U.\n"
                       "Leerzeichen zählen nicht, Groß- und Kleinschreibung auch nicht.\n\n"
                       "Beispiel: quarvel-cli gccode GCG000   →   Code: GCG000 | Nummer: 65536"),
        {},
        InputKind::Line,
        [](const Options &) { return Handler(gcHandler); }};
}

} // namespace Cli
