// ondrix-cli qdb: lists, reads, writes, removes and packs items of a record file. Every command
// is one cycle of the engine: open (or create) the file, one operation, close (which writes the
// index and joins the file). See docs/cli.md.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/cli/commands.h"
#include "store/qdb.h"

namespace ondrix::cli {
namespace {

using store::TQDB;

struct QdbOptions {
  std::string file;
  std::string key;
  std::string source = "-";
  bool compress = false;
};

void writeOut(std::string_view bytes) { std::fwrite(bytes.data(), 1, bytes.size(), stdout); }

int missingKey(const std::string& key) {
  std::fprintf(stderr, "%s\n", store::formatMessage(store::text::kBadKey, key).c_str());
  return kExitFailure;
}

// Open, operate, close; engine errors print their message and exit 1.
int cycle(const std::string& file, const std::function<int(TQDB&)>& operation) {
  try {
    TQDB db;
    db.SetFileName(file);
    const int status = operation(db);
    db.SetFileName("");
    std::fflush(stdout);
    return status;
  } catch (const store::EQDBError& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", e.what());
    return kExitFailure;
  }
}

bool readSource(const std::string& name, std::string& bytes) {
  if (name == "-") {
    bytes.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    return !std::cin.bad();
  }
  std::ifstream in(name, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

int keys(TQDB& db) {
  std::vector<std::string> list;
  db.GetKeyList(list);
  for (const auto& key : list) {
    writeOut(key);
    writeOut("\n");
  }
  return kExitOk;
}

int get(TQDB& db, const std::string& key) {
  if (!db.FindKey(key)) return missingKey(key);
  std::string bytes;
  db.GetItem(bytes);
  writeOut(bytes);
  return kExitOk;
}

int put(TQDB& db, const QdbOptions& options, const std::string& bytes) {
  db.Compression = options.compress;
  if (db.FindKey(options.key)) {
    db.DeleteItem();
    db.AddItem(bytes, options.key);
    db.Pack();
  } else {
    db.AddItem(bytes, options.key);
  }
  return kExitOk;
}

int remove(TQDB& db, const std::string& key) {
  if (!db.FindKey(key)) return missingKey(key);
  db.DeleteItem();
  db.Pack();
  return kExitOk;
}

int index(TQDB& db) {
  for (const auto& entry : db.DiskIndex()) {
    const std::string line = std::to_string(entry.index.flags) + " " +
                             std::to_string(entry.index.offset) + " " +
                             std::to_string(entry.index.size) + " ";
    writeOut(line);
    writeOut(entry.key);
    writeOut("\n");
  }
  return kExitOk;
}

}  // namespace

void addQdbCommand(CLI::App& app, int& exitCode) {
  auto options = std::make_shared<QdbOptions>();
  CLI::App* qdb = app.add_subcommand("qdb", "Lists, reads, writes, removes and packs record file items");
  qdb->require_subcommand(1);

  auto withFile = [&](const char* name, const char* description) {
    CLI::App* sub = qdb->add_subcommand(name, description);
    sub->add_option("file", options->file, "Record file")->required();
    return sub;
  };

  withFile("keys", "Ordinary keys in ascending order, one per line")->callback([options, &exitCode] {
    exitCode = cycle(options->file, keys);
  });

  CLI::App* getCommand = withFile("get", "The item's bytes (decompressed) to standard output");
  getCommand->add_option("key", options->key, "Key")->required();
  getCommand->callback([options, &exitCode] {
    exitCode = cycle(options->file, [&](TQDB& db) { return get(db, options->key); });
  });

  CLI::App* putCommand = withFile("put", "Stores the bytes of SRC (or standard input) under KEY");
  putCommand->add_option("key", options->key, "Key")->required();
  putCommand->add_option("source", options->source, "Source file, or - for standard input");
  putCommand->add_flag("--compress", options->compress, "Store the item compressed");
  putCommand->callback([options, &exitCode] {
    std::string bytes;
    if (!readSource(options->source, bytes)) {
      std::fprintf(stderr, "Could not read %s: %s\n", options->source.c_str(), std::strerror(errno));
      exitCode = kExitFailure;
      return;
    }
    exitCode = cycle(options->file, [&](TQDB& db) { return put(db, *options, bytes); });
  });

  CLI::App* rmCommand = withFile("rm", "Removes the item under KEY and packs the file");
  rmCommand->add_option("key", options->key, "Key")->required();
  rmCommand->callback([options, &exitCode] {
    exitCode = cycle(options->file, [&](TQDB& db) { return remove(db, options->key); });
  });

  withFile("pack", "Rewrites the file without dead space")->callback([options, &exitCode] {
    exitCode = cycle(options->file, [](TQDB& db) {
      db.Pack();
      return kExitOk;
    });
  });

  withFile("index", "Each index entry as on disk, in file order: FLAGS OFFSET SIZE KEY")
      ->callback([options, &exitCode] { exitCode = cycle(options->file, index); });
}

}  // namespace ondrix::cli
