#pragma once

#include "logic/cacher/TPerson.h"

#include <QString>

#include <array>
#include <memory>
#include <vector>

// The Unicode text of the fields of one record that Windows-1252 cannot hold (Łukasz, Ğ, an
// emoji): the record keeps "?" in their place, as the record file must, and the book keeps the
// whole text beside it for as long as the program runs, so the window shows it and the CSV
// export writes it. A null text means the record's own text is whole.
using WideFields = std::array<QString, TPerson::FieldCount>;
// Shared between copies of a book; a change makes a new one. Null for a record without such text.
using WideRecord = std::shared_ptr<const WideFields>;
// The first `length` code units of a field's text, as the record keeps them; a pair cut in two
// leaves U+FFFD, which the record's "?" stands for as well.
QString wideCut(QStringView text, qsizetype length);

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

    // Replaces every record, with the Unicode text of record i in wide[i] where there is one
    // (`wide` may be shorter than the records); an empty list gives one empty record. The first
    // record becomes current. Throws QuarvelError when there are more records than the book can
    // hold.
    void replacePersonen(std::vector<TPerson> personen, std::vector<WideRecord> wide = {});

    // A field's text: the Unicode text where the record keeps only its Windows-1252 form, else
    // the record's. A Unicode text no longer matching the record (changed by the record alone)
    // is ignored.
    QString text(int index, TPerson::Field field) const;
    // Stores a field in the record, cut to its maximum, and keeps the Unicode text beside it
    // when the code page lacks one of its characters.
    void setText(int index, TPerson::Field field, QStringView text);
    // Whether any field holds text the record file cannot keep.
    bool holdsWideText() const;
    // How many fields hold text the record file cannot keep, and the first of them.
    struct WideSummary
    {
        qsizetype fields = 0;
        QString first;
    };
    WideSummary wideSummary() const;

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
    const QString *wideText(size_t index, TPerson::Field field) const;

    std::vector<TPerson> m_personen;
    std::vector<WideRecord> m_wide; // one per record
};

// The message for a book that would grow beyond what its file can count.
QString bookFullMessage();
// What the user should know after saving a book with text the record file cannot keep.
QString wideTextNote(const CacherBook::WideSummary &wide);
