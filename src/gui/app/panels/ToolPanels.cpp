#include "gui/app/panels/ToolPanels.h"

#include "gui/app/ToolPanel.h"
#include "gui/app/panels/gboxBWW.h"
#include "gui/app/panels/gboxBuchstabenverteilung.h"
#include "gui/app/panels/gboxChiffren.h"
#include "gui/app/panels/gboxDiagramm.h"
#include "gui/app/panels/gboxGcCode.h"
#include "gui/app/panels/gboxKoordinaten.h"
#include "gui/app/panels/gboxQuersumme.h"
#include "gui/app/panels/gboxRoemZahlen.h"
#include "gui/app/panels/gboxRotVerschiebung.h"
#include "gui/app/panels/gboxTrifid.h"
#include "gui/app/panels/gboxUmrechnung.h"
#include "gui/app/panels/gboxVigenere.h"
#include "gui/calc/CalcNavigator.h"

std::vector<ToolPanel *> createToolPanels(AppContext &context, HeaderLines &header, QWidget *parent)
{
    // In the order of the navigator.
    std::vector<ToolPanel *> panels = {
        new gboxKoordinaten(context, parent),
        new gboxQuersumme(context, header, parent),
        new gboxBWW(context, parent),
        new gboxBuchstabenverteilung(context, parent),
        new gboxRotVerschiebung(context, header, parent),
        new gboxRömZahlen(context, parent),
        new gboxVigenere(context, parent),
        new gboxTrifid(context, parent),
        new gboxChiffren(context, parent),
        new gboxDiagramm(context, parent),
        new gboxUmrechnung(context, parent),
        new gboxGcCode(context, parent),
    };
    appendCalcPanels(panels, parent);
    return panels;
}
