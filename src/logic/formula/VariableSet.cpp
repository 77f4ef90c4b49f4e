#include "logic/formula/VariableSet.h"

#include "logic/common/Numbers.h"

#include <QRegularExpression>

namespace Formula {

namespace {

QChar letter(int variable)
{
    return QChar(u'A' + variable);
}

// One item of a list: a number, or a range with an optional step.
struct Item
{
    int64_t from = 0;
    int64_t to = 0;
    int64_t step = 1;
    uint64_t count() const
    {
        const __int128 span = to >= from ? __int128(to) - from : __int128(from) - to;
        return uint64_t(span / step) + 1;
    }
};

std::optional<int64_t> toInt64(const QString &text)
{
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    return ok ? std::optional<int64_t>(value) : std::nullopt;
}

// The list form, or nothing when the text is not a list (it may then be an expression).
// `error` is set when the text is a list with a fault the user must mend.
std::optional<std::vector<Item>> readList(const QString &text, QString &error)
{
    static const QRegularExpression itemForm(
        QStringLiteral(R"(^\s*(-?\d+)\s*(?:-\s*(-?\d+)\s*(?:#\s*(\d+)\s*)?)?$)"));
    std::vector<Item> items;
    for (const QString &part : text.split(u',')) {
        const auto match = itemForm.match(part);
        if (!match.hasMatch())
            return std::nullopt;
        Item item;
        const auto from = toInt64(match.captured(1));
        const auto to = match.hasCaptured(2) ? toInt64(match.captured(2)) : from;
        const auto step = match.hasCaptured(3) ? toInt64(match.captured(3)) : 1;
        if (!from || !to || !step) {
            error =
                QStringLiteral("Die Zahl „%1“ ist zu groß (höchstens 64 Bit).").arg(part.trimmed());
            return items;
        }
        if (*step == 0) {
            error = QStringLiteral("Die Schrittweite darf nicht 0 sein.");
            return items;
        }
        item.from = *from;
        item.to = *to;
        item.step = *step;
        if (__int128(item.to) - item.from > __int128(kMaxCombinations) * item.step ||
            __int128(item.from) - item.to > __int128(kMaxCombinations) * item.step) {
            error = QStringLiteral("Der Bereich „%1“ hat zu viele Werte.").arg(part.trimmed());
            return items;
        }
        items.push_back(item);
    }
    return items;
}

} // namespace

VariableSet::VariableSet(const Texts &texts, uint32_t used)
{
    for (int v = 0; v < kVariableCount; ++v)
        readDefinition(v, texts[size_t(v)].trimmed());
    // The letters needed: those of the formula and, repeatedly, those their expressions use.
    m_needed = used;
    for (uint32_t before = 0; before != m_needed;) {
        before = m_needed;
        for (int v = 0; v < kVariableCount; ++v) {
            if ((m_needed >> v & 1) && m_expressions[size_t(v)])
                m_needed |= m_expressions[size_t(v)]->variablesUsed();
        }
    }
    for (int v = 0; v < kVariableCount; ++v) {
        if (!(m_needed >> v & 1))
            continue;
        if (!m_lists[size_t(v)].empty())
            m_free.push_back(v);
        else if (!m_expressions[size_t(v)] && m_errors[size_t(v)].isEmpty())
            m_withoutValue |= 1u << v;
    }
    findCycles();
    m_combinations = 1;
    for (int v : m_free) {
        m_combinations *= m_lists[size_t(v)].size();
        if (m_combinations > kMaxCombinations) {
            m_combinations = 0;
            break;
        }
    }
}

void VariableSet::readDefinition(int variable, const QString &text)
{
    if (text.isEmpty())
        return;
    QString &error = m_errors[size_t(variable)];
    if (const auto items = readList(text, error)) {
        if (!error.isEmpty())
            return;
        uint64_t total = 0;
        for (const Item &item : *items)
            total += item.count();
        if (total > kMaxCombinations) {
            error = QStringLiteral("Zu viele Werte (höchstens %1).")
                        .arg(Numbers::formatGrouped(kMaxCombinations));
            return;
        }
        auto &list = m_lists[size_t(variable)];
        list.reserve(total);
        for (const Item &item : *items) {
            const int64_t direction = item.to >= item.from ? item.step : -item.step;
            const uint64_t count = item.count();
            for (uint64_t i = 0; i < count; ++i)
                list.push_back(int64_t(item.from + __int128(direction) * int64_t(i)));
        }
        return;
    }
    SyntaxError syntax;
    m_expressions[size_t(variable)] = Expression::parse(text, syntax);
    if (!m_expressions[size_t(variable)])
        error = QStringLiteral("Zeichen %1: %2").arg(syntax.position + 1).arg(syntax.message);
    else if (m_expressions[size_t(variable)]->variablesUsed() >> variable & 1)
        error = QStringLiteral("%1 darf sich nicht selbst verwenden.").arg(letter(variable));
}

// Orders the expressions so each comes after the letters it uses; what cannot be ordered lies
// on a cycle and is refused.
void VariableSet::findCycles()
{
    uint32_t known = 0;
    for (int v = 0; v < kVariableCount; ++v) {
        if (!m_expressions[size_t(v)])
            known |= 1u << v;
    }
    uint32_t pending = m_needed & ~known;
    while (pending) {
        bool progress = false;
        for (int v = 0; v < kVariableCount; ++v) {
            if ((pending >> v & 1) && (m_expressions[size_t(v)]->variablesUsed() & ~known) == 0) {
                m_dependentOrder.push_back(v);
                known |= 1u << v;
                pending &= ~(1u << v);
                progress = true;
            }
        }
        if (progress)
            continue;
        for (int v = 0; v < kVariableCount; ++v) {
            if ((pending >> v & 1) && m_errors[size_t(v)].isEmpty())
                m_errors[size_t(v)] = QStringLiteral("%1 hängt über einen Kreis von sich selbst "
                                                     "ab.")
                                          .arg(letter(v));
        }
        return;
    }
}

QString VariableSet::firstError() const
{
    for (int v = 0; v < kVariableCount; ++v) {
        if ((m_needed >> v & 1) && !m_errors[size_t(v)].isEmpty())
            return QStringLiteral("%1: %2").arg(letter(v)).arg(m_errors[size_t(v)]);
    }
    if (m_combinations == 0)
        return QStringLiteral("Zu viele Kombinationen (höchstens %1).")
            .arg(Numbers::formatGrouped(kMaxCombinations));
    return {};
}

uint64_t VariableSet::valueCount(int variable) const
{
    const auto &list = m_lists[size_t(variable)];
    return list.empty() ? 1 : list.size();
}

void VariableSet::valuesAt(uint64_t index, Values &values) const
{
    Odometer odometer;
    start(index, odometer, values);
}

void VariableSet::start(uint64_t index, Odometer &odometer, Values &values) const
{
    values.fill(std::nullopt);
    for (auto it = m_free.rbegin(); it != m_free.rend(); ++it) {
        const auto &list = m_lists[size_t(*it)];
        odometer.digit[size_t(*it)] = index % list.size();
        index /= list.size();
        values[size_t(*it)] = list[odometer.digit[size_t(*it)]];
    }
    computeDependents(values);
}

void VariableSet::next(Odometer &odometer, Values &values) const
{
    for (auto it = m_free.rbegin(); it != m_free.rend(); ++it) {
        const auto &list = m_lists[size_t(*it)];
        uint64_t &digit = odometer.digit[size_t(*it)];
        if (++digit < list.size()) {
            values[size_t(*it)] = list[digit];
            break;
        }
        digit = 0;
        values[size_t(*it)] = list[0];
    }
    computeDependents(values);
}

void VariableSet::computeDependents(Values &values) const
{
    for (int v : m_dependentOrder)
        values[size_t(v)] = m_expressions[size_t(v)]->evaluate(values);
}

QString VariableSet::describe(const Values &values) const
{
    QString text;
    for (int v = 0; v < kVariableCount; ++v) {
        if (!(m_needed >> v & 1))
            continue;
        if (!text.isEmpty())
            text += u' ';
        text += letter(v);
        text += u'=';
        text += values[size_t(v)] ? QString::number(*values[size_t(v)]) : QStringLiteral("?");
    }
    return text;
}

} // namespace Formula
