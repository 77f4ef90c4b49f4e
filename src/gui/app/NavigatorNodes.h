#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class SecondaryWindow;
struct SecondaryWindows;

// What choosing a node of the navigator shows. Rows are compared with the chosen node's text
// exactly and in this order; the first match wins.
struct NavigatorNode
{
    enum class Kind { Group, GroupRecursive, Tool, Chart, Window };

    QString text;
    Kind kind = Kind::Tool;
    QString caption; // header box caption (Tool)
    std::optional<QString> oben; // lblOben; nullopt: set by the panel's reset
    std::optional<QString> oben2; // lblOben2; nullopt: set by the panel's reset
    QString panel; // objectName of the panel brought to the front (Tool)
    std::optional<QString> panelCaption; // replaces " " + node text + " " as the panel's caption
    QString chartFile; // Chart: image file beside the program
    SecondaryWindow SecondaryWindows::*window = nullptr; // Window: the window the node opens
};

const std::vector<NavigatorNode> &navigatorNodes();
const NavigatorNode *findNavigatorNode(const QString &text);

// The tree as shown: each group with its tool nodes, in display order.
struct NavigatorGroup
{
    QString text;
    QStringList tools;
};
const std::vector<NavigatorGroup> &navigatorTree();

// The one tool node that is shown but disabled; no view belongs to it.
inline const QString kDisabledNode = QStringLiteral("Freimauerer-Code");
