#include <platform/windowing/clock.h>

#include <chrono>

namespace windowing {

int64_t SystemClock::NowMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void VirtualClock::SetNowMs(int64_t ms) {
    if (ms > now_) now_ = ms;
}

}  // namespace windowing
