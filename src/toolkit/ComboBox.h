// A drop-down list from which the user picks one item; nothing can be typed into it.
// onSelect reports a pick by the user only, not SetSelectedIndex.
#pragma once

#include "toolkit/Control.h"

#include <functional>
#include <string>

namespace kestrune::toolkit {

class ComboBox : public Control {
public:
    virtual void AddItem(const std::string& text) = 0;
    virtual int ItemCount() const = 0;
    // The item's text; empty for an index that names no item.
    virtual std::string ItemText(int index) const = 0;
    virtual void ClearItems() = 0;

    // The selected item; -1 when none is selected. An index that names no item selects none.
    virtual int SelectedIndex() const = 0;
    virtual void SetSelectedIndex(int index) = 0;

    std::function<void()> onSelect;
};

}  // namespace kestrune::toolkit
