#pragma once
// Token kinds of the script language and the keyword table.

#include <array>
#include <cstdint>
#include <string_view>

namespace ondrix::script {

// Kinds 1..255 are one delimiter character each; the kind is the character code.
enum TokenKind : std::int32_t {
  kTokEnd = 0,
  kTokIdent = 256,
  kTokString = 257,
  kTokDigits = 258,
  kTokConstant = 261,  // registered constant; value = its position in the constant table
  kTokHex = 262,       // 0x... literal; value = the digits after the x

  kKwProgram = 1000,
  kKwLabel = 1001,
  kKwGoto = 1002,
  kKwVar = 1003,
  kKwBegin = 1004,
  kKwEnd = 1005,
  kKwAnd = 1006,
  kKwOr = 1007,
  kKwXor = 1008,
  kKwNot = 1009,
  kKwShl = 1010,
  kKwShr = 1011,
  kKwDiv = 1012,
  kKwMod = 1013,
  kKwTrue = 1014,
  kKwFalse = 1015,
  kKwIf = 1016,
  kKwThen = 1017,
  kKwElse = 1018,
  kKwWhile = 1019,
  kKwRepeat = 1020,
  kKwUntil = 1021,
  kKwFor = 1022,
  kKwTo = 1023,
  kKwDownTo = 1024,
  kKwDo = 1025,
  kKwNil = 1027,
  kKwInitialization = 1031,
  kKwFinalization = 1032,
  kKwClass = 1033,
  kKwType = 1034,
  kKwConstructor = 1035,
  kKwDestructor = 1036,
  kKwUses = 1037,
  kKwUnit = 1038,
  kKwInterface = 1039,
  kKwImplementation = 1040,
  kKwProcedure = 1041,
  kKwPrivate = 1042,
  kKwPublic = 1043,
  kKwProtected = 1044,
  kKwPublished = 1045,
  kKwFunction = 1046,
  kKwConst = 1047,
  kKwProperty = 1048,
  kKwVirtual = 1049,
  kKwOverride = 1050,
  kKwDynamic = 1051,
  kKwRecord = 1052,
  kKwForward = 1053,
  kKwIndex = 1054,
  kKwRead = 1055,
  kKwWrite = 1056,
  kKwStored = 1057,
  kKwDefault = 1058,
  kKwAbstract = 1059,
  kKwStdcall = 1069,
};

inline constexpr std::int32_t kFirstKeyword = 1000;
inline constexpr std::int32_t kLastKeyword = 1069;

constexpr bool isKeyword(std::int32_t kind) { return kind >= kFirstKeyword && kind <= kLastKeyword; }

struct Keyword {
  std::string_view word;  // upper-cased
  std::int32_t code;
};

inline constexpr std::array<Keyword, 57> kKeywords{{
    {"PROGRAM", kKwProgram},         {"LABEL", kKwLabel},
    {"GOTO", kKwGoto},               {"VAR", kKwVar},
    {"BEGIN", kKwBegin},             {"END", kKwEnd},
    {"AND", kKwAnd},                 {"OR", kKwOr},
    {"XOR", kKwXor},                 {"NOT", kKwNot},
    {"SHL", kKwShl},                 {"SHR", kKwShr},
    {"DIV", kKwDiv},                 {"MOD", kKwMod},
    {"TRUE", kKwTrue},               {"FALSE", kKwFalse},
    {"IF", kKwIf},                   {"THEN", kKwThen},
    {"ELSE", kKwElse},               {"WHILE", kKwWhile},
    {"REPEAT", kKwRepeat},           {"UNTIL", kKwUntil},
    {"FOR", kKwFor},                 {"TO", kKwTo},
    {"DOWNTO", kKwDownTo},           {"DO", kKwDo},
    {"NIL", kKwNil},                 {"INITIALIZATION", kKwInitialization},
    {"FINALIZATION", kKwFinalization}, {"CLASS", kKwClass},
    {"TYPE", kKwType},               {"CONSTRUCTOR", kKwConstructor},
    {"DESTRUCTOR", kKwDestructor},   {"USES", kKwUses},
    {"UNIT", kKwUnit},               {"INTERFACE", kKwInterface},
    {"IMPLEMENTATION", kKwImplementation}, {"PROCEDURE", kKwProcedure},
    {"PRIVATE", kKwPrivate},         {"PUBLIC", kKwPublic},
    {"PROTECTED", kKwProtected},     {"PUBLISHED", kKwPublished},
    {"FUNCTION", kKwFunction},       {"CONST", kKwConst},
    {"PROPERTY", kKwProperty},       {"VIRTUAL", kKwVirtual},
    {"OVERRIDE", kKwOverride},       {"DYNAMIC", kKwDynamic},
    {"RECORD", kKwRecord},           {"FORWARD", kKwForward},
    {"INDEX", kKwIndex},             {"READ", kKwRead},
    {"WRITE", kKwWrite},             {"STORED", kKwStored},
    {"DEFAULT", kKwDefault},         {"ABSTRACT", kKwAbstract},
    {"STDCALL", kKwStdcall},
}};

}  // namespace ondrix::script
