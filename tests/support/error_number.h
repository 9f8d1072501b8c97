#pragma once
// The number of the run-time error an action raises, 0 when it raises none.

#include <platform/automation/errors.h>

#include <functional>

inline int ErrorNumberOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const automation::RuntimeError& error) {
        return error.Number();
    }
    return 0;
}
