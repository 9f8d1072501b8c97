#pragma once
// The command-line options of the tracking verbs, shared by the terminal host and the desktop
// program so that both take the same options with the same checks.

#include <harness/profiles.h>
#include <harness/tracking_options.h>

#include <CLI/CLI.hpp>

namespace apps {

// Adds the `icmo` and `seorder` verbs with their options to `app`.
CLI::App* AddIcmoVerb(CLI::App& app, harness::IcmoOptions& options, const std::string& description);
CLI::App* AddSeOrderVerb(CLI::App& app, harness::SeOrderOptions& options,
                         const std::string& description);

// After the verb's options are parsed: without --db, the database, user and language of the
// profile --profile names, else of the profile used last (options given on the command line win);
// the profile taken becomes the one used last. CLI::RequiredError for --db when there is neither,
// CLI::ValidationError when the profile is unknown or cannot be used.
void ApplyProfile(const CLI::App& verb, harness::TrackingOptions& options,
                  harness::ProfileStore& store);

}  // namespace apps
