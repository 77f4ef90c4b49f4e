// The formula calculator on the command line: expressions over named values, exact where the
// arithmetic allows and to 30 significant digits otherwise.
#include "cli/CommandTable.h"
#include "logic/common/QuarvelError.h"
#include "logic/formula/SheetFile.h"

namespace Cli {
namespace {

// "A=3; B=A*2; C=runden(B/7;2)": assignments separated by semicolons outside brackets and
// quotes, so a function's arguments stay together.
std::vector<Formula::SheetEntry> readAssignments(const QString &text)
{
    std::vector<Formula::SheetEntry> entries;
    QStringList parts {QString()};
    int depth = 0;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && c == u'(')
            ++depth;
        else if (!quoted && c == u')')
            --depth;
        if (c == u';' && depth <= 0 && !quoted)
            parts.append(QString());
        else
            parts.last() += c;
    }
    for (const QString &part : parts) {
        if (part.trimmed().isEmpty())
            continue;
        const qsizetype equals = part.indexOf(u'=');
        const QString name = part.left(equals).trimmed();
        if (equals < 0 || !Formula::FormulaSheet::isValidName(name))
            throw UsageError {QStringLiteral("„%1“ ist keine Zuweisung wie A=3 oder Baujahr=1987")
                                  .arg(part.trimmed())};
        entries.push_back({name, part.mid(equals + 1).trimmed()});
    }
    return entries;
}

// The sheet of --datei, with the assignments of --werte added; an assignment replaces an entry
// of the file with the same name.
std::vector<Formula::SheetEntry> readEntries(const Options &options)
{
    std::vector<Formula::SheetEntry> entries;
    if (options.has(QStringLiteral("datei")))
        entries = Formula::readSheetFile(options.value(QStringLiteral("datei"))).entries;
    for (const Formula::SheetEntry &assignment :
         readAssignments(options.value(QStringLiteral("werte")))) {
        const auto same = std::find_if(entries.begin(), entries.end(), [&](const auto &entry) {
            return entry.name.trimmed().compare(assignment.name, Qt::CaseInsensitive) == 0;
        });
        if (same != entries.end())
            *same = assignment;
        else
            entries.push_back(assignment);
    }
    if (entries.size() > size_t(Formula::kMaxSheetEntries))
        throw UsageError {QStringLiteral("Höchstens %1 Werte sind möglich, nicht %2")
                              .arg(Formula::kMaxSheetEntries)
                              .arg(entries.size())};
    return entries;
}

Handler rechneHandler(const Options &options)
{
    const auto sheet = std::make_shared<const Formula::FormulaSheet>(readEntries(options));
    return [sheet](const QString &input, ResultSink &sink) {
        const Formula::SheetNumber value = sheet->evaluate(input);
        Result row;
        row.fields.push_back(field(QStringLiteral("ausdruck"), {}, input.trimmed()));
        Field exact =
            field(QStringLiteral("ergebnis"), QStringLiteral("Ergebnis"), value.toText(u','));
        exact.json = value.toText(u'.');
        row.fields.push_back(exact);
        row.fields.push_back(
            field(QStringLiteral("gerundet"), QStringLiteral("Gerundet"), value.roundedText()));
        sink.report(row);
    };
}

} // namespace

Command rechneCommand()
{
    return Command {
        {QStringLiteral("rechne"), QStringLiteral("evaluate")},
        QStringLiteral("Formeln mit benannten Werten und Funktionen genau ausrechnen"),
        QStringLiteral("[--werte \"A=3; B=A*2\"] [--datei BLATT.json] AUSDRUCK ..."),
        QStringLiteral(
            "Rechnet jeden Ausdruck aus, je eine Zeile: Ausdruck | Ergebnis | Gerundet. Ganze\n"
            "Zahlen und Brüche bleiben genau (beliebig groß); Wurzeln, Winkel und Logarithmen\n"
            "auf 30 gültige Stellen. Gerundet: auf eine ganze Zahl, ab ,5 weg von null.\n"
            "Rechenzeichen + - * / % ^ (auch × · ÷ :), Dezimalkomma oder -punkt, Argumente\n"
            "durch „;“ getrennt, Texte in Anführungszeichen. Funktionen: wurzel, nwurzel,\n"
            "runden, abrunden, aufrunden, betrag, min, max, mod, ggt, kgv, fakultaet,\n"
            "sin, cos, tan, arcsin, arccos, arctan (Grad), ln, log, qs, iqs, aqs, bww, laenge,\n"
            "ziffer, rom, vanity, zeichen; Konstanten pi, e, phi. Namen dürfen sich in\n"
            "beliebiger Reihenfolge aufeinander beziehen.\n\n"
            "Beispiel: quarvel-cli rechne --werte \"A=1987; B=12; C=runden(wurzel(A-B);2)\" C\n"
            "  C | Ergebnis: 44,44 | Gerundet: 44"),
        {{{QStringLiteral("--werte"), QStringLiteral("--values")},
          QStringLiteral("werte"),
          QStringLiteral("ZUWEISUNGEN"),
          QStringLiteral("benannte Werte und Formeln, z. B. \"A=3; B=A*2\"")},
         {{QStringLiteral("--datei"), QStringLiteral("--file")},
          QStringLiteral("datei"),
          QStringLiteral("BLATT.json"),
          QStringLiteral("ein gespeichertes Formelblatt des Formelrechners")}},
        InputKind::Line,
        rechneHandler};
}

} // namespace Cli
