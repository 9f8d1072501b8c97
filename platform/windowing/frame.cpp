#include <platform/windowing/frame.h>

namespace windowing {

Frame::~Frame() {
    for (Control* control : contents_) control->container_ = nullptr;
}

}  // namespace windowing
