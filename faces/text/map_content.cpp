#include "map_content.h"

#include "command_words.h"

#include <components/order_map/map_dot.h>
#include <components/order_map/map_outline.h>

#include <platform/automation/errors.h>

namespace textface {

namespace {

std::shared_ptr<client::frmOrderMap> NewestOpenMap() {
    const auto& windows = client::OrderMapWindows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if ((*it)->IsLoaded() && (*it)->Visible()) return *it;
    }
    return nullptr;
}

void WriteDot(const client::frmOrderMap& window, const std::string& file, std::ostream& out) {
    try {
        out << "[written: " << client::WriteMapDot(window.Map(), file).string() << "]\n";
    } catch (const automation::RuntimeError& error) {
        throw UsageError(error.Description());
    }
}

void OpenBill(client::frmOrderMap& window, const std::string& text) {
    const auto count = static_cast<int32_t>(window.Map().boxes.size());
    const int32_t number = ParsePosition(text, "the bill's number in the map");
    if (number > count) throw UsageError("the map holds bills #1 to #" + std::to_string(count));
    window.OpenBox(number - 1);
}

}  // namespace

std::string MapWindowText(const client::frmOrderMap& window) {
    return "+== " + window.Caption() + " ==\n" + client::MapOutline(window.Map()) + "+==\n";
}

void RunMapCommand(const std::vector<std::string>& args, std::ostream& out) {
    auto window = NewestOpenMap();
    if (!window) throw UsageError("no document map is open (tool btnOrderMap opens one)");
    if (args.empty()) {
        out << client::MapOutline(window->Map());
    } else if (args.size() == 2 && args[0] == "dot") {
        WriteDot(*window, args[1], out);
    } else if (args.size() == 2 && args[0] == "open") {
        OpenBill(*window, args[1]);
    } else {
        throw UsageError("usage: map | map dot FILE | map open N");
    }
}

}  // namespace textface
