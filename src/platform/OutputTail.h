// The end of what a child process wrote: appending keeps only the last `limit` bytes.
#pragma once

#include <string>
#include <string_view>

namespace kestrune::platform {

inline void AppendToTail(std::string& tail, std::string_view data, std::size_t limit) {
    if (limit == 0) {
        return;
    }
    if (data.size() >= limit) {
        tail.assign(data.substr(data.size() - limit));
        return;
    }
    tail.append(data);
    if (tail.size() > limit) {
        tail.erase(0, tail.size() - limit);
    }
}

}  // namespace kestrune::platform
