#include <platform/windowing/window_table.h>

#include <algorithm>

namespace windowing::internal {

WindowTable& WindowTable::Instance() {
    static WindowTable table;
    return table;
}

int32_t WindowTable::Create(Form* form, int32_t style, std::string caption) {
    // Handles step by four, as Windows' do, and are never reused within the process.
    const int32_t hwnd = nextHandle_;
    nextHandle_ += 4;
    WindowRecord record;
    record.form = form;
    record.caption = std::move(caption);
    record.style = style;
    windows_.emplace(hwnd, std::move(record));
    return hwnd;
}

void WindowTable::Destroy(int32_t hwnd) {
    auto found = windows_.find(hwnd);
    if (found == windows_.end()) return;
    Unlink(hwnd, found->second);
    windows_.erase(found);
}

WindowRecord* WindowTable::Find(int32_t hwnd) {
    auto found = windows_.find(hwnd);
    return found == windows_.end() ? nullptr : &found->second;
}

void WindowTable::SetStyleBits(int32_t hwnd, int32_t bits, bool on) {
    if (auto* record = Find(hwnd))
        record->style = on ? (record->style | bits) : (record->style & ~bits);
}

void WindowTable::Reparent(int32_t hwnd, int32_t newParent) {
    auto* record = Find(hwnd);
    if (!record) return;
    if (auto* old = Find(record->parent)) {
        auto& siblings = old->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), hwnd), siblings.end());
    }
    record->parent = newParent;
    if (auto* parent = Find(newParent)) parent->children.push_back(hwnd);
}

void WindowTable::Unlink(int32_t hwnd, WindowRecord& record) {
    Reparent(hwnd, 0);
    for (int32_t child : record.children) {
        if (auto* childRecord = Find(child)) childRecord->parent = 0;
    }
    record.children.clear();
}

}  // namespace windowing::internal
