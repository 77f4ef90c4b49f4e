#include "logic/formula/FormulaSolver.h"
#include "logic/formula/FormulaExport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QRandomGenerator>
#include <QXmlStreamReader>

#include <GeographicLib/Geodesic.hpp>

#include <cmath>

using namespace Formula;

namespace {

struct SolverRun
{
    std::vector<Hit> hits;
    Counts counts;
};

FormulaSolver solver(const QString &formulaText, VariableSet::Texts texts, const char *reference,
                     Filter filter)
{
    SyntaxError error;
    auto formula = CoordinateFormula::parse(formulaText, error);
    EXPECT_TRUE(formula) << error.message.toStdString();
    VariableSet variables(texts, formula->variablesUsed());
    EXPECT_TRUE(variables.ok()) << variables.firstError().toStdString();
    std::optional<ReadPosition> ref;
    if (reference)
        ref = readPosition(reference);
    return FormulaSolver(std::move(*formula), std::move(variables), ref, filter);
}

SolverRun runAll(const FormulaSolver &s)
{
    SolverRun run;
    s.run(0, s.combinationCount(), run.hits, run.counts);
    return run;
}

VariableSet::Texts abc(const char16_t *a, const char16_t *b = u"", const char16_t *c = u"")
{
    VariableSet::Texts t;
    t[0] = QString::fromUtf16(a);
    t[1] = QString::fromUtf16(b);
    t[2] = QString::fromUtf16(c);
    return t;
}

} // namespace

TEST(FormulaSolver, CountsComputedValidAndShown)
{
    // A = 0..9 gives minutes 5A,000: 50..59 are valid, and with B = 5..6 also 5B for the
    // longitude; the reference lies at N 52° 55.000 E 13° 55.000.
    const auto s = solver(QStringLiteral("N 52° 5A.000 E 13° 5B.000"), abc(u"0-9", u"5-6"),
                          "N 52° 55.000 E 13° 55.000", Filter {true, std::nullopt});
    const SolverRun all = runAll(s);
    EXPECT_EQ(all.counts.computed, 20u);
    EXPECT_EQ(all.counts.valid, 20u);
    EXPECT_EQ(all.counts.shown, 20u);
    ASSERT_EQ(all.hits.size(), 20u);
    EXPECT_EQ(s.variablesText(all.hits[11].index), QStringLiteral("A=5 B=6"));
    EXPECT_EQ(s.coordinateText(all.hits[11].index), QStringLiteral("N 52° 55.000 E 13° 56.000"));
    // One minute of longitude at 52.9° is about 1,12 km, due east.
    EXPECT_NEAR(all.hits[11].distanceMetres, 1123, 5);
    EXPECT_NEAR(all.hits[11].bearingDegrees, 90, 0.1);
    EXPECT_NEAR(all.hits[10].distanceMetres, 0, 1e-6);
}

TEST(FormulaSolver, TheValidityFilterDropsImpossiblePositions)
{
    // A = 5..7 gives minutes 55, 65, 75: two of three are no minutes at all.
    const auto withFilter = solver(QStringLiteral("N 52° A5.000 E 13° 1.000"), abc(u"5-7"), nullptr,
                                   Filter {true, std::nullopt});
    const SolverRun kept = runAll(withFilter);
    EXPECT_EQ(kept.counts.computed, 3u);
    EXPECT_EQ(kept.counts.valid, 1u);
    EXPECT_EQ(kept.counts.shown, 1u);
    EXPECT_TRUE(std::isnan(kept.hits[0].distanceMetres)); // no reference point

    const auto without = solver(QStringLiteral("N 52° A5.000 E 13° 1.000"), abc(u"5-7"), nullptr,
                                Filter {false, std::nullopt});
    const SolverRun all = runAll(without);
    EXPECT_EQ(all.counts.valid, 1u);
    EXPECT_EQ(all.counts.shown, 3u);
}

