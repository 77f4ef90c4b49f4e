#pragma once

#include "logic/formula/FormulaExpression.h"
#include "logic/formula/SheetNumber.h"

#include <QStringList>

#include <functional>

namespace Formula {

struct SheetFunction;

// One expression of the formula calculator, read in the sheet grammar and checked against the
// function table, ready to evaluate with values for its names.
class SheetExpression
{
public:
    // Throws QuarvelError "Zeichen N: …" (N counted from 1) for a syntax error, an unknown
    // function or a wrong number of arguments. `offset` is added to every position, so errors
    // in a part of a longer text point into that text.
    static SheetExpression parse(const QString &text, qsizetype offset = 0);

    // The names the expression reads (not the functions), as first written, each once.
    const QStringList &names() const { return m_names; }

    // The value of a name, or nullptr when it has none; `lookup` may throw for a name that has
    // no value for a reason of its own (a cycle). A name without a value is then tried as a
    // constant (pi, e, phi). Throws QuarvelError "Zeichen N: …" naming where it failed.
    using Lookup = std::function<const SheetNumber *(const QString &name)>;
    SheetNumber evaluate(const Lookup &lookup) const;

    // True when the expression is whole-number arithmetic on at most 26 names (no function, no
    // decimal, no constant): then evaluateWhole gives its value from 64-bit values quickly.
    bool wholeOnly() const { return m_whole.has_value(); }
    // `values[i]` is the value of names()[i]; nothing when a division leaves a remainder or a
    // step overflows, where evaluate gives the exact value.
    std::optional<int64_t> evaluateWhole(const Values &values) const
    {
        return m_whole->evaluate(values);
    }
    // The same for `count` sets of values at once (see Expression::evaluateBatch), for whoever
    // tries many: columns[i] holds the values of names()[i].
    void evaluateWholeBatch(const Columns &columns, size_t count, int64_t *out, uint8_t *ok) const
    {
        m_whole->evaluateBatch(columns, count, out, ok);
    }

private:
    SheetNumber run(const Lookup &lookup) const;
    void buildWholeProgram();

    Expression m_expression;
    std::vector<const SheetFunction *> m_functions; // per step, for the calls
    std::vector<int> m_slots; // per step: the index into m_names of a name
    QStringList m_names;
    std::optional<Expression> m_whole;
};

} // namespace Formula
