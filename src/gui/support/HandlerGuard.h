#pragma once

#include "gui/support/Dialogs.h"
#include "logic/common/QuarvelError.h"

#include <exception>
#include <utility>

class QWidget;

// Runs an event handler's body so that no exception crosses a Qt frame: an invalid-input error
// is shown in the general error box, the handler is abandoned where it failed, and the program
// goes on. Every handler connected to a signal runs through this.
template<typename Body> void guarded(Dialogs &dialogs, QWidget *parent, Body &&body)
{
    try {
        std::forward<Body>(body)();
    } catch (const QuarvelError &error) {
        dialogs.showError(parent, error.message());
    } catch (const std::exception &error) {
        dialogs.showError(parent, QString::fromLocal8Bit(error.what()));
    }
}
