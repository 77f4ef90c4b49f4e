#include "logic/cacher/CacherBook.h"

#include "logic/common/QuarvelError.h"

#include <utility>

QString bookFullMessage()
{
    return QStringLiteral("Das Adressbuch kann höchstens %1 Datensätze aufnehmen!")
        .arg(CacherBook::MaxPersonen);
}

CacherBook::CacherBook()
    : m_personen(1)
{
}

void CacherBook::replacePersonen(std::vector<TPerson> personen)
{
    if (personen.size() > size_t(MaxPersonen))
        throw QuarvelError(bookFullMessage());
    if (personen.empty())
        personen.emplace_back();
    m_personen = std::move(personen);
    AktuellerIndex = 0;
}

void CacherBook::InsertAfterCurrent()
{
    if (m_personen.size() >= size_t(MaxPersonen))
        throw QuarvelError(bookFullMessage());
    m_personen.insert(m_personen.begin() + AktuellerIndex + 1, TPerson());
    ++AktuellerIndex;
    NeuerDatensatz = true;
}

bool CacherBook::DeleteCurrent()
{
    if (m_personen.size() < 2)
        return false;
    m_personen.erase(m_personen.begin() + AktuellerIndex);
    if (AktuellerIndex > 0)
        --AktuellerIndex;
    return true;
}
