#pragma once
// The options of the host's two tracking verbs, as the command line gives them: the language and
// the sub-system are checked there and may come in any letter case.

#include <string>
#include <vector>

namespace harness {

// The languages the host runs in.
inline constexpr const char* kLanguages[] = {"CHS", "CHT", "EN"};

// What both verbs take.
struct TrackingOptions {
    std::string database;
    std::string profile;  // the connection profile the database, user and language came from
    std::string userName = "administrator";
    std::string language = "CHS";  // one of kLanguages
    std::string subId;             // the session's sub-system
    bool embedded = false;         // in a host page instead of a modal window
    std::string scriptPath;        // empty: interactive
};

// `icmo`: task orders by bill number; none: every task order of the sub-system's kind.
struct IcmoOptions : TrackingOptions {
    IcmoOptions() { subId = "CJ"; }
    std::vector<std::string> billNumbers;
};

// `seorder`: sales or export orders by number, an order's entry after a colon ("SEORD000001:2");
// none: the view opens empty and orders are selected in it.
struct SeOrderOptions : TrackingOptions {
    SeOrderOptions() { subId = "XS"; }
    std::string type = "sales";  // sales (class 81) or export (1007100)
    std::vector<std::string> orders;
    bool calledByIcmo = false;  // as when task order tracking opens the view
};

// The sub-systems the seorder verb's session may run in: the sales module's, or a task order
// sub-system (whose own kind of task order a jump to task order tracking then follows).
inline constexpr const char* kSalesSubSystems[] = {"XS", "CJ", "REPM", "SUBC"};

}  // namespace harness
