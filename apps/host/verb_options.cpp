#include "verb_options.h"

#include <harness/task_order_selection.h>

#include <platform/automation/strings.h>

#include <algorithm>
#include <iterator>
#include <memory>

namespace apps {

using harness::IcmoOptions;
using harness::SeOrderOptions;
using harness::TrackingOptions;

namespace {

template <size_t N>
std::vector<std::string> Names(const char* const (&names)[N]) {
    return {std::begin(names), std::end(names)};
}

std::vector<std::string> TaskOrderSubSystems() {
    std::vector<std::string> ids;
    for (const auto& sub : harness::kSubSystems) ids.emplace_back(sub.id);
    return ids;
}

// What both verbs take.
void AddTrackingOptions(CLI::App& verb, TrackingOptions& options,
                        const std::vector<std::string>& subSystems,
                        const std::string& subDescription) {
    auto* database = verb.add_option("--db", options.database,
                                     "The ERP database: an SQLite file, a PostgreSQL address "
                                     "(postgresql://...) or a connection string");
    verb.add_option("--profile", options.profile,
                    "The connection profile of this name (database, user, language); without "
                    "--db and --profile the profile used last")
        ->excludes(database);
    verb.add_option("--user", options.userName, "The user, by name (default administrator)");
    verb.add_option("--lang", options.language, "Language (default CHS)")
        ->transform(CLI::IsMember(Names(harness::kLanguages), CLI::ignore_case));
    verb.add_option("--sub", options.subId, subDescription)
        ->transform(CLI::IsMember(subSystems, CLI::ignore_case));
    verb.add_flag("--embedded", options.embedded, "Run in a host page instead of a modal window");
    verb.add_option("--script", options.scriptPath,
                    "Run the commands of this file instead of asking on the terminal");
}

// The numbers of --bills values, split at their commas, blanks around each dropped and empty ones
// ("A,,B", "A, ") gone. The values are split here, not by the parser: a value made of commas only
// would leave it wanting another value, and it would take the next option for one.
std::vector<std::string> NumbersOf(const std::vector<std::string>& values) {
    std::vector<std::string> numbers;
    for (const auto& value : values) {
        if (value.starts_with("--")) {
            throw CLI::ValidationError(
                "--bills", "is followed by the option \"" + value + "\" instead of numbers");
        }
        for (const auto& part : automation::Split(value, ",")) {
            const std::string number = automation::TrimWhitespace(part);
            if (!number.empty()) numbers.push_back(number);
        }
    }
    return numbers;
}

// --bills. A --bills that names no number at all is refused: tracking every order instead would be
// the opposite of what was asked.
void AddNumbersOption(CLI::App& verb, std::vector<std::string>& numbers,
                      const std::string& description) {
    auto values = std::make_shared<std::vector<std::string>>();
    auto* option = verb.add_option("--bills", *values, description);
    verb.callback([&numbers, values, option] {
        numbers = NumbersOf(*values);
        if (option->count() > 0 && numbers.empty()) {
            throw CLI::ValidationError("--bills",
                                       "names no number; leave it out to track "
                                       "what the view opens with");
        }
    });
}

bool Given(const CLI::App& verb, const std::string& option) {
    return verb.get_option(option)->count() > 0;
}

std::string SavedNames(const harness::ProfileStore& store) {
    std::string names;
    for (const auto& profile : store.Profiles())
        names += (names.empty() ? "" : ", ") + profile.name;
    return names.empty() ? "none is saved" : "saved: " + names;
}

// The profile's database, user and language, unless the command line gives them.
void TakeProfile(const CLI::App& verb, TrackingOptions& options, harness::ProfileStore& store) {
    if (Given(verb, "--db")) return;
    if (options.profile.empty()) options.profile = store.LastProfile();
    if (options.profile.empty()) throw CLI::RequiredError("--db");
    const auto profile = store.Find(options.profile);
    if (!profile) {
        throw CLI::ValidationError("--profile", "there is no profile \"" + options.profile +
                                                    "\" (" + SavedNames(store) + ")");
    }
    try {
        harness::CheckProfile(*profile);
    } catch (const std::invalid_argument& refused) {
        throw CLI::ValidationError("--profile", refused.what());
    }
    options.database = profile->database;
    if (!Given(verb, "--user")) options.userName = profile->userName;
    if (!Given(verb, "--lang")) {
        options.language = automation::UCase(profile->language);
        const auto& known = harness::kLanguages;
        if (std::find(std::begin(known), std::end(known), options.language) == std::end(known)) {
            throw CLI::ValidationError("--profile", "the profile \"" + profile->name +
                                                        "\" names the unknown language \"" +
                                                        profile->language + "\"");
        }
    }
    try {
        store.SetLastProfile(profile->name);
    } catch (const std::exception&) {
        // Which profile was used last only saves typing next time; the session goes on.
    }
}

}  // namespace

void ApplyProfile(const CLI::App& verb, TrackingOptions& options, harness::ProfileStore& store) {
    try {
        TakeProfile(verb, options, store);
    } catch (const CLI::Error&) {
        throw;
    } catch (const std::runtime_error& unreadable) {
        throw CLI::ValidationError("--profile", unreadable.what());
    }
}

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
    AddTrackingOptions(*verb, options, Names(harness::kSalesSubSystems),
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
