// The hash search of the variable coordinates: the coordinate form, the target digest and the
// search over all combinations, on one core and on several.
#include "logic/common/QuarvelError.h"
#include "logic/formula/CoordinateHash.h"
#include "logic/formula/FormulaSolver.h"
#include "logic/formula/PositionReader.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QRandomGenerator>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

using namespace Formula;

namespace {

QString written(const QString &form, const char *position)
{
    return CoordinateForm::parse(form).writeText(readPosition(position));
}

QString refusal(const std::function<void()> &action)
{
    try {
        action();
    } catch (const QuarvelError &error) {
        return error.message();
    }
    return {};
}

// 3,000 combinations; A=3 B=5 C=2 D=4 gives N 51° 23.456 E 007° 12.345.
FormulaSolver plantedSolver(std::shared_ptr<const HashTarget> target, unsigned extra = 0)
{
    SyntaxError error;
    auto formula = CoordinateFormula::parse(QStringLiteral("N 51° 2A.4B6 E 007° 1C.3D5"), error);
    VariableSet::Texts texts;
    for (int v = 0; v < 3; ++v)
        texts[size_t(v)] = QStringLiteral("0-9");
    texts[3] = QStringLiteral("3-5");
    if (extra)
        texts[4] = QStringLiteral("1-%1").arg(extra);
    VariableSet variables(texts, formula->variablesUsed() | (extra ? 1u << 4 : 0u));
    return FormulaSolver(std::move(*formula), std::move(variables), std::nullopt,
                         Filter {true, std::nullopt, std::move(target)});
}

std::shared_ptr<const HashTarget> targetOf(const QString &text, const CoordinateHashMethod &method,
                                           const QString &form)
{
    const QByteArray hex = QCryptographicHash::hash(text.toUtf8(), method.algorithm).toHex();
    return std::make_shared<const HashTarget>(
        hashTarget(QString::fromLatin1(hex), method, CoordinateForm::fromNameOrText(form)));
}

} // namespace

TEST(CoordinateForm, WritesThePositionInTheForm)
{
    struct Case
    {
        const char *form;
        const char *position;
        const char16_t *expected;
    };
    const Case cases[] = {
        {"{h}{gg} {mm}.{mmm} {h}{ggg} {mm}.{mmm}", "N 51 23.456 E 7 12.345",
         u"N51 23.456 E007 12.345"},
        {"N{gg} {mm}.{mmm} E{ggg} {mm}.{mmm}", "N 51 23.456 E 7 12.345", u"N51 23.456 E007 12.345"},
        {"{h}{gg} {mm}.{mmm} {h}{ggg} {mm}.{mmm}", "S 5 3.050 W 120 0.000",
         u"S05 03.050 W120 00.000"},
        {"{h}{g} {m}.{mmm} {h}{g} {m}.{mmm}", "S 5 3.050 W 120 0.000", u"S5 3.050 W120 0.000"},
        // The smallest unit is rounded and carries into minutes and degrees.
        {"{h}{gg} {mm}.{mmm} {h}{ggg} {mm}.{mmm}", "N 51 59.9996 E 7 12.3454",
         u"N52 00.000 E007 12.345"},
        {"{h}{gg} {mm} {h}{ggg} {mm}", "N 51 59.6 E 7 12.4", u"N52 00 E007 12"},
        {"{g}.{ddddd} {g}.{ddddd}", "N 51 30.000 E 7 15.000", u"51.50000 7.25000"},
        {"{h}{g}°{mm}'{ss}.{s}\" {h}{g}°{mm}'{ss}.{s}\"", "N 51 23.456 E 7 12.345",
         u"N51°23'27.4\" E7°12'20.7\""},
        // Hemisphere letters after the numbers; braces as text.
        {"{g} {mm}.{mmm}{h} {{{g} {mm}.{mmm}{h}}}", "N 51 23.456 W 7 12.345",
         u"51 23.456N {7 12.345W}"},
        // One {h} after the latitude's numbers is the longitude's.
        {"{gg} {mm}.{mmm} {h}{ggg} {mm}.{mmm}", "N 51 23.456 W 7 12.345", u"51 23.456 W007 12.345"},
        {"{gg}{mm}{mmm}{ggg}{mm}{mmm}", "N 51 23.456 E 7 12.345", u"512345600712345"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.form);
        EXPECT_EQ(written(QString::fromUtf8(c.form), c.position), QString::fromUtf16(c.expected));
    }
    // An invalid position (minutes 60 and more) is never written.
    EXPECT_EQ(written(QStringLiteral("{g} {mm} {g} {mm}"), "N 51 61.000 E 7 1.000"), QString());
}

