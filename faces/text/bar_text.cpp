#include "bar_text.h"

#include <set>

namespace textface {

namespace {

using activebar::BandType;

std::string BandLine(const activebar::Band& band) {
    std::string line;
    for (const auto& tool : band.GetTools().Items()) {
        if (!tool->Visible()) continue;
        line += " " + tool->Name();
        if (tool->ControlType() == activebar::ToolType::TextBox) line += "[" + tool->Text() + "]";
        if (tool->Checkable()) line += tool->Checked() ? "(x)" : "( )";
    }
    return line.empty() ? "" : band.Name() + ":" + line + "\n";
}

// Adds `band` and the menus its shown tools open, theirs too, to `reached`.
void Reach(const activebar::ActiveBar& bar, const activebar::Band& band,
           std::set<const activebar::Band*>& reached) {
    if (!reached.insert(&band).second) return;
    for (const auto& tool : band.GetTools().Items()) {
        if (!tool->Visible() || tool->ControlType() != activebar::ToolType::Menu) continue;
        auto menu = bar.GetBands().Find(tool->SubBand());
        if (menu && menu->Type() == BandType::Popup) Reach(bar, *menu, reached);
    }
}

std::string BarText(const activebar::ActiveBar& bar) {
    std::set<const activebar::Band*> reached;
    for (const auto& band : bar.GetBands().Items()) {
        if (band->Visible()) Reach(bar, *band, reached);
    }
    std::string text;
    for (const auto& band : bar.GetBands().Items()) {
        if (reached.contains(band.get())) text += BandLine(*band);
    }
    return text;
}

}  // namespace

std::string ToolsText(const activebar::ActiveBar& viewer, const activebar::ActiveBar* window) {
    return BarText(viewer) + (window ? BarText(*window) : "");
}

}  // namespace textface
