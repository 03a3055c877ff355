// The headless message loop: posted closes first, in the order posted, then timer ticks
// that are due on the virtual clock, earliest first. Each pass of the clock stands still,
// so a timer ticks at most once per dispatch, as missed window-timer ticks come as one.
#include "toolkit/headless/HeadlessSession.h"

#include "toolkit/headless/HeadlessWindow.h"

#include <algorithm>

namespace kestrune::toolkit::headless {
namespace {

// The enabled timer due soonest, among those due by the given time; null when none is.
HeadlessTimer* NextDueTimer(std::int64_t byTime) {
    HeadlessTimer* next = nullptr;
    for (HeadlessTimer* timer : TheSession().timers) {
        if (timer->IsEnabled() && timer->Due() <= byTime &&
            (next == nullptr || timer->Due() < next->Due())) {
            next = timer;
        }
    }
    return next;
}

}  // namespace

Session& TheSession() {
    static Session session;
    return session;
}

void DispatchPending() {
    Session& session = TheSession();
    for (;;) {
        if (!session.postedCloses.empty()) {
            HeadlessWindow* window = session.postedCloses.front();
            session.postedCloses.pop_front();
            window->Close();
        } else if (HeadlessTimer* timer = NextDueTimer(session.now)) {
            timer->Tick();
        } else {
            return;
        }
    }
}

void RunClock(std::int64_t milliseconds) {
    Session& session = TheSession();
    const std::int64_t end = session.now + std::max<std::int64_t>(0, milliseconds);
    DispatchPending();
    while (const HeadlessTimer* timer = NextDueTimer(end)) {
        session.now = std::max(session.now, timer->Due());
        DispatchPending();
    }
    session.now = end;
    DispatchPending();
}

}  // namespace kestrune::toolkit::headless
