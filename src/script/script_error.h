#pragma once
// Errors raised while values are computed and programs are read or run. Each carries its exact
// message text; a script run ends at the first one and the text reaches the user unchanged.
// (Syntax errors and "Invalid opcode" are ECompilerError, see compiler_error.h.)

#include <stdexcept>
#include <string>

namespace ondrix::script {

// Every run-time error of the machine that is not a value error: "Stack overflow", a string too
// long, dynamic-variable providers, running past the code.
class EScriptError : public std::runtime_error {
 public:
  explicit EScriptError(const std::string& message) : std::runtime_error(message) {}
};

// A value operation or conversion that is not defined for its operands.
class EVariantError : public EScriptError {
 public:
  using EScriptError::EScriptError;
};

// Arithmetic faults: integer and floating-point division by zero, overflow, invalid operation.
class EMathError : public EScriptError {
 public:
  using EScriptError::EScriptError;
};

// A program stream that cannot be read, or a constant that cannot be written into one.
class EProgramFormatError : public EScriptError {
 public:
  using EScriptError::EScriptError;
};

// The fixed message texts.
namespace errtext {
inline constexpr const char* kInvalidVariantOperation = "Invalid variant operation";
inline constexpr const char* kInvalidVariantTypeConversion = "Invalid variant type conversion";
inline constexpr const char* kVariantOverflow = "Variant overflow";  // a conversion out of range
inline constexpr const char* kDivisionByZero = "Division by zero";
inline constexpr const char* kIntegerOverflow = "Integer overflow";  // -2147483648 div -1
inline constexpr const char* kFloatDivisionByZero = "Floating point division by zero";
inline constexpr const char* kFloatOverflow = "Floating point overflow";
inline constexpr const char* kFloatInvalidOperation = "Invalid floating point operation";
inline constexpr const char* kVariantNotArray = "Variant is not an array";
inline constexpr const char* kArrayIndexOutOfBounds = "Variant array index out of bounds";
inline constexpr const char* kInvalidOpcode = "Invalid opcode";
inline constexpr const char* kStackOverflow = "Stack overflow";
// A string beyond the length limit, or no memory left.
inline constexpr const char* kOutOfMemory = "Out of memory";
inline constexpr const char* kStepLimit = "Step limit reached";
inline constexpr const char* kUnknownReaderType = "Unknown reader type";
inline constexpr const char* kUnknownWriteType = "Unknown variable type during writing program";
}  // namespace errtext

}  // namespace ondrix::script
