#pragma once
// VB's Timer control. While enabled with an interval above 0, it raises OnTimer every interval.
// Enabling it (again), or changing the interval while it is enabled, restarts the countdown from
// now; disabling it stops it. A handler that disables its own timer makes it a one-shot.
// Unloading its form stops it; destroying it takes it off the loop.

#include <platform/windowing/control.h>

#include <cstdint>
#include <functional>

namespace windowing {

class Timer : public Control {
  public:
    explicit Timer(Form* parent = nullptr, std::string name = "Timer");
    ~Timer() override;
    std::string TypeName() const override { return "Timer"; }
    bool CanFocus() const override { return false; }

    int32_t Interval() const { return interval_; }
    // Milliseconds, 0 to 65535 as in VB; outside that is error 380 and nothing changes.
    void SetInterval(int32_t ms);
    void SetEnabled(bool value) override;
    // Whether the loop counts down for this timer now (enabled, interval above 0, form loaded).
    bool IsRunning() const;

    std::function<void()> OnTimer;

  private:
    friend class EventLoop;
    friend class Form;
    void Restart();
    void Stop();
    void Fire();

    int32_t interval_ = 0;
};

}  // namespace windowing
