// The coordinate calculator's help page shows results the program gives: each example of the
// constructions and the newer formats is computed here and must stand on the page as printed.
#include "logic/geo/GeoFormats.h"
#include "logic/geo/GeoRead.h"
#include "logic/geo/GeoResection.h"
#include "logic/geo/GeoTasks.h"
#include "logic/geo/GeoUnits.h"
#include "logic/geo/GeoWherigo.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace Geo;

namespace {

QString page()
{
    QFile file(
        QStringLiteral(QUARVEL_TEST_DATA_DIR "/../../data/help/pages/koordinatenrechner.html"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QString::fromUtf8(file.readAll());
}

QString dm(GeoPoint p)
{
    return formatDegreesMinutes(p);
}

QString metres(double value)
{
    return formatDistance(value, DistanceUnit::Metre);
}

} // namespace

TEST(HelpGeoExamples, ConstructionsOnTheCommandLine)
{
    const QString html = page();
    const GeoPoint p1 = readPosition(QStringLiteral("N 52° 31,000 E 013° 24,000"));
    const GeoPoint p2 = readPosition(QStringLiteral("N 52° 30,000 E 013° 20,000"));
    const GeoPoint p3 = readPosition(QStringLiteral("N 52° 33,000 E 013° 22,000"));
    const Centroid centre = centroid({p1, p2, p3});
    const RhumbCourse rhumb = rhumbInverse(p1, p2);
    const Resection r = resect(p1, p2, p3, 100, 120);
    const QList<GeoPoint> thirds = divideGeodesic(p1, p2, 3);
    const Apexes apexes = equilateralApexes(p1, p2);
    const QString shown[] = {
        QStringLiteral("entlang der Ellipsoidnormalen): ") + dm(centre.surface),
        QStringLiteral("Mittel der Breiten und Längen: ") + dm(centre.arithmetic),
        QStringLiteral("Antipode: ") + dm(antipode(p1)),
        QStringLiteral("Entfernung (Loxodrome): %1 | Kurs: %2")
            .arg(metres(rhumb.distance), formatBearing(rhumb.course, AngleUnit::Degree)),
        QStringLiteral("Ziel (Loxodrome): ") + dm(rhumbDirect(p1, 90, 1000)),
        QStringLiteral("Standpunkt: %1 | Abstand zum gefährlichen Kreis: %2")
            .arg(dm(r.standpoint), metres(r.dangerCircleDistance)),
        dm(thirds[0]) + QStringLiteral("<br>") + dm(thirds[1]),
        QStringLiteral("Links: %1<br>Rechts: %2<br>Seitenlänge: %3")
            .arg(dm(apexes.left), dm(apexes.right), metres(apexes.side)),
        QStringLiteral("Ziel (Minuten addiert): ") + dm(offsetByMinutes(p1, 0.25, -0.125)),
        QStringLiteral("Peilung atan2(Ost, Nord)): ") + dm(offsetByMetres(p1, -120, 80)),
    };
    for (const QString &text : shown) {
        SCOPED_TRACE(text.toStdString());
        EXPECT_TRUE(html.contains(text));
    }
}

TEST(HelpGeoExamples, NewFormatsReadAsShown)
{
    const QString html = page();
    const GeoPoint p1 = readPosition(QStringLiteral("N 52° 31,000 E 013° 24,000"));
    const QString inputs[] = {QStringLiteral("Y 600000 X 200000"), toWherigo(p1),
                              toTileText(p1, 17), toQuadkey(p1, 17), toNaturalAreaCode(p1)};
    for (const QString &input : inputs) {
        SCOPED_TRACE(input.toStdString());
        const QString row = QStringLiteral("<code>%1</code></td><td>%2")
                                .arg(input, dm(readAnyPosition(input).point));
        EXPECT_TRUE(html.contains(row));
    }
}
