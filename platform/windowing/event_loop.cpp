#include <platform/windowing/event_loop.h>

#include <platform/automation/errors.h>
#include <platform/windowing/form.h>
#include <platform/windowing/headless_backend.h>
#include <platform/windowing/timer.h>

#include <algorithm>
#include <limits>
#include <thread>
#include <vector>

namespace windowing {

namespace {

// Times stop at the end of the clock instead of wrapping round into the past: a wait of "for
// ever" on a virtual clock is the largest time there is.
int64_t SaturatingAdd(int64_t now, int64_t ms) {
    if (ms > 0 && now > std::numeric_limits<int64_t>::max() - ms) {
        return std::numeric_limits<int64_t>::max();
    }
    return now + ms;
}

constexpr const char* kSource = "windowing.EventLoop";

std::shared_ptr<Backend> DefaultBackend() { return std::make_shared<HeadlessBackend>(false); }

// Keeps the depth of nested loops right however a loop ends.
class DepthGuard {
  public:
    explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

  private:
    int& depth_;
};

}  // namespace

EventLoop& EventLoop::Instance() {
    static EventLoop loop;
    return loop;
}

EventLoop::EventLoop() : clock_(std::make_shared<SystemClock>()), backend_(DefaultBackend()) {}

int DoEvents() { return EventLoop::Instance().DoEvents(); }

// --- Clock -----------------------------------------------------------------------------------

void EventLoop::SetClock(std::shared_ptr<Clock> clock) {
    clock_ = clock ? std::move(clock) : std::make_shared<SystemClock>();
}

void EventLoop::UseVirtualClock() { SetClock(std::make_shared<VirtualClock>(0)); }

void EventLoop::AdvanceTime(int64_t ms) {
    auto clock = std::dynamic_pointer_cast<VirtualClock>(clock_);
    if (!clock) {
        automation::Raise(automation::vberr::InvalidProcedureCall, kSource,
                          "Only a virtual clock can be advanced; this loop runs on real time.");
    }
    if (ms < 0) {
        automation::Raise(automation::vberr::InvalidProcedureCall, kSource,
                          "The clock cannot be moved back.");
    }
    const int64_t target = SaturatingAdd(clock->NowMs(), ms);
    RunPostedEvents();
    // A handler may replace the clock (a test resetting the loop); the walk stops with it.
    std::optional<std::pair<Timer*, int64_t>> lastFired;
    while (clock_ == clock) {
        auto next = NextTimer();
        if (!next || next->second.due > target) break;
        // At the end of the clock a periodic timer stays due; it fires there once.
        if (lastFired == std::make_pair(next->first, next->second.due)) break;
        lastFired = std::make_pair(next->first, next->second.due);
        clock->SetNowMs(next->second.due);
        FireTimer(next->first, next->second.due);
        RunPostedEvents();
    }
    clock->SetNowMs(target);
}

// --- Back end --------------------------------------------------------------------------------

void EventLoop::SetBackend(std::shared_ptr<Backend> backend) {
    backend_ = backend ? std::move(backend) : DefaultBackend();
}

// --- Posted events ---------------------------------------------------------------------------

void EventLoop::Post(std::function<void()> action) {
    if (!action) return;
    posted_.push_back(PostedEvent{{}, false, std::move(action)});
    backend_->Wake();
}

void EventLoop::DeferredInvoke(const std::shared_ptr<automation::Object>& owner,
                               std::function<void()> action) {
    if (!action) return;
    posted_.push_back(PostedEvent{owner, true, std::move(action)});
    backend_->Wake();
}

int EventLoop::RunPostedEvents() {
    // Only what was posted before this pass runs now: an event that posts again (a retry, a
    // chain of deferred calls) waits for the next pass, so a pass always ends.
    size_t count = posted_.size();
    int ran = 0;
    while (count-- > 0 && !posted_.empty()) {
        PostedEvent event = std::move(posted_.front());
        posted_.pop_front();
        std::shared_ptr<automation::Object> owner;
        if (event.guarded) {
            owner = event.owner.lock();
            if (!owner) continue;
        }
        event.action();
        ++ran;
    }
    return ran;
}

void EventLoop::PumpNativeEvents() {
    const int64_t now = Now();
    if (lastPump_ && now - *lastPump_ < kNativePumpIntervalMs) return;
    lastPump_ = now;
    auto backend = backend_;  // a native event may install another back end
    backend->PumpEvents();
}

int EventLoop::DoEvents() {
    PumpNativeEvents();
    int ran = RunPostedEvents();
    ran += FireDueTimers(Now());
    return ran;
}

// --- Timers ----------------------------------------------------------------------------------

void EventLoop::StartTimer(Timer* timer, int64_t intervalMs) {
    timers_[timer] = TimerEntry{SaturatingAdd(Now(), intervalMs), nextSequence_++};
    backend_->Wake();
}

void EventLoop::StopTimer(Timer* timer) { timers_.erase(timer); }

std::optional<std::pair<Timer*, EventLoop::TimerEntry>> EventLoop::NextTimer() const {
    std::optional<std::pair<Timer*, TimerEntry>> next;
    for (const auto& [timer, entry] : timers_) {
        if (!next || entry.due < next->second.due ||
            (entry.due == next->second.due && entry.sequence < next->second.sequence)) {
            next = std::make_pair(timer, entry);
        }
    }
    return next;
}

std::optional<int64_t> EventLoop::MsUntilNextTimer() const {
    auto next = NextTimer();
    if (!next) return std::nullopt;
    return std::max<int64_t>(0, next->second.due - Now());
}

int EventLoop::FireDueTimers(int64_t now) {
    // Each timer due now fires once in this pass, in due order; one whose handler stopped,
    // restarted or destroyed a later one is looked up again before it fires.
    std::vector<std::pair<Timer*, TimerEntry>> due;
    for (const auto& [timer, entry] : timers_) {
        if (entry.due <= now) due.emplace_back(timer, entry);
    }
    std::sort(due.begin(), due.end(), [](const auto& a, const auto& b) {
        return a.second.due != b.second.due ? a.second.due < b.second.due
                                            : a.second.sequence < b.second.sequence;
    });
    int fired = 0;
    for (const auto& [timer, entry] : due) {
        auto still = timers_.find(timer);
        if (still == timers_.end() || still->second.sequence != entry.sequence ||
            still->second.due != entry.due) {
            continue;
        }
        FireTimer(timer, entry.due);
        ++fired;
    }
    return fired;
}

void EventLoop::FireTimer(Timer* timer, int64_t due) {
    // The next period is counted from this due time; a late real clock does not catch up with
    // a burst of firings, as Windows timers do not.
    auto& entry = timers_.at(timer);
    int64_t next = SaturatingAdd(due, timer->Interval());
    if (next <= Now()) next = SaturatingAdd(Now(), timer->Interval());
    entry.due = next;
    timer->Fire();
}

// --- Nested loops ----------------------------------------------------------------------------

void EventLoop::RunUntil(const std::function<bool()>& done, Form* modalForm) {
    DepthGuard depth(depth_);
    while (!done()) {
        if (DoEvents() > 0) continue;
        if (done()) break;
        auto backend = backend_;  // a step may install another back end
        if (!backend->WaitForInput(modalForm, MsUntilNextTimer())) {
            const std::string name = modalForm ? modalForm->Name() : std::string("(none)");
            automation::Raise(automation::vberr::InvalidProcedureCall, kSource,
                              "The modal form '" + name +
                                  "' waits for input that will never come: the back end has "
                                  "nothing left to do.");
        }
    }
}

int EventLoop::Exec() {
    quitRequested_ = false;
    RunUntil([this] { return quitRequested_; });
    // An Exec nested in another ends alone: the outer one keeps running.
    quitRequested_ = false;
    return quitCode_;
}

void EventLoop::Quit(int code) {
    quitRequested_ = true;
    quitCode_ = code;
}

bool EventLoop::SpinUntil(const std::function<bool()>& predicate, int maxPasses) {
    DepthGuard depth(depth_);
    for (int pass = 0; pass < maxPasses; ++pass) {
        if (predicate()) return true;
        if (DoEvents() > 0) continue;
        auto wait = MsUntilNextTimer();
        if (!wait) return predicate();
        if (HasVirtualClock()) {
            AdvanceTime(*wait);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(*wait));
        }
    }
    return predicate();
}

void EventLoop::Reset() {
    quitRequested_ = false;
    quitCode_ = 0;
    posted_.clear();
    timers_.clear();
    lastPump_.reset();
    clock_ = std::make_shared<SystemClock>();
    backend_ = DefaultBackend();
}

}  // namespace windowing
