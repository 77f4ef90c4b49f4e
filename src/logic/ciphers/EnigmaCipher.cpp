// The rotor machines of the German army, air force and navy: Enigma I, M3 and the four-rotor M4.
// The machine is its own inverse, so encoding and decoding are the same walk through it.
#include "logic/ciphers/CipherFamilies.h"
#include "logic/ciphers/CipherText.h"
#include "logic/common/QuarvelError.h"

#include <QRegularExpression>

#include <array>

namespace Ciphers {
namespace {

struct Wheel
{
    const char16_t *name;
    const char *wiring;
    const char *notches; // the window letters at which the wheel to its left moves on
};

// The eight turning wheels, then the two thin extra wheels of the M4 that never turn.
constexpr Wheel kWheels[] = {
    {u"I", "EKMFLGDQVZNTOWYHXUSPAIBRCJ", "Q"},    {u"II", "AJDKSIRUXBLHWTMCQGZNPYFVOE", "E"},
    {u"III", "BDFHJLCPRTXVZNYEIWGAKMUSQO", "V"},  {u"IV", "ESOVPZJAYQUIRHXLNFTGKDCMWB", "J"},
    {u"V", "VZBRGITYUPSDNHLXAWMJQOFECK", "Z"},    {u"VI", "JPGVOUMFYQBENHZRDKASXLICTW", "ZM"},
    {u"VII", "NZJHGRCXMYSWBOUFAIVLPEKQDT", "ZM"}, {u"VIII", "FKQHTLXOCBJSPDZRAMEWNIUYGV", "ZM"},
    {u"BETA", "LEYJVCNIXWPBQMDRTAKZGFUHOS", ""},  {u"GAMMA", "FSOKANUERHMBTIYCWLQPZXVGJD", ""},
};
constexpr int kFirstExtraWheel = 8;

struct Reflector
{
    const char16_t *name;
    const char *wiring;
    bool thin; // the M4's reflectors, which leave room for the extra wheel
};

constexpr Reflector kReflectors[] = {
    {u"B", "YRUHQSLDPXNGOKMIEBFZCWVJAT", false},
    {u"C", "FVPJIAOYEDRZXWGCTKUQSBNMHL", false},
    {u"B-dünn", "ENKQAUYWJICOPBLMDXZVFTHRGS", true},
    {u"C-dünn", "RDOBJNTKVEHMLFCWZAXGYIPSUQ", true},
};

// 0..77 reduced mod 26 by a look-up: a megabyte of text makes some 20 million wheel passes.
constexpr std::array<int, 78> kMod26 = [] {
    std::array<int, 78> table {};
    for (int i = 0; i < 78; ++i)
        table[std::size_t(i)] = i % 26;
    return table;
}();

// One wheel in the machine: its wiring both ways, turned by position minus ring setting.
struct Rotor
{
    std::array<int, 26> forward {};
    std::array<int, 26> backward {};
    std::array<bool, 26> notch {};
    int position = 0;
    int ring = 0;

    int shift() const { return kMod26[std::size_t(position - ring + 26)]; }
    int in(int c, int shift) const
    {
        return kMod26[std::size_t(forward[std::size_t(kMod26[std::size_t(c + shift)])] - shift +
                                  26)];
    }
    int out(int c, int shift) const
    {
        return kMod26[std::size_t(backward[std::size_t(kMod26[std::size_t(c + shift)])] - shift +
                                  26)];
    }
    bool atNotch() const { return notch[std::size_t(position)]; }
};

struct Machine
{
    std::vector<Rotor> rotors; // left to right; for the M4 the extra wheel first
    std::array<int, 26> reflector {};
    std::array<int, 26> plugboard {};
    bool fourWheels = false;

    // The right wheel always turns; the middle one when the right one passes its notch, and
    // also by itself when it stands at its own notch, taking the left one along (double step).
    void step()
    {
        Rotor &right = rotors[rotors.size() - 1];
        Rotor &middle = rotors[rotors.size() - 2];
        Rotor &left = rotors[rotors.size() - 3];
        if (middle.atNotch()) {
            middle.position = (middle.position + 1) % 26;
            left.position = (left.position + 1) % 26;
        } else if (right.atNotch()) {
            middle.position = (middle.position + 1) % 26;
        }
        right.position = (right.position + 1) % 26;
    }

