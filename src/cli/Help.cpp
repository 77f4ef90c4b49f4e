#include "cli/Help.h"

#include "cli/CommandTable.h"

namespace Cli {
namespace {

constexpr qsizetype kColumn = 26;

QString row(const QString &left, const QString &right)
{
    QString line = QStringLiteral("  ") + left;
    // A long option list puts its explanation on the next line, in the same column.
    if (line.size() >= kColumn - 1)
        line += u'\n' + QString(kColumn, u' ');
    else
        line += QString(kColumn - line.size(), u' ');
    return line + right + u'\n';
}

QString endOfOptionsHelp()
{
    return QStringLiteral("beendet die Optionen: alles danach ist Text, auch „--liste“ oder "
                          "„-n“ (ein Text wie „- ... .-..“ oder „-5“ ist es ohnehin)");
}

} // namespace

QString programHelp()
{
    QString text = QStringLiteral(
        "Aufruf: quarvel-cli [--json] BEFEHL [OPTIONEN] [TEXT ...]\n\n"
        "Quarvels Werkzeuge auf der Kommandozeile, mit denselben Ergebnissen wie in den Tafeln\n"
        "des Programms. Mehrere TEXT-Argumente bilden zusammen eine Eingabe. Ohne TEXT oder mit\n"
        "„-“ liest der Befehl die Standardeingabe Zeile für Zeile und gibt je Zeile ein Ergebnis\n"
        "aus. Zahlen werden wie in Quarvel mit Dezimalkomma gelesen und geschrieben, gleich\n"
        "welche Spracheinstellung das System hat.\n\nBefehle:\n");
    for (const Command &command : commandTable())
        text += row(command.names.join(QStringLiteral(", ")), command.summary);
    text += QStringLiteral("\nAllgemeine Optionen:\n");
    text += row(QStringLiteral("--json"),
                QStringLiteral("je Eingabe ein JSON-Objekt mit allen Werten der Tafel"));
    text += row(QStringLiteral("-h, --help, --hilfe"),
                QStringLiteral("diese Hilfe; „quarvel-cli BEFEHL --help“ erklärt einen Befehl"));
    text += row(QStringLiteral("--"), endOfOptionsHelp());
    text += QStringLiteral(
        "\nRückgabewerte:\n"
        "  0  alle Eingaben bearbeitet\n"
        "  1  mindestens eine Eingabe ungültig (die Meldung steht auf der Fehlerausgabe, die\n"
        "     übrigen Zeilen werden weiter bearbeitet; an der Stelle des Ergebnisses steht eine\n"
        "     leere Zeile, mit --json ein Objekt mit \"fehler\")\n"
        "  2  falscher Aufruf (unbekannter Befehl, unbekannte Option, fehlender Wert)\n"
        "  3  die Ausgabe konnte nicht geschrieben werden (Datenträger voll, Leser beendet)\n");
    return text;
}

QString commandHelp(const Command &command)
{
    QString text = QStringLiteral("Aufruf: quarvel-cli %1 [OPTIONEN] %2\n")
                       .arg(command.names.constFirst(), command.synopsis);
    if (command.names.size() > 1)
        text += QStringLiteral("Auch: %1\n").arg(command.names.mid(1).join(QStringLiteral(", ")));
    text += u'\n' + command.description + u'\n';
    text += QStringLiteral("\nOptionen:\n");
    for (const OptionDecl &option : command.options) {
        QString left = option.names.join(QStringLiteral(", "));
        if (!option.valueName.isEmpty())
            left += u' ' + option.valueName;
        text += row(left, option.help);
    }
    text += row(QStringLiteral("--json"), QStringLiteral("je Eingabe ein JSON-Objekt"));
    text += row(QStringLiteral("-h, --help, --hilfe"), QStringLiteral("diese Hilfe"));
    text += row(QStringLiteral("--"), endOfOptionsHelp());
    return text;
}

} // namespace Cli
