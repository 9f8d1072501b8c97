#pragma once
// Window handles and the few user32 functions the library declares. Every loaded form owns a
// 32-bit handle in the process's window table; a host window (the client's page, or a test's)
// is a handle that belongs to no form. The functions keep Windows' semantics: failures return 0
// and leave a code for GetLastError.

#include <cstdint>
#include <string>
#include <vector>

namespace windowing {

class Form;

// Indexes of SetWindowLongA / GetWindowLongA.
inline constexpr int32_t GWL_STYLE = -16;
inline constexpr int32_t GWL_EXSTYLE = -20;

// Window styles.
inline constexpr int32_t WS_CHILD = 0x40000000;
inline constexpr int32_t WS_VISIBLE = 0x10000000;
inline constexpr int32_t WS_CLIPSIBLINGS = 0x04000000;
inline constexpr int32_t WS_CLIPCHILDREN = 0x02000000;
inline constexpr int32_t WS_CAPTION = 0x00C00000;
inline constexpr int32_t WS_SYSMENU = 0x00080000;
inline constexpr int32_t WS_THICKFRAME = 0x00040000;
inline constexpr int32_t WS_MINIMIZEBOX = 0x00020000;
inline constexpr int32_t WS_MAXIMIZEBOX = 0x00010000;
inline constexpr int32_t WS_OVERLAPPEDWINDOW =
    WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

// GetLastError codes the functions leave.
inline constexpr int32_t ERROR_SUCCESS = 0;
inline constexpr int32_t ERROR_INVALID_PARAMETER = 87;
inline constexpr int32_t ERROR_INVALID_WINDOW_HANDLE = 1400;
inline constexpr int32_t ERROR_INVALID_INDEX = 1413;

// Makes `hWndNewParent` (0: the desktop) the parent of `hWndChild`. Returns the previous parent
// (0 when it was the desktop, which is also the failure value: check GetLastError). Fails on an
// unknown handle, and when the new parent is the window itself or one of its descendants.
int32_t SetParent(int32_t hWndChild, int32_t hWndNewParent);
// The parent of a child window (WS_CHILD style), 0 for a top-level window or a bad handle, as
// Windows answers: a window given a parent without the child style is still top-level here.
int32_t GetParent(int32_t hWnd);
// Replaces the value at `nIndex` (GWL_STYLE or GWL_EXSTYLE) entirely and returns the previous
// value; 0 with GetLastError set on a bad handle or index.
int32_t SetWindowLongA(int32_t hWnd, int32_t nIndex, int32_t dwNewLong);
int32_t GetWindowLongA(int32_t hWnd, int32_t nIndex);
bool IsWindow(int32_t hWnd);
// Whether `hWnd` is a child (through child windows only) of `hWndParent`.
bool IsChild(int32_t hWndParent, int32_t hWnd);
int32_t GetLastError();

// A window that belongs to no form: the client's page in a host program, or a test's host.
// It starts visible, top-level, with the overlapped style.
int32_t CreateHostWindow(const std::string& caption = "");
// Destroys a host window. Its child windows are left without a parent (FIXME: Windows destroys
// them; a form embedded in a destroyed host keeps living as a top-level window here). A form's
// handle is not destroyed this way: unload the form. Returns false (and sets GetLastError) on
// a bad or form handle.
bool DestroyWindow(int32_t hWnd);

// The form that owns a handle, or nothing (a host window, a bad handle).
Form* FormFromHwnd(int32_t hWnd);
// The direct children of a window (any style), in the order they were attached.
std::vector<int32_t> ChildWindows(int32_t hWnd);
// The caption of a window: the form's caption, or the host's.
std::string WindowCaption(int32_t hWnd);

}  // namespace windowing
