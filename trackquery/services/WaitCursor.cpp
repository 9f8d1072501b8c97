#include <trackquery/services/WaitCursor.h>

#include <platform/windowing/screen.h>

namespace trackquery {

WaitCursor::WaitCursor() { Start(); }

WaitCursor::~WaitCursor() {
    // A boundary: a pointer that cannot be set back must not throw out of a destructor, which may
    // run while an error unwinds.
    try {
        while (count_ > 0) Release();
    } catch (...) {
        count_ = 0;
    }
}

void WaitCursor::Start() {
    if (count_++ == 0) windowing::Screen().SetMousePointer(windowing::vbHourglass);
}

void WaitCursor::Release() {
    if (count_ <= 0) return;
    if (count_-- == 1) windowing::Screen().SetMousePointer(windowing::vbDefault);
}

}  // namespace trackquery
