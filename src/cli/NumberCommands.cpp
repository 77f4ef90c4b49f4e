// Subcommands of the number tools: digit sum, length conversion, Roman numerals.
#include "cli/CommandTable.h"
#include "logic/common/Numbers.h"
#include "logic/common/QuarvelError.h"
#include "logic/tools/QuersummenKette.h"
#include "logic/tools/TypedCharacters.h"
#include "logic/tools/hfunctions.h"

namespace Cli {
namespace {

using QuersummenKette::Zahlensystem;

Zahlensystem systemOption(const Options &options)
{
    const QString name =
        choice(options, QStringLiteral("system"),
               {QStringLiteral("dez"), QStringLiteral("dec"), QStringLiteral("hex"),
                QStringLiteral("okt"), QStringLiteral("oct"), QStringLiteral("bin")},
               QStringLiteral("dez"));
    if (name == u"hex")
        return Zahlensystem::Hexadezimal;
    if (name == u"okt" || name == u"oct")
        return Zahlensystem::Oktal;
    if (name == u"bin")
        return Zahlensystem::Binaer;
    return Zahlensystem::Dezimal;
}

QString systemName(Zahlensystem system)
{
    switch (system) {
    case Zahlensystem::Hexadezimal:
        return QStringLiteral("hex");
    case Zahlensystem::Binaer:
        return QStringLiteral("bin");
    case Zahlensystem::Oktal:
        return QStringLiteral("okt");
    case Zahlensystem::Dezimal:
        break;
    }
    return QStringLiteral("dez");
}

// What the panel's field takes: the digits of the hexadecimal, binary or octal system. In the
// decimal system every character passes and only the digits count, so the digit sum of a
// coordinate ("N 47° 11") is one call.
void requireDigitSumInput(const QString &input, Zahlensystem system)
{
    TypedCharacters::requireTypable(
        input, [system](QChar c) { return TypedCharacters::digitSumField(c, system); },
        TypedCharacters::digitSumAllowed(system));
}

// In the decimal system only the digits count, as in the panel; the result names what was left
// out ("12a" gives 12, and says so), each character once, in the order of the input.
QString ignoredCharacters(const QString &input)
{
    QList<char32_t> seen;
    QStringList ignored;
    for (const char32_t c : input.toUcs4()) {
        const bool digit = c < 0x10000 && hfunctions::IsDigit(QChar(char16_t(c)));
        if (digit || seen.contains(c))
            continue;
        seen.append(c);
        ignored.append(QStringLiteral("„%1“").arg(QString::fromUcs4(&c, 1)));
    }
    return ignored.join(QStringLiteral(", "));
}

Handler quersummeHandler(const Options &options)
{
    const Zahlensystem system = systemOption(options);
    return [system](const QString &input, ResultSink &sink) {
        Result result;
        requireDigitSumInput(input, system);
        // An empty field computes nothing in the panel either.
        if (!input.isEmpty()) {
            const QuersummenKette::Result chain = QuersummenKette::compute(input, system);
            result.fields.push_back(Field {
                QStringLiteral("system"), {}, systemName(system), {}, Field::Show::JsonOnly});
            result.fields.push_back(
                field(QStringLiteral("dezimal"), QStringLiteral("Dezimal"), chain.decimal));
            if (system == Zahlensystem::Dezimal) {
                if (const QString ignored = ignoredCharacters(input); !ignored.isEmpty())
                    result.fields.push_back(
                        field(QStringLiteral("ignoriert"), QStringLiteral("Ignoriert"), ignored));
            }
            addIterationRows(result, chain.sums, sink.json());
        }
        sink.report(result);
    };
}

// The metre field reads an integer by the program's integer syntax, else a decimal number;
// a typed "." counts as the decimal comma.
long double readMetres(QString text)
{
    text.replace(u'.', u',');
    if (text.isEmpty())
        return 0;
    if (Numbers::isInteger(text))
        return Numbers::strToInt(text);
    return Numbers::strToFloat(text);
}

void reportMetres(const QString &input, ResultSink &sink)
{
    const hfunctions::FeetInch lengths = hfunctions::Meter2FeetInch(readMetres(input));
    Result result;
    result.fields = {
        field(QStringLiteral("feet"), QStringLiteral("Feet"),
              Numbers::floatToStr(lengths.wholeFeet)),
        field(QStringLiteral("inch"), QStringLiteral("Inch"),
              Numbers::floatToStr(lengths.remainingInches)),
        field(QStringLiteral("nurFeet"), QStringLiteral("Nur Feet"),
              Numbers::floatToStr(lengths.feet)),
        field(QStringLiteral("nurInch"), QStringLiteral("Nur Inch"),
              Numbers::floatToStr(lengths.inches)),
    };
    sink.report(result);
}

// "FEET [INCH]": the feet and inch fields read decimal numbers, an empty one as 0.
void reportFeetInch(const QString &input, ResultSink &sink)
{
    const QStringList parts = input.split(u' ', Qt::SkipEmptyParts);
    if (parts.size() > 2)
        throw QuarvelError(QStringLiteral("Erwartet werden Feet und Inch, zum Beispiel „6 2“"));
    const long double feet = parts.isEmpty() ? 0 : Numbers::strToFloat(parts.at(0));
    const long double inches = parts.size() < 2 ? 0 : Numbers::strToFloat(parts.at(1));
    Result result;
    result.fields = {field(QStringLiteral("meter"), {},
                           Numbers::floatToStr(hfunctions::FeetInch2Meter(feet, inches)))};
    sink.report(result);
}

Handler laengeHandler(const Options &options)
{
    if (options.has(QStringLiteral("feet")))
        return reportFeetInch;
    return reportMetres;
}

// The Roman field as typed: lower-case letters become upper case, and every character must be
// one the field takes.
QString typedRoman(const QString &input, bool allLetters)
{
    QString typed = input;
    for (QChar &c : typed)
        c = TypedCharacters::romanFieldTyped(c);
    TypedCharacters::requireTypable(
        typed, [allLetters](QChar c) { return TypedCharacters::romanField(c, allLetters); },
        TypedCharacters::romanAllowed(allLetters));
    return typed;
}

// Digits go into the decimal field, letters into the Roman one; the first character decides,
// and every other character must fit the same field.
bool readsAsDecimal(const QString &input, bool toRoman, bool toDecimal)
{
    if (toRoman || toDecimal)
        return toRoman;
    return TypedCharacters::decimalField(input.front());
}

Handler roemischHandler(const Options &options)
{
    const bool toRoman = options.has(QStringLiteral("toRoman"));
    const bool toDecimal = options.has(QStringLiteral("toDecimal"));
    const bool allLetters = options.has(QStringLiteral("allLetters"));
    if (toRoman && toDecimal)
        throw UsageError {QStringLiteral("Nur eine Richtung: --nach-roemisch oder --nach-dezimal")};
    return [=](const QString &input, ResultSink &sink) {
        Result result;
        if (input.isEmpty()) {
            // An empty field empties the result.
        } else if (readsAsDecimal(input, toRoman, toDecimal)) {
            TypedCharacters::requireTypable(input, TypedCharacters::decimalField,
                                            QStringLiteral("0–9"));
            // The integer syntax refuses values above 2147483647, as the panel does.
            const int32_t value = Numbers::strToInt(input);
            result.fields = {
                field(QStringLiteral("roemisch"), {}, hfunctions::Dez2Roem(value)),
                Field {QStringLiteral("dezimal"), {}, qint64(value), {}, Field::Show::JsonOnly}};
        } else {
            const QString roman = typedRoman(input, allLetters);
            const qint64 value = hfunctions::Roem2Dez(roman);
            result.fields = {
                field(QStringLiteral("dezimal"), {}, value),
                Field {QStringLiteral("roemisch"), {}, roman, {}, Field::Show::JsonOnly}};
        }
        sink.report(result);
    };
}

} // namespace

Command quersummeCommand()
{
    return Command {
        {QStringLiteral("quersumme"), QStringLiteral("digitsum")},
        QStringLiteral("Dezimalwert und Quersummen einer Zahl (dez, hex, okt, bin)"),
        QStringLiteral("[ZAHL ...]"),
        QStringLiteral(
            "Rechnet die Zahl ins Dezimalsystem um und bildet die Quersumme, dann die Quersumme\n"
            "der Quersumme, bis eine Ziffer übrig ist (jede Zeile der Kette). Im Dezimalsystem\n"
            "zählen nur die Ziffern (wie im Eingabefeld), die übrigen Zeichen nennt die Zeile\n"
            "„Ignoriert“; hexadezimale, oktale und binäre\n"
            "Zahlen jeder Länge werden exakt umgerechnet und dürfen nur die Ziffern ihres\n"
            "Systems enthalten.\n\n"
            "Beispiel: quarvel-cli quersumme -s hex FF\n"
            "  Dezimal: 255 | 1. Iteration: 12 | 2. Iteration: 3"),
        {{{QStringLiteral("-s"), QStringLiteral("--system"), QStringLiteral("--zahlensystem")},
          QStringLiteral("system"),
          QStringLiteral("SYSTEM"),
          QStringLiteral("dez (Vorgabe), hex, okt oder bin")}},
        InputKind::Line,
        quersummeHandler};
}

Command laengeCommand()
{
    return Command {
        {QStringLiteral("laenge"), QStringLiteral("length")},
        QStringLiteral("Meter in Feet und Inch umrechnen, oder Feet und Inch in Meter"),
        QStringLiteral("[METER | FEET INCH]"),
        QStringLiteral(
            "Ohne Option: die Länge in Meter (Dezimalkomma; ein Punkt gilt als Komma) in Feet,\n"
            "Inch, nur Feet und nur Inch. Mit --feet: Feet und Inch (durch ein Leerzeichen\n"
            "getrennt, Inch darf fehlen) in Meter; negative Werte zählen als 0.\n\n"
            "Beispiele: quarvel-cli laenge 1,8\n"
            "  Feet: 5 | Inch: 10,8661417322835 | Nur Feet: 5,90551181102362 | Nur Inch: "
            "70,8661417322835\n"
            "quarvel-cli laenge --feet 6 2\n"
            "  1,8796"),
        {{{QStringLiteral("-f"), QStringLiteral("--feet"), QStringLiteral("--fuss")},
          QStringLiteral("feet"),
          {},
          QStringLiteral("Feet und Inch in Meter umrechnen")}},
        InputKind::Line,
        laengeHandler};
}

Command roemischCommand()
{
    return Command {
        {QStringLiteral("roemisch"), QStringLiteral("roman")},
        QStringLiteral("Römische Zahlen in Dezimalzahlen und zurück"),
        QStringLiteral("[ZAHL ...]"),
        QStringLiteral(
            "Ziffern (0 bis 2147483647) werden römisch geschrieben, Buchstaben als römische Zahl\n"
            "gelesen; das erste Zeichen entscheidet. Es gelten die Eingabefelder: eine Zahl\n"
            "besteht nur aus Ziffern, eine römische Zahl nur aus C, D, I, L, M, V, X (mit\n"
            "--alle-buchstaben aus A bis Z; die übrigen zählen nicht); Kleinbuchstaben werden\n"
            "groß. Ein anderes Zeichen wird mit seiner Stelle gemeldet.\n\n"
            "Beispiele: quarvel-cli roemisch 1994   ergibt MCMXCIV\n"
            "           quarvel-cli roemisch MMXXIV ergibt 2024"),
        {{{QStringLiteral("-r"), QStringLiteral("--nach-roemisch"), QStringLiteral("--to-roman")},
          QStringLiteral("toRoman"),
          {},
          QStringLiteral("die Eingabe immer als Dezimalzahl lesen")},
         {{QStringLiteral("-d"), QStringLiteral("--nach-dezimal"), QStringLiteral("--to-decimal")},
          QStringLiteral("toDecimal"),
          {},
          QStringLiteral("die Eingabe immer als römische Zahl lesen")},
         {{QStringLiteral("-a"), QStringLiteral("--alle-buchstaben"),
           QStringLiteral("--all-letters")},
          QStringLiteral("allLetters"),
          {},
          QStringLiteral("alle Buchstaben zulassen (Unerlaubte Zeichen nicht unterdrücken)")}},
        InputKind::Line,
        roemischHandler};
}

} // namespace Cli
