#include "LanguageModel.h"

#include "Letters.h"

QString languageCode(Language language)
{
    return language == Language::German ? QStringLiteral("de") : QStringLiteral("en");
}

std::optional<Language> languageFromCode(const QString &code)
{
    if (code.compare(QLatin1String("de"), Qt::CaseInsensitive) == 0)
        return Language::German;
    if (code.compare(QLatin1String("en"), Qt::CaseInsensitive) == 0)
        return Language::English;
    return std::nullopt;
}

LanguageModel::LanguageModel(Language language, const QuadgramTables::Table &table)
    : m_language(language)
    , m_table(&table)
{
}

const LanguageModel &LanguageModel::of(Language language)
{
    static const LanguageModel german(Language::German, QuadgramTables::kGerman);
    static const LanguageModel english(Language::English, QuadgramTables::kEnglish);
    return language == Language::German ? german : english;
}

long long LanguageModel::streamCost(const char *letters, qsizetype count) const
{
    long long sum = 0;
    if (count < 4)
        return 0;
    int index = (letters[0] * 26 + letters[1]) * 26 + letters[2];
    for (qsizetype i = 3; i < count; ++i) {
        index = (index % (26 * 26 * 26)) * 26 + letters[i];
        sum += m_table->quadgrams[index];
    }
    return sum;
}

namespace {

// Characters a plain text may hold beside letters without reading any less like language.
bool isNeutral(QChar ch)
{
    if (ch.isLetterOrNumber() || ch.isSpace())
        return true;
    static const QString punctuation = QStringLiteral(".,;:!?'\"-()/°&%+=*");
    return punctuation.contains(ch);
}

} // namespace

double LanguageModel::score(const QString &text) const
{
    const QByteArray letters = letterIndices(text);
    qsizetype junk = 0;
    for (const QChar ch : text)
        junk += isNeutral(ch) ? 0 : 1;
    const qsizetype quadgrams = std::max<qsizetype>(0, letters.size() - 3);
    // One extra unseen quadgram pulls very short texts towards the floor, so three lucky
    // letters cannot outrank a sentence.
    const long long cost =
        streamCost(letters.constData(), letters.size()) + (junk + 1) * m_table->floor;
    return -double(cost) / (QuadgramTables::kStep * double(quadgrams + junk + 1));
}

LanguageScore scoreText(const QString &text, std::optional<Language> language)
{
    if (language)
        return {LanguageModel::of(*language).score(text), *language};
    const double german = LanguageModel::of(Language::German).score(text);
    const double english = LanguageModel::of(Language::English).score(text);
    return german >= english ? LanguageScore {german, Language::German}
                             : LanguageScore {english, Language::English};
}

Language guessLanguage(const QString &text)
{
    return scoreText(text, std::nullopt).language;
}
