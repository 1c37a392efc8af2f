// Every script a test of this program runs stops after 20 million instructions with "Step limit
// reached": a fault that makes a script loop for ever fails its test at once instead of hanging.

#include "script/bin_prog.h"

namespace {

[[maybe_unused]] const bool kLimited = [] {
  ondrix::script::TBinProg::setDefaultStepLimit(20'000'000);
  return true;
}();

}  // namespace
