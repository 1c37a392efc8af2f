#include "script/compiler_error.h"

namespace ondrix::script {

ECompilerError ECompilerError::syntax(int line, std::string_view text) {
  std::string message = "Syntax error in  (";
  message += std::to_string(line);
  message += "): \r\n";
  message += text;
  message += '.';
  return ECompilerError(message);
}

}  // namespace ondrix::script
