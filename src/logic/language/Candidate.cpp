#include "Candidate.h"

#include "GeocachingText.h"
#include "Letters.h"
#include "QuadgramTables.h"

#include <QSet>

#include <algorithm>
#include <array>

QString keyText(const QString &method, const Ciphers::ParamValues &params)
{
    const Ciphers::Cipher *cipher = Ciphers::findCipher(method);
    QStringList parts;
    const auto add = [&](const QString &name) {
        const QString value = params.value(name);
        if (name == u"schluessel")
            parts.append(value);
        else if (value == u"1" && cipher && cipher->param(name) &&
                 cipher->param(name)->kind == Ciphers::ParamKind::Switch)
            parts.append(name);
        else
            parts.append(name + u'=' + value);
    };
    if (cipher) {
        for (const Ciphers::ParamDecl &decl : cipher->params) {
            if (params.contains(decl.key))
                add(decl.key);
        }
    } else {
        QStringList names = params.keys();
        names.sort();
        for (const QString &name : names)
            add(name);
    }
    if (parts.size() == 1 && params.size() == 1 && !params.contains(QStringLiteral("schluessel"))) {
        // A single number reads best bare: ROT "13", rails "3".
        const QString value = params.begin().value();
        bool number = false;
        value.toInt(&number);
        if (number)
            return value;
    }
    return parts.join(QStringLiteral(", "));
}

bool isMonotonous(const QString &plain)
{
    const QByteArray letters = letterIndices(plain);
    if (letters.size() < kMonotonousLetters)
        return false;
    std::array<bool, 26> seen {};
    int kinds = 0;
    for (const char letter : letters) {
        if (!seen[size_t(letter)]) {
            seen[size_t(letter)] = true;
            if (++kinds > kMonotonousKinds)
                return false;
        }
    }
    return true;
}

double readingScore(double modelScore, const QString &plain, Language language)
{
    if (isGeocachingText(plain))
        return std::max(modelScore, kGeocachingScore);
    if (!isMonotonous(plain))
        return modelScore;
    const double floor = -double(LanguageModel::of(language).floorCost()) / QuadgramTables::kStep;
    return std::min(modelScore, floor);
}

std::vector<Candidate> rankCandidates(std::vector<Candidate> candidates)
{
    // A reading with the crib comes before every reading without it: the user knows the word is
    // in the plain text.
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate &a, const Candidate &b) {
                         if (a.holdsCrib != b.holdsCrib)
                             return a.holdsCrib;
                         return a.score > b.score;
                     });
    std::vector<Candidate> out;
    out.reserve(candidates.size());
    QSet<QString> seen;
    for (Candidate &candidate : candidates) {
        // Case apart, two readings are the same: ROT 13 and a Vigenère with key "N" both give it.
        const QString folded = candidate.plain.toCaseFolded();
        if (candidate.plain.trimmed().isEmpty() || seen.contains(folded))
            continue;
        seen.insert(folded);
        out.push_back(std::move(candidate));
    }
    return out;
}
