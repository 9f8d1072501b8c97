#pragma once
// Shows the hourglass pointer for as long as an instance lives:
//     WaitCursor wait;  // hourglass until `wait` goes out of scope
// The pointer is the screen's mouse pointer of the windowing system.

#include <cstdint>

namespace trackquery {

class WaitCursor {
  public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    // Shows the hourglass again after Release.
    void Start();
    // Puts the default pointer back when the last start of this instance ends.
    void Release();

  private:
    int32_t count_ = 0;
};

}  // namespace trackquery
