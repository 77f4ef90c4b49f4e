// Subcommands of the text tools: letter word value and letter distribution.
#include "cli/CommandTable.h"
#include "logic/tools/Buchstabenverteilung.h"
#include "logic/tools/CryptoTools_WortWert.h"
#include "logic/tools/QuersummenKette.h"
#include "logic/tools/hfunctions.h"

namespace Cli {
namespace {

Handler wortwertHandler(const Options &options)
{
    const bool inverse = options.has(QStringLiteral("inverse"));
    const bool withDigits = options.has(QStringLiteral("digits"));
    return [=](const QString &input, ResultSink &sink) {
        const QString sum = CryptoTools::BuchstabenWortWert(input, inverse, withDigits);
        Result result;
        result.fields = {
            field(QStringLiteral("summe"), QStringLiteral("Summe der Buchstabenwerte"),
                  sum.toLongLong()),
            field(QStringLiteral("zeichen"), QStringLiteral("Anzahl der Zeichen"),
                  hfunctions::CountNonBlank(input)),
            field(QStringLiteral("zeichenInklLeerzeichen"), QStringLiteral("inkl Leerzeichen"),
                  input.size()),
            field(QStringLiteral("woerter"), QStringLiteral("Anzahl der Wörter"),
                  hfunctions::CountWords(input)),
        };
        addIterationRows(result, QuersummenKette::digitSums(sum), sink.json());
        sink.report(result);
    };
}

Handler verteilungHandler(const Options &)
{
    return [](const QString &input, ResultSink &sink) {
        const Buchstabenverteilung::Counts counts = Buchstabenverteilung::count(input);
        Result result;
        for (std::size_t i = 0; i < counts.size(); ++i)
            result.fields.push_back(
                field(QString(QChar(u'A' + int(i))), QString(QChar(u'A' + int(i))), counts[i]));
        sink.report(result);
    };
}

} // namespace

Command wortwertCommand()
{
    return Command {
        {QStringLiteral("wortwert"), QStringLiteral("wordvalue")},
        QStringLiteral("Buchstabenwortwert, Zeichen, Wörter und Quersummen eines Texts"),
        QStringLiteral("[TEXT ...]"),
        QStringLiteral(
            "Summe der Buchstabenwerte (A=1 .. Z=26, Ä=27, Ö=28, Ü=29, ß=30, ohne Unterschied\n"
            "von Groß- und Kleinschreibung), die Anzahl der Zeichen ohne und mit Leerzeichen,\n"
            "die Anzahl der Wörter und die Quersummen der Summe bis zu einer Ziffer.\n\n"
            "Beispiel: quarvel-cli wortwert Hallo\n"
            "  Summe der Buchstabenwerte: 48 | Anzahl der Zeichen: 5 | inkl Leerzeichen: 5 |\n"
            "  Anzahl der Wörter: 1 | 1. Iteration: 12 | 2. Iteration: 3"),
        {{{QStringLiteral("-i"), QStringLiteral("--invers"), QStringLiteral("--inverse")},
          QStringLiteral("inverse"),
          {},
          QStringLiteral("umgekehrtes Alphabet (A=26 .. Z=1)")},
         {{QStringLiteral("-z"), QStringLiteral("--ziffern"), QStringLiteral("--digits")},
          QStringLiteral("digits"),
          {},
          QStringLiteral("Zahlen mitaddieren (jede Ziffer mit ihrem Wert)")}},
        InputKind::Line,
        wortwertHandler};
}

Command verteilungCommand()
{
    return Command {
        {QStringLiteral("verteilung"), QStringLiteral("letters")},
        QStringLiteral("Häufigkeit der Buchstaben A bis Z in einem Text"),
        QStringLiteral("[TEXT ...]"),
        QStringLiteral(
            "Zählt jeden Buchstaben A bis Z, Groß- und Kleinbuchstaben zusammen. Umlaute, ß,\n"
            "Ziffern und Zeichen zählen nicht.\n\n"
            "Beispiel: quarvel-cli verteilung Hallo Welt!\n"
            "  A: 1 | B: 0 | C: 0 | D: 0 | E: 1 | ... | L: 3 | ... | Z: 0"),
        {},
        InputKind::Line,
        verteilungHandler};
}

} // namespace Cli
