#pragma once

#include "logic/formula/FormulaExpression.h"

#include <QString>

#include <array>
#include <vector>

namespace Formula {

// At most this many combinations are computed in one run.
constexpr uint64_t kMaxCombinations = 10'000'000;

// The values the user gave the variables. Each letter's text is one of
//   a value            "5"
//   a list             "1,4,7"
//   a range            "0-9"        (also descending: "9-0")
//   a range with step  "10-100#5"
//   a mix of these     "1,3-5,20-40#10"
//   an expression      "A+1", "QS(B)*2" (of other letters; computed for each combination)
// The letters with lists span the combinations; the others follow from them. A cycle of
// expressions ("A" := "B+1", "B" := "A-1") is refused.
class VariableSet
{
public:
    using Texts = std::array<QString, kVariableCount>;

    // `used`: the letters the formula needs; the letters their expressions need are added.
    VariableSet(const Texts &texts, uint32_t used);

    // The message for a letter's definition ("" when it is fine), for showing beside it.
    const QString &error(int variable) const { return m_errors[size_t(variable)]; }
    // The first message of all, with its letter, or "" when every definition is fine.
    QString firstError() const;
    bool ok() const { return firstError().isEmpty(); }

    // The letters that are needed, directly or through an expression.
    uint32_t needed() const { return m_needed; }
    // Needed letters that have no text: every candidate is then invalid.
    uint32_t withoutValue() const { return m_withoutValue; }
    bool isExpression(int variable) const { return m_expressions[size_t(variable)].has_value(); }
    // Number of values of a letter with a list (1 for the others).
    uint64_t valueCount(int variable) const;

    // Product of the list sizes; 0 when it exceeds kMaxCombinations.
    uint64_t combinationCount() const { return m_combinations; }

    // Fills `values` for combination `index` (0 <= index < combinationCount()); the letter with
    // the highest index varies fastest. Expressions that are invalid for these values leave
    // their letter without a value.
    void valuesAt(uint64_t index, Values &values) const;

    // Steps `values` and `digits` (the position within each list) on to the next combination,
    // faster than valuesAt for a run of consecutive combinations.
    struct Odometer
    {
        std::array<uint64_t, kVariableCount> digit {};
    };
    void start(uint64_t index, Odometer &odometer, Values &values) const;
    void next(Odometer &odometer, Values &values) const;

    // "A=1 B=23" for the letters that are needed.
    QString describe(const Values &values) const;

private:
    void readDefinition(int variable, const QString &text);
    void findCycles();
    void computeDependents(Values &values) const;

    std::array<QString, kVariableCount> m_errors;
    std::array<std::vector<int64_t>, kVariableCount> m_lists;
    std::array<std::optional<Expression>, kVariableCount> m_expressions;
    std::vector<int> m_free; // letters with lists, in letter order
    std::vector<int> m_dependentOrder; // letters with expressions, each after what it needs
    uint32_t m_needed = 0;
    uint32_t m_withoutValue = 0;
    uint64_t m_combinations = 0;
};

} // namespace Formula
