#pragma once
// The error of the script compiler. A syntax error carries the line it was found on, framed as
// "Syntax error in  (LINE): " CR LF "TEXT."; the machine raises the same class with a bare text.

#include <stdexcept>
#include <string>
#include <string_view>

namespace ondrix::script {

class ECompilerError : public std::runtime_error {
 public:
  // An error with exactly `message` as its text.
  explicit ECompilerError(const std::string& message) : std::runtime_error(message) {}

  // A syntax error at `line` (1-based) with the compiler's message `text`.
  static ECompilerError syntax(int line, std::string_view text);
};

}  // namespace ondrix::script
