#include <platform/windowing/timer.h>

#include <platform/automation/errors.h>
#include <platform/windowing/event_loop.h>
#include <platform/windowing/form.h>

namespace windowing {

Timer::Timer(Form* parent, std::string name) : Control(parent, std::move(name)) {}

Timer::~Timer() { EventLoop::Instance().StopTimer(this); }

void Timer::SetInterval(int32_t ms) {
    if (ms < 0 || ms > 65535) automation::Raise(380, Name(), "Invalid property value");
    interval_ = ms;
    if (Enabled()) Restart();
}

void Timer::SetEnabled(bool value) {
    Control::SetEnabled(value);
    Restart();
}

bool Timer::IsRunning() const {
    return EventLoop::Instance().timers_.count(const_cast<Timer*>(this)) > 0;
}

void Timer::Restart() {
    auto& loop = EventLoop::Instance();
    const bool formAllows = !Parent() || Parent()->IsLoaded();
    if (Enabled() && interval_ > 0 && formAllows) {
        loop.StartTimer(this, interval_);
    } else {
        loop.StopTimer(this);
    }
}

void Timer::Stop() { EventLoop::Instance().StopTimer(this); }

void Timer::Fire() {
    // The handler may destroy this timer (its form unloaded and released); it runs from a copy
    // so that nothing of the timer is touched once it returns.
    auto handler = OnTimer;
    if (handler) handler();
}

}  // namespace windowing
