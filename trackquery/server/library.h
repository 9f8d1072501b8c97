#pragma once
// The library as a program that links it sees it: its creatable classes are registered in the
// process's ComponentRegistry and created by ProgID through trackquery/contracts/trackers.h, and
// its module state can be dropped as an unload of the library would drop it. Nothing else of the
// library is reached from outside.

namespace trackquery {

// Registers "QzICMOTrackQuery.CICMOQuery" and "QzICMOTrackQuery.CSeOrderQuery". Registering again
// replaces the factories.
void RegisterCreatableClasses();

// Forgets the state the library's modules keep for the life of the process (the language code and
// cached components, the parsed property string, the procedure log), as if the library had just
// been loaded. Tests and the harness call it between sessions.
void ResetModuleState();

}  // namespace trackquery
