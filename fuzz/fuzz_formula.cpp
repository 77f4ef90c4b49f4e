// The variable-coordinates formula and variable texts on arbitrary input: parsing must end in
// a formula or a syntax error inside the text, and evaluating must never crash or overflow.
#include "logic/formula/FormulaSolver.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The first line is the formula, the next lines the values of A, B, C, ...
    const QStringList lines =
        QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)).split(u'\n');
    Formula::SyntaxError error;
    const auto formula = Formula::CoordinateFormula::parse(lines.value(0), error);
    if (!formula) {
        if (error.position < 0 || error.position > lines.value(0).size() || error.message.isEmpty())
            std::abort();
        return 0;
    }
    Formula::VariableSet::Texts texts;
    for (int v = 0; v < Formula::kVariableCount && v + 1 < lines.size(); ++v)
        texts[size_t(v)] = lines.at(v + 1);
    Formula::VariableSet variables(texts, formula->variablesUsed());
    if (!variables.ok())
        return 0;
    const auto reference = Formula::readPosition("N 52 E 13");
    Formula::FormulaSolver solver(*formula, variables, reference, Formula::Filter {false, 5000});
    std::vector<Formula::Hit> hits;
    Formula::Counts counts;
    solver.run(0, 64, hits, counts); // a few combinations are enough to reach every path
    if (counts.computed != std::min<uint64_t>(64, solver.combinationCount()))
        std::abort();
    for (const Formula::Hit &hit : hits)
        solver.coordinateText(hit.index);
    return 0;
}
