#include "logic/formula/FormulaExpression.h"

#include "logic/formula/ExpressionParser.h"
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

std::optional<Expression> ExpressionParser::run(SyntaxError &error)
{
    skipBlanks();
    if (atEnd())
        return fail(error, m_pos, QStringLiteral("Der Ausdruck ist leer."));
    if (!sum(error))
        return std::nullopt;
    skipBlanks();
    if (!atEnd())
        return fail(error, m_pos, unexpected());
    // The sheet grammar's steps are compiled by SheetExpression, once its names are variables.
    if (!m_sheet)
        m_result.compile();
    return m_result;
}

void ExpressionParser::skipBlanks()
{
    while (!atEnd() && current().isSpace())
        ++m_pos;
}

QString ExpressionParser::unexpected() const
{
    if (atEnd())
        return QStringLiteral("Der Ausdruck endet zu früh.");
    if (current() == u')')
        return QStringLiteral("Zu dieser Klammer „)“ fehlt die öffnende.");
    return QStringLiteral("Hier wird ein Rechenzeichen erwartet, nicht „%1“.").arg(current());
}

std::nullopt_t ExpressionParser::fail(SyntaxError &error, qsizetype position,
                                      const QString &message)
{
    error.position = m_offset + position;
    error.message = message;
    return std::nullopt;
}

QString ExpressionParser::tooDeep()
{
    return QStringLiteral("Der Ausdruck ist zu tief verschachtelt: höchstens %1 Klammern, "
                          "Vorzeichen und Potenzen ineinander.")
        .arg(kMaxNesting);
}

void ExpressionParser::append(Expression::Op op, int64_t operand, qsizetype position)
{
    using Op = Expression::Op;
    m_result.m_steps.push_back({op, operand});
    m_result.m_positions.push_back(m_offset + position);
    const bool pushes = op == Op::Constant || op == Op::Variable || op == Op::Number ||
        op == Op::Text || op == Op::Name;
    const bool unary = op == Op::Negate || op == Op::DigitSum || op == Op::IteratedDigitSum;
    if (op == Op::Call)
        m_depth += 1 - int(operand >> 32);
    else
        m_depth += pushes ? 1 : (unary ? 0 : -1);
    m_result.m_stackDepth = std::max(m_result.m_stackDepth, m_depth);
}

int64_t ExpressionParser::addText(const QString &text)
{
    m_result.m_texts.push_back(text);
    return int64_t(m_result.m_texts.size() - 1);
}

bool ExpressionParser::sum(SyntaxError &error)
{
    if (!product(error))
        return false;
    for (;;) {
        skipBlanks();
        const QChar c = current();
        if (c != u'+' && c != u'-' && c != u'−')
            return true;
        const qsizetype at = m_pos++;
        if (!product(error))
            return false;
        append(c == u'+' ? Expression::Op::Add : Expression::Op::Subtract, 0, at);
    }
}

bool ExpressionParser::product(SyntaxError &error)
{
    if (!unary(error))
        return false;
    for (;;) {
        skipBlanks();
        const QChar c = current();
        Expression::Op op;
        if (c == u'*' || c == u'×' || c == u'·')
            op = Expression::Op::Multiply;
        else if (c == u'/' || c == u':' || c == u'÷')
            op = Expression::Op::Divide;
        else if (c == u'%')
            op = Expression::Op::Modulo;
        else
            return true;
        const qsizetype at = m_pos++;
        if (!unary(error))
            return false;
        append(op, 0, at);
    }
}

bool ExpressionParser::unary(SyntaxError &error)
{
    skipBlanks();
    const qsizetype sign = m_pos;
    if (current() == u'-' || current() == u'−') {
        ++m_pos;
        if (!nested(error, sign, [&] { return unary(error); }))
            return false;
        append(Expression::Op::Negate, 0, sign);
        return true;
    }
    if (current() == u'+') {
        ++m_pos;
        return nested(error, sign, [&] { return unary(error); });
    }
    return powerOf(error);
}

bool ExpressionParser::powerOf(SyntaxError &error)
{
    if (!primary(error))
        return false;
    skipBlanks();
    if (current() != u'^')
        return true;
    const qsizetype caret = m_pos++;
    if (!nested(error, caret, [&] { return unary(error); }))
        return false;
    append(Expression::Op::Power, 0, caret);
    return true;
}

bool ExpressionParser::primary(SyntaxError &error)
{
    skipBlanks();
    const QChar c = current();
    if (isDigit(c))
        return m_sheet ? sheetNumber(error) : number(error);
    if (c == u'(') {
        const qsizetype open = m_pos++;
        return nested(error, open, [&] { return sum(error) && closingBracket(error, open); });
    }
    if (m_sheet && (c.isLetter() || c == u'_'))
        return sheetName(error);
    if (m_sheet && c == u'"')
        return quotedText(error);
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

bool ExpressionParser::closingBracket(SyntaxError &error, qsizetype open)
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

bool ExpressionParser::number(SyntaxError &error)
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
    append(Expression::Op::Constant, value, start);
    return true;
}

bool ExpressionParser::name(SyntaxError &error)
{
    const qsizetype start = m_pos;
    while (isLetter(current()))
        ++m_pos;
    const QString word = m_text.mid(start, m_pos - start).toUpper();
    if (word.size() == 1) {
        const int index = variableIndex(word.at(0));
        m_result.m_variables |= 1u << index;
        append(Expression::Op::Variable, index, start);
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
    append(op, 0, start);
    return true;
}

bool ExpressionParser::wordValue(SyntaxError &error)
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
        fail(error, quote, QStringLiteral("Zu diesem Anführungszeichen fehlt das schließende."));
        return false;
    }
    const QString value =
        CryptoTools::BuchstabenWortWert(m_text.mid(m_pos, end - m_pos), false, false);
    m_pos = end + 1;
    if (!closingBracket(error, open))
        return false;
    append(Expression::Op::Constant, value.toLongLong(), quote);
    return true;
}

std::optional<Expression> Expression::parse(const QString &text, SyntaxError &error,
                                            qsizetype offset)
{
    return ExpressionParser(text, offset, false).run(error);
}

std::optional<Expression> Expression::parseSheet(const QString &text, SyntaxError &error,
                                                 qsizetype offset)
{
    return ExpressionParser(text, offset, true).run(error);
}

} // namespace Formula
