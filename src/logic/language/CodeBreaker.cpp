#include "CodeBreaker.h"

#include "BreakerReadings.h"
#include "Chains.h"
#include "GeocachingText.h"
#include "KeySearch.h"

#include "Letters.h"

#include "logic/common/QuarvelError.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// The searches look at this many letters at most; the key they find then decodes the whole text.
constexpr qsizetype kSearchLetters = 1000;
// What a letter of German or English tells beyond a random letter, in decades: log10 26 less the
// about 0.45 decades a letter of prose carries. A key of I decades fits any text of about
// I / kRedundancy letters (the unicity distance); only the letters beyond it confirm the key.
constexpr double kRedundancy = 0.96;
// A key is searched only where the text holds this many unicity distances of letters: a text of
// fewer letters reads well through some wrong key about as often as through the right one.
constexpr double kUnicityMultiple = 3.0;
// From this many unicity distances of letters on, a key that makes the text read is the key.
constexpr double kConfirmedUnicities = 6.0;
const double kLetterInformation = std::log10(26.0);

double unicityDistance(double information)
{
    return information / kRedundancy;
}

bool lengthSupports(qsizetype letters, double information)
{
    return double(letters) >= kUnicityMultiple * unicityDistance(information);
}

bool lengthConfirms(qsizetype letters, double information)
{
    return double(letters) >= kConfirmedUnicities * unicityDistance(information);
}

struct FamilyInfo
{
    PeriodicFamily family;
    const char *method;
};

constexpr FamilyInfo kFamilies[] = {
    {PeriodicFamily::Vigenere, "vigenere"}, {PeriodicFamily::Beaufort, "beaufort"},
    {PeriodicFamily::Autokey, "autokey"},   {PeriodicFamily::Gronsfeld, "gronsfeld"},
    {PeriodicFamily::Porta, "porta"},
};

QString keyString(const QByteArray &key)
{
    QString out;
    for (const char k : key)
        out.append(QChar(u'A' + k));
    return out;
}

// The shortest repeating unit of a key ("KEYKEY" → "KEY").
QByteArray shortestPeriod(const QByteArray &key)
{
    for (qsizetype length = 1; length < key.size(); ++length) {
        if (key.size() % length != 0)
            continue;
        bool repeats = true;
        for (qsizetype i = length; i < key.size() && repeats; ++i)
            repeats = key[i] == key[i - length];
        if (repeats)
            return key.left(length);
    }
    return key;
}

// The letters A-Z of the text replaced through the key, case kept.
QString substitute(const QString &text, const QByteArray &key)
{
    QString out = text;
    for (QChar &ch : out) {
        const char16_t c = ch.unicode();
        if (c >= u'A' && c <= u'Z')
            ch = QChar(u'A' + key[c - u'A']);
        else if (c >= u'a' && c <= u'z')
            ch = QChar(u'a' + key[c - u'a']);
    }
    return out;
}

// A key found by a search fits the text a little by itself: with enough free letters any text
// decrypts to something that reads. So the key's own information (log10 of the number of keys
// of its size) is charged to the reading, spread over the letters beyond the key's unicity
// distance, the only ones that speak for the key: a 12-letter key over 75 letters costs about
// 0.3, a 5-letter key over 25 letters about 0.4.
Candidate searchedCandidate(const QString &method, const Ciphers::ParamValues &params,
                            const QString &key, const QString &plain, Language language,
                            double keyInformation)
{
    const double letters = double(letterIndices(plain).size());
    const double confirming = std::max(1.0, letters - unicityDistance(keyInformation));
    const double charge = keyInformation / confirming;
    const double score =
        readingScore(LanguageModel::of(language).score(plain), plain, language) - charge;
    // Far beyond its unicity distance a wrong key no longer reads, so whether the reading reads
    // is then its text's own score; nearer, the charge stays in the verdict too.
    const bool keyConfirmed = lengthConfirms(qsizetype(letters), keyInformation);
    return {method, params, key, plain, score, language, false, keyConfirmed ? charge : 0.0};
}

