// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/sharedstate.h"

class QWidget;

namespace listmaker {
class MakeSListWindow;
}
namespace songdb {
class AddDataWindow;
}

namespace shell {

// How a working window reaches the other windows. The main window implements it.
class Navigator
{
public:
    virtual ~Navigator() = default;
    // Shows the main window again (non-modal).
    virtual void showMain() = 0;
    // Shows the product information window at the given entry, non-modal.
    virtual void showProgramInfo(int entry = 0) = 0;
    // The window, loaded without being shown when it is not loaded.
    virtual listmaker::MakeSListWindow &createListWindow() = 0;
    virtual songdb::AddDataWindow &navigationWindow() = 0;
    // The window the others open over and centre on the first time; none: the screen's centre.
    virtual const QWidget *mainWindow() const { return nullptr; }
};

} // namespace shell
