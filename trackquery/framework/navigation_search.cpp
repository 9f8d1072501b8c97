#include <trackquery/framework/navigation_search.h>

#include <platform/automation/strings.h>

namespace trackquery {

int32_t FindNodeByText(const NavigationModel& model, int32_t current, const std::string& text) {
    const std::string wanted = automation::UCase(text);
    auto holds = [&](int32_t index) {
        return automation::UCase(model.NodeItem(index)->Text).find(wanted) != std::string::npos;
    };
    const int32_t last = model.NodeCount();
    if (current < 1) current = 1;
    for (int32_t index = current + 1; index <= last; ++index) {
        if (holds(index)) return index;
    }
    for (int32_t index = 2; index <= current && index <= last; ++index) {
        if (holds(index)) return index;
    }
    return 0;
}

}  // namespace trackquery
