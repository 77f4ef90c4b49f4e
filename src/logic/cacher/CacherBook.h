#pragma once

#include "logic/cacher/TPerson.h"

#include <QString>

#include <vector>

// The cacher address book held in memory while the program runs. It always holds at least one
// record and never more than the 65535 the record file's 16-bit count can name.
class CacherBook
{
public:
    static constexpr int MaxPersonen = 65535;

    CacherBook();

    const std::vector<TPerson> &Personen() const { return m_personen; }
    quint16 PersonenAnzahl() const { return quint16(m_personen.size()); }
    const TPerson &person(int index) const { return m_personen.at(size_t(index)); }
    TPerson &current() { return m_personen.at(size_t(AktuellerIndex)); }
    const TPerson &current() const { return m_personen.at(size_t(AktuellerIndex)); }

    // Replaces every record; an empty list gives one empty record. The first record becomes
    // current. Throws QuarvelError when there are more records than the book can hold.
    void replacePersonen(std::vector<TPerson> personen);

    // Inserts an empty record after the current one, which becomes current, and marks it new.
    // Throws QuarvelError when the book is full.
    void InsertAfterCurrent();
    // Removes the current record; the one before it becomes current (at index 0: the one that
    // followed). Refused (false) while the book holds only one record.
    bool DeleteCurrent();

    int AktuellerIndex = 0;
    bool Geaendert = false;
    bool NeuerDatensatz = false;
    bool LadenAusstehend = true;
    QString AktuelleDatei;

private:
    std::vector<TPerson> m_personen;
};

// The message for a book that would grow beyond what its file can count.
QString bookFullMessage();
