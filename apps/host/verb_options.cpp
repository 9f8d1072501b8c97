#include "verb_options.h"

#include "task_order_selection.h"

#include <platform/automation/strings.h>

#include <algorithm>
#include <iterator>

namespace apps {

namespace {

template <size_t N>
std::vector<std::string> Names(const char* const (&names)[N]) {
    return {std::begin(names), std::end(names)};
}

std::vector<std::string> TaskOrderSubSystems() {
    std::vector<std::string> ids;
    for (const auto& sub : kSubSystems) ids.emplace_back(sub.id);
    return ids;
}

// What both verbs take.
void AddTrackingOptions(CLI::App& verb, TrackingOptions& options,
                        const std::vector<std::string>& subSystems,
                        const std::string& subDescription) {
    verb.add_option("--db", options.database,
                    "The ERP database: an SQLite file, a PostgreSQL address (postgresql://...) or "
                    "a connection string")
        ->required();
    verb.add_option("--user", options.userName, "The user, by name (default administrator)");
    verb.add_option("--lang", options.language, "Language (default CHS)")
        ->transform(CLI::IsMember(Names(kLanguages), CLI::ignore_case));
    verb.add_option("--sub", options.subId, subDescription)
        ->transform(CLI::IsMember(subSystems, CLI::ignore_case));
    verb.add_flag("--embedded", options.embedded, "Run in a host page instead of a modal window");
    verb.add_option("--script", options.scriptPath,
                    "Run the commands of this file instead of asking on the terminal");
}

// --bills: the numbers as the user means them, blanks around each dropped and empty ones ("A,,B",
// "A, ") gone. A --bills that names no number at all is refused: tracking every order instead
// would be the opposite of what was asked.
void AddNumbersOption(CLI::App& verb, std::vector<std::string>& numbers,
                      const std::string& description) {
    auto* option = verb.add_option("--bills", numbers, description)->delimiter(',');
    verb.callback([&numbers, option] {
        for (auto& number : numbers) number = automation::TrimWhitespace(number);
        std::erase(numbers, std::string());
        if (option->count() > 0 && numbers.empty()) {
            throw CLI::ValidationError("--bills",
                                       "names no number; leave it out to track "
                                       "what the view opens with");
        }
    });
}

}  // namespace

CLI::App* AddIcmoVerb(CLI::App& app, IcmoOptions& options, const std::string& description) {
    auto* verb = app.add_subcommand("icmo", description);
    AddTrackingOptions(*verb, options, TaskOrderSubSystems(),
                       "Sub-system: CJ ordinary, REPM repetitive, SUBC outsourced (default CJ)");
    AddNumbersOption(*verb, options.billNumbers,
                     "Task orders by bill number, comma-separated (default: every task order of "
                     "the sub-system)");
    return verb;
}

CLI::App* AddSeOrderVerb(CLI::App& app, SeOrderOptions& options, const std::string& description) {
    auto* verb = app.add_subcommand("seorder", description);
    AddTrackingOptions(*verb, options, Names(kSalesSubSystems),
                       "Sub-system of the session (default XS, sales)");
    verb->add_option("--type", options.type, "sales (81) or export (1007100) orders")
        ->transform(CLI::IsMember({"sales", "export"}, CLI::ignore_case));
    AddNumbersOption(*verb, options.orders,
                     "Orders by number, an entry after a colon (NO[:ENTRY]), comma-separated "
                     "(default: none, the view opens empty)");
    verb->add_flag("--called-by-icmo", options.calledByIcmo,
                   "Open the view as task order tracking opens it (no jump back)");
    return verb;
}

}  // namespace apps
