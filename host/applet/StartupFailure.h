#pragma once

#include <string>

// Tells why a run ended without its main window, in one line: into the file
// the host names in KELVO_RUN_RESULT (the host prints it and ends with a
// status of its own), else on stderr. The dialogs the run showed stay as
// they were; this is the line a person or a script reads afterwards.
void ReportStartupFailure(const std::string& cause);
