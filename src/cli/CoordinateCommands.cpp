// The coordinates subcommand: read a position, write it in the three notations.
#include "cli/CommandTable.h"
#include "logic/common/QuarvelError.h"
#include "logic/tools/Koordinaten_Unit.h"

namespace Cli {
namespace {

Handler koordinatenHandler(const Options &options)
{
    const QString chosen =
        choice(options, QStringLiteral("notation"),
               {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")}, QString());
    return [chosen](const QString &input, ResultSink &sink) {
        // Every input is a position of its own, never a change of the one before.
        TKoordinaten position;
        if (position.m_sSetKoordinaten(input) != 1)
            throw QuarvelError(QStringLiteral("Nicht erkannt !"));
        Result result;
        result.linePerField = true;
        for (int notation = 0; notation <= 2; ++notation) {
            if (chosen.isEmpty() || chosen.toInt() == notation)
                result.fields.push_back(field(QStringLiteral("notation%1").arg(notation), {},
                                              position.m_sGetKoordinaten(notation)));
        }
        sink.report(result);
    };
}

} // namespace

Command koordinatenCommand()
{
    return Command {
        {QStringLiteral("koordinaten"), QStringLiteral("coords")},
        QStringLiteral("eine Position lesen und in den drei Schreibweisen ausgeben"),
        QStringLiteral("[POSITION ...]"),
        QStringLiteral(
            "Liest eine WGS84-Position in einer der drei Schreibweisen (ein Punkt gilt als\n"
            "Komma) und gibt sie in allen drei aus, jede auf einer eigenen Zeile:\n"
            "  0  Grad °                           N 54,3941666666667 E 13,6696833333333\n"
            "  1  Grad °  Minuten '                N 54° 23,650' E 13° 40,181'\n"
            "  2  Grad °  Minuten '  Sekunden ''   N 54° 23' 39\" E 13° 40' 10,86\"\n"
            "Eine Eingabe, die keine Position ist, meldet „Nicht erkannt !“.\n\n"
            "Beispiel: quarvel-cli koordinaten -n 0 \"N 54° 23.650 E 013° 40.181\""),
        {{{QStringLiteral("-n"), QStringLiteral("--notation"), QStringLiteral("--schreibweise")},
          QStringLiteral("notation"),
          QStringLiteral("0|1|2"),
          QStringLiteral("nur diese Schreibweise ausgeben")}},
        InputKind::Line,
        koordinatenHandler};
}

} // namespace Cli
