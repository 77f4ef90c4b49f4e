// The Enigma's wheel motion, which the published messages only test as a whole: the right wheel
// turns on every key, the middle one at the notch of the right one and again by itself at its own
// notch (the double step), and the wheels VI to VIII have two notches.
#include "logic/ciphers/CipherRegistry.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using Ciphers::ParamValues;

namespace {

const Ciphers::Cipher &enigma()
{
    return *Ciphers::findCipher(QStringLiteral("enigma"));
}

ParamValues machine(const char *modell, const char *walzen, const QString &start)
{
    return {{QStringLiteral("modell"), QString::fromLatin1(modell)},
            {QStringLiteral("umkehrwalze"),
             QString::fromLatin1(modell) == u"M4" ? QStringLiteral("B-dünn") : QStringLiteral("B")},
            {QStringLiteral("walzen"), QString::fromLatin1(walzen)},
            {QStringLiteral("ringe"), QString(start.size(), u'A')},
            {QStringLiteral("start"), start}};
}

} // namespace

// After `presses` keys from `start` the windows show `window`: the rest of a text comes out as
// from a fresh machine set to `window`.
TEST(Enigma, WheelsMoveAsTheMachineDid)
{
    const struct
    {
        const char *modell;
        const char *walzen;
        const char *start;
        int presses;
        const char *window;
    } cases[] = {
        {"I", "I II III", "AAU", 1, "AAV"}, // right wheel up to its notch V: no carry yet
        {"I", "I II III", "AAV", 1, "ABW"}, // right wheel at its notch: the middle one moves
        {"I", "I II III", "ADU", 1, "ADV"},
        {"I", "I II III", "ADU", 2, "AEW"}, // carry into the middle wheel's notch E
        {"I", "I II III", "ADU", 3, "BFX"}, // the double step: middle and left move together
        {"I", "I II III", "ZZZ", 1, "ZZA"}, // Z wraps to A; no notch, no carry
        {"M3", "I II VI", "AAL", 1, "AAM"}, // wheel VI: no carry before M
        {"M3", "I II VI", "AAM", 1, "ABN"}, // ... its first notch M
        {"M3", "I II VI", "AAZ", 1, "ABA"}, // ... its second notch Z
        {"M4", "Beta I II III", "ZADU", 3, "ZBFX"}, // the extra wheel never turns
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.walzen) + " from " + c.start + " after " +
                     std::to_string(c.presses));
        const QString text(40, u'X');
        const QString whole =
            enigma().encode(text, machine(c.modell, c.walzen, QString::fromLatin1(c.start)));
        EXPECT_EQ(whole.mid(c.presses),
                  enigma().encode(text.mid(c.presses),
                                  machine(c.modell, c.walzen, QString::fromLatin1(c.window))));
    }
}

TEST(Enigma, KeepsEveryCharacterThatIsNoLetterWithoutTurning)
{
    const ParamValues params {{QStringLiteral("stecker"), QStringLiteral("AB")}};
    const QString grouped = enigma().encode(QStringLiteral("aaa aa-a\nA"), params);
    EXPECT_EQ(QString(grouped).remove(QRegularExpression(QStringLiteral("[ \\-\\n]"))),
              enigma().encode(QStringLiteral("AAAAAAA"), params));
    EXPECT_EQ(grouped.at(3), u' ');
    EXPECT_EQ(grouped.at(6), u'-');
}
