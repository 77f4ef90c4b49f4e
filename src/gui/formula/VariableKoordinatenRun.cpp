// The run of the variable-coordinates window: checking the inputs, computing on the worker,
// showing the results as they come, and saving or copying them.
#include "gui/app/AppContext.h"
#include "gui/formula/FormulaResultModel.h"
#include "gui/formula/VariableKoordinaten_Unit.h"
#include "gui/support/HandlerGuard.h"
#include "logic/common/Numbers.h"
#include "logic/common/QuarvelError.h"
#include "logic/common/SafeWrite.h"
#include "logic/formula/FormulaExport.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>

namespace {

std::optional<Formula::ReadPosition> readReference(const QString &text)
{
    const Formula::ReadPosition position = Formula::readPosition(text.toStdString());
    return position.hasPosition ? std::optional(position) : std::nullopt;
}

QString grouped(uint64_t value)
{
    return Numbers::formatGrouped(static_cast<long double>(value));
}

QString escaped(const QString &text)
{
    return text.toHtmlEscaped().replace(u' ', QStringLiteral("&nbsp;"));
}

// The message, then the formula with the character at the error marked.
QString markedError(const QString &formula, const Formula::SyntaxError &error)
{
    const qsizetype at = std::min(error.position, formula.size());
    const QString marked = at < formula.size() ? formula.mid(at, 1) : QStringLiteral(" ");
    return QStringLiteral("Zeichen %1: %2<br><span style=\"font-family:monospace\">%3"
                          "<span style=\"background-color:#ff9090\">%4</span>%5</span>")
        .arg(at + 1)
        .arg(escaped(error.message), escaped(formula.left(at)), escaped(marked),
             escaped(formula.mid(at + 1)));
}

} // namespace

std::optional<double> TfrmVariableKoordinaten::maxDistance() const
{
    if (!cboxUmkreis->isChecked())
        return std::nullopt;
    QString text = edtUmkreis->text();
    const auto km = Numbers::tryStrToFloat(text.replace(u'.', u','));
    // Half the equator is as far as two points can be apart.
    if (!km || !(*km > 0) || *km > 20040)
        return -1;
    return double(*km) * 1000;
}

// N 0° E 0° is where a reference lands that was never set (the settings' home coordinates are
// empty or zero): a radius around it shows nothing of a real cache, so the user is told.
QString TfrmVariableKoordinaten::unsetReferenceHint() const
{
    const auto reference = readReference(edtBezugspunkt->text());
    if (!cboxUmkreis->isChecked() || !reference || reference->latitude != 0 ||
        reference->longitude != 0)
        return {};
    return QStringLiteral(" – Der Bezugspunkt N 0° E 0° ist nicht gesetzt: Tragen Sie ihn oben "
                          "unter „Bezugspunkt“ ein (die Home-Koordinaten in den Einstellungen "
                          "werden dort vorgegeben) oder schalten Sie den Umkreis ab.");
}

// Enables "Berechnen" only for inputs that can run, and says beside each field what is wrong.
void TfrmVariableKoordinaten::checkInputs()
{
    Formula::SyntaxError error;
    const QString text = edtFormel->text();
    const auto formula = Formula::CoordinateFormula::parse(text, error);
    lblFormelFehler->setText(formula || text.isEmpty() ? QString() : markedError(text, error));
    QString problem;
    if (!formula) {
        problem = text.isEmpty() ? QStringLiteral("Bitte eine Formel eingeben.")
                                 : QStringLiteral("Die Formel enthält einen Fehler.");
    } else {
        // One set for the table and the check: a range of millions of values is expanded once.
        const Formula::VariableSet set(m_definitions, formula->variablesUsed());
        refreshVariableRows(set);
        problem = set.firstError();
        m_total = set.combinationCount();
        m_lacking.clear();
        for (int v = 0; v < Formula::kVariableCount; ++v) {
            if (set.withoutValue() >> v & 1)
                m_lacking +=
                    (m_lacking.isEmpty() ? QString() : QStringLiteral(", ")) + QChar(u'A' + v);
        }
    }
    const QString reference = edtBezugspunkt->text();
    const bool hasReference = readReference(reference).has_value();
    lblBezugFehler->setText(hasReference || reference.trimmed().isEmpty()
                                ? QString()
                                : QStringLiteral("Der Bezugspunkt wurde nicht erkannt."));
    const QString hashProblem = checkHashFields();
    if (problem.isEmpty())
        problem = hashProblem;
    const auto distance = maxDistance();
    if (problem.isEmpty() && distance && *distance < 0)
        problem = QStringLiteral("Der Umkreis muss eine Zahl über 0 km sein, z. B. 3,2.");
    else if (problem.isEmpty() && distance && !hasReference)
        problem = QStringLiteral("Für den Umkreis wird ein Bezugspunkt gebraucht.");
    btnBerechnen->setEnabled(problem.isEmpty() && !running());
    if (running())
        return;
    if (!problem.isEmpty()) {
        lblZaehler->setText(problem);
        return;
    }
    QString count = m_total == 1 ? QStringLiteral("1 Kombination")
                                 : QStringLiteral("%1 Kombinationen").arg(grouped(m_total));
    if (!m_lacking.isEmpty())
        count += QStringLiteral(" – ohne Wert und darum ungültig: %1").arg(m_lacking);
    lblZaehler->setText(count + unsetReferenceHint());
}