// Forms of fixed width (written into a template) and of free width, with the finest and the
// coarsest rounding, against the position split by plain division and printed with printf,
// over random positions and the edges of both halves.
TEST(CoordinateForm, WritesRandomPositionsAsPlainArithmeticDoes)
{
    struct Parts
    {
        char letter;
        unsigned long long degrees, minutes, seconds, decimals;
    };
    // The rounding of the writer: half up in the smallest unit, carried into the larger ones.
    const auto split = [](double value, int half, long long perMinute, long long perSecond,
                          long long perDegree, long long modulus) {
        const auto units = (unsigned long long)(std::fabs(value) * double(perDegree) + 0.5);
        const unsigned long long rest = units % (unsigned long long)perDegree;
        const char letters[2][2] = {{'N', 'S'}, {'E', 'W'}};
        return Parts {letters[half][value < 0 && units != 0], units / (unsigned long long)perDegree,
                      rest / (unsigned long long)perMinute,
                      rest % (unsigned long long)perMinute / (unsigned long long)perSecond,
                      rest % (unsigned long long)modulus};
    };
    struct Case
    {
        const char *form;
        // per minute, per second, per degree, decimal modulus
        long long scale[4];
        const char *printf; // takes the parts of both halves
        bool minutes; // prints degrees, minutes, decimals; else with seconds or decimal degrees
        bool seconds;
    };
    const Case cases[] = {
        {"{h}{gg} {mm}.{mmm} {h}{ggg} {mm}.{mmm}",
         {1000, 1, 60000, 1000},
         "%c%02llu %02llu.%03llu %c%03llu %02llu.%03llu",
         true,
         false},
        {"{h}{g} {m}.{mmm} {h}{g} {m}.{mmm}",
         {1000, 1, 60000, 1000},
         "%c%llu %llu.%03llu %c%llu %llu.%03llu",
         true,
         false},
        {"{h}{ggg}{mm}.{mmmmmm}{h}{ggg}{mm}.{mmmmmm}",
         {1000000, 1, 60000000, 1000000},
         "%c%03llu%02llu.%06llu%c%03llu%02llu.%06llu",
         true,
         false},
        {"{h}{gg} {mm} {h}{ggg} {mm}",
         {1, 1, 60, 1},
         "%c%02llu %02llu%.0llu %c%03llu %02llu%.0llu",
         true,
         false},
        {"{g}.{dddddd} {h}{g}.{dddddd}",
         {1, 1, 1000000, 1000000},
         "%llu.%06llu %c%llu.%06llu",
         false,
         false},
        {"{h}{gg}°{mm}'{ss}.{ssssss}\" {h}{ggg}°{mm}'{ss}.{ssssss}\"",
         {60000000, 1000000, 3600000000, 1000000},
         "%c%02llu°%02llu'%02llu.%06llu\" %c%03llu°%02llu'%02llu.%06llu\"",
         false,
         true},
        {"{h}{g} {m} {s} {h}{g} {m} {s}",
         {60, 1, 3600, 1},
         "%c%llu %llu %llu%.0llu %c%llu %llu %llu%.0llu",
         false,
         true},
    };
    std::vector<std::pair<double, double>> positions = {
        {0, 0},           {90, 180},
        {-90, -180},      {-0.0, -0.0},
        {-1e-12, -1e-12}, {89.9999999999, 179.9999999999},
        {51.5, 7.25},     {-33.99999, -70.000001}};
    QRandomGenerator random(99);
    for (int i = 0; i < 20000; ++i)
        positions.emplace_back(random.generateDouble() * 180 - 90,
                               random.generateDouble() * 360 - 180);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.form);
        const CoordinateForm form = CoordinateForm::parse(QString::fromUtf8(c.form));
        std::vector<char> buffer(form.maxLength());
        for (const auto &[lat, lon] : positions) {
            ReadPosition position;
            position.recognised = position.valid = position.hasPosition = true;
            position.latitude = lat;
            position.longitude = lon;
            const Parts a = split(lat, 0, c.scale[0], c.scale[1], c.scale[2], c.scale[3]);
            const Parts b = split(lon, 1, c.scale[0], c.scale[1], c.scale[2], c.scale[3]);
            char expected[256];
            if (c.seconds)
                std::snprintf(expected, sizeof expected, c.printf, a.letter, a.degrees, a.minutes,
                              a.seconds, a.decimals, b.letter, b.degrees, b.minutes, b.seconds,
                              b.decimals);
            else if (c.minutes)
                std::snprintf(expected, sizeof expected, c.printf, a.letter, a.degrees, a.minutes,
                              a.decimals, b.letter, b.degrees, b.minutes, b.decimals);
            else
                std::snprintf(expected, sizeof expected, c.printf, a.degrees, a.decimals, b.letter,
                              b.degrees, b.decimals);
            const size_t length = form.write(position, buffer.data());
            ASSERT_EQ(std::string(buffer.data(), length), expected) << lat << " " << lon;
        }
    }
}

