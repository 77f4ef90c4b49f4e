#include "logic/formula/CoordinateFormula.h"

#include <charconv>
#include <cstring>

namespace Formula {

namespace {

bool isBlank(QChar c)
{
    return c.unicode() <= u' ';
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// The index of the bracket that closes the one at `open`, or -1. Texts in quotation marks
// (the argument of BWW) may hold brackets of their own.
qsizetype closingBracket(const QString &text, qsizetype open)
{
    int depth = 0;
    for (qsizetype i = open; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'"') {
            const qsizetype end = text.indexOf(u'"', i + 1);
            if (end < 0)
                return -1;
            i = end;
        } else if (c == u'(') {
            ++depth;
        } else if (c == u')' && --depth == 0) {
            return i;
        }
    }
    return -1;
}

bool standsAlone(const QString &text, qsizetype i)
{
    return (i == 0 || isBlank(text.at(i - 1))) && (i + 1 == text.size() || isBlank(text.at(i + 1)));
}

} // namespace

std::optional<CoordinateFormula> CoordinateFormula::parse(const QString &text, SyntaxError &error)
{
    CoordinateFormula formula;
    if (text.trimmed().isEmpty()) {
        error = {0, QStringLiteral("Die Formel ist leer.")};
        return std::nullopt;
    }
    QString literal;
    const auto flushLiteral = [&] {
        if (!literal.isEmpty()) {
            formula.m_segments.push_back({literal.toStdString(), -1, std::nullopt});
            literal.clear();
        }
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'(') {
            const qsizetype close = closingBracket(text, i);
            if (close < 0) {
                error = {i, QStringLiteral("Zu dieser Klammer „(“ fehlt die schließende.")};
                return std::nullopt;
            }
            auto expression = Expression::parse(text.mid(i + 1, close - i - 1), error, i + 1);
            if (!expression)
                return std::nullopt;
            flushLiteral();
            formula.m_variables |= expression->variablesUsed();
            formula.m_segments.push_back({{}, -1, std::move(expression)});
            i = close;
        } else if (c == u')') {
            error = {i, QStringLiteral("Zu dieser Klammer „)“ fehlt die öffnende.")};
            return std::nullopt;
        } else if (isAsciiLetter(c) && !standsAlone(text, i)) {
            flushLiteral();
            const int index = c.toUpper().unicode() - u'A';
            formula.m_variables |= 1u << index;
            formula.m_segments.push_back({{}, index, std::nullopt});
        } else {
            literal += c;
        }
    }
    flushLiteral();
    for (const Segment &segment : formula.m_segments)
        formula.m_maxRenderLength +=
            segment.variable >= 0 || segment.expression ? 19 : segment.literal.size();
    return formula;
}

bool CoordinateFormula::render(const Values &values, std::string &out) const
{
    const size_t start = out.size();
    out.resize(start + m_maxRenderLength);
    char *end = render(values, out.data() + start);
    out.resize(end ? size_t(end - out.data()) : start);
    return end != nullptr;
}

char *CoordinateFormula::render(const Values &values, char *out) const
{
    for (const Segment &segment : m_segments) {
        std::optional<int64_t> value;
        if (segment.variable >= 0)
            value = values[size_t(segment.variable)];
        else if (segment.expression)
            value = segment.expression->evaluate(values);
        else {
            std::memcpy(out, segment.literal.data(), segment.literal.size());
            out += segment.literal.size();
            continue;
        }
        if (!value || *value < 0)
            return nullptr;
        if (*value < 10) {
            *out++ = char('0' + *value); // the common single digit
            continue;
        }
        out = std::to_chars(out, out + 19, *value).ptr;
    }
    return out;
}

QString CoordinateFormula::renderText(const Values &values) const
{
    std::string text;
    return render(values, text) ? QString::fromStdString(text) : QString();
}

} // namespace Formula
