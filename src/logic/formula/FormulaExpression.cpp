#include "logic/formula/FormulaExpression.h"

#include "logic/tools/CryptoTools_WortWert.h"

namespace Formula {

namespace {

bool isLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

int variableIndex(QChar c)
{
    return c.toUpper().unicode() - u'A';
}

} // namespace

// Recursive descent over
//   sum     := product (("+" | "-") product)*
//   product := unary (("*" | "/" | "%") unary)*
//   unary   := "-" unary | power
//   power   := primary ("^" unary)?          (right-associative; -2^2 is -(2^2))
//   primary := number | letter | "(" sum ")" | QS "(" sum ")" | IQS "(" sum ")" | BWW "(" text ")"
class ExpressionParser
{
public:
    ExpressionParser(const QString &text, qsizetype offset)
        : m_text(text)
        , m_offset(offset)
    {
    }

    std::optional<Expression> run(SyntaxError &error)
    {
        skipBlanks();
        if (atEnd())
            return fail(error, m_pos, QStringLiteral("Der Ausdruck ist leer."));
        if (!sum(error))
            return std::nullopt;
        skipBlanks();
        if (!atEnd())
            return fail(error, m_pos, unexpected());
        return m_result;
    }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar current() const { return atEnd() ? QChar() : m_text.at(m_pos); }

    void skipBlanks()
    {
        while (!atEnd() && current().isSpace())
            ++m_pos;
    }

    QString unexpected() const
    {
        if (atEnd())
            return QStringLiteral("Der Ausdruck endet zu früh.");
        if (current() == u')')
            return QStringLiteral("Zu dieser Klammer „)“ fehlt die öffnende.");
        return QStringLiteral("Hier wird ein Rechenzeichen erwartet, nicht „%1“.").arg(current());
    }

    std::nullopt_t fail(SyntaxError &error, qsizetype position, const QString &message)
    {
        error.position = m_offset + position;
        error.message = message;
        return std::nullopt;
    }

    // Runs `parse` one level of nesting deeper, entered at `position`.
    template<class Parse> bool nested(SyntaxError &error, qsizetype position, Parse parse)
    {
        const bool ok =
            ++m_nesting <= kMaxNesting ? parse() : (fail(error, position, tooDeep()), false);
        --m_nesting;
        return ok;
    }

    static QString tooDeep()
    {
        return QStringLiteral("Der Ausdruck ist zu tief verschachtelt: höchstens %1 Klammern, "
                              "Vorzeichen und Potenzen ineinander.")
            .arg(kMaxNesting);
    }

    void append(Expression::Op op, int64_t operand = 0)
    {
        m_result.m_steps.push_back({op, operand});
        const bool pushes = op == Expression::Op::Constant || op == Expression::Op::Variable;
        const bool unary = op == Expression::Op::Negate || op == Expression::Op::DigitSum ||
            op == Expression::Op::IteratedDigitSum;
        m_depth += pushes ? 1 : (unary ? 0 : -1);
        m_result.m_stackDepth = std::max(m_result.m_stackDepth, m_depth);
    }

    bool sum(SyntaxError &error)
    {
        if (!product(error))
            return false;
        for (;;) {
            skipBlanks();
            const QChar c = current();
            if (c != u'+' && c != u'-')
                return true;
            ++m_pos;
            if (!product(error))
                return false;
            append(c == u'+' ? Expression::Op::Add : Expression::Op::Subtract);
        }
    }

    bool product(SyntaxError &error)
    {
        if (!unary(error))
            return false;
        for (;;) {
            skipBlanks();
            const QChar c = current();
            Expression::Op op;
            if (c == u'*' || c == u'×')
                op = Expression::Op::Multiply;
            else if (c == u'/' || c == u':')
                op = Expression::Op::Divide;
            else if (c == u'%')
                op = Expression::Op::Modulo;
            else
                return true;
            ++m_pos;
            if (!unary(error))
                return false;
            append(op);
        }
    }

    bool unary(SyntaxError &error)
    {
        skipBlanks();
        const qsizetype sign = m_pos;
        if (current() == u'-' || current() == u'−') {
            ++m_pos;
            if (!nested(error, sign, [&] { return unary(error); }))
                return false;
            append(Expression::Op::Negate);
            return true;
        }
        if (current() == u'+') {
            ++m_pos;
            return nested(error, sign, [&] { return unary(error); });
        }
        return powerOf(error);
    }

