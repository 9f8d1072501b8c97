#pragma once
// Registration of the library's creatable classes in the process's ComponentRegistry, so that
// hosts (and the library itself, for the jumps between the two trackers) create them by ProgID.

namespace trackquery {

// Registers "QzICMOTrackQuery.CICMOQuery". Registering again replaces the factories.
void RegisterCreatableClasses();

}  // namespace trackquery
