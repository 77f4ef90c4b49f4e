#include "logic/geo/GeoUnits.h"

#include "logic/geo/GeoCalc.h"

#include "GeoTestSupport.h"

#include <gtest/gtest.h>

using namespace Geo;
using GeoTest::errorOf;

TEST(GeoUnits, DistancesInEveryUnit)
{
    const struct
    {
        DistanceUnit unit;
        const char *typed;
        double metres;
        const char *written;
    } cases[] = {
        {DistanceUnit::Metre, "350", 350.0, "350,000 m"},
        {DistanceUnit::Kilometre, "0,35", 350.0, "0,350000 km"},
        {DistanceUnit::Foot, "1000", 304.8, "1000,00 ft"},
        {DistanceUnit::Yard, "1.5", 1.3716, "1,500 yd"},
        {DistanceUnit::Mile, "1", 1609.344, "1,000000 mi"},
        {DistanceUnit::NauticalMile, "2", 3704.0, "2,000000 NM"},
        {DistanceUnit::Metre, "0", 0.0, "0,000 m"},
        {DistanceUnit::Metre, " 1e3 ", 1000.0, "1000,000 m"},
        // Points between groups of three digits group thousands, as the program writes them;
        // any other point is a decimal point.
        {DistanceUnit::Metre, "1.500", 1500.0, "1500,000 m"},
        {DistanceUnit::Metre, "1.450 m", 1450.0, "1450,000 m"},
        {DistanceUnit::Metre, "1.500,5", 1500.5, "1500,500 m"},
        {DistanceUnit::Metre, "12.345.678", 12345678.0, "12345678,000 m"},
        {DistanceUnit::Metre, "1.50", 1.5, "1,500 m"},
        {DistanceUnit::Metre, "1.5000", 1.5, "1,500 m"},
        {DistanceUnit::Metre, "0.500", 0.5, "0,500 m"},
        {DistanceUnit::Metre, "1234.5", 1234.5, "1234,500 m"},
        // A unit after the number counts instead of the field's.
        {DistanceUnit::Metre, "1,5 km", 1500.0, "1500,000 m"},
        {DistanceUnit::Metre, "1,5km", 1500.0, "1500,000 m"},
        {DistanceUnit::Kilometre, "350 m", 350.0, "0,350000 km"},
        {DistanceUnit::Metre, "2 mi", 3218.688, "3218,688 m"},
        {DistanceUnit::Metre, "1 NM", 1852.0, "1852,000 m"},
        {DistanceUnit::Metre, "3 yd", 2.7432, "2,743 m"},
        {DistanceUnit::Metre, "10 ft", 3.048, "3,048 m"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        const double metres = readDistance(QString::fromUtf8(c.typed), c.unit);
        EXPECT_NEAR(metres, c.metres, 1e-9);
        EXPECT_EQ(formatDistance(metres, c.unit), QString::fromUtf8(c.written));
    }
    EXPECT_EQ(distanceUnitNames(), QStringList({"m", "km", "ft", "yd", "mi", "NM"}));
}

TEST(GeoUnits, BearingsAreTakenModuloTheFullCircle)
{
    const struct
    {
        AngleUnit unit;
        const char *typed;
        double degrees;
    } cases[] = {
        {AngleUnit::Degree, "72", 72.0},    {AngleUnit::Degree, "-10", 350.0},
        {AngleUnit::Degree, "360", 0.0},    {AngleUnit::Degree, "359,999", 359.999},
        {AngleUnit::Degree, "370.5", 10.5}, {AngleUnit::Gon, "80", 72.0},
        {AngleUnit::Gon, "400", 0.0},       {AngleUnit::Gon, "-100", 270.0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_NEAR(readBearing(QString::fromUtf8(c.typed), c.unit), c.degrees, 1e-9);
    }
    EXPECT_EQ(formatBearing(72.0, AngleUnit::Degree), QStringLiteral("72,0000°"));
    EXPECT_EQ(formatBearing(72.0, AngleUnit::Gon), QStringLiteral("80,0000 gon"));
}

TEST(GeoUnits, RefusesWhatIsNoUsableNumber)
{
    const struct
    {
        const char *typed;
        const char *error;
    } cases[] = {
        {"", "Bitte eine Entfernung eingeben"},
        {"  ", "Bitte eine Entfernung eingeben"},
        {"-0,001", "Die Entfernung darf nicht negativ sein"},
        {"12 mm", "„12 mm“ ist keine Zahl"},
        {"km", "„km“ ist keine Zahl"},
        {"1,5.3", "„1,5.3“ ist keine Zahl"},
        {"1.500.0", "„1.500.0“ ist keine Zahl"},
        {"1 2 km", "„1 2 km“ ist keine Zahl"},
        {"1,2,3", "„1,2,3“ ist keine Zahl"},
        {"1e400", "„1e400“ ist keine Zahl"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(errorOf([&] { readDistance(QString::fromUtf8(c.typed), DistanceUnit::Metre); }),
                  QString::fromUtf8(c.error));
    }
    EXPECT_EQ(errorOf([] { readBearing(QString(), AngleUnit::Degree); }),
              QStringLiteral("Bitte eine Peilung eingeben"));
    EXPECT_TRUE(errorOf([] {
                    readDistance(QStringLiteral("1e306"), DistanceUnit::Mile);
                }).startsWith(QStringLiteral("Die Entfernung ist zu groß")));
}

// A million kilometres and ten full turns are the limits; beyond them a value is refused rather
// than folded into a plausible point.
TEST(GeoUnits, DistanceAndBearingLimits)
{
    const struct
    {
        const char *typed;
        DistanceUnit unit;
        bool refused;
    } distances[] = {
        {"1000000000", DistanceUnit::Metre, false},  {"1000000001", DistanceUnit::Metre, true},
        {"1000000", DistanceUnit::Kilometre, false}, {"1000000,001", DistanceUnit::Kilometre, true},
        {"1e308", DistanceUnit::Metre, true},
    };
    for (const auto &c : distances) {
        SCOPED_TRACE(c.typed);
        const QString error = errorOf([&] { readDistance(QString::fromUtf8(c.typed), c.unit); });
        EXPECT_EQ(error.contains(u"Die Entfernung ist zu groß"), c.refused) << error.toStdString();
    }
    const struct
    {
        const char *typed;
        AngleUnit unit;
        bool refused;
    } bearings[] = {
        {"3600", AngleUnit::Degree, false},   {"-3600", AngleUnit::Degree, false},
        {"3600,01", AngleUnit::Degree, true}, {"-3600,01", AngleUnit::Degree, true},
        {"4000", AngleUnit::Gon, false},      {"4000,1", AngleUnit::Gon, true},
        {"1e308", AngleUnit::Degree, true},
    };
    for (const auto &c : bearings) {
        SCOPED_TRACE(c.typed);
        const QString error = errorOf([&] { readBearing(QString::fromUtf8(c.typed), c.unit); });
        EXPECT_EQ(error.contains(u"Die Peilung ist zu groß"), c.refused) << error.toStdString();
    }
    EXPECT_TRUE(errorOf([] { project({}, 0, 1e308); }).contains(u"Die Entfernung ist zu groß"));
}
