#pragma once

#include "gui/app/NavigatorNodes.h"

#include <vector>

class QTreeWidget;
class ToolPanel;
class QWidget;

// The group "Rechnen" of the navigator: one node per group of calculating tools, each showing the
// generic panel with the tools of that node.
std::vector<NavigatorNode> calcNavigatorNodes();
NavigatorGroup calcNavigatorGroup();
void appendCalcPanels(std::vector<ToolPanel *> &panels, QWidget *parent);

// True when the node's text or explanation, or (for a node of calculating tools) the name or
// explanation of one of its tools, holds `filter`, ignoring case.
bool navigatorNodeMatches(const QString &nodeText, const QString &filter);
// Hides every node of the tree that does not match and every group left empty; an empty filter
// shows the whole tree again.
void filterNavigator(QTreeWidget &tree, const QString &filter);
