// Arbitrary text through the script lexer: every input ends in the end-of-text token or a compiler
// error, never a crash, a hang or an empty advance.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "script/compiler_error.h"
#include "script/lexer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ondrix::script::TLexer lexer(text, [](const std::string& name) { return name == "PI" ? 0 : -1; });
  try {
    for (std::size_t n = 0; n <= size + 1; ++n) {
      const std::size_t before = lexer.position();
      const auto peeked = lexer.peek();
      if (lexer.position() != before) __builtin_trap();
      const auto token = lexer.next();
      if (token.kind != peeked.kind || token.text != peeked.text) __builtin_trap();
      if (token.kind == ondrix::script::kTokEnd) return 0;
      if (lexer.position() <= before) __builtin_trap();  // every token consumes text
    }
    __builtin_trap();  // more tokens than characters
  } catch (const ondrix::script::ECompilerError&) {
  }
  return 0;
}