TEST(FormulaSolver, TheDistanceFilterHoldsAtItsLimit)
{
    // Latitude minutes 0..10 north of the reference: one minute of latitude is 1 855 m here, so
    // a limit of exactly the third one's distance keeps the first four.
    const auto probe = solver(QStringLiteral("N 52° (A).000 E 13° 0.000"), abc(u"0-10"),
                              "N 52° 0.000 E 13° 0.000", Filter {true, std::nullopt});
    const SolverRun all = runAll(probe);
    ASSERT_EQ(all.hits.size(), 11u);
    const double limit = all.hits[3].distanceMetres;
    for (const double max : {std::nextafter(limit, 0.0), limit, std::nextafter(limit, 1e9)}) {
        const auto s = solver(QStringLiteral("N 52° (A).000 E 13° 0.000"), abc(u"0-10"),
                              "N 52° 0.000 E 13° 0.000", Filter {true, max});
        const SolverRun run = runAll(s);
        EXPECT_EQ(run.counts.shown, max < limit ? 3u : 4u) << max;
        EXPECT_EQ(run.counts.valid, 11u);
    }
    // Without a reference point nothing has a distance, so a distance filter keeps nothing.
    const auto noReference = solver(QStringLiteral("N 52° (A).000 E 13° 0.000"), abc(u"0-10"),
                                    "X 1 Y 2", Filter {true, 3200});
    EXPECT_EQ(runAll(noReference).counts.shown, 0u);
}

TEST(FormulaSolver, InvalidCandidatesAreCountedAndTheOthersGoOn)
{
    // (10/A) is whole for A = 1, 2, 5 and 10 only; A = 0 divides by zero.
    const auto s = solver(QStringLiteral("N 52° 1.(10/A) E 13° 1.0"), abc(u"0-10"), nullptr,
                          Filter {true, std::nullopt});
    const SolverRun run = runAll(s);
    EXPECT_EQ(run.counts.computed, 11u);
    EXPECT_EQ(run.counts.valid, 4u);
    std::vector<QString> texts;
    for (const Hit &hit : run.hits)
        texts.push_back(s.variablesText(hit.index));
    EXPECT_EQ(texts,
              (std::vector<QString> {QStringLiteral("A=1"), QStringLiteral("A=2"),
                                     QStringLiteral("A=5"), QStringLiteral("A=10")}));
}

TEST(FormulaSolver, AFormulaWithoutVariablesIsOneCandidate)
{
    const auto s =
        solver(QStringLiteral("N 52° 31.249 E 013° 24.713"), {}, nullptr, Filter {true, {}});
    EXPECT_EQ(runAll(s).counts.shown, 1u);
}

TEST(FormulaSolver, CancellingStopsBetweenCandidates)
{
    const auto s = solver(QStringLiteral("N 52° 1.ABC E 13° 1.0"), abc(u"0-99", u"0-99", u"0-99"),
                          nullptr, Filter {true, std::nullopt});
    std::atomic<bool> cancel {true};
    SolverRun run;
    s.run(0, s.combinationCount(), run.hits, run.counts, &cancel);
    EXPECT_EQ(run.counts.computed, 0u);
    cancel = false;
    s.run(0, 5000, run.hits, run.counts, &cancel);
    EXPECT_EQ(run.counts.computed, 5000u);
}

TEST(FormulaSolver, AMillionCombinations)
{
    // A..F, ten values each: every combination is a valid position. (No reference point: the
    // distances are tested above, and a million of them would only slow the test down.)
    VariableSet::Texts texts;
    for (int v = 0; v < 6; ++v)
        texts[size_t(v)] = QStringLiteral("0-9");
    const auto s = solver(QStringLiteral("N 52° 31.ABC E 013° 24.DEF"), texts, nullptr,
                          Filter {true, std::nullopt});
    ASSERT_EQ(s.combinationCount(), 1'000'000u);
    SolverRun run;
    // In pieces, as the window's worker runs it.
    for (uint64_t from = 0; from < s.combinationCount(); from += 65536)
        s.run(from, from + 65536, run.hits, run.counts);
    EXPECT_EQ(run.counts.computed, 1'000'000u);
    EXPECT_EQ(run.counts.valid, 1'000'000u);
    EXPECT_EQ(run.counts.shown, 1'000'000u);
    EXPECT_EQ(s.variablesText(run.hits[123456].index), QStringLiteral("A=1 B=2 C=3 D=4 E=5 F=6"));
}