TEST(CoordinateForm, ReadyFormsWriteTheirExample)
{
    for (const ReadyForm &ready : readyForms()) {
        SCOPED_TRACE(ready.name.toStdString());
        const CoordinateForm form = CoordinateForm::fromNameOrText(ready.name.toUpper());
        EXPECT_EQ(form.writeText(readPosition("N 51 23.456 E 7 12.345")), ready.example);
    }
}

TEST(CoordinateForm, RefusesMalformedFormsNamingTheReason)
{
    struct Case
    {
        QString form;
        const char16_t *message; // empty: accepted
    };
    const QString sixDecimals = QStringLiteral("{g}.{dddddd} {g}.{d}");
    const QString latLon = QStringLiteral("{g} {g}");
    const std::vector<Case> cases = {
        {QString(), u"Die Form ist leer"},
        {QStringLiteral("   "), u"Die Form ist leer"},
        {latLon + QString(CoordinateForm::kMaxLength - latLon.size(), u'x'), u""},
        {latLon + QString(CoordinateForm::kMaxLength - latLon.size() + 1, u'x'),
         u"201 Zeichen lang, höchstens 200"},
        {QStringLiteral("{g} {x} {g}"), u"Zeichen 5: unbekannter Platzhalter „{x}“"},
        {QStringLiteral("{g} {gm} {g}"), u"unbekannter Platzhalter „{gm}“"},
        {QStringLiteral("{G} {g}"), u"unbekannter Platzhalter „{G}“"},
        {QStringLiteral("{} {g}"), u"unbekannter Platzhalter „{}“"},
        {QStringLiteral("{g} {g"), u"Zeichen 5: „{“ ohne „}“"},
        {QStringLiteral("{g} g} {g}"), u"Zeichen 6: „}“ ohne „{“"},
        {QStringLiteral("{g} {g} {g}"), u"Zeichen 9: „{g}“ hat weder in der Breite noch"},
        {QStringLiteral("{mm} {g}"), u"Der Länge fehlen die Grad"},
        {QStringLiteral("N 51 {mm}"), u"Der Breite fehlen die Grad"},
        {QStringLiteral("{ggg} {ggg}"), u""},
        {QStringLiteral("{gggg} {g}"), u"„{gggg}“ hat 4 Buchstaben, höchstens 3"},
        {QStringLiteral("{g} {mm} {g} {m}"), u""},
        {QStringLiteral("{g} {mmm} {g}"), u"„{mmm}“ hat 3 Buchstaben, höchstens 2"},
        {sixDecimals, u""},
        {QStringLiteral("{g}.{ddddddd} {g}"), u"„{ddddddd}“ hat 7 Buchstaben, höchstens 6"},
        {QStringLiteral("{g}.{d} {m} {g}"), u"Dezimalgrad ({d…}) neben Minuten"},
        {QStringLiteral("{g} {s} {g}"), u"In der Breite stehen Sekunden ohne Minuten"},
        {QStringLiteral("{g} {m}.{m} {s} {g}"), u"Sekunden neben Nachkommastellen"},
        {QStringLiteral("{h}{h}{g} {g}{h}"), u"{h} steht 3-mal"},
        {QStringLiteral("unbekannt"), u"weder eine fertige Form (kompakt, "},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.form.toStdString());
        const QString message = refusal([&] { CoordinateForm::fromNameOrText(c.form); });
        const QString expected = QString::fromUtf16(c.message);
        if (expected.isEmpty())
            EXPECT_EQ(message, QString());
        else
            EXPECT_TRUE(message.startsWith(u"Form: ") && message.contains(expected))
                << message.toStdString();
    }
}

