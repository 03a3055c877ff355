// The toolkit's contract, checked on every back end: each back end's test program defines
// MakeDriver, and the same tests run against its controls through that driver.
#pragma once

#include "toolkit/Driver.h"
#include "toolkit/Toolkit.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace kestrune::toolkit {

// Menu items as failure messages show them.
inline void PrintTo(const MenuItem& item, std::ostream* out) {
    *out << '"' << item.text << '"' << (item.checked ? " checked" : "");
}

}  // namespace kestrune::toolkit

namespace kestrune::toolkit::contract {

// The driver of the back end this test program is built with.
std::unique_ptr<Driver> MakeDriver();

class Contract : public ::testing::Test {
protected:
    Contract() {
        window->SetClientSize({400, 300});
        window->Show();
    }

    std::unique_ptr<Driver> driver = MakeDriver();
    std::unique_ptr<Window> window = CreateTopLevelWindow("Test");
};

}  // namespace kestrune::toolkit::contract
