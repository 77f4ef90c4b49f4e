#include "logic/formula/WholeProgram.h"

#include <algorithm>
#include <array>
#include <limits>

namespace Formula {

namespace {

using Op = Expression::Op;
using Kind = WholeProgram::Kind;
using Divisor = WholeProgram::Divisor;

constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
constexpr uint64_t kMax = uint64_t(std::numeric_limits<int64_t>::max());

uint64_t magnitudeOf(int64_t value)
{
    return value < 0 ? 0 - uint64_t(value) : uint64_t(value);
}

// The multiplier and shift that divide by an invariant positive divisor (Hacker's Delight,
// chapter 10): the truncated quotient of any 64-bit x is, with h the high half of the signed
// product multiplier * x (plus x when the multiplier is read as negative), h >> shift plus one
// for a negative x. Magnitudes from 2 to 2^63 - 1.
Divisor prepareDivisor(int64_t value)
{
    Divisor divisor;
    divisor.negative = value < 0;
    const uint64_t magnitude = magnitudeOf(value);
    if (magnitude < 2 || magnitude > kMax)
        return divisor; // divided natively
    constexpr uint64_t kTop = uint64_t(1) << 63;
    // The largest dividend that leaves the remainder magnitude - 1.
    const uint64_t limit = kTop - 1 - kTop % magnitude;
    int power = 63;
    uint64_t q1 = kTop / limit, r1 = kTop - q1 * limit;
    uint64_t q2 = kTop / magnitude, r2 = kTop - q2 * magnitude;
    uint64_t delta = 0;
    do {
        ++power;
        q1 *= 2;
        r1 *= 2;
        if (r1 >= limit) {
            ++q1;
            r1 -= limit;
        }
        q2 *= 2;
        r2 *= 2;
        if (r2 >= magnitude) {
            ++q2;
            r2 -= magnitude;
        }
        delta = magnitude - r2;
    } while (q1 < delta || (q1 == delta && r1 == 0));
    divisor.magnitude = int64_t(magnitude);
    divisor.multiplier = int64_t(q2 + 1);
    divisor.shift = power - 64;
    divisor.addDividend = divisor.multiplier < 0 ? -1 : 0;
    return divisor;
}

// A division or remainder by a prepared divisor, with the semantics of the native one below:
// truncated quotient, remainder with the sign of the dividend.
template<bool kRemainder> inline bool failsByConstant(int64_t x, const Divisor &divisor, int64_t &r)
{
    const int64_t high = int64_t((__int128(divisor.multiplier) * x) >> 64);
    const int64_t quotient =
        ((high + (x & divisor.addDividend)) >> divisor.shift) + int64_t(uint64_t(x) >> 63);
    const int64_t rest = int64_t(uint64_t(x) - uint64_t(quotient) * uint64_t(divisor.magnitude));
    if constexpr (kRemainder) {
        r = rest;
        return false;
    } else {
        r = divisor.negative ? -quotient : quotient;
        return rest != 0;
    }
}

// Every candidate's division: nothing for a zero divisor and for the one quotient that does
// not fit (the smallest number by -1), which the remainder refuses alike.
template<bool kRemainder> inline bool failsNative(int64_t x, int64_t y, int64_t &r)
{
    const bool invalid = (y == 0) | ((y == -1) & (x == kMin));
    const int64_t divisor = invalid ? 1 : y;
    const int64_t quotient = x / divisor;
    const int64_t rest = x % divisor;
    r = kRemainder ? rest : quotient;
    return invalid | (!kRemainder && rest != 0);
}

inline bool failsPower(int64_t base, int64_t exponent, int64_t &r)
{
    if (exponent < 0)
        return true;
    int64_t result = 1;
    while (exponent > 0) {
        if ((exponent & 1) && __builtin_mul_overflow(result, base, &result))
            return true;
        exponent >>= 1;
        if (exponent > 0 && __builtin_mul_overflow(base, base, &base))
            return true;
    }
    r = result;
    return false;
}

// One operation on plain values; true when it has no value.
bool failsBinary(Op op, int64_t x, int64_t y, int64_t &r)
{
    switch (op) {
    case Op::Add:
        return __builtin_add_overflow(x, y, &r);
    case Op::Subtract:
        return __builtin_sub_overflow(x, y, &r);
    case Op::Multiply:
        return __builtin_mul_overflow(x, y, &r);
    case Op::Divide:
        return failsNative<false>(x, y, r);
    case Op::Modulo:
        return failsNative<true>(x, y, r);
    default:
        return failsPower(x, y, r);
    }
}

bool failsUnary(Op op, int64_t x, int64_t &r)
{
    switch (op) {
    case Op::Negate:
        return __builtin_sub_overflow(int64_t(0), x, &r);
    case Op::DigitSum:
        r = digitSum(x);
        return false;
    default:
        r = iteratedDigitSum(x);
        return false;
    }
}

bool isUnary(Op op)
{
    return op == Op::Negate || op == Op::DigitSum || op == Op::IteratedDigitSum;
}

bool isBinary(Op op)
{
    return op == Op::Add || op == Op::Subtract || op == Op::Multiply || op == Op::Divide ||
        op == Op::Modulo || op == Op::Power;
}

// Only a division or remainder by a constant of magnitude 2 or more has a multiplier.
bool byConstant(const WholeProgram::Instruction &instruction)
{
    return instruction.divisor.multiplier != 0;
}

// The lanes of a block: a column of values, or one value for all of them.
struct Column
{
    const int64_t *values;
    int64_t operator[](size_t i) const { return values[i]; }
};
struct Same
{
    int64_t value;
    int64_t operator[](size_t) const { return value; }
};

// Runs `fails` over the lanes. Tracking, each lane that fails is marked in `bad`; otherwise only
// whether any lane failed is returned, which keeps the loop free of stores beside the results.
template<bool kTrack, class Left, class Right, class Fails>
bool lanes(Left left, Right right, size_t count, int64_t *target, uint8_t *bad, Fails fails)
{
    uint64_t any = 0;
#pragma GCC unroll 4
    for (size_t i = 0; i < count; ++i) {
        int64_t r = 0;
        const uint64_t failed = fails(left[i], right[i], r);
        target[i] = r;
        if constexpr (kTrack)
            bad[i] |= uint8_t(failed);
        else
            any |= failed;
    }
    return any != 0;
}

// The same with each operand a column or one value (never both one value: those parts are
// computed while compiling).
template<bool kTrack, class Fails>
bool binaryLanes(const int64_t *left, int64_t leftValue, const int64_t *right, int64_t rightValue,
                 size_t count, int64_t *target, uint8_t *bad, Fails fails)
{
    if (left && right)
        return lanes<kTrack>(Column {left}, Column {right}, count, target, bad, fails);
    if (left)
        return lanes<kTrack>(Column {left}, Same {rightValue}, count, target, bad, fails);
    return lanes<kTrack>(Same {leftValue}, Column {right}, count, target, bad, fails);
}

// Sums and differences written so the compiler can run several lanes in one vector register:
// the result wraps, and the sign bit of the test says whether it did.
inline uint64_t addFails(int64_t x, int64_t y, int64_t &r)
{
    const uint64_t sum = uint64_t(x) + uint64_t(y);
    r = int64_t(sum);
    return ((uint64_t(x) ^ sum) & (uint64_t(y) ^ sum)) >> 63;
}

inline uint64_t subtractFails(int64_t x, int64_t y, int64_t &r)
{
    const uint64_t difference = uint64_t(x) - uint64_t(y);
    r = int64_t(difference);
    return ((uint64_t(x) ^ uint64_t(y)) & (uint64_t(x) ^ difference)) >> 63;
}

} // namespace

std::shared_ptr<const WholeProgram>
WholeProgram::compile(const std::vector<Expression::Step> &steps)
{
    auto program = std::make_shared<WholeProgram>();
    std::vector<Operand> stack;
    for (const Expression::Step &step : steps) {
        if (step.op == Op::Constant) {
            stack.push_back({Kind::Constant, step.operand});
        } else if (step.op == Op::Variable) {
            if (step.operand < 0 || step.operand >= kVariableCount)
                return nullptr;
            program->m_variables |= 1u << step.operand;
            stack.push_back({Kind::Variable, step.operand, int(step.operand)});
        } else if (isUnary(step.op) && !stack.empty()) {
            Operand &operand = stack.back();
            if (operand.kind == Kind::Constant) {
                int64_t r = 0;
                program->m_neverValid |= failsUnary(step.op, operand.value, r);
                operand.value = r;
                continue;
            }
            const int target = int(stack.size() - 1);
            program->m_code.push_back({step.op, target, operand, {}, {}});
            operand = {Kind::Register, target, kVariableCount + target};
            program->m_registers = std::max(program->m_registers, target + 1);
        } else if (isBinary(step.op) && stack.size() >= 2) {
            const Operand right = stack.back();
            stack.pop_back();
            Operand &left = stack.back();
            if (left.kind == Kind::Constant && right.kind == Kind::Constant) {
                int64_t r = 0;
                program->m_neverValid |= failsBinary(step.op, left.value, right.value, r);
                left.value = r;
                continue;
            }
            const int target = int(stack.size() - 1);
            Instruction instruction {step.op, target, left, right, {}};
            if ((step.op == Op::Divide || step.op == Op::Modulo) && right.kind == Kind::Constant) {
                // A zero divisor leaves every candidate without a value.
                if (right.value == 0)
                    program->m_neverValid = true;
                else
                    instruction.divisor = prepareDivisor(right.value);
            }
            program->m_code.push_back(instruction);
            left = {Kind::Register, target, kVariableCount + target};
            program->m_registers = std::max(program->m_registers, target + 1);
        } else {
            return nullptr;
        }
    }
    if (stack.size() != 1)
        return nullptr;
    program->m_result = stack.back();
    return program;
}

bool evaluateProgram(const WholeProgram &program, const Values &values, int64_t &value)
{
    return program.evaluate(values, value);
}

bool WholeProgram::evaluate(const Values &values, int64_t &result) const
{
    if (m_neverValid)
        return false;
    // The variables, then the registers; small expressions keep them on the machine stack.
    constexpr int kInline = 32;
    int64_t inlineCells[kVariableCount + kInline];
    std::vector<int64_t> heapCells;
    int64_t *cells = inlineCells;
    if (m_registers > kInline) {
        heapCells.resize(size_t(kVariableCount + m_registers));
        cells = heapCells.data();
    }
    for (uint32_t used = m_variables; used != 0; used &= used - 1) {
        const int v = __builtin_ctz(used);
        const auto &value = values[size_t(v)];
        if (!value)
            return false;
        cells[v] = *value;
    }
    const auto fetch = [cells](const Operand &operand) {
        return operand.kind == Kind::Constant ? operand.value : cells[operand.cell];
    };
    for (const Instruction &instruction : m_code) {
        const int64_t x = fetch(instruction.left);
        int64_t r = 0;
        bool failed;
        switch (instruction.op) {
        case Op::Add:
            failed = __builtin_add_overflow(x, fetch(instruction.right), &r);
            break;
        case Op::Subtract:
            failed = __builtin_sub_overflow(x, fetch(instruction.right), &r);
            break;
        case Op::Multiply:
            failed = __builtin_mul_overflow(x, fetch(instruction.right), &r);
            break;
        case Op::Divide:
            failed = byConstant(instruction) ? failsByConstant<false>(x, instruction.divisor, r)
                                             : failsNative<false>(x, fetch(instruction.right), r);
            break;
        case Op::Modulo:
            failed = byConstant(instruction) ? failsByConstant<true>(x, instruction.divisor, r)
                                             : failsNative<true>(x, fetch(instruction.right), r);
            break;
        case Op::Power:
            failed = failsPower(x, fetch(instruction.right), r);
            break;
        default:
            failed = failsUnary(instruction.op, x, r);
            break;
        }
        if (failed)
            return false;
        cells[kVariableCount + instruction.target] = r;
    }
    result = fetch(m_result);
    return true;
}

void WholeProgram::evaluateBatch(const Columns &columns, size_t count, int64_t *out,
                                 uint8_t *ok) const
{
    bool never = m_neverValid;
    for (uint32_t used = m_variables; used != 0; used &= used - 1)
        never |= columns[size_t(__builtin_ctz(used))] == nullptr;
    if (never) {
        std::fill(out, out + count, 0);
        std::fill(ok, ok + count, 0);
        return;
    }
    constexpr int kInline = 8;
    std::array<int64_t, kInline * kBlock> inlineRegisters;
    std::vector<int64_t> heapRegisters;
    int64_t *registers = inlineRegisters.data();
    if (m_registers > kInline) {
        heapRegisters.resize(size_t(m_registers) * kBlock);
        registers = heapRegisters.data();
    }
    // A block runs first without marking which lanes fail; only when one does is it run again
    // lane by lane. After a block with a failing lane the next ones are marked at once, until
    // one runs through without a failure.
    bool marking = false;
    uint8_t bad[kBlock];
    for (size_t first = 0; first < count; first += kBlock) {
        const size_t lanes = std::min(kBlock, count - first);
        const int64_t *result = m_result.kind == Kind::Register
            ? registers + size_t(m_result.value) * kBlock
            : (m_result.kind == Kind::Variable ? columns[size_t(m_result.value)] + first : nullptr);
        if (!marking && !runBlock<false>(columns, first, lanes, registers, bad)) {
            if (result)
                std::copy(result, result + lanes, out + first);
            else
                std::fill(out + first, out + first + lanes, m_result.value);
            std::fill(ok + first, ok + first + lanes, 1);
            continue;
        }
        std::fill(bad, bad + lanes, 0);
        runBlock<true>(columns, first, lanes, registers, bad);
        marking = std::any_of(bad, bad + lanes, [](uint8_t b) { return b != 0; });
        for (size_t i = 0; i < lanes; ++i) {
            const int64_t value = result ? result[i] : m_result.value;
            ok[first + i] = uint8_t(!bad[i]);
            out[first + i] = bad[i] ? 0 : value;
        }
    }
}

template<bool kTrack>
bool WholeProgram::runBlock(const Columns &columns, size_t first, size_t count, int64_t *registers,
                            uint8_t *bad) const
{
    const auto column = [&](const Operand &operand) -> const int64_t * {
        switch (operand.kind) {
        case Kind::Register:
            return registers + size_t(operand.value) * kBlock;
        case Kind::Variable:
            return columns[size_t(operand.value)] + first;
        default:
            return nullptr;
        }
    };
    bool failed = false;
    for (const Instruction &instruction : m_code) {
        int64_t *target = registers + size_t(instruction.target) * kBlock;
        const int64_t *left = column(instruction.left);
        const int64_t *right = column(instruction.right);
        const int64_t leftValue = instruction.left.value;
        const int64_t rightValue = instruction.right.value;
        const auto binary = [&](auto fails) {
            return binaryLanes<kTrack>(left, leftValue, right, rightValue, count, target, bad,
                                       fails);
        };
        const auto unary = [&](auto fails) {
            return lanes<kTrack>(Column {left}, Same {0}, count, target, bad, fails);
        };
        const Divisor divisor = instruction.divisor;
        switch (instruction.op) {
        case Op::Negate:
            failed |= unary([](int64_t x, int64_t, int64_t &r) { return subtractFails(0, x, r); });
            break;
        case Op::DigitSum:
        case Op::IteratedDigitSum: {
            const Op op = instruction.op;
            failed |= unary(
                [op](int64_t x, int64_t, int64_t &r) { return uint64_t(failsUnary(op, x, r)); });
            break;
        }
        case Op::Add:
            failed |= binary(addFails);
            break;
        case Op::Subtract:
            failed |= binary(subtractFails);
            break;
        case Op::Multiply:
            failed |= binary([](int64_t x, int64_t y, int64_t &r) {
                return uint64_t(__builtin_mul_overflow(x, y, &r));
            });
            break;
        case Op::Divide:
            if (byConstant(instruction))
                failed |= unary([divisor](int64_t x, int64_t, int64_t &r) {
                    return uint64_t(failsByConstant<false>(x, divisor, r));
                });
            else
                failed |= binary([](int64_t x, int64_t y, int64_t &r) {
                    return uint64_t(failsNative<false>(x, y, r));
                });
            break;
        case Op::Modulo:
            if (byConstant(instruction))
                failed |= unary([divisor](int64_t x, int64_t, int64_t &r) {
                    return uint64_t(failsByConstant<true>(x, divisor, r));
                });
            else
                failed |= binary([](int64_t x, int64_t y, int64_t &r) {
                    return uint64_t(failsNative<true>(x, y, r));
                });
            break;
        default:
            failed |= binary(
                [](int64_t x, int64_t y, int64_t &r) { return uint64_t(failsPower(x, y, r)); });
            break;
        }
    }
    return failed;
}

} // namespace Formula
