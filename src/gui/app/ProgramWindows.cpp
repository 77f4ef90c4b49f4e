#include "gui/app/ProgramWindows.h"

#include "gui/app/AppContext.h"
#include "gui/app/Einstellungen_Unit.h"
#include "gui/app/Info_Unit.h"
#include "gui/app/Main_Unit.h"
#include "gui/cacher/Cacher_Unit.h"
#include "gui/codebreaker/CodeKnacker_Unit.h"
#include "gui/formula/Formelrechner_Unit.h"
#include "gui/formula/VariableKoordinaten_Unit.h"
#include "gui/image/Bildanalyse_Unit.h"
#include "gui/map/Karte_Unit.h"
#include "gui/solvers/Fermil_Unit.h"
#include "gui/solvers/uSudoku.h"
#include "gui/symbols/Symbole_Unit.h"
#include "gui/tools/Hilfsfenster_Unit.h"
#include "gui/tools/KoordRechner_Unit.h"
#include "gui/update/Upd_DL_Unit.h"

#include "logic/common/QuarvelError.h"

#include <QPlainTextEdit>
#include <QTableWidget>

ProgramWindows::ProgramWindows(AppContext &context)
    : m_context(context)
    , m_main(std::make_unique<TfrmQuarvelMain>(context))
{
    SecondaryWindows &windows = context.windows;
    // Each maker keeps what it built until the program ends.
    const auto keep = [this](std::unique_ptr<QWidget> window) {
        m_windows.push_back(std::move(window));
        return m_windows.back().get();
    };
    windows.info.setMaker([this, keep] { return keep(std::make_unique<TfrmInfo>(m_context)); });
    windows.einstellungen.setMaker(
        [this, keep] { return keep(std::make_unique<TfrmEinstellungen>(m_context, *m_main)); });
    windows.misc.setMaker([keep] { return keep(std::make_unique<TfrmMisc>()); });
    windows.cacher.setMaker([this, keep] { return keep(std::make_unique<TfrmCacher>(m_context)); });
    // The new-version window belongs to the main window.
    windows.updDL.setMaker([this] { return new TfrmUpdDL(m_context, m_main.get()); });
    windows.sudoku.setMaker([this, keep] { return keep(std::make_unique<TfrmSudoku>(m_context)); });
    windows.fermilab.setMaker(
        [this, keep] { return keep(std::make_unique<TfrmFermilab>(m_context)); });
    windows.koordRechner.setMaker(
        [this, keep] { return keep(std::make_unique<TfrmKoordRechner>(m_context)); });
    windows.variableKoordinaten.setMaker(
        [this, keep] { return keep(std::make_unique<TfrmVariableKoordinaten>(m_context)); });
    windows.codeKnacker.setMaker([this, keep] {
        auto window = std::make_unique<TfrmCodeKnacker>(m_context);
        TfrmCodeKnacker *knacker = window.get();
        knacker->setOpenCipher(
            [this, knacker](const QString &method, const Ciphers::ParamValues &p) {
                m_main->openCipher(method, p, knacker->memGeheimtext->toPlainText());
            });
        return keep(std::move(window));
    });
    windows.karte.setMaker([this, keep] { return keep(std::make_unique<TfrmKarte>(m_context)); });
    windows.formelrechner.setMaker([this, keep] {
        auto window = std::make_unique<TfrmFormelrechner>(m_context);
        window->setTakeOver([this](const QString &formula, const QMap<QChar, QString> &values) {
            takeOverIntoVariableKoordinaten(formula, values);
        });
        return keep(std::move(window));
    });
    windows.bildanalyse.setMaker(
        [this, keep] { return keep(std::make_unique<TfrmBildanalyse>(m_context)); });
    windows.symbole.setMaker([this, keep] {
        auto window = std::make_unique<TfrmSymbole>(m_context);
        window->setOpenCodeBreaker([this](const QString &text) { openCodeBreaker(text); });
        return keep(std::move(window));
    });
    m_main->windowsCreated();
}

// The formula calculator hands the final coordinate with the letters still unknown to the
// variable coordinates: the formula, and the sheet's values of letters inside its brackets.
void ProgramWindows::takeOverIntoVariableKoordinaten(const QString &formula,
                                                     const QMap<QChar, QString> &values)
{
    auto *window =
        dynamic_cast<TfrmVariableKoordinaten *>(m_context.windows.variableKoordinaten.get());
    if (!window)
        return;
    window->edtFormel->setText(formula);
    for (int row = 0; row < window->tblVariablen->rowCount(); ++row) {
        const QTableWidgetItem *letter = window->tblVariablen->item(row, 0);
        if (letter && letter->text().size() == 1 && values.contains(letter->text().at(0)))
            window->tblVariablen->setItem(row, 1,
                                          new QTableWidgetItem(values.value(letter->text().at(0))));
    }
    window->show();
    window->raise();
    window->activateWindow();
}

// The code breaker, shown with `text` as its cipher text and its search started.
void ProgramWindows::openCodeBreaker(const QString &text)
{
    auto *knacker = dynamic_cast<TfrmCodeKnacker *>(m_context.windows.codeKnacker.get());
    if (!knacker)
        throw QuarvelError(QStringLiteral("Der Code-Knacker ist nicht verfügbar"));
    knacker->memGeheimtext->setPlainText(text);
    knacker->startSearch();
    knacker->show();
    knacker->raise();
    knacker->activateWindow();
}

ProgramWindows::~ProgramWindows()
{
    // The secondary windows go first, as before: none may outlive the context's services.
    m_context.windows = SecondaryWindows {};
    m_windows.clear();
}
