#include "gui/app/panels/ToolPanels.h"

#include "gui/app/ToolPanel.h"
#include "gui/app/panels/gboxDiagramm.h"

std::vector<ToolPanel *> createToolPanels(AppContext &context, HeaderLines &header, QWidget *parent)
{
    Q_UNUSED(context);
    Q_UNUSED(header);
    Q_UNUSED(parent);
    std::vector<ToolPanel *> panels;
    // One line per tool panel, in the order of the navigator.
    // [gboxKoordinaten]

    // [gboxQuersumme]

    // [gboxBWW]

    // [gboxBuchstabenverteilung]

    // [gboxRotVerschiebung]

    // [gboxRömZahlen]

    // [gboxVigenere]

    // [gboxTrifid]

    panels.push_back(new gboxDiagramm(context, parent));

    // [gboxUmrechnung]

    return panels;
}
