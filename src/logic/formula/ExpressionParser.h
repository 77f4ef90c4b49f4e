#pragma once

// The recursive-descent reader behind Expression::parse and Expression::parseSheet; internal to
// the formula library. One class reads both grammars, so precedence, signs and powers read the
// same in the variable coordinates and in the formula calculator.
//   sum     := product (("+" | "-" | "−") product)*
//   product := unary (("*" | "×" | "·" | "/" | ":" | "÷" | "%") unary)*
//   unary   := ("-" | "−") unary | "+" unary | power
//   power   := primary ("^" unary)?          (right-associative; -2^2 is -(2^2))
//   primary := number | name | "(" sum ")" | function "(" arguments ")" | text (sheet only)
// The coordinate grammar knows single-letter variables and QS, IQS and BWW; the sheet grammar
// reads decimal numbers, longer names and calls of any function with ";" between arguments.

#include "logic/formula/FormulaExpression.h"

namespace Formula {

class ExpressionParser
{
public:
    ExpressionParser(const QString &text, qsizetype offset, bool sheet)
        : m_text(text)
        , m_offset(offset)
        , m_sheet(sheet)
    {
    }

    std::optional<Expression> run(SyntaxError &error);

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar current() const { return atEnd() ? QChar() : m_text.at(m_pos); }
    void skipBlanks();
    QString unexpected() const;
    std::nullopt_t fail(SyntaxError &error, qsizetype position, const QString &message);

    // Runs `parse` one level of nesting deeper, entered at `position`.
    template<class Parse> bool nested(SyntaxError &error, qsizetype position, Parse parse)
    {
        const bool ok =
            ++m_nesting <= kMaxNesting ? parse() : (fail(error, position, tooDeep()), false);
        --m_nesting;
        return ok;
    }
    static QString tooDeep();

    void append(Expression::Op op, int64_t operand, qsizetype position);
    int64_t addText(const QString &text);

    bool sum(SyntaxError &error);
    bool product(SyntaxError &error);
    bool unary(SyntaxError &error);
    bool powerOf(SyntaxError &error);
    bool primary(SyntaxError &error);
    bool closingBracket(SyntaxError &error, qsizetype open);
    bool number(SyntaxError &error);
    bool name(SyntaxError &error);
    bool wordValue(SyntaxError &error);

    // The sheet grammar (SheetGrammar.cpp).
    bool sheetNumber(SyntaxError &error);
    bool sheetName(SyntaxError &error);
    bool sheetCall(SyntaxError &error, const QString &word, qsizetype start);
    bool quotedText(SyntaxError &error);

    const QString &m_text;
    qsizetype m_offset;
    bool m_sheet;
    qsizetype m_pos = 0;
    int m_depth = 0;
    int m_nesting = 0;
    Expression m_result;
};

} // namespace Formula
