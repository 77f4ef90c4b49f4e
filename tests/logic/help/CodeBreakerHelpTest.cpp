// The code breaker's help page against the program: each example's first reading in the form
// the program prints it ("a1z26 (1): DERSCHATZ"), and the score range the page states.
#include "logic/language/CodeBreaker.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

QString helpPage()
{
    QFile file(QStringLiteral(QUARVEL_TEST_DATA_DIR "/../../data/help/pages/code-knacker.html"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// "-8.188" as the page writes it: one decimal, a comma and the minus sign "−".
QString pageNumber(double value)
{
    return QString::number(value, 'f', 1).replace(u'.', u',').replace(u'-', u'−');
}

double scoreOf(const QString &text, Language language)
{
    BreakerRequest request;
    request.text = text;
    request.language = language;
    request.only = {QStringLiteral("klartext")};
    return breakText(request).front().score;
}

} // namespace

TEST(CodeBreakerHelp, ExamplesReadAsTheProgramPrintsThem)
{
    const QString page = helpPage();
    ASSERT_FALSE(page.isEmpty());
    static const QRegularExpression row(
        QStringLiteral("<tr><td><code>([^<]*)</code>(?: mit Schlüssel "
                       "<code>([^<]*)</code>)?</td><td>([^<]*)</td></tr>"));
    int examples = 0;
    for (auto it = row.globalMatch(page); it.hasNext();) {
        const auto m = it.next();
        SCOPED_TRACE(m.captured(1).toStdString());
        BreakerRequest request;
        request.text = m.captured(1).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        request.key = m.captured(2);
        const std::vector<Candidate> ranked = breakText(request);
        ASSERT_FALSE(ranked.empty());
        const Candidate &best = ranked.front();
        const QString key = best.key.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(best.key);
        EXPECT_EQ(best.method + key + QStringLiteral(": ") + best.plain, m.captured(3));
        ++examples;
    }
    EXPECT_GE(examples, 6);
}

TEST(CodeBreakerHelp, TheScoreRangeIsTheOneTheProgramReaches)
{
    const QString page = helpPage();
    // The floor of each language: nothing scores lower.
    const double germanFloor = scoreOf(QStringLiteral("xqzv kjwp qqzx vbnm"), Language::German);
    const double englishFloor = scoreOf(QStringLiteral("xqzv kjwp qqzx vbnm"), Language::English);
    EXPECT_TRUE(page.contains(pageNumber(germanFloor) + QStringLiteral(" (Deutsch)")))
        << pageNumber(germanFloor).toStdString();
    EXPECT_TRUE(page.contains(pageNumber(englishFloor) + QStringLiteral(" (Englisch)")))
        << pageNumber(englishFloor).toStdString();
    EXPECT_EQ(scoreOf(QStringLiteral("\x01\x02\x03\x04\x05"), Language::German), germanFloor);
    // Sentences lie between the page's bounds.
    ASSERT_TRUE(page.contains(QStringLiteral("zwischen −3,5 und −5")));
    for (const char *sentence : {"Der Schatz liegt unter der alten Eiche",
                                 "Geh zum Parkplatz und suche die Dose hinter dem dritten Baum",
                                 "Wer anderen eine Grube graebt faellt selbst hinein"}) {
        SCOPED_TRACE(sentence);
        const double score = scoreOf(QString::fromUtf8(sentence), Language::German);
        EXPECT_GT(score, -5.0);
        EXPECT_LT(score, -3.5);
    }
    const double english =
        scoreOf(QStringLiteral("The quick brown fox jumps over the lazy dog"), Language::English);
    EXPECT_GT(english, -5.1); // a pangram of rare letters sits at the lower end
    EXPECT_LT(english, -3.5);
}
