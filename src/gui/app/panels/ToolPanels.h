#pragma once

#include <vector>

class HeaderLines;
class QWidget;
class ToolPanel;
struct AppContext;

// Creates every tool panel of the main window, each named by its objectName.
std::vector<ToolPanel *> createToolPanels(AppContext &context, HeaderLines &header,
                                          QWidget *parent);
