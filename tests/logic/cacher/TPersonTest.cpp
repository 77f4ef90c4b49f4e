#include "logic/cacher/TPerson.h"
#include "logic/cacher/CacherBook.h"
#include "logic/common/QuarvelError.h"

#include <gtest/gtest.h>

namespace {

// The name a test gives a record, so that order and content can be read back.
TPerson named(const QString &name)
{
    TPerson person;
    person.setField(TPerson::Cachername, name);
    return person;
}

std::vector<QString> names(const CacherBook &book)
{
    std::vector<QString> result;
    for (const TPerson &person : book.Personen())
        result.push_back(person.field(TPerson::Cachername));
    return result;
}

} // namespace

TEST(TPerson, FieldsLieAtTheirOffsetsWithALengthByte)
{
    const struct
    {
        TPerson::Field field;
        int offset;
        int maxLength;
    } cases[] = {
        {TPerson::Cachername, 0, 50}, {TPerson::Vorname, 51, 40},    {TPerson::Nachname, 92, 40},
        {TPerson::Strasse, 133, 40},  {TPerson::PLZ, 174, 5},        {TPerson::Wohnort, 180, 40},
        {TPerson::eMail, 221, 100},   {TPerson::TelefonNr, 322, 25}, {TPerson::HandyNr, 348, 25},
        {TPerson::Profil, 374, 255},  {TPerson::Homepage, 630, 255},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.offset);
        TPerson person;
        person.setField(c.field, QString(300, u'x'));
        EXPECT_EQ(uchar(person.data()[c.offset]), c.maxLength);
        EXPECT_EQ(person.data()[c.offset + c.maxLength], 'x');
        EXPECT_EQ(person.field(c.field), QString(c.maxLength, u'x'));
        // Nothing written beyond the field: the next byte is the next field's (still zero).
        if (c.offset + 1 + c.maxLength < TPerson::Size) {
            EXPECT_EQ(person.data()[c.offset + 1 + c.maxLength], '\0');
        }
    }
}

TEST(TPerson, StoresWindows1252AndCutsToTheMaximum)
{
    const struct
    {
        TPerson::Field field;
        QString stored;
        QString readBack;
    } cases[] = {
        {TPerson::Cachername, QString(60, u'n'), QString(50, u'n')},
        {TPerson::PLZ, QStringLiteral("123456"), QStringLiteral("12345")},
        {TPerson::Wohnort, QStringLiteral("Köln-Mülheim €"), QStringLiteral("Köln-Mülheim €")},
        {TPerson::Vorname, QStringLiteral("Ωmega"), QStringLiteral("?mega")},
        {TPerson::Profil, QString(255, u'p'), QString(255, u'p')},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored.toStdString());
        TPerson person;
        person.setField(c.field, c.stored);
        EXPECT_EQ(person.field(c.field), c.readBack);
    }
    TPerson umlaut;
    umlaut.setField(TPerson::Strasse, QStringLiteral("Öl"));
    EXPECT_EQ(QByteArray(umlaut.data() + 133, 3), QByteArray("\x02\xD6l"));
}

TEST(TPerson, ShorterValueLeavesTheOldBytesBehindItsLength)
{
    TPerson person;
    person.setField(TPerson::Wohnort, QStringLiteral("Hannover"));
    person.setField(TPerson::Wohnort, QStringLiteral("Ulm"));
    EXPECT_EQ(QByteArray(person.data() + 180, 9), QByteArray("\x03Ulmnover"));
    EXPECT_EQ(person.field(TPerson::Wohnort), QStringLiteral("Ulm"));
}

TEST(TPerson, DamagedLengthByteStaysInsideItsField)
{
    TPerson person;
    person.setField(TPerson::Vorname, QStringLiteral("Anna"));
    person.data()[0] = char(200); // the name field claims more than its 50 characters
    EXPECT_EQ(person.field(TPerson::Cachername).size(), 50);
    EXPECT_FALSE(person.field(TPerson::Cachername).contains(u'A'));
}

TEST(CacherBook, StartsWithOneEmptyRecord)
{
    const CacherBook book;
    EXPECT_EQ(book.PersonenAnzahl(), 1);
    EXPECT_EQ(book.current(), TPerson());
    EXPECT_FALSE(book.Geaendert);
    EXPECT_FALSE(book.NeuerDatensatz);
    EXPECT_TRUE(book.LadenAusstehend);
}

TEST(CacherBook, InsertGoesAfterTheCurrentRecord)
{
    const struct
    {
        int current;
        int expectedIndex;
        std::vector<QString> expected;
    } cases[] = {
        {4, 5, {"A", "B", "C", "D", "E", ""}},
        {2, 3, {"A", "B", "C", "", "D", "E"}},
        {0, 1, {"A", "", "B", "C", "D", "E"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.current);
        CacherBook book;
        book.replacePersonen({named("A"), named("B"), named("C"), named("D"), named("E")});
        book.AktuellerIndex = c.current;
        book.InsertAfterCurrent();
        EXPECT_EQ(book.AktuellerIndex, c.expectedIndex);
        EXPECT_EQ(names(book), c.expected);
        EXPECT_TRUE(book.NeuerDatensatz);
        EXPECT_FALSE(book.Geaendert);
    }
}

TEST(CacherBook, DeleteShowsThePreviousRecordOrTheFollowingOneAtTheStart)
{
    const struct
    {
        int current;
        int expectedIndex;
        std::vector<QString> expected;
    } cases[] = {
        {0, 0, {"B", "C", "D", "E"}},
        {3, 2, {"A", "B", "C", "E"}},
        {4, 3, {"A", "B", "C", "D"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.current);
        CacherBook book;
        book.replacePersonen({named("A"), named("B"), named("C"), named("D"), named("E")});
        book.AktuellerIndex = c.current;
        ASSERT_TRUE(book.DeleteCurrent());
        EXPECT_EQ(book.AktuellerIndex, c.expectedIndex);
        EXPECT_EQ(names(book), c.expected);
    }
    CacherBook single;
    EXPECT_FALSE(single.DeleteCurrent());
    EXPECT_EQ(single.PersonenAnzahl(), 1);
}

TEST(CacherBook, RefusesToGrowBeyondWhatTheFileCanCount)
{
    CacherBook book;
    book.replacePersonen(std::vector<TPerson>(CacherBook::MaxPersonen));
    book.AktuellerIndex = 7;
    EXPECT_THROW(book.InsertAfterCurrent(), QuarvelError);
    EXPECT_EQ(book.PersonenAnzahl(), CacherBook::MaxPersonen);
    EXPECT_EQ(book.AktuellerIndex, 7);
    EXPECT_FALSE(book.NeuerDatensatz);
    EXPECT_THROW(book.replacePersonen(std::vector<TPerson>(CacherBook::MaxPersonen + 1)),
                 QuarvelError);
}

TEST(CacherBook, EmptyReplacementKeepsOneRecord)
{
    CacherBook book;
    book.replacePersonen({named("A"), named("B")});
    book.AktuellerIndex = 1;
    book.replacePersonen({});
    EXPECT_EQ(book.PersonenAnzahl(), 1);
    EXPECT_EQ(book.AktuellerIndex, 0);
    EXPECT_EQ(book.current(), TPerson());
}
