#pragma once
// Registers the procedure log ("YqLogMsg.Log") by ProgID. It writes only when a log file is set
// (SetProcedureLogFile or the environment variable TRACKQUERY_PROC_LOG).

namespace client {

void RegisterLoggingComponents();

}  // namespace client
