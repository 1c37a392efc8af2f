#pragma once
// Compiling a script as a run would, without running it: the engine's routines and constants, the
// terminal procedures, and the objects "MainForm", "Screen" and "Application".

#include "script/hal_runer.h"

namespace ondrix::automation {

// Names the objects of a run in `runner` and compiles it; ECompilerError propagates.
void compileOnly(script::THalRuner& runner);

}  // namespace ondrix::automation
