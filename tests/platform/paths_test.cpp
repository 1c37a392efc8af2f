#include "platform/paths.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>

#include "store/stores/factory_data.h"

namespace ondrix::platform {
namespace {

namespace fs = std::filesystem;

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

// A fresh temporary folder, removed with everything in it at the end of the test.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "ondrix-paths-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create " + pattern);
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

void makeFile(const std::string& path) { std::ofstream(path) << "x"; }

TEST(Paths, DataFolderFollowsTheEnvironmentThenTheProgramFolderThenTheUsersFolder) {
  const TempFolder tmp;
  fs::create_directories(tmp / "portable");                // writable, DATA/ not there yet
  fs::create_directories(tmp / "built/DATA");              // writable, DATA/ exists
  makeFile(tmp / "blocked");                               // a file: nothing can be created below it
  fs::create_directories(tmp / "datafile");                // DATA is a file, not a folder
  makeFile(tmp / "datafile/DATA");
  const std::string system = tmp / "blocked/lib/ondrix";  // stands for a folder the user cannot write

  struct Case {
    const char* what;
    std::string programFolder, ondrixData, xdgDataHome, home, expected;
  };
  const Case cases[] = {
      {"environment wins", tmp / "portable", "/srv/ondrix", "/x", "/home/u", "/srv/ondrix/"},
      {"environment wins over an unusable program folder", system, "/srv/o/", "", "/home/u", "/srv/o/"},
      {"DATA/ can be created beside the program", tmp / "portable", "", "/x", "/home/u", tmp / "portable/DATA/"},
      {"program folder name with its slash", tmp / "portable/", "", "", "/home/u", tmp / "portable/DATA/"},
      {"DATA/ exists beside the program", tmp / "built", "", "/x", "/home/u", tmp / "built/DATA/"},
      {"installed, XDG_DATA_HOME set", system, "", "/home/u/data", "/home/u", "/home/u/data/ondrix/DATA/"},
      {"installed, XDG_DATA_HOME unset", system, "", "", "/home/u", "/home/u/.local/share/ondrix/DATA/"},
      {"installed, XDG_DATA_HOME relative", system, "", "rel/data", "/home/u/", "/home/u/.local/share/ondrix/DATA/"},
      {"DATA beside the program is a file", tmp / "datafile", "", "", "/home/u", "/home/u/.local/share/ondrix/DATA/"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(chooseDataFolder({c.programFolder, c.ondrixData, c.xdgDataHome, c.home}), c.expected) << c.what;
  }
}

TEST(Paths, ReadOnlyProgramFolderFallsBackToTheUsersFolder) {
  if (::geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind the super-user";
  const TempFolder tmp;
  fs::create_directories(tmp / "ro");
  fs::permissions(tmp / "ro", fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(chooseDataFolder({tmp / "ro", "", "", "/home/u"}), "/home/u/.local/share/ondrix/DATA/");
  fs::create_directories(tmp / "rw/DATA");
  fs::permissions(tmp / "rw/DATA", fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(chooseDataFolder({tmp / "rw", "", "/home/u/d", "/home/u"}), "/home/u/d/ondrix/DATA/");
  fs::permissions(tmp / "ro", fs::perms::owner_all);
  fs::permissions(tmp / "rw/DATA", fs::perms::owner_all);
}

TEST(Paths, DataFolderOfTheProcessReadsTheEnvironment) {
  const TempFolder tmp;
  {
    const ScopedEnv env("ONDRIX_DATA", "/srv/ondrix");
    EXPECT_EQ(dataFolder(), "/srv/ondrix/");
  }
  {
    // The test executable's folder is the build tree: DATA/ beside it when this user may write
    // there, else the folder under XDG_DATA_HOME.
    const ScopedEnv env("ONDRIX_DATA", nullptr);
    const ScopedEnv xdg("XDG_DATA_HOME", (tmp / "xdg").c_str());
    const bool writable = ::access(programFolder().c_str(), W_OK) == 0;
    EXPECT_EQ(dataFolder(), writable ? programFolder() + "DATA/" : tmp / "xdg/ondrix/DATA/");
    EXPECT_EQ(programFolder().back(), '/');
  }
}

TEST(Paths, FirstStartInTheUsersFolderCreatesTheFactoryFilesOnce) {
  const TempFolder tmp;
  const std::string data = chooseDataFolder({tmp / "none/lib", "", tmp / "xdg", "/home/u"});
  ASSERT_EQ(data, tmp / "xdg/ondrix/DATA/");
  const auto created = store::createFactoryData(data);
  EXPECT_FALSE(created.empty());
  for (const std::string& name : created) EXPECT_TRUE(fs::is_regular_file(data + name)) << name;
  // A user's change survives the next start.
  const std::string keys = data + created.front();
  makeFile(keys);
  EXPECT_TRUE(store::createFactoryData(data).empty());
  EXPECT_EQ(fs::file_size(keys), 1u);
}

TEST(Paths, TempFolderFallsBackToTmp) {
  {
    const ScopedEnv env("TMPDIR", "/var/tmp/x/");
    EXPECT_EQ(tempFolder(), "/var/tmp/x/");
  }
  {
    const ScopedEnv env("TMPDIR", "");
    EXPECT_EQ(tempFolder(), "/tmp/");
  }
}

}  // namespace
}  // namespace ondrix::platform
