// The fixture of the tests of what only the Qt back end does: a shown top-level window on
// Qt's offscreen platform, and access to the widget behind any control.
#pragma once

#include "toolkit/Toolkit.h"
#include "toolkit/qt/QtControl.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <cstdlib>
#include <memory>

namespace kestrune::toolkit::qt {

template <class Kind>
Kind& WidgetOf(const Control& control) {
    return dynamic_cast<Kind&>(WidgetOf(control));
}

class QtTestWindow : public ::testing::Test {
protected:
    QtTestWindow() {
        // No display is needed; ctest sets this too, a direct run gets it here.
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        window = CreateTopLevelWindow("Test");
        window->SetClientSize({400, 300});
        window->Show();
    }

    std::unique_ptr<Window> window;
};

}  // namespace kestrune::toolkit::qt