    bool powerOf(SyntaxError &error)
    {
        if (!primary(error))
            return false;
        skipBlanks();
        if (current() != u'^')
            return true;
        const qsizetype caret = m_pos++;
        if (!nested(error, caret, [&] { return unary(error); }))
            return false;
        append(Expression::Op::Power);
        return true;
    }

    bool primary(SyntaxError &error)
    {
        skipBlanks();
        const QChar c = current();
        if (isDigit(c))
            return number(error);
        if (c == u'(') {
            const qsizetype open = m_pos++;
            return nested(error, open, [&] { return sum(error) && closingBracket(error, open); });
        }
        if (isLetter(c))
            return name(error);
        fail(error, m_pos,
             atEnd() ? QStringLiteral("Der Ausdruck endet zu früh: Zahl, Variable oder Klammer "
                                      "erwartet.")
                     : QStringLiteral("Hier wird eine Zahl, eine Variable oder eine Klammer "
                                      "erwartet, nicht „%1“.")
                           .arg(c));
        return false;
    }

    bool closingBracket(SyntaxError &error, qsizetype open)
    {
        skipBlanks();
        if (current() != u')') {
            fail(error, atEnd() ? open : m_pos,
                 atEnd() ? QStringLiteral("Zu dieser Klammer „(“ fehlt die schließende.")
                         : unexpected());
            return false;
        }
        ++m_pos;
        return true;
    }

    bool number(SyntaxError &error)
    {
        const qsizetype start = m_pos;
        int64_t value = 0;
        while (isDigit(current())) {
            if (__builtin_mul_overflow(value, 10, &value) ||
                __builtin_add_overflow(value, current().unicode() - u'0', &value)) {
                fail(error, start, QStringLiteral("Die Zahl ist zu groß (höchstens 64 Bit)."));
                return false;
            }
            ++m_pos;
        }
        append(Expression::Op::Constant, value);
        return true;
    }

    bool name(SyntaxError &error)
    {
        const qsizetype start = m_pos;
        while (isLetter(current()))
            ++m_pos;
        const QString word = m_text.mid(start, m_pos - start).toUpper();
        if (word.size() == 1) {
            const int index = variableIndex(word.at(0));
            m_result.m_variables |= 1u << index;
            append(Expression::Op::Variable, index);
            return true;
        }
        skipBlanks();
        if (word == QLatin1String("BWW"))
            return wordValue(error);
        Expression::Op op;
        if (word == QLatin1String("QS"))
            op = Expression::Op::DigitSum;
        else if (word == QLatin1String("IQS"))
            op = Expression::Op::IteratedDigitSum;
        else {
            fail(error, start,
                 QStringLiteral("„%1“ ist keine Funktion; Variablen sind einzelne Buchstaben.")
                     .arg(word));
            return false;
        }
        if (current() != u'(') {
            fail(error, m_pos, QStringLiteral("Nach %1 wird „(“ erwartet.").arg(word));
            return false;
        }
        const qsizetype open = m_pos++;
        if (!nested(error, open, [&] { return sum(error) && closingBracket(error, open); }))
            return false;
        append(op);
        return true;
    }

    bool wordValue(SyntaxError &error)
    {
        if (current() != u'(') {
            fail(error, m_pos, QStringLiteral("Nach BWW wird „(“ erwartet."));
            return false;
        }
        const qsizetype open = m_pos++;
        skipBlanks();
        if (current() != u'"') {
            fail(error, m_pos, QStringLiteral("BWW erwartet einen Text in Anführungszeichen."));
            return false;
        }
        const qsizetype quote = m_pos++;
        const qsizetype end = m_text.indexOf(u'"', m_pos);
        if (end < 0) {
            fail(error, quote,
                 QStringLiteral("Zu diesem Anführungszeichen fehlt das schließende."));
            return false;
        }
        const QString value =
            CryptoTools::BuchstabenWortWert(m_text.mid(m_pos, end - m_pos), false, false);
        m_pos = end + 1;
        if (!closingBracket(error, open))
            return false;
        append(Expression::Op::Constant, value.toLongLong());
        return true;
    }

    const QString &m_text;
    qsizetype m_offset;
    qsizetype m_pos = 0;
    int m_depth = 0;
    int m_nesting = 0;
    Expression m_result;
};

std::optional<Expression> Expression::parse(const QString &text, SyntaxError &error,
                                            qsizetype offset)
{
    return ExpressionParser(text, offset).run(error);
}

} // namespace Formula
