#include "logic/formula/SheetExpression.h"

#include "logic/common/QuarvelError.h"
#include "logic/formula/SheetFunctions.h"

namespace Formula {

namespace {

QString at(qsizetype position, const QString &message)
{
    return QStringLiteral("Zeichen %1: %2").arg(position + 1).arg(message);
}

bool fitsInt64(const QString &digits)
{
    bool ok = false;
    digits.toLongLong(&ok);
    return ok && !digits.contains(u'.');
}

} // namespace

SheetExpression SheetExpression::parse(const QString &text, qsizetype offset)
{
    SyntaxError error;
    auto expression = Expression::parseSheet(text, error, offset);
    if (!expression)
        throw QuarvelError(at(error.position, error.message));
    SheetExpression result;
    result.m_expression = std::move(*expression);
    const auto &steps = result.m_expression.steps();
    result.m_functions.assign(steps.size(), nullptr);
    result.m_slots.assign(steps.size(), -1);
    for (size_t i = 0; i < steps.size(); ++i) {
        const Expression::Step &step = steps[i];
        const QString &word = result.m_expression.text(step.operand);
        if (step.op == Expression::Op::Name) {
            qsizetype slot = -1;
            for (qsizetype n = 0; n < result.m_names.size() && slot < 0; ++n) {
                if (result.m_names[n].compare(word, Qt::CaseInsensitive) == 0)
                    slot = n;
            }
            if (slot < 0) {
                slot = result.m_names.size();
                result.m_names.append(word);
            }
            result.m_slots[i] = int(slot);
        } else if (step.op == Expression::Op::Call) {
            const SheetFunction *function = findSheetFunction(word);
            const int count = int(step.operand >> 32);
            if (!function)
                throw QuarvelError(at(result.m_expression.position(i),
                                      QStringLiteral("„%1“ ist keine Funktion.").arg(word)));
            if (count < function->minArguments ||
                (function->maxArguments >= 0 && count > function->maxArguments))
                throw QuarvelError(
                    at(result.m_expression.position(i),
                       QStringLiteral("%1 bekommt %2 Argumente; so wird es geschrieben: %3")
                           .arg(word)
                           .arg(count)
                           .arg(function->usage)));
            result.m_functions[i] = function;
        }
    }
    result.buildWholeProgram();
    return result;
}

// The whole-number program: the same steps with the names as variables 0..25 and the numbers
// as 64-bit constants, for the engine of the variable coordinates.
void SheetExpression::buildWholeProgram()
{
    if (m_names.size() > kVariableCount)
        return;
    Expression whole = m_expression;
    for (size_t i = 0; i < whole.m_steps.size(); ++i) {
        Expression::Step &step = whole.m_steps[i];
        if (step.op == Expression::Op::Number) {
            const QString &digits = m_expression.text(step.operand);
            if (!fitsInt64(digits))
                return;
            step = {Expression::Op::Constant, digits.toLongLong()};
        } else if (step.op == Expression::Op::Name) {
            step = {Expression::Op::Variable, m_slots[i]};
        } else if (step.op == Expression::Op::Call || step.op == Expression::Op::Text) {
            return;
        }
    }
    whole.compile();
    m_whole = std::move(whole);
}

SheetNumber SheetExpression::evaluate(const Lookup &lookup) const
{
    // Whole numbers that fit 64 bits take the fast engine; whatever it cannot give exactly (a
    // remainder, an overflow) is computed again exactly.
    if (m_whole) {
        Values values;
        bool fits = true;
        for (qsizetype n = 0; n < m_names.size() && fits; ++n) {
            const SheetNumber *value = nullptr;
            try {
                value = lookup(m_names[n]);
            } catch (const QuarvelError &) {
                // The exact run below looks it up again and names the place.
            }
            fits = value && value->isExact() && value->isInteger() &&
                mpz_fits_slong_p(value->rational().get_num_mpz_t());
            if (fits)
                values[size_t(n)] = value->rational().get_num().get_si();
        }
        if (fits) {
            if (const auto result = m_whole->evaluate(values))
                return SheetNumber::exact(mpz_class(static_cast<long>(*result)));
        }
    }
    return run(lookup);
}

SheetNumber SheetExpression::run(const Lookup &lookup) const
{
    using Op = Expression::Op;
    std::vector<SheetNumber> stack;
    const auto &steps = m_expression.steps();
    for (size_t i = 0; i < steps.size(); ++i) {
        const Expression::Step &step = steps[i];
        try {
            switch (step.op) {
            case Op::Number:
                stack.push_back(SheetNumber::fromDecimal(m_expression.text(step.operand)));
                break;
            case Op::Text:
                stack.push_back(SheetNumber::text(m_expression.text(step.operand)));
                break;
            case Op::Name: {
                const QString &name = m_names[m_slots[i]];
                if (const SheetNumber *value = lookup(name))
                    stack.push_back(*value);
                else if (auto constant = sheetConstant(name))
                    stack.push_back(*constant);
                else
                    throw QuarvelError(QStringLiteral("„%1“ ist nicht definiert.").arg(name));
                break;
            }
            case Op::Call: {
                const size_t count = size_t(step.operand >> 32);
                SheetArguments arguments(std::make_move_iterator(stack.end() - long(count)),
                                         std::make_move_iterator(stack.end()));
                stack.resize(stack.size() - count);
                stack.push_back(m_functions[i]->call(arguments));
                break;
            }
            case Op::Negate:
                stack.back() = negate(stack.back());
                break;
            default: {
                const SheetNumber right = std::move(stack.back());
                stack.pop_back();
                SheetNumber &left = stack.back();
                switch (step.op) {
                case Op::Add:
                    left = add(left, right);
                    break;
                case Op::Subtract:
                    left = subtract(left, right);
                    break;
                case Op::Multiply:
                    left = multiply(left, right);
                    break;
                case Op::Divide:
                    left = divide(left, right);
                    break;
                case Op::Modulo:
                    left = remainder(left, right);
                    break;
                default:
                    left = power(left, right);
                    break;
                }
            }
            }
        } catch (const QuarvelError &error) {
            throw QuarvelError(at(m_expression.position(i), error.message()));
        }
    }
    return stack.back();
}

} // namespace Formula
