#include "logic/formula/SheetCoordinate.h"

#include "logic/common/QuarvelError.h"
#include "logic/formula/SheetFunctions.h"

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

bool standsAlone(const QString &text, qsizetype i)
{
    return (i == 0 || isBlank(text.at(i - 1))) && (i + 1 == text.size() || isBlank(text.at(i + 1)));
}

// The index of the bracket that closes the one at `open` ("(" or "["), or -1; quoted texts may
// hold brackets of their own.
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
        } else if (c == u'(' || c == u'[') {
            ++depth;
        } else if ((c == u')' || c == u']') && --depth == 0) {
            return i;
        }
    }
    return -1;
}

// The digits of a value that stands in a coordinate: a whole number of at least 0.
QString digitsOf(const SheetNumber &value, const QString &what)
{
    if (!value.isInteger() || value.sign() < 0)
        throw QuarvelError(QStringLiteral("%1 ist %2: In einer Koordinate steht nur eine ganze "
                                          "Zahl ab 0 (runden, abrunden, betrag helfen).")
                               .arg(what, value.toText(u',')));
    return QString::fromStdString(value.rational().get_num().get_str());
}

class Renderer
{
public:
    Renderer(const FormulaSheet &sheet, SheetCoordinate &out)
        : m_sheet(sheet)
        , m_out(out)
    {
    }

    void letter(QChar c)
    {
        const QString name(c);
        if (const SheetNumber *value = m_sheet.value(name)) {
            append(digitsOf(*value, name));
        } else if (m_sheet.defines(name)) {
            throw QuarvelError(QStringLiteral("%1 hat keinen Wert.").arg(name));
        } else {
            unknown(name);
            m_out.reduced += c.toUpper();
            m_complete = false;
        }
    }

    void bracket(const QString &inner, qsizetype position)
    {
        const SheetExpression expression = SheetExpression::parse(inner, position);
        bool known = true;
        for (const QString &name : expression.names()) {
            const bool single = name.size() == 1 && isAsciiLetter(name.at(0));
            if (!m_sheet.defines(name) && (single || !sheetConstant(name))) {
                unknown(name);
                known = false;
            } else if (single && m_sheet.value(name) && m_sheet.value(name)->isInteger()) {
                m_out.letterValues.insert(name.at(0).toUpper(), m_sheet.value(name)->roundedText());
            }
        }
        if (!known) {
            m_out.reduced += u'(' + inner + u')';
            m_complete = false;
            return;
        }
        const SheetNumber value = expression.evaluate([this](const QString &name) {
            const SheetNumber *found = m_sheet.value(name);
            if (!found && m_sheet.defines(name))
                throw QuarvelError(QStringLiteral("„%1“ hat keinen Wert.").arg(name));
            return found;
        });
        append(digitsOf(value, u'(' + inner + u')'));
    }

    void literal(QChar c)
    {
        m_out.reduced += c;
        m_text += c;
    }

    bool complete() const { return m_complete; }
    const QString &text() const { return m_text; }

private:
    void append(const QString &digits)
    {
        m_out.reduced += digits;
        m_text += digits;
    }

    void unknown(const QString &name)
    {
        if (!m_out.unknown.contains(name, Qt::CaseInsensitive))
            m_out.unknown.append(name.size() == 1 ? name.toUpper() : name);
    }

    const FormulaSheet &m_sheet;
    SheetCoordinate &m_out;
    QString m_text;
    bool m_complete = true;
};

} // namespace

SheetCoordinate renderSheetCoordinate(const QString &formula, const FormulaSheet &sheet)
{
    SheetCoordinate out;
    Renderer renderer(sheet, out);
    try {
        if (formula.trimmed().isEmpty())
            throw QuarvelError(QStringLiteral("Die Koordinate ist leer."));
        for (qsizetype i = 0; i < formula.size(); ++i) {
            const QChar c = formula.at(i);
            if (c == u'(' || c == u'[') {
                const qsizetype close = closingBracket(formula, i);
                if (close < 0)
                    throw QuarvelError(QStringLiteral("Zeichen %1: Zu dieser Klammer fehlt die "
                                                      "schließende.")
                                           .arg(i + 1));
                renderer.bracket(formula.mid(i + 1, close - i - 1), i + 1);
                i = close;
            } else if (c == u')' || c == u']') {
                throw QuarvelError(
                    QStringLiteral("Zeichen %1: Zu dieser Klammer fehlt die öffnende.").arg(i + 1));
            } else if (isAsciiLetter(c) && !standsAlone(formula, i)) {
                renderer.letter(c);
            } else {
                renderer.literal(c);
            }
        }
    } catch (const QuarvelError &error) {
        out.error = error.message();
        return out;
    }
    if (renderer.complete())
        out.text = renderer.text();
    return out;
}

} // namespace Formula
