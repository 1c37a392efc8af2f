// The system's "Description|patterns|..." filters as Qt file dialog filters.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/qt/file_filter.h"

namespace ondrix::platform::qt {
namespace {

TEST(FileFilter, PairsBecomeQtEntries) {
  struct Case {
    std::string filter;
    std::vector<QString> expected;
  };
  const std::vector<Case> cases = {
      {"Ondrix Script files|*.oxs|All files|*.*", {"Ondrix Script files (*.oxs)", "All files (*.*)"}},
      {"Logs|*.log;*.txt", {"Logs (*.log *.txt)"}},
      {"Text|*.txt|Dangling", {"Text (*.txt)"}},  // a description without patterns is dropped
      {"Empty||Text|*.txt", {"Text (*.txt)"}},
      {"", {}},
      {"Caf\xe9|*.c", {QString::fromUtf8("Caf\xc3\xa9 (*.c)")}},  // Windows-1252 text
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filter);
    EXPECT_EQ(qtFileFilters(c.filter), QStringList(c.expected.begin(), c.expected.end()));
  }
}

}  // namespace
}  // namespace ondrix::platform::qt
