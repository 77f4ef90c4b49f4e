#include "gui/calc/CalcNavigator.h"

#include "gui/calc/CalcPanel.h"
#include "logic/calc/CalcTool.h"

#include <QTreeWidget>

std::vector<NavigatorNode> calcNavigatorNodes()
{
    std::vector<NavigatorNode> nodes;
    NavigatorNode group;
    group.text = QStringLiteral("Rechnen");
    group.kind = NavigatorNode::Kind::Group;
    group.panel = QStringLiteral("pnlLeer");
    nodes.push_back(group);
    for (const QString &text : Calc::calcNodes()) {
        NavigatorNode node;
        node.text = text;
        node.caption = QStringLiteral(" Rechnen ");
        QStringList names;
        for (const Calc::Tool *tool : Calc::toolsOfNode(text))
            names.append(tool->germanName);
        node.oben = names.join(QStringLiteral(", "));
        node.oben2 = QStringLiteral("Exakt bei Zahlen jeder Größe; dieselben Werkzeuge gibt es in "
                                    "quarvel-cli");
        node.panel = calcPanelName(text);
        // A group box reads "&" as the mark of a shortcut letter.
        QString caption = text;
        node.panelCaption = u' ' + caption.replace(u'&', QStringLiteral("&&")) + u' ';
        nodes.push_back(node);
    }
    return nodes;
}

NavigatorGroup calcNavigatorGroup()
{
    return {QStringLiteral("Rechnen"), Calc::calcNodes()};
}

void appendCalcPanels(std::vector<ToolPanel *> &panels, QWidget *parent)
{
    for (const QString &node : Calc::calcNodes())
        panels.push_back(new CalcPanel(node, parent));
}

bool navigatorNodeMatches(const QString &nodeText, const QString &filter)
{
    const auto holds = [&filter](const QString &text) {
        return text.contains(filter, Qt::CaseInsensitive);
    };
    if (filter.trimmed().isEmpty() || holds(nodeText))
        return true;
    if (const NavigatorNode *node = findNavigatorNode(nodeText)) {
        if ((node->oben && holds(*node->oben)) || (node->oben2 && holds(*node->oben2)))
            return true;
    }
    for (const Calc::Tool *tool : Calc::toolsOfNode(nodeText)) {
        if (holds(tool->germanName) || holds(tool->explanation))
            return true;
    }
    return false;
}

void filterNavigator(QTreeWidget &tree, const QString &filter)
{
    const QString wanted = filter.trimmed();
    for (int g = 0; g < tree.topLevelItemCount(); ++g) {
        QTreeWidgetItem *group = tree.topLevelItem(g);
        int shown = 0;
        for (int i = 0; i < group->childCount(); ++i) {
            QTreeWidgetItem *item = group->child(i);
            const bool match = navigatorNodeMatches(item->text(0), wanted);
            item->setHidden(!match);
            shown += match ? 1 : 0;
        }
        group->setHidden(!wanted.isEmpty() && shown == 0);
        if (!wanted.isEmpty())
            group->setExpanded(shown > 0);
    }
}
