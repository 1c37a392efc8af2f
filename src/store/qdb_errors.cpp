#include "store/qdb_errors.h"

#include <cerrno>

namespace ondrix::store {

std::string formatMessage(std::string_view pattern, std::string_view argument) {
  std::string result(pattern);
  if (const auto at = result.find("%s"); at != std::string::npos) result.replace(at, 2, argument);
  return result;
}

std::string fileErrorText(int code, std::string_view fileName) {
  switch (code) {
    case -2: return formatMessage(text::kNotFound, fileName);
    case -3: return std::string(text::kNotReady);
    case -4: return std::string(text::kNoHandles);
    case -5: return formatMessage(text::kInUse, fileName);
    case -101: return std::string(text::kDiskFull);
    default: return formatMessage(text::kUnidentified, std::to_string(code));
  }
}

namespace {

int codeOfErrno(int e) {
  switch (e) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
      return -2;
    case EIO:
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM:
      return -3;
    case EMFILE:
    case ENFILE:
      return -4;
    case EBUSY:
    case ETXTBSY:
    case EWOULDBLOCK:
      return -5;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return -101;
    default:
      return e;
  }
}

}  // namespace

EQDBFileError fileErrorFromErrno(int errnoValue, std::string_view fileName) {
  const int code = codeOfErrno(errnoValue);
  return EQDBFileError(code, fileErrorText(code, fileName));
}

}  // namespace ondrix::store
