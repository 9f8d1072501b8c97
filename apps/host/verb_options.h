#pragma once
// The command-line options of the tracking verbs, shared by the terminal host and the desktop
// program so that both take the same options with the same checks.

#include "tracking_options.h"

#include <CLI/CLI.hpp>

namespace apps {

// Adds the `icmo` and `seorder` verbs with their options to `app`.
CLI::App* AddIcmoVerb(CLI::App& app, IcmoOptions& options, const std::string& description);
CLI::App* AddSeOrderVerb(CLI::App& app, SeOrderOptions& options, const std::string& description);

}  // namespace apps
