#include "platform/paths.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>

namespace ondrix::platform {
namespace {

// Sets an environment variable for one scope and restores the old value afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = ::getenv(name)) old_ = old;
    if (value)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_)
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(Paths, DataFolderComesFromTheEnvironmentOrBesideTheProgram) {
  {
    ScopedEnv env("ONDRIX_DATA", "/srv/ondrix");
    EXPECT_EQ(dataFolder(), "/srv/ondrix/");
  }
  {
    ScopedEnv env("ONDRIX_DATA", nullptr);
    EXPECT_EQ(dataFolder(), programFolder() + "DATA/");
    EXPECT_EQ(programFolder().back(), '/');
  }
}

TEST(Paths, TempFolderFallsBackToTmp) {
  {
    ScopedEnv env("TMPDIR", "/var/tmp/x/");
    EXPECT_EQ(tempFolder(), "/var/tmp/x/");
  }
  {
    ScopedEnv env("TMPDIR", "");
    EXPECT_EQ(tempFolder(), "/tmp/");
  }
}

}  // namespace
}  // namespace ondrix::platform
