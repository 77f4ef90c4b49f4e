#pragma once

#include "logic/formula/FormulaExpression.h"

#include <memory>

// The 64-bit engine behind Expression::evaluate: the postfix steps compiled once into register
// code. Numbers and variables are read where they stand instead of being pushed, a part made of
// numbers alone is computed while compiling, and a division or remainder by a number uses a
// multiplication prepared for that divisor. Evaluation allocates nothing and gives exactly what
// the steps give, overflow and invalid divisions included.
namespace Formula {

class WholeProgram
{
public:
    // The candidates one block of the batch evaluation holds: every operation runs over a block
    // before the next one starts, so the loops are short and tight and stay in the cache.
    static constexpr size_t kBlock = 256;

    // Nothing when the steps hold anything but whole-number arithmetic (names, calls, texts and
    // decimal numbers of the sheet grammar).
    static std::shared_ptr<const WholeProgram> compile(const std::vector<Expression::Step> &steps);

    // The value of one candidate in `result`; false when it has none.
    bool evaluate(const Values &values, int64_t &result) const;
    // See Expression::evaluateBatch.
    void evaluateBatch(const Columns &columns, size_t count, int64_t *out, uint8_t *ok) const;

    // Where an operand is: in a register (the result of an earlier instruction), in a variable
    // or in the instruction itself.
    enum class Kind : uint8_t { Register, Variable, Constant };
    struct Operand
    {
        Kind kind = Kind::Constant;
        int64_t value = 0; // the register, the variable's index or the constant
        int cell = 0; // for evaluate: the variable's index, or 26 + the register
    };
    // A divisor known while compiling, of magnitude 2 to 2^63 - 1: the quotient is then a
    // multiplication, a shift and a correction for negative dividends.
    struct Divisor
    {
        int64_t magnitude = 0;
        int64_t multiplier = 0; // 0: divided natively
        int shift = 0;
        int64_t addDividend = 0; // all ones when the multiplier reads as negative
        bool negative = false;
    };
    struct Instruction
    {
        Expression::Op op;
        int target = 0; // the register the result goes to
        Operand left, right; // a unary operation reads `left` only
        Divisor divisor; // for a division or remainder by a constant
    };

private:
    // Candidates [first, first + count) into the registers; true when one of them failed (when
    // tracking: marked in `bad`).
    template<bool kTrack>
    bool runBlock(const Columns &columns, size_t first, size_t count, int64_t *registers,
                  uint8_t *bad) const;

    std::vector<Instruction> m_code;
    Operand m_result;
    uint32_t m_variables = 0;
    int m_registers = 0;
    bool m_neverValid = false; // a part made of numbers alone overflows or divides invalidly
};

} // namespace Formula
