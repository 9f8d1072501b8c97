#include <platform/windowing/screen.h>

#include <platform/automation/errors.h>
#include <platform/windowing/event_loop.h>

namespace windowing {

ScreenObject& Screen() {
    static ScreenObject screen;
    return screen;
}

void ScreenObject::SetMousePointer(int16_t pointer) {
    const bool known = (pointer >= 0 && pointer <= 15) || pointer == 99;
    if (!known) automation::Raise(380, "Screen", "Invalid property value");
    mousePointer_ = pointer;
    EventLoop::Instance().GetBackend().MousePointerChanged(pointer);
}

}  // namespace windowing
