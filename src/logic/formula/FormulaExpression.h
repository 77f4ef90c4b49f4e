#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// Integer expressions of the variable coordinates: numbers, the variables A..Z, + - * / % ^,
// unary minus, round brackets and the functions QS(x) (digit sum), IQS(x) (digit sum repeated
// down to one digit) and BWW("text") (letter word value). Everything is a 64-bit integer; a
// division that leaves a remainder, a division by zero, a negative exponent and every overflow
// make the candidate invalid instead of giving a rounded or wrapped number.
namespace Formula {

constexpr int kVariableCount = 26;

// How many brackets, signs and powers may enclose each other. The parser descends once per
// level, so an unbounded depth (50,000 pasted brackets) would overflow the stack; real formulas
// nest a handful of levels.
constexpr int kMaxNesting = 256;

// The values of A..Z for one candidate; a variable without a value is std::nullopt.
using Values = std::array<std::optional<int64_t>, kVariableCount>;
// The values of A..Z for many candidates: columns[v][i] is the value of variable v for candidate
// i; nullptr for a variable without values.
using Columns = std::array<const int64_t *, kVariableCount>;

class WholeProgram;
// The compiled program's value for one candidate (WholeProgram.cpp); false when it has none.
bool evaluateProgram(const WholeProgram &program, const Values &values, int64_t &value);

// Where and why a text is not a well-formed expression (position: a character index of the
// text handed to the parser, counted from 0).
struct SyntaxError
{
    qsizetype position = 0;
    QString message;
};

// An expression compiled to postfix order, so evaluating it needs no allocation.
class Expression
{
public:
    enum class Op : uint8_t {
        Constant,
        Variable,
        Negate,
        Add,
        Subtract,
        Multiply,
        Divide,
        Modulo,
        Power,
        DigitSum,
        IteratedDigitSum,
        // Only in the sheet grammar (parseSheet); the operand is an index into texts().
        Number, // a decimal number as written ("3,25", any length)
        Text, // the contents of a quoted text
        Name, // a named value or constant
        Call // a function: operand = text index | argument count << 32
    };
    struct Step
    {
        Op op;
        int64_t operand = 0; // the constant, or the variable's index 0..25
    };

    // Reads `text`; `offset` is added to every error position, so errors in a part of a longer
    // text point into that text.
    static std::optional<Expression> parse(const QString &text, SyntaxError &error,
                                           qsizetype offset = 0);

    // The sheet grammar of the formula calculator: the same operators, precedence and signs, and
    // besides decimal numbers with comma or point, names of several letters, digits and "_",
    // quoted texts and calls of any name with arguments separated by ";". Whether a name is a
    // known function is decided by whoever evaluates the steps.
    static std::optional<Expression> parseSheet(const QString &text, SyntaxError &error,
                                                qsizetype offset = 0);

    // The value, or nothing when the candidate is invalid (see above). Inline, so the value
    // reaches the caller in registers: an optional returned from a call is written to memory
    // in two parts and read back whole, which stalls the processor on every candidate.
    std::optional<int64_t> evaluate(const Values &values) const
    {
        if (!m_program)
            return evaluateSteps(values);
        int64_t value = 0;
        if (!evaluateProgram(*m_program, values, value))
            return std::nullopt;
        return value;
    }
    // The values of `count` candidates at once, many times faster per candidate than evaluate:
    // out[i] is the value of candidate i and ok[i] is 1, or out[i] is 0 and ok[i] is 0 when it is
    // invalid. Only the columns of the variables the expression reads are looked at.
    void evaluateBatch(const Columns &columns, size_t count, int64_t *out, uint8_t *ok) const;
    // The same value as evaluate, interpreted step by step on a stack: slow, the yardstick the
    // compiled program is checked against.
    std::optional<int64_t> evaluateSteps(const Values &values) const;

    // Bit i is set when the variable with index i occurs.
    uint32_t variablesUsed() const { return m_variables; }

    const std::vector<Step> &steps() const { return m_steps; }
    // The character index (with the parse offset) where step i was read.
    qsizetype position(size_t step) const { return m_positions[step]; }
    const QString &text(int64_t index) const { return m_texts[size_t(index & 0xffffffff)]; }

private:
    friend class ExpressionParser;
    friend class SheetExpression; // builds the whole-number program of a sheet expression
    void compile(); // the program of the steps, when they are whole-number arithmetic
    std::vector<Step> m_steps;
    std::vector<qsizetype> m_positions;
    std::vector<QString> m_texts;
    uint32_t m_variables = 0;
    int m_stackDepth = 0;
    std::shared_ptr<const WholeProgram> m_program; // shared by the copies; never changed
};

// Digit sum of the absolute value.
int64_t digitSum(int64_t value);
// Digit sum of the digit sum until one digit is left.
int64_t iteratedDigitSum(int64_t value);

} // namespace Formula
