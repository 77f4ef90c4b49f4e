#pragma once

#include "logic/formula/FormulaExpression.h"

#include <QString>

#include <string>
#include <vector>

namespace Formula {

// A coordinate text with variables, as mystery caches give their finals:
//   N 52° 3A.B(C+2)0 E 013° 2D.(E*2)1
// Outside round brackets a letter stands for the decimal digits of its value (A=12 in "3A"
// gives "312"), and so does a bracket expression. A letter that stands alone between blanks is
// the hemisphere letter of the notation, not a variable, so "N" and "E" above stay as they are
// while the E inside the brackets is the variable E. Lower-case letters are the same variables
// as upper-case ones.
class CoordinateFormula
{
public:
    static std::optional<CoordinateFormula> parse(const QString &text, SyntaxError &error);

    // Bit i is set when variable i occurs, in a bracket or as digits.
    uint32_t variablesUsed() const { return m_variables; }

    // Appends the candidate's coordinate text (UTF-8) to `out`; false when a value cannot be
    // put in: a variable without a value, an expression that is invalid for these values, or a
    // negative number, whose minus sign would not be a digit of the position.
    bool render(const Values &values, std::string &out) const;
    // The same into `out`, which holds at least maxRenderLength() bytes; returns the end, or
    // null when the values cannot be put in. Allocates nothing: the search renders millions.
    char *render(const Values &values, char *out) const;
    size_t maxRenderLength() const { return m_maxRenderLength; }

    // The same as text, or an empty text when it cannot be rendered.
    QString renderText(const Values &values) const;

private:
    struct Segment
    {
        std::string literal; // for a literal piece
        int variable = -1; // for a letter outside brackets
        std::optional<Expression> expression; // for a bracket
    };
    std::vector<Segment> m_segments;
    uint32_t m_variables = 0;
    size_t m_maxRenderLength = 0; // the literals and 19 digits for each number
};

} // namespace Formula