TEST(HashTarget, RefusesADigestOfTheWrongLengthOrWithOtherCharacters)
{
    const CoordinateForm form = CoordinateForm::fromNameOrText(QStringLiteral("kompakt"));
    for (const CoordinateHashMethod &method : coordinateHashMethods()) {
        SCOPED_TRACE(method.name.toStdString());
        const QString fits(method.hexDigits, u'a');
        EXPECT_EQ(refusal([&] { hashTarget(fits, method, form); }), QString());
        EXPECT_EQ(refusal([&] { hashTarget(fits.toUpper() + QStringLiteral("  "), method, form); }),
                  QString());
        for (const int length : {method.hexDigits - 1, method.hexDigits + 1}) {
            const QString message =
                refusal([&] { hashTarget(QString(length, u'0'), method, form); });
            EXPECT_TRUE(message.contains(QStringLiteral("Ein %1-Hash hat %2 Hexadezimalziffern, "
                                                        "der eingegebene hat %3")
                                             .arg(method.label)
                                             .arg(method.hexDigits)
                                             .arg(length)))
                << message.toStdString();
        }
    }
    const auto &sha1 = coordinateHashMethod(QStringLiteral("SHA-1"));
    EXPECT_TRUE(refusal([&] {
                    hashTarget(QString(64, u'0'), sha1, form);
                }).endsWith(u"diese Länge passt zu SHA-256/SHA3-256"));
    EXPECT_TRUE(refusal([&] {
                    hashTarget(QStringLiteral("12g4"), sha1, form);
                }).contains(u"„g“ (Zeichen 3) ist keine Hexadezimalziffer"));
    EXPECT_TRUE(refusal([&] {
                    hashTarget(QStringLiteral(" "), sha1, form);
                }).contains(u"den gesuchten Hash eingeben"));
    EXPECT_TRUE(refusal([] {
                    coordinateHashMethod(QStringLiteral("sha384"));
                }).contains(u"bekannt sind md5, sha1, sha256, sha512, sha3-256"));
}

