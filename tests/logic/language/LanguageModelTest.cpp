#include "logic/language/LanguageModel.h"
#include "logic/language/Letters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

const QString kGerman = QStringLiteral(
    "Der Schatz liegt unter der alten Eiche am Waldrand, gleich neben dem großen Stein.");
const QString kEnglish = QStringLiteral(
    "The treasure is hidden under the old oak tree at the edge of the forest near the rock.");

QString shuffled(const QString &text)
{
    QString out = text;
    std::mt19937 random(7);
    std::shuffle(out.begin(), out.end(), random);
    return out;
}

} // namespace

TEST(Letters, NormalisesUmlautsAndDropsTheRest)
{
    const struct
    {
        QString text;
        QString letters;
    } cases[] = {
        {QStringLiteral("Grüße aus Köln!"), QStringLiteral("GRUESSEAUSKOELN")},
        {QStringLiteral("ÄRGER über ẞ"), QStringLiteral("AERGERUEBERSS")},
        {QStringLiteral("N 52° 12.345"), QStringLiteral("N")},
        {QStringLiteral("é ç x"), QStringLiteral("X")},
        {QString(), QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(normalizedLetters(c.text), c.letters);
        EXPECT_EQ(letterIndices(c.text).size(), c.letters.size());
    }
    EXPECT_EQ(countLetters(QStringLiteral("Grüße 12")), 5);
}

TEST(LanguageModel, RealTextOutscoresShuffledAndForeignText)
{
    const struct
    {
        const char *name;
        Language language;
        QString real;
        QString foreign;
    } cases[] = {
        {"German", Language::German, kGerman, kEnglish},
        {"English", Language::English, kEnglish, kGerman},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const LanguageModel &model = LanguageModel::of(c.language);
        EXPECT_GT(model.score(c.real), model.score(shuffled(c.real)) + 1.0);
        EXPECT_GT(model.score(c.real), model.score(c.foreign) + 0.3);
        EXPECT_EQ(guessLanguage(c.real), c.language);
        EXPECT_EQ(scoreText(c.real, std::nullopt).language, c.language);
    }
}

TEST(LanguageModel, ScoreDoesNotGrowWithLength)
{
    const LanguageModel &german = LanguageModel::of(Language::German);
    const QString twice = kGerman + QLatin1Char(' ') + kGerman;
    EXPECT_NEAR(german.score(kGerman), german.score(twice), 0.15);
}

TEST(LanguageModel, ShortAndJunkTextsScoreLow)
{
    const LanguageModel &german = LanguageModel::of(Language::German);
    const double sentence = german.score(kGerman);
    const double floor = -german.floorCost() / QuadgramTables::kStep;
    const struct
    {
        const char *name;
        QString text;
    } cases[] = {
        {"empty", QString()},
        {"three letters", QStringLiteral("der")},
        {"digits", QStringLiteral("4711 0815")},
        {"control characters", QStringLiteral("\x01\x02\x03\x04\x05 der Schatz")},
        {"symbol salad", QStringLiteral("#~^|<>{}[]@ der")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const double score = german.score(c.text);
        EXPECT_LT(score, sentence - 1.0);
        EXPECT_GE(score, floor);
    }
}

TEST(LanguageModel, LanguageCodes)
{
    EXPECT_EQ(languageCode(Language::German), u"de");
    EXPECT_EQ(languageCode(Language::English), u"en");
    EXPECT_EQ(languageFromCode(QStringLiteral("DE")), Language::German);
    EXPECT_EQ(languageFromCode(QStringLiteral("en")), Language::English);
    EXPECT_FALSE(languageFromCode(QStringLiteral("fr")).has_value());
    EXPECT_FALSE(languageFromCode(QString()).has_value());
}
