#pragma once

#include "QuadgramTables.h"

#include <QByteArray>
#include <QString>

#include <optional>

// How German or English a text reads, from letter quadgrams (four letters in a row).
//
// Text → letterIndices() (A-Z, umlauts spelled out) → every quadgram looked up in the language's
// table → the mean of their base-10 log-probabilities. The mean per quadgram does not grow with
// the length, so a 20-letter and a 200-letter text compare: German prose scores about -3 to -4,
// random letters near the floor (-7 to -8). Characters that are neither letters, digits, blanks
// nor common punctuation count as unseen quadgrams, so a decoding that produces control
// characters or symbol salad sinks.

enum class Language { German, English };

// "de" or "en".
QString languageCode(Language language);
// Parses "de"/"en" (any case); anything else is empty.
std::optional<Language> languageFromCode(const QString &code);

class LanguageModel
{
public:
    static const LanguageModel &of(Language language);

    Language language() const { return m_language; }
    // Cost of one quadgram (index as in QuadgramTables): 16 × −log10 p, the floor for unseen.
    int cost(int quadgram) const { return m_table->quadgrams[quadgram]; }
    int unigramCost(int letter) const { return m_table->unigrams[letter]; }
    int floorCost() const { return m_table->floor; }

    // Sum of the costs of every quadgram of a stream of letter indices 0..25.
    long long streamCost(const char *letters, qsizetype count) const;
    // The per-letter score of a text, as described above; the higher, the more it reads like the
    // language. A text with fewer than four letters scores the floor.
    double score(const QString &text) const;

private:
    LanguageModel(Language language, const QuadgramTables::Table &table);

    Language m_language;
    const QuadgramTables::Table *m_table;
};

struct LanguageScore
{
    double score = 0;
    Language language = Language::German;
};

// The score under the given language, or under both with the better one when none is given.
LanguageScore scoreText(const QString &text, std::optional<Language> language);

// The language a text reads more like.
Language guessLanguage(const QString &text);