TEST(FormulaExport, GpxIsWellFormedAndHoldsEveryWaypoint)
{
    const auto s = solver(QStringLiteral("N 52° 3A.000 E 13° 1.000"), abc(u"1-3"), nullptr,
                          Filter {true, std::nullopt});
    const SolverRun run = runAll(s);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(writeGpx(buffer, s, run.hits, QStringLiteral("N 52° 3A.000 E 13° 1.000 & <x>")));
    QXmlStreamReader xml(buffer.data());
    std::vector<std::pair<QString, QString>> waypoints;
    QString desc;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("gpx")) {
            EXPECT_EQ(xml.namespaceUri(), QLatin1String("http://www.topografix.com/GPX/1/1"));
            EXPECT_EQ(xml.attributes().value(QLatin1String("version")), QLatin1String("1.1"));
        } else if (xml.name() == QLatin1String("wpt")) {
            waypoints.emplace_back(xml.attributes().value(QLatin1String("lat")).toString(),
                                   xml.attributes().value(QLatin1String("lon")).toString());
        } else if (xml.name() == QLatin1String("desc")) {
            desc = xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    ASSERT_EQ(waypoints.size(), 3u);
    EXPECT_EQ(waypoints[0].first, QStringLiteral("52.51666667"));
    EXPECT_EQ(waypoints[0].second, QStringLiteral("13.01666667"));
    EXPECT_EQ(desc, QStringLiteral("N 52° 3A.000 E 13° 1.000 & <x>"));
}

TEST(FormulaExport, CsvUsesSemicolonsAndTheDecimalComma)
{
    const auto s = solver(QStringLiteral("N 52° 3A.000 E 13° 1.000"), abc(u"1"),
                          "N 52° 31.000 E 13° 1.000", Filter {true, std::nullopt});
    const SolverRun run = runAll(s);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(writeCsv(buffer, s, run.hits));
    const QString text = QString::fromUtf8(buffer.data().mid(3));
    EXPECT_TRUE(buffer.data().startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(text,
              QStringLiteral("Variablen;Koordinate;Breite;Länge;Entfernung (m);"
                             "Richtung (°)\r\n"
                             "A=1;N 52° 31,000' E 13° 1,000';52,51666667;13,01666667;"
                             "0,0;\r\n")); // no bearing to the point itself
    // The coordinate as the result table shows it in the chosen notation.
    QBuffer degrees;
    degrees.open(QIODevice::WriteOnly);
    ASSERT_TRUE(writeCsv(degrees, s, run.hits, 0));
    EXPECT_TRUE(degrees.data().contains("A=1;N 52,5166666666667 E 13,0166666666667;"));
}

// The quick pre-test may let a far pair through, but must never drop one within the radius:
// random pairs at every latitude and longitude (dateline included), with radii from 1 m to
// 300 km, each tried at its exact distance and just above and below it.
TEST(FormulaSolver, ThePreTestNeverDropsAPairWithinTheRadius)
{
    QRandomGenerator random(20261209);
    const auto uniform = [&](double low, double high) {
        return low + (high - low) * random.generateDouble();
    };
    for (int i = 0; i < 10000; ++i) {
        const double lat1 = uniform(-90, 90);
        const double lon1 = uniform(-180, 180);
        const double radius = std::pow(10.0, uniform(0, 5.5));
        const double azimuth = uniform(0, 360);
        double lat2 = 0;
        double lon2 = 0;
        GeographicLib::Geodesic::WGS84().Direct(lat1, lon1, azimuth, uniform(0, radius), lat2,
                                                lon2);
        const double exact = geodesicDistance(lat1, lon1, lat2, lon2).metres;
        SCOPED_TRACE(testing::Message() << lat1 << ' ' << lon1 << " -> " << lat2 << ' ' << lon2);
        for (const double max : {exact, std::nextafter(exact, 1e9), exact * 1.001})
            EXPECT_TRUE(mayBeWithin(lat1, lon1, lat2, lon2, max)) << max;
    }
    // And it does sort out what is plainly far.
    EXPECT_FALSE(mayBeWithin(52, 13, 53, 13, 3200));
    EXPECT_FALSE(mayBeWithin(52, 13, 52, 14, 3200));
}
