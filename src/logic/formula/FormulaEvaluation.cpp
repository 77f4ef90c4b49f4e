// Evaluation of a compiled expression and the digit sums it uses.
#include "logic/formula/FormulaExpression.h"
#include "logic/formula/WholeProgram.h"

#include <limits>

namespace Formula {

namespace {

std::optional<int64_t> power(int64_t base, int64_t exponent)
{
    if (exponent < 0)
        return std::nullopt;
    int64_t result = 1;
    while (exponent > 0) {
        if (exponent & 1) {
            if (__builtin_mul_overflow(result, base, &result))
                return std::nullopt;
        }
        exponent >>= 1;
        if (exponent > 0 && __builtin_mul_overflow(base, base, &base))
            return std::nullopt;
    }
    return result;
}

} // namespace

int64_t digitSum(int64_t value)
{
    // Work on the unsigned magnitude, so the smallest 64-bit number has a digit sum too.
    uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : uint64_t(value);
    int64_t sum = 0;
    while (magnitude > 0) {
        sum += int64_t(magnitude % 10);
        magnitude /= 10;
    }
    return sum;
}

int64_t iteratedDigitSum(int64_t value)
{
    int64_t sum = digitSum(value);
    while (sum > 9)
        sum = digitSum(sum);
    return sum;
}

void Expression::compile()
{
    m_program = WholeProgram::compile(m_steps);
}

void Expression::evaluateBatch(const Columns &columns, size_t count, int64_t *out,
                               uint8_t *ok) const
{
    if (m_program) {
        m_program->evaluateBatch(columns, count, out, ok);
        return;
    }
    for (size_t i = 0; i < count; ++i) {
        Values values;
        for (int v = 0; v < kVariableCount; ++v) {
            if (columns[size_t(v)])
                values[size_t(v)] = columns[size_t(v)][i];
        }
        const auto value = evaluateSteps(values);
        out[i] = value.value_or(0);
        ok[i] = uint8_t(value.has_value());
    }
}

std::optional<int64_t> Expression::evaluateSteps(const Values &values) const
{
    // Small expressions are the rule; the stack lives on the machine stack up to that size.
    constexpr int kInline = 32;
    int64_t inlineStack[kInline];
    std::vector<int64_t> heapStack;
    int64_t *stack = inlineStack;
    if (m_stackDepth > kInline) {
        heapStack.resize(size_t(m_stackDepth));
        stack = heapStack.data();
    }
    int top = 0;
    for (const Step &step : m_steps) {
        switch (step.op) {
        case Op::Constant:
            stack[top++] = step.operand;
            continue;
        case Op::Variable: {
            const auto &value = values[size_t(step.operand)];
            if (!value)
                return std::nullopt;
            stack[top++] = *value;
            continue;
        }
        case Op::Negate:
            if (__builtin_sub_overflow(int64_t(0), stack[top - 1], &stack[top - 1]))
                return std::nullopt;
            continue;
        case Op::DigitSum:
            stack[top - 1] = digitSum(stack[top - 1]);
            continue;
        case Op::IteratedDigitSum:
            stack[top - 1] = iteratedDigitSum(stack[top - 1]);
            continue;
        default:
            break;
        }
        const int64_t right = stack[--top];
        int64_t &left = stack[top - 1];
        bool overflow = false;
        switch (step.op) {
        case Op::Add:
            overflow = __builtin_add_overflow(left, right, &left);
            break;
        case Op::Subtract:
            overflow = __builtin_sub_overflow(left, right, &left);
            break;
        case Op::Multiply:
            overflow = __builtin_mul_overflow(left, right, &left);
            break;
        case Op::Divide:
        case Op::Modulo:
            // The one quotient that does not fit: the smallest number divided by -1.
            if (right == 0 || (right == -1 && left == std::numeric_limits<int64_t>::min()))
                return std::nullopt;
            if (step.op == Op::Divide) {
                if (left % right != 0)
                    return std::nullopt;
                left /= right;
            } else {
                left %= right;
            }
            break;
        case Op::Power: {
            const auto result = power(left, right);
            if (!result)
                return std::nullopt;
            left = *result;
            break;
        }
        default:
            break;
        }
        if (overflow)
            return std::nullopt;
    }
    return stack[0];
}

} // namespace Formula