// log10 of the number of ways to give `letters` different cipher letters their plain letters.
double substitutionInformation(const QByteArray &cipher)
{
    std::array<bool, 26> used {};
    for (const char c : cipher)
        used[size_t(c)] = true;
    double information = 0;
    int n = 26;
    for (const bool u : used) {
        if (u)
            information += std::log10(double(n--));
    }
    return information;
}

// The searches break ciphers that write letters as letters. A text whose characters are mostly
// something else (Bacon in "+" and "k", Morse, digits with a few letters between them) holds
// letters that are no cipher letters; searched, they would read as words between the symbols.
bool mostlyLetters(const QString &text)
{
    qsizetype letters = 0;
    qsizetype others = 0;
    for (const QChar ch : text.left(4 * kSearchLetters)) {
        const char16_t c = ch.unicode();
        if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))
            ++letters;
        else if (!ch.isSpace())
            ++others;
    }
    return letters >= others;
}

int letterKinds(const QByteArray &letters)
{
    std::array<bool, 26> seen {};
    for (const char letter : letters)
        seen[size_t(letter)] = true;
    return int(std::count(seen.begin(), seen.end(), true));
}

class Search
{
public:
    Search(const BreakerRequest &request, const BreakerProgress &progress)
        : m_request(request)
        , m_progress(progress)
        , m_cipher(cipherLetters(request.text, kSearchLetters))
    {
        if (request.language)
            m_languages = {*request.language};
        else
            m_languages = {Language::German, Language::English};
    }

    std::vector<Candidate> run()
    {
        std::vector<Candidate> out;
        const bool letterCipher = m_cipher.size() >= kMinSearchLetters &&
            mostlyLetters(m_request.text) && letterKinds(m_cipher) >= kMinCipherLetterKinds;
        const bool substitution = wanted(QStringLiteral("substitution"));
        const int families = int(std::size(kFamilies));
        m_total = int(m_languages.size()) *
            ((letterCipher ? families + (substitution ? 3 : 0) : 0) + kBreakerSteps);
        for (const Language language : m_languages) {
            for (const FamilyInfo &info : kFamilies) {
                if (letterCipher && wanted(QString::fromLatin1(info.method)) && !stopped())
                    out.push_back(breakPeriodic(info, language));
                advance(letterCipher ? 1 : 0);
            }
            if (letterCipher && substitution && !stopped() &&
                lengthSupports(m_cipher.size(), substitutionInformation(m_cipher)))
                out.push_back(breakSubstitution(language));
            advance(letterCipher && substitution ? 3 : 0);
            addBreakerReadings(letterCipher, language, out);
        }
        return out;
    }

private:
    bool wanted(const QString &method) const
    {
        return m_request.only.isEmpty() || m_request.only.contains(method);
    }
    bool stopped() const { return m_stopped; }
    void advance(int steps)
    {
        m_done += steps;
        if (m_progress && !m_progress(std::min(100, 100 * m_done / std::max(1, m_total))))
            m_stopped = true;
    }
    StopCheck stopCheck()
    {
        return [this] {
            if (!m_stopped && m_progress && !m_progress(100 * m_done / std::max(1, m_total)))
                m_stopped = true;
            return m_stopped;
        };
    }

    // Playfair, Bifid, Hill, the columnar transposition and ADFGX (BreakerReadings.h).
    void addBreakerReadings(bool letterCipher, Language language, std::vector<Candidate> &out)
    {
        const qsizetype letters = m_cipher.size();
        const BreakerContext context {
            m_request,
            m_cipher,
            letterCipher,
            language,
            stopCheck(),
            [letters](double information) { return lengthSupports(letters, information); },
            [this] { advance(1); },
            [letters](double information) { return lengthConfirms(letters, information); },
            &m_playfairRead};
        for (BrokenReading &found : keylessBreakerReadings(context))
            out.push_back(searchedCandidate(found.method, found.params, found.key, found.plain,
                                            language, found.information));
    }

