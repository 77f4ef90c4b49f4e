#include "gui/app/panels/ToolPanels.h"

#include "gui/app/ToolPanel.h"
#include "gui/app/panels/gboxDiagramm.h"
#include "gui/app/panels/gboxKoordinaten.h"
#include "gui/app/panels/gboxRotVerschiebung.h"
#include "gui/app/panels/gboxTrifid.h"
#include "gui/app/panels/gboxVigenere.h"

std::vector<ToolPanel *> createToolPanels(AppContext &context, HeaderLines &header, QWidget *parent)
{
    Q_UNUSED(context);
    Q_UNUSED(header);
    Q_UNUSED(parent);
    std::vector<ToolPanel *> panels;
    // One line per tool panel, in the order of the navigator.
    panels.push_back(new gboxKoordinaten(context, parent));

    // [gboxQuersumme]

    // [gboxBWW]

    // [gboxBuchstabenverteilung]

    panels.push_back(new gboxRotVerschiebung(context, header, parent));

    // [gboxRömZahlen]

    panels.push_back(new gboxVigenere(context, parent));

    panels.push_back(new gboxTrifid(context, parent));

    panels.push_back(new gboxDiagramm(context, parent));

    // [gboxUmrechnung]

    return panels;
}
