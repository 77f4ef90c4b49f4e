#include "gui/app/panels/ToolPanels.h"

#include "gui/app/ToolPanel.h"
#include "gui/app/panels/gboxBWW.h"
#include "gui/app/panels/gboxBuchstabenverteilung.h"
#include "gui/app/panels/gboxQuersumme.h"
#include "gui/app/panels/gboxRoemZahlen.h"
#include "gui/app/panels/gboxUmrechnung.h"

std::vector<ToolPanel *> createToolPanels(AppContext &context, HeaderLines &header, QWidget *parent)
{
    Q_UNUSED(context);
    Q_UNUSED(header);
    Q_UNUSED(parent);
    std::vector<ToolPanel *> panels;
    // One line per tool panel, in the order of the navigator.
    // [gboxKoordinaten]

    panels.push_back(new gboxQuersumme(context, header, parent));

    panels.push_back(new gboxBWW(context, parent));

    panels.push_back(new gboxBuchstabenverteilung(context, parent));

    // [gboxRotVerschiebung]

    panels.push_back(new gboxRömZahlen(context, parent));

    // [gboxVigenere]

    // [gboxTrifid]

    // [gboxDiagramm]

    panels.push_back(new gboxUmrechnung(context, parent));

    return panels;
}
