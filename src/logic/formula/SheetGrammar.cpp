// The parts of the grammar only the formula calculator reads: decimal numbers, names of several
// characters, quoted texts and function calls with any number of arguments.
#include "logic/formula/ExpressionParser.h"

namespace Formula {

namespace {

// A number may have this many characters: far beyond any listing, small enough that every
// operation on it stays well under a second.
constexpr qsizetype kMaxNumberLength = 100000;
// More arguments than any function could want; the count shares a 64-bit operand.
constexpr int64_t kMaxArguments = 1000;

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isNameCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

} // namespace

bool ExpressionParser::sheetNumber(SyntaxError &error)
{
    const qsizetype start = m_pos;
    while (isDigit(current()))
        ++m_pos;
    QString digits = m_text.mid(start, m_pos - start);
    // "3,5" and "3.5" are the same number; a comma not followed by a digit is left for the
    // caller, which then names it as out of place.
    if ((current() == u',' || current() == u'.') && m_pos + 1 < m_text.size() &&
        isDigit(m_text.at(m_pos + 1))) {
        ++m_pos;
        const qsizetype fraction = m_pos;
        while (isDigit(current()))
            ++m_pos;
        digits += u'.' + m_text.mid(fraction, m_pos - fraction);
    }
    if (m_pos - start > kMaxNumberLength) {
        fail(error, start,
             QStringLiteral("Die Zahl ist zu lang (höchstens %1 Zeichen).").arg(kMaxNumberLength));
        return false;
    }
    append(Expression::Op::Number, addText(digits), start);
    return true;
}

bool ExpressionParser::sheetName(SyntaxError &error)
{
    const qsizetype start = m_pos;
    while (isNameCharacter(current()))
        ++m_pos;
    const QString word = m_text.mid(start, m_pos - start);
    skipBlanks();
    if (current() == u'(')
        return sheetCall(error, word, start);
    append(Expression::Op::Name, addText(word), start);
    return true;
}

bool ExpressionParser::sheetCall(SyntaxError &error, const QString &word, qsizetype start)
{
    const qsizetype open = m_pos++;
    int64_t count = 0;
    skipBlanks();
    if (current() == u')') {
        ++m_pos;
    } else {
        const bool ok = nested(error, open, [&] {
            for (;;) {
                if (!sum(error))
                    return false;
                if (++count > kMaxArguments) {
                    fail(error, m_pos,
                         QStringLiteral("Zu viele Argumente (höchstens %1).").arg(kMaxArguments));
                    return false;
                }
                skipBlanks();
                if (current() == u',') {
                    fail(error, m_pos,
                         QStringLiteral("Argumente werden durch „;“ getrennt; ein Komma steht "
                                        "nur zwischen Ziffern einer Zahl."));
                    return false;
                }
                if (current() != u';')
                    return closingBracket(error, open);
                ++m_pos;
            }
        });
        if (!ok)
            return false;
    }
    append(Expression::Op::Call, addText(word) | (count << 32), start);
    return true;
}

bool ExpressionParser::quotedText(SyntaxError &error)
{
    const qsizetype quote = m_pos++;
    const qsizetype end = m_text.indexOf(u'"', m_pos);
    if (end < 0) {
        fail(error, quote, QStringLiteral("Zu diesem Anführungszeichen fehlt das schließende."));
        return false;
    }
    append(Expression::Op::Text, addText(m_text.mid(m_pos, end - m_pos)), quote);
    m_pos = end + 1;
    return true;
}

} // namespace Formula
