#include "logic/cacher/CacherBook.h"

#include "logic/common/CodePage.h"
#include "logic/common/QuarvelError.h"

#include <algorithm>
#include <utility>

QString bookFullMessage()
{
    return QStringLiteral("Das Adressbuch kann höchstens %1 Datensätze aufnehmen!")
        .arg(CacherBook::MaxPersonen);
}

QString wideTextNote(const CacherBook::WideSummary &wide)
{
    const QString where = wide.fields == 1
        ? QStringLiteral("1 Feld (etwa „%1“)").arg(wide.first)
        : QStringLiteral("%1 Feldern (etwa „%2“)").arg(wide.fields).arg(wide.first);
    return QStringLiteral("Die Datei kann nur Zeichen des westeuropäischen Zeichensatzes "
                          "(Windows-1252) speichern. In %1 steht dort „?“ für die übrigen "
                          "Zeichen.\n\nBis zum Beenden hält das Adressbuch sie vollständig; "
                          "„Export“ schreibt sie als UTF-8 in eine CSV-Datei.")
        .arg(where);
}

QString wideCut(QStringView text, qsizetype length)
{
    QString kept = text.first(length).toString();
    if (length > 0 && length < text.size() && kept.back().isHighSurrogate())
        kept.back() = QChar::ReplacementCharacter;
    return kept;
}

CacherBook::CacherBook()
    : m_personen(1)
    , m_wide(1)
{
}

void CacherBook::replacePersonen(std::vector<TPerson> personen, std::vector<WideRecord> wide)
{
    if (personen.size() > size_t(MaxPersonen))
        throw QuarvelError(bookFullMessage());
    if (personen.empty())
        personen.emplace_back();
    wide.resize(personen.size());
    m_personen = std::move(personen);
    m_wide = std::move(wide);
    AktuellerIndex = 0;
}

const QString *CacherBook::wideText(size_t index, TPerson::Field field) const
{
    const WideRecord &wide = m_wide.at(index);
    if (!wide || (*wide)[field].isNull())
        return nullptr;
    const QString &text = (*wide)[field];
    // Only while the record still holds exactly this text in Windows-1252.
    return CodePage::sameInAnsi(text, m_personen.at(index).fieldView(field)) ? &text : nullptr;
}

QString CacherBook::text(int index, TPerson::Field field) const
{
    if (const QString *wide = wideText(size_t(index), field))
        return *wide;
    return person(index).field(field);
}

void CacherBook::setText(int index, TPerson::Field field, QStringView text)
{
    TPerson &record = m_personen.at(size_t(index));
    record.setField(field, text);
    const QString kept = wideCut(text, record.fieldView(field).size());
    const bool whole = CodePage::fromAnsi(record.fieldView(field)) == kept;
    WideRecord &wide = m_wide.at(size_t(index));
    if (whole && (!wide || (*wide)[field].isNull()))
        return;
    auto changed = wide ? std::make_shared<WideFields>(*wide) : std::make_shared<WideFields>();
    (*changed)[field] = whole ? QString() : kept;
    const bool any =
        std::any_of(changed->begin(), changed->end(), [](const QString &t) { return !t.isNull(); });
    wide = any ? std::move(changed) : nullptr;
}

bool CacherBook::holdsWideText() const
{
    for (size_t i = 0; i < m_wide.size(); ++i) {
        for (int f = 0; m_wide[i] && f < TPerson::FieldCount; ++f) {
            if (wideText(i, TPerson::Field(f)))
                return true;
        }
    }
    return false;
}

CacherBook::WideSummary CacherBook::wideSummary() const
{
    WideSummary summary;
    for (size_t i = 0; i < m_wide.size(); ++i) {
        if (!m_wide[i])
            continue;
        for (int f = 0; f < TPerson::FieldCount; ++f) {
            const QString *wide = wideText(i, TPerson::Field(f));
            if (!wide)
                continue;
            if (summary.fields++ == 0)
                summary.first = *wide;
        }
    }
    return summary;
}

void CacherBook::InsertAfterCurrent()
{
    if (m_personen.size() >= size_t(MaxPersonen))
        throw QuarvelError(bookFullMessage());
    m_personen.insert(m_personen.begin() + AktuellerIndex + 1, TPerson());
    m_wide.insert(m_wide.begin() + AktuellerIndex + 1, nullptr);
    ++AktuellerIndex;
    NeuerDatensatz = true;
}

bool CacherBook::DeleteCurrent()
{
    if (m_personen.size() < 2)
        return false;
    m_personen.erase(m_personen.begin() + AktuellerIndex);
    m_wide.erase(m_wide.begin() + AktuellerIndex);
    if (AktuellerIndex > 0)
        --AktuellerIndex;
    return true;
}
