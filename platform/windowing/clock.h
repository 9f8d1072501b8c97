#pragma once
// The time source of the event loop. Programs run on the system's steady clock; tests install a
// virtual clock that only moves when the test says so, so timers fire deterministically.

#include <cstdint>

namespace windowing {

class Clock {
  public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary origin; never goes back.
    virtual int64_t NowMs() const = 0;
    // A virtual clock can be moved by the loop; a real one cannot.
    virtual bool IsVirtual() const { return false; }
};

class SystemClock final : public Clock {
  public:
    int64_t NowMs() const override;
};

class VirtualClock final : public Clock {
  public:
    explicit VirtualClock(int64_t startMs = 0) : now_(startMs) {}
    int64_t NowMs() const override { return now_; }
    bool IsVirtual() const override { return true; }
    // Sets the time; a time before the current one is ignored, since clocks never go back.
    void SetNowMs(int64_t ms);

  private:
    int64_t now_;
};

}  // namespace windowing
