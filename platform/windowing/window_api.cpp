#include <platform/windowing/window_api.h>

#include <platform/windowing/event_loop.h>
#include <platform/windowing/form.h>
#include <platform/windowing/window_table.h>

namespace windowing {

namespace {

internal::WindowTable& Table() { return internal::WindowTable::Instance(); }

// Looks a handle up and leaves the error code Windows leaves for a bad one.
internal::WindowRecord* Lookup(int32_t hwnd) {
    auto* record = Table().Find(hwnd);
    Table().lastError = record ? ERROR_SUCCESS : ERROR_INVALID_WINDOW_HANDLE;
    return record;
}

int32_t Fail(int32_t error) {
    Table().lastError = error;
    return 0;
}

// Whether `ancestor` is `hwnd` or one of the windows above it.
bool IsSelfOrAncestor(int32_t ancestor, int32_t hwnd) {
    while (hwnd != 0) {
        if (hwnd == ancestor) return true;
        auto* record = Table().Find(hwnd);
        if (!record) return false;
        hwnd = record->parent;
    }
    return false;
}

}  // namespace

int32_t SetParent(int32_t hWndChild, int32_t hWndNewParent) {
    auto* child = Lookup(hWndChild);
    if (!child) return 0;
    if (hWndNewParent != 0) {
        if (!Lookup(hWndNewParent)) return 0;
        // A window cannot go below itself: that would make a loop of parents.
        if (IsSelfOrAncestor(hWndChild, hWndNewParent)) return Fail(ERROR_INVALID_PARAMETER);
    }
    const int32_t previous = child->parent;
    Table().Reparent(hWndChild, hWndNewParent);
    EventLoop::Instance().GetBackend().WindowParentChanged(hWndChild, hWndNewParent);
    Table().lastError = ERROR_SUCCESS;
    return previous;
}

int32_t GetParent(int32_t hWnd) {
    auto* record = Lookup(hWnd);
    if (!record) return 0;
    // Windows answers the parent only for a child window; a top-level window has an owner at
    // most, and the windows here have none.
    return (record->style & WS_CHILD) ? record->parent : 0;
}

int32_t SetWindowLongA(int32_t hWnd, int32_t nIndex, int32_t dwNewLong) {
    auto* record = Lookup(hWnd);
    if (!record) return 0;
    int32_t* slot = nIndex == GWL_STYLE     ? &record->style
                    : nIndex == GWL_EXSTYLE ? &record->exStyle
                                            : nullptr;
    if (!slot) return Fail(ERROR_INVALID_INDEX);
    const int32_t previous = *slot;
    *slot = dwNewLong;
    return previous;
}

int32_t GetWindowLongA(int32_t hWnd, int32_t nIndex) {
    auto* record = Lookup(hWnd);
    if (!record) return 0;
    if (nIndex == GWL_STYLE) return record->style;
    if (nIndex == GWL_EXSTYLE) return record->exStyle;
    return Fail(ERROR_INVALID_INDEX);
}

bool IsWindow(int32_t hWnd) { return Table().Find(hWnd) != nullptr; }

bool IsChild(int32_t hWndParent, int32_t hWnd) {
    auto* record = Table().Find(hWnd);
    while (record && (record->style & WS_CHILD) && record->parent != 0) {
        if (record->parent == hWndParent) return true;
        record = Table().Find(record->parent);
    }
    return false;
}

int32_t GetLastError() { return Table().lastError; }

int32_t CreateHostWindow(const std::string& caption) {
    return Table().Create(nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE, caption);
}

bool DestroyWindow(int32_t hWnd) {
    auto* record = Lookup(hWnd);
    if (!record) return false;
    if (record->form) {
        // A form's window goes with the form's unload, which runs the form's own handlers.
        Table().lastError = ERROR_INVALID_PARAMETER;
        return false;
    }
    Table().Destroy(hWnd);
    return true;
}

Form* FormFromHwnd(int32_t hWnd) {
    auto* record = Table().Find(hWnd);
    return record ? record->form : nullptr;
}

std::vector<int32_t> ChildWindows(int32_t hWnd) {
    auto* record = Table().Find(hWnd);
    return record ? record->children : std::vector<int32_t>{};
}

std::string WindowCaption(int32_t hWnd) {
    auto* record = Table().Find(hWnd);
    if (!record) return "";
    return record->form ? record->form->Caption() : record->caption;
}

}  // namespace windowing
