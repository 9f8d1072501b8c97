#include "view_commands.h"

#include "bar_text.h"
#include "command_words.h"

#include <platform/activebar/active_bar.h>
#include <platform/automation/strings.h>

namespace textface {

namespace {

void RequireArgs(const std::vector<std::string>& args, size_t count, const std::string& usage) {
    if (args.size() != count) throw UsageError("usage: " + usage);
}

int32_t KeyCodeOf(const std::string& key) {
    const std::string name = automation::UCase(key);
    if (name == "F7") return 118;
    if (name == "ENTER" || name == "RETURN") return 13;
    return static_cast<int32_t>(ParseNumber(key, "the key (F7, Enter or a key code)", 1, 255));
}

std::string TextBoxOf(const std::string& band) {
    if (automation::EqualsIgnoreCase(band, "bndfilter")) return "txtSelectBills";
    if (automation::EqualsIgnoreCase(band, "bndSearch")) return "txtPosition";
    throw UsageError("\"" + band + "\" has no text box (use bndfilter or bndSearch)");
}

}  // namespace

std::string ViewName(const client::ViewerDocument& viewer) {
    // Task order tracking names its view settings after itself.
    return viewer.ViewSetting05() == "ICMOTrackQuery" ? "icmo" : "seorder";
}

ViewCommands::ViewCommands(std::shared_ptr<client::ViewerDocument> viewer)
    : viewer_(std::move(viewer)), name_(ViewName(*viewer_)) {}

std::string ViewCommands::Help() const {
    return "  select N               click navigation node N (1 is the root)\n"
           "  expand PATH            expand the detail node or row at PATH (2, 7.1, ...)\n"
           "  collapse PATH          collapse the detail node or row at PATH\n"
           "  expand-row PATH ROW    expand row ROW of the detail node at PATH\n"
           "  pick PATH              select the detail node or row at PATH\n"
           "  open PATH ROW          double-click row ROW of the detail node at PATH\n"
           "  pane NAME              make a pane active: Summary, Navigation or Detail\n"
           "  tool KEY               click a menu bar tool (btnRefresh, btnBill, btnExit, ...)\n"
           "  tools                  list the tools the bars show\n"
           "  type BAND TEXT         type TEXT into the band's text box and press Enter\n"
           "                         (bndfilter: txtSelectBills, bndSearch: txtPosition)\n"
           "  key BAND KEY           press KEY (F7, Enter or a key code) in the band's text box\n";
}

bool ViewCommands::Run(const std::string& verb, const std::vector<std::string>& args,
                       const std::string& rest, std::ostream& out) {
    client::ViewerDocument& viewer = *viewer_;
    if (verb == "select") {
        RequireArgs(args, 1, "select N");
        viewer.ClickNavigationNode(ParsePosition(args[0], "the node number"));
    } else if (verb == "expand") {
        RequireArgs(args, 1, "expand PATH");
        CheckPath(args[0]);
        if (!viewer.ExpandDetail(args[0])) out << "Nothing to expand at " << args[0] << ".\n";
    } else if (verb == "collapse") {
        RequireArgs(args, 1, "collapse PATH");
        CheckPath(args[0]);
        viewer.CollapseDetail(args[0]);
    } else if (verb == "expand-row") {
        RequireArgs(args, 2, "expand-row PATH ROW");
        CheckPath(args[0]);
        const int32_t row = ParsePosition(args[1], "the row number");
        if (!viewer.ExpandDetailRow(args[0], row)) {
            out << "Row " << row << " of " << args[0] << " cannot be expanded.\n";
        }
    } else if (verb == "pick") {
        RequireArgs(args, 1, "pick PATH");
        CheckPath(args[0]);
        viewer.SelectDetail(args[0]);
    } else if (verb == "open") {
        RequireArgs(args, 2, "open PATH ROW");
        CheckPath(args[0]);
        ParsePosition(args[1], "the row number");
        viewer.DoubleClickDetail(args[0] + "." + args[1]);
    } else if (verb == "pane") {
        RequireArgs(args, 1, "pane Summary|Navigation|Detail");
        viewer.ActivatePane(args[0]);
    } else if (verb == "tool") {
        RequireArgs(args, 1, "tool KEY");
        if (!viewer.ClickTool(args[0]))
            out << "The tool " << args[0] << " is hidden or disabled.\n";
    } else if (verb == "tools") {
        out << ToolsText(*viewer.GetMenuBar(), viewer.AttachedMenuBar().get());
    } else if (verb == "type") {
        if (args.size() < 2) throw UsageError("usage: type BAND TEXT");
        if (!viewer.TypeIntoTool(args[0], TextBoxOf(args[0]), RestAfterWords(rest, 1), true)) {
            out << "The text box of " << args[0] << " is hidden or disabled.\n";
        }
    } else if (verb == "key") {
        RequireArgs(args, 2, "key BAND KEY");
        const int32_t keyCode = KeyCodeOf(args[1]);
        if (!viewer.PressToolKey(args[0], TextBoxOf(args[0]), keyCode)) {
            out << "The text box of " << args[0] << " is hidden or disabled.\n";
        }
    } else {
        return false;
    }
    return true;
}

}  // namespace textface
