#pragma once
// The errors of the record file engine. Every message is one of the fixed texts below, with the
// record file's full name (or a key) in place of "%s".

#include <stdexcept>
#include <string>
#include <string_view>

namespace ondrix::store {

namespace text {
inline constexpr std::string_view kNoFile = "Illegal operation - no file assigned";
inline constexpr std::string_view kReadOnly = "%s is marked as read-only";
inline constexpr std::string_view kNoData = "File %s is empty";
inline constexpr std::string_view kOutOfBounds = "The list index is out of bounds";
inline constexpr std::string_view kBadKey = "The key '%s' does not exist";
inline constexpr std::string_view kNotValid = "The file %s is not a valid QDB file";
inline constexpr std::string_view kNoMemoryIndex = "Not enough memory to extend the index to %s";
inline constexpr std::string_view kDuplicate = "Duplicate keys are not allowed";
inline constexpr std::string_view kNoTempFile = "Could not create a necessary temporary file";
inline constexpr std::string_view kInvalidPassword = "The password you have provided is invalid";
inline constexpr std::string_view kNoCompress = "Insufficient memory to compress or expand";
inline constexpr std::string_view kNotFound = "Could not find the file %s";
inline constexpr std::string_view kNotReady = "The drive you are trying to access is not ready";
inline constexpr std::string_view kNoHandles = "No more file handles are available";
inline constexpr std::string_view kInUse = "The file %s seems to be in use by another program";
inline constexpr std::string_view kDiskFull = "The drive is full";
inline constexpr std::string_view kUnidentified = "Unidentified problem -  %s";
}  // namespace text

// `pattern` with its "%s" replaced by `argument`.
std::string formatMessage(std::string_view pattern, std::string_view argument);

class EQDBError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// File failure codes: -2 not found, -3 drive not ready, -4 no handles, -5 in use, -101 drive full,
// -1 the caller's own text, any other code (here: the errno value) unidentified.
class EQDBFileError : public EQDBError {
 public:
  EQDBFileError(int code, const std::string& message) : EQDBError(message), code_(code) {}
  int code() const { return code_; }

 private:
  int code_;
};

#define ONDRIX_QDB_ERROR(Name)        \
  class Name : public EQDBError {     \
   public:                            \
    using EQDBError::EQDBError;       \
  };
ONDRIX_QDB_ERROR(EQDBIndexError)
ONDRIX_QDB_ERROR(EQDBListError)
ONDRIX_QDB_ERROR(EQDBNoFile)
ONDRIX_QDB_ERROR(EQDBReadOnly)
ONDRIX_QDB_ERROR(EQDBNoData)
ONDRIX_QDB_ERROR(EQDBOutOfBounds)
ONDRIX_QDB_ERROR(EQDBBadKey)
ONDRIX_QDB_ERROR(EQDBInvalidPW)
ONDRIX_QDB_ERROR(EQDBNoCompress)
#undef ONDRIX_QDB_ERROR

// The text of a file failure code for `fileName`.
std::string fileErrorText(int code, std::string_view fileName);

// The file error for an operating-system failure `errnoValue` on `fileName`.
EQDBFileError fileErrorFromErrno(int errnoValue, std::string_view fileName);

}  // namespace ondrix::store
