#include "Candidate.h"

#include <QSet>

#include <algorithm>

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

std::vector<Candidate> rankCandidates(std::vector<Candidate> candidates)
{
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate &a, const Candidate &b) { return a.score > b.score; });
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
