#pragma once
// A record store opened just for one step of a manager and closed right after it, so no other
// reader of the same file (a session being opened by a script while the manager is up) ever meets
// it half written.

namespace ondrix::shell {

// Runs `step` with `store` open and closes it afterwards, also when the step fails.
template <typename Store, typename Step>
void withOpen(Store& store, Step&& step) {
  store.Open();
  try {
    step();
  } catch (...) {
    store.Close();
    throw;
  }
  store.Close();
}

}  // namespace ondrix::shell
