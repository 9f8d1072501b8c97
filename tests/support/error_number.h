#pragma once
// The number of the run-time error an action raises, 0 when it raises none. With `description`,
// the error's description is written there too (left as it was when nothing is raised).

#include <platform/automation/errors.h>

#include <cstdint>
#include <functional>
#include <string>

inline int32_t ErrorNumberOf(const std::function<void()>& action,
                             std::string* description = nullptr) {
    try {
        action();
    } catch (const automation::RuntimeError& error) {
        if (description) *description = error.Description();
        return error.Number();
    }
    return 0;
}
