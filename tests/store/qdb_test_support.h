#pragma once
// Helpers for record file tests: a scratch folder (also the temporary folder, through TMPDIR),
// whole-file reads and writes, and hand-built record files.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace ondrix::store::testing {

inline std::string le32(std::int32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
  return s;
}

struct DiskEntry {
  std::string key;
  std::int32_t offset;
  std::int32_t size;
  std::int32_t flags;
};

inline std::string indexSection(const std::vector<DiskEntry>& entries) {
  std::string s = le32(static_cast<std::int32_t>(entries.size()));
  for (const auto& e : entries) {
    s += e.key;
    s.push_back('\0');
    s += le32(e.offset) + le32(e.size) + le32(e.flags);
  }
  return s;
}

// A record file with the given data section and index entries in disk order.
inline std::string recordFile(const std::string& data, const std::vector<DiskEntry>& entries) {
  const std::string index = indexSection(entries);
  return std::string("QDB", 4) + le32(static_cast<std::int32_t>(data.size())) + data +
         std::string("QIX", 4) + le32(static_cast<std::int32_t>(index.size())) + index;
}

inline std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A fresh folder for record files and another one used as the temporary folder.
class ScratchFolders {
 public:
  ScratchFolders() {
    char pattern[] = "/tmp/ondrix-store-test-XXXXXX";
    root_ = mkdtemp(pattern);
    std::filesystem::create_directories(data());
    std::filesystem::create_directories(temp());
    const char* old = std::getenv("TMPDIR");
    if (old) oldTmp_ = old;
    hadTmp_ = old != nullptr;
    setenv("TMPDIR", temp().c_str(), 1);
  }
  ~ScratchFolders() {
    if (hadTmp_) {
      setenv("TMPDIR", oldTmp_.c_str(), 1);
    } else {
      unsetenv("TMPDIR");
    }
    std::error_code ec;
    std::filesystem::permissions(root_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(root_, ec);
  }
  std::filesystem::path data() const { return root_ / "data"; }
  std::filesystem::path temp() const { return root_ / "tmp"; }
  std::string file(const std::string& name) const { return (data() / name).string(); }
  // Files left in the temporary folder.
  std::size_t tempFileCount() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(temp()),
                                                  std::filesystem::directory_iterator()));
  }

 private:
  std::filesystem::path root_;
  std::string oldTmp_;
  bool hadTmp_ = false;
};

}  // namespace ondrix::store::testing
