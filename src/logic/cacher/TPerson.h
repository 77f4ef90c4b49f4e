#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>

// One entry of the cacher address book exactly as the record file holds it: 886 bytes, eleven
// length-prefixed Windows-1252 strings one after the other. The bytes after a field's length
// carry no meaning; they keep whatever an earlier, longer value left there, because the file
// format has always been written that way and files from older books still carry them.
class TPerson
{
public:
    // The eleven fields in the order of the record (and of a CSV line).
    enum Field {
        Cachername,
        Vorname,
        Nachname,
        Strasse,
        PLZ,
        Wohnort,
        eMail,
        TelefonNr,
        HandyNr,
        Profil,
        Homepage,
    };
    static constexpr int FieldCount = 11;
    static constexpr int Size = 886;

    // Where a field lies in the record: its length byte at `offset`, then up to `maxLength`
    // characters.
    struct Layout
    {
        int offset;
        int maxLength;
    };
    static constexpr Layout layout(Field field) { return kLayout[field]; }

    // Field load: the stored characters back in Unicode.
    QString field(Field field) const;
    // Field store: converted to Windows-1252 ("?" for characters it lacks), cut to the field's
    // maximum; only the length byte and the kept characters are written.
    void setField(Field field, QStringView text);

    // The stored characters of a field as they are in the record.
    QByteArray fieldBytes(Field field) const { return fieldView(field).toByteArray(); }
    QByteArrayView fieldView(Field field) const;
    // The same as setField for text already in Windows-1252.
    void setFieldBytes(Field field, QByteArrayView bytes);

    const char *data() const { return m_bytes.data(); }
    char *data() { return m_bytes.data(); }

    friend bool operator==(const TPerson &, const TPerson &) = default;

private:
    static constexpr std::array<Layout, FieldCount> kLayout {{
        {0, 50},
        {51, 40},
        {92, 40},
        {133, 40},
        {174, 5},
        {180, 40},
        {221, 100},
        {322, 25},
        {348, 25},
        {374, 255},
        {630, 255},
    }};

    std::array<char, Size> m_bytes {};
};

// The record file and the book hold records back to back, byte for byte.
static_assert(sizeof(TPerson) == TPerson::Size);
// Fields that together fill the record without gaps or overlaps.
static_assert(TPerson::layout(TPerson::Homepage).offset + 1 +
                  TPerson::layout(TPerson::Homepage).maxLength ==
              TPerson::Size);
