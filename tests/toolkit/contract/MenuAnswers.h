// What a back end's driver keeps of context menus: the choices queued for the next ones and
// the items of each one shown, as the driver read them from the screen.
#pragma once

#include "toolkit/Application.h"

#include <deque>
#include <optional>
#include <utility>
#include <vector>

namespace kestrune::toolkit::contract {

class MenuAnswers {
public:
    void Queue(std::optional<int> item) { choices_.push_back(item); }
    const std::vector<std::vector<MenuItem>>& Shown() const { return shown_; }

    // Records a menu shown with these items and takes the choice for it: an item's index,
    // or nothing (dismiss it) when none was queued or the one queued is not an item.
    std::optional<int> Take(std::vector<MenuItem> items) {
        const auto count = static_cast<int>(items.size());
        shown_.push_back(std::move(items));
        if (choices_.empty()) {
            return std::nullopt;
        }
        const std::optional<int> choice = choices_.front();
        choices_.pop_front();
        return choice && *choice >= 0 && *choice < count ? choice : std::nullopt;
    }

private:
    std::deque<std::optional<int>> choices_;
    std::vector<std::vector<MenuItem>> shown_;
};

}  // namespace kestrune::toolkit::contract
