#include "Chains.h"

#include "GeocachingText.h"

#include <QSet>

#include <algorithm>

namespace {

bool renamesLetters(const Candidate &step)
{
    return step.method == u"rot" || step.method == u"affin" || step.method == u"atbash" ||
        step.method == u"rot47" || step.method == u"tastatur";
}

bool commonRenaming(const Candidate &step)
{
    return step.method == u"atbash" || step.method == u"rot47" ||
        (step.method == u"rot" && step.key == u"13");
}

// Whether a decoding gave text that a second step could read: at least four characters, and
// nearly all of them printable.
bool isText(const QString &plain)
{
    if (plain.trimmed().size() < 4)
        return false;
    const auto printable = std::count_if(plain.begin(), plain.end(), [](QChar ch) {
        return ch.isPrint() || ch == u'\n' || ch == u'\r' || ch == u'\t';
    });
    return printable * 20 >= plain.size() * 19;
}

QString chainKey(const Candidate &first, const Candidate &second)
{
    if (first.key.isEmpty() && second.key.isEmpty())
        return {};
    const auto shown = [](const QString &key) { return key.isEmpty() ? u"–"_qs : key; };
    return shown(first.key) + u" → "_qs + shown(second.key);
}

} // namespace

std::vector<Candidate> chainCandidates(const BreakerRequest &request)
{
    std::vector<Candidate> out;
    if (!request.only.isEmpty() || request.text.trimmed().isEmpty() ||
        request.text.size() > kChainTextLimit)
        return out;
    BreakerRequest keyless;
    keyless.text = request.text;
    keyless.language = request.language;
    std::vector<Candidate> firsts;
    for (Candidate &step : quickCandidates(keyless)) {
        if (step.method == u"klartext" || !isText(step.plain))
            continue;
        if (renamesLetters(step) && !commonRenaming(step))
            continue;
        firsts.push_back(std::move(step));
    }
    std::stable_sort(firsts.begin(), firsts.end(),
                     [](const Candidate &a, const Candidate &b) { return a.score > b.score; });
    if (firsts.size() > size_t(kChainFirstSteps))
        firsts.resize(size_t(kChainFirstSteps));
    QSet<QString> seen;
    for (const Candidate &first : firsts) {
        if (seen.contains(first.plain))
            continue;
        seen.insert(first.plain);
        BreakerRequest again = keyless;
        again.text = first.plain;
        std::vector<Candidate> seconds;
        for (Candidate &second : quickCandidates(again)) {
            if (second.method == u"klartext" || (renamesLetters(first) && renamesLetters(second)))
                continue;
            second.key = chainKey(first, second);
            second.method = first.method + u" → "_qs + second.method;
            second.score -= kChainCost;
            seconds.push_back(std::move(second));
        }
        std::stable_sort(seconds.begin(), seconds.end(),
                         [](const Candidate &a, const Candidate &b) { return a.score > b.score; });
        seconds.resize(std::min(seconds.size(), size_t(kChainSecondSteps)));
        out.insert(out.end(), std::make_move_iterator(seconds.begin()),
                   std::make_move_iterator(seconds.end()));
    }
    return out;
}
