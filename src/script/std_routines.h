#pragma once
// The engine's own routine library: dialogs, strings, conversions, dates and system queries, and
// its named constants, registered into the host tables at start-up.

#include <string>
#include <vector>

#include "script/host_interfaces.h"

namespace ondrix::script {

// Registers every library routine and constant (the mouse, shift-state and report constants
// included) into `host`.
void registerStandardRoutines(HostTables& host);
void registerStandardConstants(HostTables& host);

// The program's command line as PARAMCOUNT and PARAMSTR see it: element 0 is the program's own
// path, the rest its arguments.
void setProgramArguments(std::vector<std::string> arguments);

}  // namespace ondrix::script
