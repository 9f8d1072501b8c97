#pragma once
// The process's event loop. It keeps the posted events, the running timers, the clock and the
// back end; nested loops (a modal form, SpinUntil) stack on it. Everything runs on one thread,
// as on the client's user-interface thread, and handlers may re-enter the loop through DoEvents.

#include <platform/automation/object.h>
#include <platform/windowing/backend.h>
#include <platform/windowing/clock.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace windowing {

class Form;
class Timer;

class EventLoop {
  public:
    // The loop of the process.
    static EventLoop& Instance();

    // --- Clock -------------------------------------------------------------------------------
    int64_t Now() const { return clock_->NowMs(); }
    void SetClock(std::shared_ptr<Clock> clock);
    // Installs a fresh virtual clock at time 0 (tests).
    void UseVirtualClock();
    bool HasVirtualClock() const { return clock_->IsVirtual(); }
    // Moves the virtual clock forward by `ms`, firing every timer that falls due on the way in
    // the order of its due time (ties: the timer started first fires first). The clock stands at
    // each due time while its handler runs; posted events run after each firing. Fails with
    // error 5 on a real clock or a negative step.
    void AdvanceTime(int64_t ms);

    // --- Back end ----------------------------------------------------------------------------
    // The back end that draws and answers; a default headless one (not strict) until a program
    // or a test installs its own.
    Backend& GetBackend() const { return *backend_; }
    std::shared_ptr<Backend> BackendPtr() const { return backend_; }
    void SetBackend(std::shared_ptr<Backend> backend);

    // --- Posted events -----------------------------------------------------------------------
    // Queues a call for the next pass of the loop.
    void Post(std::function<void()> action);
    // The same, skipped when `owner` is gone by then; the queue keeps only a weak reference, so
    // a posted call never keeps a form alive.
    void DeferredInvoke(const std::shared_ptr<automation::Object>& owner,
                        std::function<void()> action);
    void DeferredInvoke(std::function<void()> action) { Post(std::move(action)); }
    size_t PendingEvents() const { return posted_.size(); }

    // One pass, as VB's DoEvents: lets the back end pump its native events (at most once every
    // kNativePumpIntervalMs of loop time), runs the events posted before the call (what they post
    // waits for the next pass), then every timer due now. Returns how many calls ran.
    int DoEvents();

    // A nested loop: passes until `done` answers true. Between passes with nothing to run it
    // asks the back end for input; when the back end has none to give, it fails with error 5
    // naming `modalForm`, instead of hanging.
    void RunUntil(const std::function<bool()>& done, Form* modalForm = nullptr);
    // The program's main loop: passes until Quit, and answers Quit's code. Like every nested
    // loop it fails when the back end has no input left to give.
    int Exec();
    // Ends the innermost Exec after the current pass.
    void Quit(int code = 0);

    // Depth of nested loops now running (0 outside any).
    int LoopDepth() const { return depth_; }

    // For tests: passes until `predicate` holds, at most `maxPasses` times. On a virtual clock an
    // idle pass moves the clock to the next due timer. Returns whether the predicate held.
    bool SpinUntil(const std::function<bool()>& predicate, int maxPasses = 10000);

    // The time to the next due timer, if any runs.
    std::optional<int64_t> MsUntilNextTimer() const;
    size_t RunningTimers() const { return timers_.size(); }

    // Back to a fresh state: no posted events, no running timers, the system clock and the
    // default back end. Tests call it (through ScopedHeadless) between cases.
    void Reset();

  private:
    friend class Timer;
    EventLoop();

    struct TimerEntry {
        int64_t due;
        uint64_t sequence;
    };
    struct PostedEvent {
        std::weak_ptr<automation::Object> owner;
        bool guarded;
        std::function<void()> action;
    };

    // Timers call these: (re)starts the countdown of a timer from now; stops it.
    void StartTimer(Timer* timer, int64_t intervalMs);
    void StopTimer(Timer* timer);

    void PumpNativeEvents();
    int RunPostedEvents();
    int FireDueTimers(int64_t now);
    std::optional<std::pair<Timer*, TimerEntry>> NextTimer() const;
    void FireTimer(Timer* timer, int64_t due);

    std::shared_ptr<Clock> clock_;
    std::shared_ptr<Backend> backend_;
    std::deque<PostedEvent> posted_;
    std::map<Timer*, TimerEntry> timers_;
    uint64_t nextSequence_ = 0;
    std::optional<int64_t> lastPump_;
    bool quitRequested_ = false;
    int quitCode_ = 0;
    int depth_ = 0;
};

// VB's DoEvents on the process's loop.
int DoEvents();

// Installs a back end on the process's loop for the life of the object, and puts the one it
// replaced back when it goes (before whatever owns that one closes what is still shown).
class ScopedBackend {
  public:
    explicit ScopedBackend(std::shared_ptr<Backend> replacement)
        : saved_(EventLoop::Instance().BackendPtr()) {
        EventLoop::Instance().SetBackend(std::move(replacement));
    }
    ~ScopedBackend() { EventLoop::Instance().SetBackend(saved_); }
    ScopedBackend(const ScopedBackend&) = delete;
    ScopedBackend& operator=(const ScopedBackend&) = delete;

  private:
    std::shared_ptr<Backend> saved_;
};

}  // namespace windowing
