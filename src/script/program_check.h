#pragma once
// The two halves of reading a program: parsing the sections, and checking the code against the
// opcode table and the host routine table. TBinProg keeps the check's map of the code to know,
// while running, where instructions start.

#include <cstdint>
#include <string_view>
#include <vector>

#include "script/bin_prog.h"

namespace ondrix::script {

// Per code index (plus one for the end of the code): -1 for a data word; for a host call the
// parameter count its data words were laid out for; 0 for any other instruction and the end.
using CodeMap = std::vector<std::int16_t>;

// The three sections, with counts and lengths checked; operands are not looked at.
ProgramImage parseProgram(std::string_view bytes);

// Decodes the code from the start and checks every operand, data word and label target.
CodeMap checkProgram(const ProgramImage& image, const TFunList& routines);

}  // namespace ondrix::script
