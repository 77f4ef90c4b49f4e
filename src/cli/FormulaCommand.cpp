// The variable-coordinates subcommand: every combination of a final formula's letters.
#include "cli/CommandTable.h"
#include "logic/common/Numbers.h"
#include "logic/common/QuarvelError.h"
#include "logic/formula/CoordinateHash.h"
#include "logic/formula/FormulaExport.h"

#include <cmath>
#include <thread>

namespace Cli {
namespace {

// "A=0-9; B=1,4,7; C=A+1": the values of the letters, separated by semicolons.
Formula::VariableSet::Texts readValues(const QString &text)
{
    Formula::VariableSet::Texts texts;
    for (const QString &part : text.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype equals = part.indexOf(u'=');
        const QString letter = part.left(equals).trimmed().toUpper();
        if (equals < 0 || letter.size() != 1 || letter.at(0) < u'A' || letter.at(0) > u'Z')
            throw UsageError {
                QStringLiteral("„%1“ ist keine Zuweisung wie A=0-9").arg(part.trimmed())};
        texts[size_t(letter.at(0).unicode() - u'A')] = part.mid(equals + 1).trimmed();
    }
    return texts;
}

std::optional<double> readRadius(const Options &options)
{
    if (!options.has(QStringLiteral("umkreis")))
        return std::nullopt;
    QString text = options.value(QStringLiteral("umkreis"));
    const auto km = Numbers::tryStrToFloat(text.replace(u'.', u','));
    if (!km || !(*km > 0))
        throw UsageError {QStringLiteral("Der Umkreis muss eine Zahl über 0 km sein: „%1“")
                              .arg(options.value(QStringLiteral("umkreis")))};
    return double(*km) * 1000;
}

// The digest searched for, in the form the coordinate text is written in before hashing; none
// without --hash. A malformed value is a usage error: nothing has been computed yet.
std::shared_ptr<const Formula::HashTarget> readHashTarget(const Options &options)
{
    if (!options.has(QStringLiteral("hash"))) {
        for (const QString &key : {QStringLiteral("hashverfahren"), QStringLiteral("form")}) {
            if (options.has(key))
                throw UsageError {
                    QStringLiteral("%1 gilt nur zusammen mit --hash").arg(options.spelling(key))};
        }
        return nullptr;
    }
    try {
        const auto &method = Formula::coordinateHashMethod(
            options.value(QStringLiteral("hashverfahren"), QStringLiteral("sha1")));
        auto form = Formula::CoordinateForm::fromNameOrText(
            options.value(QStringLiteral("form"), QStringLiteral("kompakt")));
        return std::make_shared<const Formula::HashTarget>(
            Formula::hashTarget(options.value(QStringLiteral("hash")), method, std::move(form)));
    } catch (const QuarvelError &error) {
        throw UsageError {error.message()};
    }
}

Result hitRow(const Formula::FormulaSolver &solver, const Formula::Hit &hit, int notation)
{
    Result row;
    row.fields.push_back(field(QStringLiteral("variablen"), {}, solver.variablesText(hit.index)));
    row.fields.push_back(
        field(QStringLiteral("koordinate"), {},
              Formula::coordinateInNotation(solver.coordinateText(hit.index), notation)));
    if (!std::isnan(hit.distanceMetres))
        row.fields.push_back(
            field(QStringLiteral("entfernung_m"), QStringLiteral("Entfernung"),
                  Formula::decimalComma(hit.distanceMetres, 1) + QStringLiteral(" m")));
    if (!std::isnan(hit.bearingDegrees))
        row.fields.push_back(field(QStringLiteral("richtung_grad"), QStringLiteral("Richtung"),
                                   Formula::decimalComma(hit.bearingDegrees, 1) + u'°'));
    return row;
}

Handler formelHandler(const Options &options)
{
    const Formula::VariableSet::Texts values = readValues(options.value(QStringLiteral("werte")));
    const std::optional<double> radius = readRadius(options);
    std::optional<Formula::ReadPosition> reference;
    if (options.has(QStringLiteral("bezug"))) {
        reference = Formula::readPosition(options.value(QStringLiteral("bezug")).toStdString());
        if (!reference->hasPosition)
            throw UsageError {QStringLiteral("Der Bezugspunkt wurde nicht erkannt: „%1“")
                                  .arg(options.value(QStringLiteral("bezug")))};
    } else if (radius) {
        throw UsageError {QStringLiteral("Für --umkreis wird --bezug gebraucht")};
    }
    const auto hash = readHashTarget(options);
    const Formula::Filter filter {!options.has(QStringLiteral("alle")), radius, hash};
    const int notation =
        choice(options, QStringLiteral("notation"),
               {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")}, QStringLiteral("1"))
            .toInt();
    return [=](const QString &input, ResultSink &sink) {
        Formula::SyntaxError error;
        auto formula = Formula::CoordinateFormula::parse(input, error);
        if (!formula)
            throw QuarvelError(
                QStringLiteral("Zeichen %1: %2").arg(error.position + 1).arg(error.message));
        Formula::VariableSet variables(values, formula->variablesUsed());
        if (!variables.ok())
            throw QuarvelError(variables.firstError());
        const Formula::FormulaSolver solver(std::move(*formula), std::move(variables), reference,
                                            filter);
        // The hits go out block by block, so memory stays the same for any number of
        // combinations; a failed output ends the search. Each block is shared out among the
        // cores, and its hits still come in combination order.
        const uint64_t kBlock = 64 * 1024 * std::max(1u, std::thread::hardware_concurrency());
        std::vector<Formula::Hit> hits;
        Formula::Counts counts;
        for (uint64_t from = 0; from < solver.combinationCount() && !sink.stopped();
             from += kBlock) {
            hits.clear();
            Formula::runOnAllCores(solver, from, from + kBlock, hits, counts);
            for (const Formula::Hit &hit : hits)
                sink.report(hitRow(solver, hit, notation));
        }
        Result summary;
        summary.fields = {
            field(QStringLiteral("berechnet"), QStringLiteral("Berechnet"),
                  qint64(counts.computed)),
            field(QStringLiteral("gueltig"), QStringLiteral("Gültig"), qint64(counts.valid)),
            field(QStringLiteral("angezeigt"), QStringLiteral("Angezeigt"), qint64(counts.shown))};
        sink.report(summary);
        if (hash && counts.shown == 0)
            sink.warn(QStringLiteral("Kein Treffer: Keine Kombination ergibt in der Form „%1“ "
                                     "diesen %2-Hash%3")
                          .arg(hash->form.text(), hash->method->label,
                               radius ? QStringLiteral(" (gesucht nur im Umkreis)") : QString()));
    };
}

} // namespace

Command formelCommand()
{
    return Command {
        {QStringLiteral("formel"), QStringLiteral("formula")},
        QStringLiteral("eine Final-Formel über alle Werte ihrer Variablen lösen"),
        QStringLiteral("--werte \"A=0-9; B=1,4\" [FORMEL ...]"),
        QStringLiteral(
            "Setzt in eine Koordinate mit Variablen jede Kombination der Werte ein und gibt die\n"
            "gültigen Positionen aus, je eine Zeile: Werte | Koordinate | Entfernung | Richtung,\n"
            "zuletzt die Anzahl der berechneten, gültigen und ausgegebenen Kombinationen.\n"
            "Außerhalb von Klammern steht ein Buchstabe für die Ziffern seines Werts; in Klammern\n"
            "wird gerechnet: + - * / % ^, QS(x), IQS(x), BWW(\"Text\"). Ein allein stehender\n"
            "Buchstabe (N, S, E, W, O) ist die Himmelsrichtung. Werte: 5, 1,4,7, 0-9, 10-100#5\n"
            "oder ein Ausdruck wie A+1; Buchstaben werden durch „;“ getrennt.\n"
            "Mit --hash werden nur die Kombinationen ausgegeben, deren Koordinate, in der Form\n"
            "von --form geschrieben (UTF-8), diesen Hash hat. Platzhalter der Form: {h} Himmels-\n"
            "richtung, {g…} Grad, {d…} Nachkommastellen der Grad, {m…} Minuten (das zweite {m…}\n"
            "einer Hälfte: ihre Nachkommastellen), {s…} Sekunden; die Zahl der Buchstaben ist die\n"
            "Stellenzahl mit führenden Nullen. Fertige Formen: kompakt (N51 23.456 E007 12.345),\n"
            "leerzeichen, grad, gradkompakt, ohneleerzeichen, ohnenullen, ziffern.\n\n"
            "Beispiel: quarvel-cli formel --werte \"A=0-9;B=2\" --bezug \"N 52 31.0 E 13 24.0\"\n"
            "          --umkreis 3,2 \"N 52° 3A.B00 E 013° 24.000\"\n"
            "Beispiel: quarvel-cli formel --werte \"A=0-9;B=0-9\" --hashverfahren sha1\n"
            "          --hash 354dc4744e129f1631891c7ebe47fac9098db45f --form \"N{gg} {mm}.{mmm} "
            "E{ggg} "
            "{mm}.{mmm}\"\n"
            "          \"N 51° 2A.456 E 007° 1B.345\""),
        {{{QStringLiteral("--werte"), QStringLiteral("--values")},
          QStringLiteral("werte"),
          QStringLiteral("ZUWEISUNGEN"),
          QStringLiteral("die Werte der Buchstaben, z. B. \"A=0-9; B=1,4,7; C=A+1\"")},
         {{QStringLiteral("--bezug"), QStringLiteral("--reference")},
          QStringLiteral("bezug"),
          QStringLiteral("POSITION"),
          QStringLiteral("Bezugspunkt für Entfernung und Richtung")},
         {{QStringLiteral("--umkreis"), QStringLiteral("--radius")},
          QStringLiteral("umkreis"),
          QStringLiteral("KM"),
          QStringLiteral("nur Positionen bis zu dieser Entfernung vom Bezugspunkt")},
         {{QStringLiteral("--alle"), QStringLiteral("--all")},
          QStringLiteral("alle"),
          QString(),
          QStringLiteral("auch ungültige Positionen (Minuten über 60, ...) ausgeben")},
         {{QStringLiteral("-n"), QStringLiteral("--notation"), QStringLiteral("--schreibweise")},
          QStringLiteral("notation"),
          QStringLiteral("0|1|2"),
          QStringLiteral("Schreibweise der Koordinate (Vorgabe: 1, Grad und Minuten)")},
         {{QStringLiteral("--hash")},
          QStringLiteral("hash"),
          QStringLiteral("HEX"),
          QStringLiteral("nur Kombinationen, deren Koordinatentext diesen Hash hat")},
         {{QStringLiteral("--hashverfahren"), QStringLiteral("--hash-method")},
          QStringLiteral("hashverfahren"),
          QStringLiteral("md5|sha1|sha256|sha512|sha3-256"),
          QStringLiteral("Verfahren des Hashs (Vorgabe: sha1)")},
         {{QStringLiteral("--form")},
          QStringLiteral("form"),
          QStringLiteral("FORM"),
          QStringLiteral("wie die Koordinate vor dem Hashen geschrieben wird: eine fertige "
                         "Form oder Platzhalter (Vorgabe: kompakt)")}},
        InputKind::Line,
        formelHandler};
}

} // namespace Cli
