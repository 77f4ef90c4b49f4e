#include "logic/formula/FormulaSheet.h"

#include "logic/common/QuarvelError.h"

namespace Formula {

FormulaSheet::FormulaSheet(std::vector<SheetEntry> entries)
    : m_entries(std::move(entries))
{
    if (m_entries.size() > size_t(kMaxSheetEntries))
        throw QuarvelError(QStringLiteral("Das Blatt hat %1 Zeilen; höchstens %2 sind möglich.")
                               .arg(m_entries.size())
                               .arg(kMaxSheetEntries));
    const size_t count = m_entries.size();
    m_results.resize(count);
    m_expressions.resize(count);
    m_states.assign(count, State::Open);
    for (size_t i = 0; i < count; ++i) {
        const SheetEntry &entry = m_entries[i];
        const QString name = entry.name.trimmed();
        Result &result = m_results[i];
        if (name.isEmpty() && entry.formula.trimmed().isEmpty()) {
            m_states[i] = State::Done;
        } else if (!isValidName(name)) {
            result.error = name.isEmpty()
                ? QStringLiteral("Die Zeile hat keinen Namen.")
                : QStringLiteral("„%1“ ist kein Name: ein Buchstabe oder „_“ zuerst, dann "
                                 "Buchstaben, Ziffern und „_“.")
                      .arg(name);
            m_states[i] = State::Done;
        } else if (const int first = indexOf(name); first != int(i)) {
            result.error =
                QStringLiteral("„%1“ ist schon in Zeile %2 definiert.").arg(name).arg(first + 1);
            m_states[i] = State::Done;
        } else {
            try {
                m_expressions[i] = SheetExpression::parse(entry.formula);
            } catch (const QuarvelError &error) {
                result.error = error.message();
                m_states[i] = State::Done;
            }
        }
    }
    for (size_t i = 0; i < count; ++i)
        evaluateEntry(int(i));
}

bool FormulaSheet::isValidName(const QString &name)
{
    if (name.isEmpty() || !(name.at(0).isLetter() || name.at(0) == u'_'))
        return false;
    return std::all_of(name.begin(), name.end(),
                       [](QChar c) { return c.isLetterOrNumber() || c == u'_'; });
}

int FormulaSheet::indexOf(const QString &name) const
{
    const QString wanted = name.trimmed();
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].name.trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

const SheetNumber *FormulaSheet::value(const QString &name) const
{
    const int index = indexOf(name);
    return index >= 0 && m_results[size_t(index)].ok ? &m_results[size_t(index)].value : nullptr;
}

void FormulaSheet::evaluateEntry(int index)
{
    const size_t i = size_t(index);
    if (m_states[i] == State::Done)
        return;
    if (m_states[i] == State::Running) {
        markCycle(index);
        throw QuarvelError(m_results[i].error);
    }
    m_states[i] = State::Running;
    m_running.push_back(index);
    try {
        m_results[i].value =
            m_expressions[i]->evaluate([this](const QString &name) { return lookup(name); });
        m_results[i].ok = true;
    } catch (const QuarvelError &error) {
        // An entry of a cycle already holds the message that names the cycle.
        if (m_states[i] != State::Done)
            m_results[i].error = error.message();
    }
    m_running.pop_back();
    m_states[i] = State::Done;
}

void FormulaSheet::markCycle(int index)
{
    const auto from = std::find(m_running.begin(), m_running.end(), index);
    QStringList names;
    for (auto it = from; it != m_running.end(); ++it)
        names.append(m_entries[size_t(*it)].name.trimmed());
    names.append(m_entries[size_t(index)].name.trimmed());
    const QString message =
        QStringLiteral("Zirkelbezug: %1").arg(names.join(QStringLiteral(" → ")));
    for (auto it = from; it != m_running.end(); ++it) {
        m_results[size_t(*it)].error = message;
        m_states[size_t(*it)] = State::Done;
    }
}

const SheetNumber *FormulaSheet::lookup(const QString &name)
{
    const int index = indexOf(name);
    if (index < 0)
        return nullptr;
    evaluateEntry(index);
    const Result &result = m_results[size_t(index)];
    if (!result.ok)
        throw QuarvelError(QStringLiteral("„%1“ hat keinen Wert.").arg(name));
    return &result.value;
}

SheetNumber FormulaSheet::evaluate(const QString &expression) const
{
    return SheetExpression::parse(expression).evaluate([this](const QString &name) {
        const SheetNumber *found = value(name);
        // A name of the sheet without a value must not fall back to a constant of that name.
        if (!found && defines(name))
            throw QuarvelError(QStringLiteral("„%1“ hat keinen Wert (%2).")
                                   .arg(name, m_results[size_t(indexOf(name))].error));
        return found;
    });
}

} // namespace Formula
