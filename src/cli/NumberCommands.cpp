// Subcommands of the number tools: digit sum, length conversion, Roman numerals.
#include "cli/CommandTable.h"
#include "logic/common/Numbers.h"
#include "logic/common/QuarvelError.h"
#include "logic/tools/QuersummenKette.h"
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

Handler quersummeHandler(const Options &options)
{
    const Zahlensystem system = systemOption(options);
    return [system](const QString &input, ResultSink &sink) {
        Result result;
        // An empty field computes nothing in the panel either.
        if (!input.isEmpty()) {
            const QuersummenKette::Result chain = QuersummenKette::compute(input, system);
            result.fields.push_back(Field {
                QStringLiteral("system"), {}, systemName(system), {}, Field::Show::JsonOnly});
            result.fields.push_back(
                field(QStringLiteral("dezimal"), QStringLiteral("Dezimal"), chain.decimal));
            addIterationRows(result, chain.sums);
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

// What typing into the Roman field keeps: letters upper-cased, then only the Roman letters
// (or every letter A-Z when all letters are allowed).
QString typedRoman(const QString &input, bool allLetters)
{
    QString kept;
    for (QChar c : input) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
        const bool roman = QStringView(u"CDILMVX").contains(c);
        if (roman || (allLetters && c >= u'A' && c <= u'Z'))
            kept += c;
    }
    return kept;
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
        } else if (toRoman || (!toDecimal && Numbers::isInteger(input))) {
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
            "zählen nur die Ziffern; hexadezimale, oktale und binäre Zahlen jeder Länge werden\n"
            "exakt umgerechnet.\n\n"
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
            "Eine ganze Zahl wird römisch geschrieben, alles andere als römische Zahl gelesen.\n"
            "Beim Lesen gelten die Regeln des Eingabefelds: Kleinbuchstaben werden groß, andere\n"
            "Zeichen als C, D, I, L, M, V, X fallen weg (mit --alle-buchstaben bleiben alle\n"
            "Buchstaben A bis Z stehen und zählen nicht).\n\n"
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
