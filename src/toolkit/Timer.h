// A window timer: while enabled it reports a tick every interval, on the GUI thread and
// only while the thread dispatches messages. Ticks missed while the thread was busy come
// as one. Enabling a running timer changes nothing; enabling a stopped one starts a new
// interval. A timer stops when its window closes.
#pragma once

#include <functional>

namespace kestrune::toolkit {

class Timer {
public:
    Timer() = default;
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    virtual ~Timer() = default;

    virtual int Interval() const = 0;  // milliseconds
    virtual void SetInterval(int milliseconds) = 0;
    virtual bool IsEnabled() const = 0;
    virtual void SetEnabled(bool enabled) = 0;

    std::function<void()> onTick;
};

}  // namespace kestrune::toolkit