void TfrmVariableKoordinaten::btnBerechnenClick()
{
    Formula::SyntaxError error;
    auto formula = Formula::CoordinateFormula::parse(edtFormel->text(), error);
    if (!formula || running())
        return;
    Formula::VariableSet variables(m_definitions, formula->variablesUsed());
    if (!variables.ok())
        throw QuarvelError(variables.firstError());
    const auto solver = std::make_shared<const Formula::FormulaSolver>(
        std::move(*formula), std::move(variables), readReference(edtBezugspunkt->text()),
        Formula::Filter {cboxNurGueltige->isChecked(), maxDistance(), hashTarget()});
    m_model->reset(solver);
    m_runFormula = edtFormel->text();
    m_hashRun = solver->filter().hash != nullptr;
    m_total = solver->combinationCount();
    m_counts = {};
    m_dropped = 0;
    pbFortschritt->setValue(0);
    const uint64_t run = ++m_runNumber;
    m_runner = std::make_unique<FormulaRunner>(solver, this, [this, run](auto progress) {
        guarded(m_context.dialogs, this, [&] { deliver(run, std::move(progress)); });
    });
    btnBerechnen->setEnabled(false);
    btnAbbrechen->setEnabled(true);
    showCounts();
}

void TfrmVariableKoordinaten::btnAbbrechenClick()
{
    if (m_runner)
        m_runner->cancel();
}

void TfrmVariableKoordinaten::deliver(uint64_t run, FormulaRunner::Progress progress)
{
    if (run != m_runNumber)
        return; // a batch of a run that was replaced
    m_counts += progress.counts;
    m_dropped += m_model->append(std::move(progress.hits));
    pbFortschritt->setValue(m_total ? int(progress.done * 1000 / m_total) : 1000);
    if (progress.finished) {
        finishRun(progress.cancelled);
        if (!progress.failure.isEmpty())
            throw QuarvelError(progress.failure);
    } else
        showCounts();
}

void TfrmVariableKoordinaten::finishRun(bool cancelled)
{
    m_runner.reset();
    btnAbbrechen->setEnabled(false);
    checkInputs();
    const QHeaderView *header = tvErgebnisse->horizontalHeader();
    if (header->sortIndicatorSection() >= 0 &&
        header->sortIndicatorSection() < m_model->columnCount())
        m_model->sort(header->sortIndicatorSection(), header->sortIndicatorOrder());
    showCounts();
    if (cancelled)
        lblZaehler->setText(lblZaehler->text() + QStringLiteral(" – abgebrochen"));
    else if (m_hashRun && m_counts.shown == 0)
        lblZaehler->setText(lblZaehler->text() +
                            QStringLiteral(" – Kein Treffer: Keine Kombination ergibt diesen "
                                           "Hash%1.")
                                .arg(maxDistance() ? QStringLiteral(" im Umkreis") : QString()));
}

void TfrmVariableKoordinaten::showCounts()
{
    QString text = QStringLiteral("%1 von %2 Kombinationen berechnet, %3 gültig, %4 angezeigt")
                       .arg(grouped(m_counts.computed), grouped(m_total), grouped(m_counts.valid),
                            grouped(m_counts.shown));
    if (m_dropped > 0)
        text += QStringLiteral(" (die Liste fasst die ersten %1)")
                    .arg(grouped(FormulaResultModel::kMaxRows));
    if (m_counts.shown == 0)
        text += unsetReferenceHint();
    lblZaehler->setText(text);
}

void TfrmVariableKoordinaten::saveResults(const QString &title, const QString &fileName,
                                          const QString &filter, const QString &suffix,
                                          const std::function<bool(QIODevice &)> &write)
{
    if (!m_model->solver() || m_model->hits().empty())
        throw QuarvelError(QStringLiteral("Es gibt noch keine Ergebnisse zum Speichern"));
    Dialogs::FileRequest request;
    request.title = title;
    request.fileName = fileName;
    request.filter = filter;
    request.defaultSuffix = suffix;
    const QString path = m_context.dialogs.saveFileName(this, request);
    if (path.isEmpty())
        return;
    const QString failure = writeFileSafely(path, write);
    if (!failure.isEmpty())
        throw QuarvelError(failure);
}

void TfrmVariableKoordinaten::saveGpxClick()
{
    saveResults(QStringLiteral("Als GPX speichern"), QStringLiteral("Varianten.gpx"),
                QStringLiteral("GPX-Dateien (*.gpx);;Alle Dateien (*)"), QStringLiteral("gpx"),
                [this](QIODevice &device) {
                    return Formula::writeGpx(device, *m_model->solver(), m_model->hits(),
                                             m_runFormula);
                });
}

void TfrmVariableKoordinaten::saveCsvClick()
{
    saveResults(QStringLiteral("Als CSV speichern"), QStringLiteral("Varianten.csv"),
                QStringLiteral("CSV-Dateien (*.csv);;Alle Dateien (*)"), QStringLiteral("csv"),
                [this](QIODevice &device) {
                    return Formula::writeCsv(device, *m_model->solver(), m_model->hits(),
                                             m_model->notation());
                });
}

// The selected rows (or the current one) as tab-separated lines.
void TfrmVariableKoordinaten::copyRows()
{
    if (!m_model->solver())
        return;
    QModelIndexList rows = tvErgebnisse->selectionModel()->selectedRows();
    if (rows.isEmpty() && tvErgebnisse->currentIndex().isValid())
        rows.append(tvErgebnisse->currentIndex());
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QStringList lines;
    for (const QModelIndex &row : rows) {
        const Formula::Hit &hit = m_model->hits()[size_t(row.row())];
        lines.append(Formula::resultLine(*m_model->solver(), hit, m_model->coordinate(hit)));
    }
    if (!lines.isEmpty())
        QApplication::clipboard()->setText(lines.join(u'\n'));
}