    Candidate breakPeriodic(const FamilyInfo &info, Language language)
    {
        const LanguageModel &model = LanguageModel::of(language);
        KeyResult best;
        for (const int period : candidatePeriods(m_cipher, info.family,
                                                 longestSearchedPeriod(m_cipher.size()), model)) {
            KeyResult result = searchPeriodicKey(m_cipher, info.family, period, model, stopCheck());
            // Each further key letter must pay for itself: a longer key fits any text a little
            // better.
            result.cost += period * model.floorCost() / 2;
            if (best.key.isEmpty() || result.cost < best.cost)
                best = result;
        }
        const QByteArray key =
            info.family == PeriodicFamily::Autokey ? best.key : shortestPeriod(best.key);
        const QString method = QString::fromLatin1(info.method);
        const QString keyWord = periodicKeyText(info.family, key);
        const Ciphers::ParamValues params {{QStringLiteral("schluessel"), keyWord}};
        const Ciphers::Cipher *cipher = Ciphers::findCipher(method);
        const QString plain = cipher ? cipher->decode(m_request.text, params) : QString();
        return searchedCandidate(method, params, keyWord, plain, language,
                                 double(key.size()) * std::log10(keyValueCount(info.family)));
    }

    Candidate breakSubstitution(Language language)
    {
        const KeyResult result =
            searchSubstitutionKey(m_cipher, LanguageModel::of(language), stopCheck());
        const QString plain = substitute(m_request.text, result.key);
        return searchedCandidate(QStringLiteral("substitution"), {}, keyString(result.key), plain,
                                 language, substitutionInformation(m_cipher));
    }

    const BreakerRequest &m_request;
    const BreakerProgress &m_progress;
    QByteArray m_cipher;
    std::vector<Language> m_languages;
    int m_total = 1;
    int m_done = 0;
    bool m_stopped = false;
    bool m_playfairRead = false;
};

} // namespace

int longestSearchedPeriod(qsizetype letters)
{
    int period = kMaxSearchedPeriod;
    while (period > 1 && !lengthSupports(letters, period * kLetterInformation))
        --period;
    return period;
}

QStringList breakerMethods()
{
    QStringList names {QStringLiteral("klartext")};
    for (const Ciphers::Cipher &cipher : Ciphers::cipherRegistry())
        names.append(cipher.cliName);
    names.append(QStringLiteral("substitution"));
    names.append(QStringLiteral("roemisch"));
    return names;
}

void checkRequest(const BreakerRequest &request)
{
    if (request.text.size() > kMaxBreakerText)
        throw QuarvelError(
            QStringLiteral("Der Text ist für den Code-Knacker zu lang: %1 Zeichen, höchstens %2")
                .arg(request.text.size())
                .arg(kMaxBreakerText));
    const QStringList known = breakerMethods();
    for (const QString &name : request.only) {
        if (!known.contains(name))
            throw QuarvelError(QStringLiteral("Unbekanntes Verfahren: „%1“").arg(name));
    }
}

std::vector<Candidate> searchCandidates(const BreakerRequest &request,
                                        const BreakerProgress &progress)
{
    checkRequest(request);
    return Search(request, progress).run();
}

std::vector<Candidate> breakText(const BreakerRequest &request, const BreakerProgress &progress)
{
    std::vector<Candidate> all = quickCandidates(request);
    std::vector<Candidate> searched = searchCandidates(request, progress);
    all.insert(all.end(), std::make_move_iterator(searched.begin()),
               std::make_move_iterator(searched.end()));
    if (request.chains) {
        std::vector<Candidate> chained = chainCandidates(request);
        all.insert(all.end(), std::make_move_iterator(chained.begin()),
                   std::make_move_iterator(chained.end()));
    }
    markCrib(all, request.crib);
    return rankCandidates(std::move(all));
}