    int press(int c)
    {
        step();
        std::array<int, 4> shifts {};
        for (std::size_t i = 0; i < rotors.size(); ++i)
            shifts[i] = rotors[i].shift();
        c = plugboard[std::size_t(c)];
        for (std::size_t i = rotors.size(); i-- > 0;)
            c = rotors[i].in(c, shifts[i]);
        c = reflector[std::size_t(c)];
        for (std::size_t i = 0; i < rotors.size(); ++i)
            c = rotors[i].out(c, shifts[i]);
        return plugboard[std::size_t(c)];
    }
};

std::array<int, 26> wiringTable(const char *wiring)
{
    std::array<int, 26> table {};
    for (std::size_t i = 0; i < 26; ++i)
        table[i] = wiring[i] - 'A';
    return table;
}

QStringList words(const QString &text)
{
    static const QRegularExpression separators(QStringLiteral("[\\s,;/-]+"));
    return text.split(separators, Qt::SkipEmptyParts);
}

int wheelIndex(const QString &name)
{
    QString upper = name.toUpper();
    if (upper == u"β" || upper == u"Β")
        upper = QStringLiteral("BETA");
    if (upper == u"γ" || upper == u"Γ")
        upper = QStringLiteral("GAMMA");
    for (int i = 0; i < int(std::size(kWheels)); ++i) {
        if (upper == QString::fromUtf16(kWheels[i].name))
            return i;
    }
    throw QuarvelError(QStringLiteral("„%1“ ist keine Walze; möglich sind I bis VIII, für die "
                                      "M4 links zusätzlich Beta oder Gamma.")
                           .arg(name));
}

// A letter A-Z or a number 1-26 (ring settings were printed as numbers, positions as letters).
int settingValue(const QString &word, const QString &what)
{
    if (word.size() == 1 && letterIndex(word.at(0)) >= 0)
        return letterIndex(word.at(0));
    bool ok = false;
    const int number = word.toInt(&ok);
    if (ok && number >= 1 && number <= 26)
        return number - 1;
    throw QuarvelError(
        QStringLiteral("„%1“ ist keine %2: erlaubt sind A bis Z oder 1 bis 26.").arg(word, what));
}

// "AAA", "A A A" or "01 01 01": one value per wheel.
std::vector<int> settings(const QString &text, int count, const QString &what)
{
    QStringList parts = words(text);
    if (parts.size() == 1 && parts[0].size() == count && count > 1) {
        QStringList letters;
        for (const QChar c : parts[0])
            letters.append(QString(c));
        parts = letters;
    }
    if (parts.size() != count)
        throw QuarvelError(QStringLiteral("Die %1 braucht %2 Angaben, eine je Walze (nicht „%3“).")
                               .arg(what)
                               .arg(count)
                               .arg(text));
    std::vector<int> values;
    for (const QString &part : parts)
        values.push_back(settingValue(part, what));
    return values;
}

std::array<int, 26> plugboard(const QString &text)
{
    std::array<int, 26> board {};
    for (int i = 0; i < 26; ++i)
        board[std::size_t(i)] = i;
    for (const QString &pair : words(text)) {
        if (pair.size() != 2 || letterIndex(pair[0]) < 0 || letterIndex(pair[1]) < 0)
            throw QuarvelError(
                QStringLiteral("„%1“ ist kein Steckerpaar aus zwei Buchstaben.").arg(pair));
        const int a = letterIndex(pair[0]);
        const int b = letterIndex(pair[1]);
        if (a == b || board[std::size_t(a)] != a || board[std::size_t(b)] != b)
            throw QuarvelError(
                QStringLiteral("Im Steckerbrett steckt jeder Buchstabe höchstens einmal: „%1“.")
                    .arg(pair));
        board[std::size_t(a)] = b;
        board[std::size_t(b)] = a;
    }
    return board;
}

Machine machine(const ParamValues &values)
{
    Machine m;
    const QString model = textParam(values, QStringLiteral("modell"));
    m.fourWheels = model == u"M4";
    const int count = m.fourWheels ? 4 : 3;
    const QStringList names = words(textParam(values, QStringLiteral("walzen")));
    if (names.size() != count)
        throw QuarvelError(QStringLiteral("Die Enigma %1 braucht %2 Walzen (von links nach "
                                          "rechts), nicht „%3“.")
                               .arg(model)
                               .arg(count)
                               .arg(names.join(u' ')));
    std::vector<int> chosen;
    for (int i = 0; i < count; ++i) {
        const int index = wheelIndex(names[i]);
        const bool extraPlace = m.fourWheels && i == 0;
        if (extraPlace != (index >= kFirstExtraWheel))
            throw QuarvelError(extraPlace
                                   ? QStringLiteral("Links in der M4 steht Beta oder Gamma.")
                                   : QStringLiteral("Beta und Gamma passen nur links in die M4."));
        if (std::find(chosen.begin(), chosen.end(), index) != chosen.end())
            throw QuarvelError(
                QStringLiteral("Die Walze %1 ist nur einmal vorhanden.").arg(names[i].toUpper()));
        chosen.push_back(index);
    }
    const std::vector<int> rings =
        settings(textParam(values, QStringLiteral("ringe")), count, QStringLiteral("Ringstellung"));
    const std::vector<int> starts = settings(textParam(values, QStringLiteral("start")), count,
                                             QStringLiteral("Grundstellung"));
    for (int i = 0; i < count; ++i) {
        const Wheel &wheel = kWheels[chosen[std::size_t(i)]];
        Rotor rotor;
        rotor.forward = wiringTable(wheel.wiring);
        for (int c = 0; c < 26; ++c)
            rotor.backward[std::size_t(rotor.forward[std::size_t(c)])] = c;
        for (const char *n = wheel.notches; *n; ++n)
            rotor.notch[std::size_t(*n - 'A')] = true;
        rotor.ring = rings[std::size_t(i)];
        rotor.position = starts[std::size_t(i)];
        m.rotors.push_back(rotor);
    }
    // An M4 with "B" or "C" means the thin reflector of that letter, the only ones it takes.
    QString reflectorName = textParam(values, QStringLiteral("umkehrwalze"));
    if (m.fourWheels && !reflectorName.endsWith(u"-dünn"))
        reflectorName += u"-dünn";
    for (const Reflector &reflector : kReflectors) {
        if (reflectorName != QString::fromUtf16(reflector.name))
            continue;
        if (reflector.thin && !m.fourWheels)
            throw QuarvelError(QStringLiteral("Die dünnen Umkehrwalzen passen nur in die M4; "
                                              "hier B oder C."));
        m.reflector = wiringTable(reflector.wiring);
    }
    m.plugboard = plugboard(textParam(values, QStringLiteral("stecker")));
    return m;
}

// Letters become the machine's upper-case output; every other character passes unchanged and
// does not move the wheels, so groups and line breaks of a message stay where they were.
QString enigma(const QString &text, const ParamValues &values)
{
    Machine m = machine(values);
    QString result(text.size(), Qt::Uninitialized);
    QChar *out = result.data();
    for (const QChar c : text) {
        const int index = letterIndex(c);
        *out++ = index < 0 ? c : QChar(u'A' + m.press(index));
    }
    return result;
}

} // namespace

Cipher enigmaCipher()
{
    return Cipher {
        QStringLiteral("enigma"),
        QStringLiteral("Enigma"),
        QStringLiteral("Die Schlüsselmaschine Enigma I, M3 oder M4 mit Walzen, Ringen, "
                       "Grundstellung und Steckerbrett; Ver- und Entschlüsseln sind dasselbe."),
        {choiceDecl(QStringLiteral("modell"), QStringLiteral("Modell"),
                    {QStringLiteral("I"), QStringLiteral("M3"), QStringLiteral("M4")},
                    QStringLiteral("I, M3 (je drei Walzen) oder M4 (vier Walzen)")),
         ParamDecl {QStringLiteral("walzen"),
                    QStringLiteral("Walzen"),
                    ParamKind::Text,
                    QStringLiteral("I II III"),
                    {},
                    0,
                    0,
                    QStringLiteral("Walzenlage von links nach rechts, I bis VIII; M4: zuerst "
                                   "Beta oder Gamma")},
         choiceDecl(QStringLiteral("umkehrwalze"), QStringLiteral("Umkehrwalze"),
                    {QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("B-dünn"),
                     QStringLiteral("C-dünn")},
                    QStringLiteral("B oder C; die M4 nimmt deren dünne Form")),
         ParamDecl {QStringLiteral("ringe"),
                    QStringLiteral("Ringstellung"),
                    ParamKind::Text,
                    QStringLiteral("AAA"),
                    {},
                    0,
                    0,
                    QStringLiteral("je Walze ein Buchstabe oder 1–26, z. B. „02 21 12“")},
         ParamDecl {QStringLiteral("start"),
                    QStringLiteral("Grundstellung"),
                    ParamKind::Text,
                    QStringLiteral("AAA"),
                    {},
                    0,
                    0,
                    QStringLiteral("je Walze der Buchstabe im Fenster, z. B. „BLA“")},
         ParamDecl {QStringLiteral("stecker"),
                    QStringLiteral("Steckerbrett"),
                    ParamKind::Text,
                    {},
                    {},
                    0,
                    0,
                    QStringLiteral("Buchstabenpaare, z. B. „AV BS CG“")}},
        Keying::Key,
        enigma,
        enigma};
}

} // namespace Ciphers
