#pragma once
// The process's table of window handles behind window_api.h. Forms create and destroy their
// handles through it; nothing outside the windowing layer includes this header.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace windowing {

class Form;

namespace internal {

struct WindowRecord {
    Form* form = nullptr;  // nothing for a host window
    std::string caption;   // a host window's caption
    int32_t parent = 0;
    int32_t style = 0;
    int32_t exStyle = 0;
    std::vector<int32_t> children;
};

class WindowTable {
  public:
    static WindowTable& Instance();

    int32_t Create(Form* form, int32_t style, std::string caption = "");
    // Removes a handle; its children are left without a parent, and it leaves its parent.
    void Destroy(int32_t hwnd);
    WindowRecord* Find(int32_t hwnd);
    // Sets or clears style bits without Windows' return conventions (the forms' visibility).
    void SetStyleBits(int32_t hwnd, int32_t bits, bool on);
    void Reparent(int32_t hwnd, int32_t newParent);

    int32_t lastError = 0;

  private:
    void Unlink(int32_t hwnd, WindowRecord& record);

    std::map<int32_t, WindowRecord> windows_;
    int32_t nextHandle_ = 0x000A0010;
};

}  // namespace internal
}  // namespace windowing
