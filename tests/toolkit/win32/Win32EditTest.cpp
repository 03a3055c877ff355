// The Win32 edit field's caret as the user moves it with the keys: the base follows, so the
// next typed character lands where the field shows the caret.
#include "Win32Driver.h"
#include "toolkit/Toolkit.h"

#include <gtest/gtest.h>

namespace kestrune::toolkit::win32 {
namespace {

TEST(Win32Edit, TheCaretFollowsTheUsersKeysAndTypingGoesThere) {
    const auto window = CreateTopLevelWindow("Test");
    window->Show();
    Edit& edit = window->AddEdit();
    edit.SetText("Жыц");
    Win32Driver driver;
    for (const auto& [key, caret] : {std::pair{VK_HOME, 0}, std::pair{VK_RIGHT, 1}}) {
        SendMessageW(WindowOf(edit), WM_KEYDOWN, key, 0);
        EXPECT_EQ(edit.CaretPosition(), caret);
    }
    driver.TypeText(edit, "-");
    EXPECT_EQ(edit.Text(), "Ж-ыц");
    EXPECT_EQ(edit.CaretPosition(), 2);
}

}  // namespace
}  // namespace kestrune::toolkit::win32