// For each method and each form: the one combination whose text has the digest is found.
TEST(HashSearch, FindsAPlantedCombinationForEveryMethodAndForm)
{
    std::vector<std::pair<QString, QString>> forms; // the form and the planted text in it
    for (const ReadyForm &ready : readyForms())
        forms.emplace_back(ready.name, ready.example);
    forms.emplace_back(QStringLiteral("N{gg} {mm}.{mmm} E{ggg} {mm}.{mmm}"),
                       QStringLiteral("N51 23.456 E007 12.345"));
    forms.emplace_back(QStringLiteral("{h} {g}° {m}' {s}.{ss}\" {h} {g}° {m}' {s}.{ss}\""),
                       QStringLiteral("N 51° 23' 27.36\" E 7° 12' 20.70\""));
    for (const CoordinateHashMethod &method : coordinateHashMethods()) {
        for (const auto &[form, text] : forms) {
            SCOPED_TRACE((method.name + u' ' + form).toStdString());
            const FormulaSolver solver = plantedSolver(targetOf(text, method, form));
            std::vector<Hit> hits;
            Counts counts;
            solver.run(0, solver.combinationCount(), hits, counts);
            ASSERT_EQ(hits.size(), 1u);
            EXPECT_EQ(solver.variablesText(hits[0].index), QStringLiteral("A=3 B=5 C=2 D=4"));
            EXPECT_EQ(counts.computed, 3000u);
            EXPECT_EQ(counts.shown, 1u);
        }
    }
}

TEST(HashSearch, NoMatchLeavesNoHitAndCountsEveryCandidate)
{
    const auto &sha1 = coordinateHashMethod(QStringLiteral("sha1"));
    // The text of the planted combination in another form than the one searched with.
    const FormulaSolver solver = plantedSolver(
        targetOf(QStringLiteral("N 51 23.456 E 007 12.345"), sha1, QStringLiteral("kompakt")));
    std::vector<Hit> hits;
    Counts counts;
    solver.run(0, solver.combinationCount(), hits, counts);
    EXPECT_TRUE(hits.empty());
    EXPECT_EQ(counts.computed, 3000u);
    EXPECT_EQ(counts.valid, 3000u);
    EXPECT_EQ(counts.shown, 0u);
}

// Split over threads, a run gives the same hits in the same order as on one thread.
TEST(HashSearch, AllCoresGiveTheSameHitsInOrder)
{
    const auto &md5 = coordinateHashMethod(QStringLiteral("md5"));
    // E=1..3 repeats the planted position three times: three hits, far apart in the order.
    const FormulaSolver solver = plantedSolver(
        targetOf(QStringLiteral("N51 23.456 E007 12.345"), md5, QStringLiteral("kompakt")), 3);
    std::vector<Hit> single;
    Counts singleCounts;
    solver.run(0, solver.combinationCount(), single, singleCounts);
    ASSERT_EQ(single.size(), 3u);
    struct Case
    {
        unsigned threads;
        uint64_t from, to;
    };
    const Case cases[] = {{1, 0, 30000}, {2, 0, 30000},  {3, 0, 30000}, {8, 0, 30000},
                          {2, 0, 1023},  {2, 0, 2048},   {3, 0, 2049},  {2, 10000, 40000},
                          {2, 5, 5},     {2, 8999, 9000}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.threads << " threads, " << c.from << ".." << c.to);
        std::vector<Hit> expected, hits;
        Counts expectedCounts, counts;
        solver.run(c.from, c.to, expected, expectedCounts);
        runOnAllCores(solver, c.from, c.to, hits, counts, nullptr, c.threads);
        ASSERT_EQ(hits.size(), expected.size());
        for (size_t i = 0; i < hits.size(); ++i)
            EXPECT_EQ(hits[i].index, expected[i].index);
        EXPECT_EQ(counts.computed, expectedCounts.computed);
        EXPECT_EQ(counts.valid, expectedCounts.valid);
    }
    // A run cancelled before it starts computes nothing on any thread.
    const std::atomic<bool> cancelled {true};
    std::vector<Hit> hits;
    Counts counts;
    runOnAllCores(solver, 0, 9000, hits, counts, &cancelled, 2);
    EXPECT_EQ(counts.computed, 0u);
}
