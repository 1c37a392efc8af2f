// Starting an outside program (the file-transfer programs) without waiting for it and without
// leaving a zombie behind: a short-lived child starts the program in a new session and exits at
// once, so the program is adopted by init.

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "shell/main_form_impl.h"

namespace ondrix::shell {

void launchProgram(const std::string& program) {
  const pid_t child = ::fork();
  if (child < 0) return;  // the start is not checked
  if (child == 0) {
    // Only async-signal-safe calls between fork and exec.
    ::setsid();
    if (::fork() == 0) {
      char* const argv[] = {const_cast<char*>(program.c_str()), nullptr};
      ::execv(program.c_str(), argv);
    }
    ::_exit(0);
  }
  while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace ondrix::shell
