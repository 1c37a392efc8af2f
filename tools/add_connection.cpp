// add_connection: puts a connection into the connection book of a data folder, seeded from the
// folder's connection defaults as the connection manager's "New" does. scripts/run.sh uses it to
// give its data folder the "Demo host" entry.
//
//   add_connection DATA NAME HOST PORT
//
// A connection of that name (letter case ignored) gets the host and port instead of a second
// entry, so running it again only updates the address.

#include <charconv>
#include <cstdio>
#include <exception>
#include <string>

#include "platform/paths.h"
#include "store/key_compare.h"
#include "store/stores/con_db_fcns.h"
#include "store/stores/def_db_fcns.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 64;

bool parsePort(const std::string& text, int& port) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, port);
  return error == std::errc() && stop == end && port >= 1 && port <= 65535;
}

}  // namespace

int main(int argc, char** argv) {
  int port = 0;
  if (argc != 5 || !parsePort(argv[4], port)) {
    std::fprintf(stderr, "Usage: add_connection DATA NAME HOST PORT (PORT 1-65535)\n");
    return kExitUsage;
  }
  const std::string data = ondrix::platform::withTrailingSlash(argv[1]);
  const std::string name = argv[2];
  try {
    ondrix::store::ConDBFcns book(data);
    book.Open();
    ondrix::store::ConnectionRecord record;
    const int count = book.Count();
    int number = 0;
    for (; number < count; ++number) {
      record = book.Read(number);
      if (ondrix::store::compareKeys(record.Name, name, false) == 0) break;
    }
    if (number == count) {
      ondrix::store::DefDBFcns defaults(data);
      defaults.Open();
      record = book.AddNew(defaults);
      defaults.Close();
    }
    record.Name = name;
    record.Host = argv[3];
    record.Port = port;
    book.Write(record.RecordNo, record);
    book.Close();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return kExitFailure;
  }
  return 0;
}
