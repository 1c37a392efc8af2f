// ondrix-cli replay: feeds a byte stream to a fresh screen and prints the screen (text) or its
// whole state (--json). See docs/cli.md.

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/commands.h"
#include "platform/beep.h"
#include "platform/codepage.h"
#include "platform/printer.h"
#include "platform/read_blocks.h"
#include "platform/services.h"
#include "term/screen.h"

namespace ondrix::cli {
namespace {

constexpr int kHistoryShown = 20;

struct ReplayOptions {
  int rows = 25;
  int cols = 80;
  std::string colors = "7,0,15,0,11,0,13,0,0,7";
  bool noXlat = false;
  bool autoLF = false;
  bool autoCR = false;
  bool json = false;
  std::string printer;
  std::string input = "-";
};

// The ten 0-based colour indices, or an empty vector when the list is malformed.
std::vector<int> parseColors(const std::string& list) {
  std::vector<int> values;
  std::stringstream in(list);
  std::string item;
  while (std::getline(in, item, ',')) {
    if (item.empty() || item.size() > 2 || item.find_first_not_of("0123456789") != std::string::npos)
      return {};
    const int v = std::stoi(item);
    if (v > 15) return {};
    values.push_back(v);
  }
  if (values.size() != 10 || list.back() == ',') return {};
  return values;
}

// The input's descriptor (standard input for "-"), or -1 with errno set.
int openInput(const std::string& name) {
  return name == "-" ? STDIN_FILENO : ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
}

std::string hex(const std::uint8_t* bytes, std::size_t size) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out(size * 2, '0');
  for (std::size_t i = 0; i < size; ++i) {
    out[2 * i] = kDigits[bytes[i] >> 4];
    out[2 * i + 1] = kDigits[bytes[i] & 0x0F];
  }
  return out;
}

nlohmann::ordered_json lineJson(const term::TLine& line) {
  return {{"chars", hex(line.Chars.data(), line.Chars.size())},
          {"attrs", hex(line.Attrs.data(), line.Attrs.size())}};
}

void printJson(const term::TScreen& s, const std::vector<std::string>& replies, int beeps) {
  nlohmann::ordered_json out;
  out["rows"] = s.Rows();
  out["cols"] = s.Cols();
  out["row"] = s.Row();
  out["col"] = s.Col();
  out["scroll_top"] = s.ScrollTop();
  out["scroll_bottom"] = s.ScrollBottom();
  out["attribute"] = s.Attribute();
  out["saved_row"] = s.SavedRow();
  out["saved_col"] = s.SavedCol();
  out["auto_wrap"] = s.AutoWrap();
  out["insert_mode"] = s.InsertMode();
  out["graphics"] = s.Graphics();
  out["cursor_hidden"] = s.CursorHidden();
  out["xlat_active"] = s.XlatActive();
  out["line_drawing"] = s.LineDrawing();
  out["literal_count"] = s.LiteralCount();
  out["printer_pass_through"] = s.PrinterPassThrough();
  out["history_count"] = s.HistoryCount();
  out["pushed_count"] = s.PushedCount();
  auto& lines = out["lines"] = nlohmann::ordered_json::array();
  for (int r = 0; r < s.Rows(); ++r) lines.push_back(lineJson(s.Line(r)));
  auto& history = out["history"] = nlohmann::ordered_json::array();
  for (int i = term::kHistoryFull - kHistoryShown + 1; i <= term::kHistoryFull; ++i)
    history.push_back(lineJson(s.HistoryLine(i)));
  auto& rep = out["replies"] = nlohmann::ordered_json::array();
  for (const std::string& r : replies)
    rep.push_back(hex(reinterpret_cast<const std::uint8_t*>(r.data()), r.size()));
  out["beeps"] = beeps;
  std::cout << out.dump() << '\n';
}

void printText(const term::TScreen& s) {
  std::string out;
  for (int r = 0; r < s.Rows(); ++r) {
    const term::TLine& line = s.Line(r);
    std::string text = platform::cp437ToUtf8(
        std::string_view(reinterpret_cast<const char*>(line.Chars.data()), s.Cols()));
    text.erase(text.find_last_not_of(' ') + 1);  // cells drawn blank (0x20, 0x00) at the end
    out += text;
    out += '\n';
  }
  out += "cursor " + std::to_string(s.Row()) + "," + std::to_string(s.Col()) + "\n";
  std::cout << out;
}

int cannotRead(const std::string& name, int error) {
  std::fprintf(stderr, "Cannot read %s: %s\n", name.c_str(), std::strerror(error));
  return kExitFailure;
}

int runReplay(const ReplayOptions& o) {
  const std::vector<int> colors = parseColors(o.colors);
  if (colors.empty()) {
    std::fprintf(stderr,
                 "--colors: expected ten colour indices 0..15 separated by commas, got \"%s\"\n",
                 o.colors.c_str());
    return kExitUsage;
  }
  const int fd = openInput(o.input);
  if (fd < 0) return cannotRead(o.input, errno);

  platform::CountingBeeper beeper;
  platform::HeadlessPrinter printer(o.printer);
  platform::ScopedServices scope({nullptr, nullptr, &beeper, &printer, nullptr});

  auto screen = std::make_unique<term::TScreen>();
  screen->SetNormalColors(colors[0], colors[1]);
  screen->SetBoldColors(colors[2], colors[3]);
  screen->SetUnderlineColors(colors[4], colors[5]);
  screen->SetBlinkColors(colors[6], colors[7]);
  screen->SetReverseColors(colors[8], colors[9]);
  screen->SetRows(o.rows);
  screen->SetCols(o.cols);
  screen->SetAutoLF(o.autoLF);
  screen->SetAutoCR(o.autoCR);
  screen->SetXlatActive(!o.noXlat);
  screen->SetXlatDefault(!o.noXlat);

  std::vector<std::string> replies;
  screen->OnCursorPos = [&replies](term::TScreen&, std::string_view text) {
    replies.emplace_back(text);
  };
  // Each block goes to the screen as it arrives: memory stays the same whatever the input's size.
  const int error = platform::readBlocks(
      fd, [&screen](std::span<const std::uint8_t> block) { screen->ProcessBlock(block); });
  if (fd != STDIN_FILENO) ::close(fd);
  if (error != 0) return cannotRead(o.input, error);

  if (o.json)
    printJson(*screen, replies, beeper.count());
  else
    printText(*screen);
  return kExitOk;
}

}  // namespace

void addReplayCommand(CLI::App& app, int& exitCode) {
  auto options = std::make_shared<ReplayOptions>();
  CLI::App* cmd = app.add_subcommand("replay", "Feed a byte stream to a screen and show the result");
  cmd->add_option("--rows", options->rows, "Screen rows (1..100)")
      ->check(CLI::Range(1, 100))
      ->default_val(25);
  cmd->add_option("--cols", options->cols, "Screen columns (1..200)")
      ->check(CLI::Range(1, 200))
      ->default_val(80);
  cmd->add_option("--colors", options->colors,
                  "Ten colour indices: normal, bold, underline, blink, reverse (fore,back each)")
      ->default_val("7,0,15,0,11,0,13,0,0,7");
  cmd->add_flag("--no-xlat", options->noXlat, "Store received bytes untranslated");
  cmd->add_flag("--auto-lf", options->autoLF, "A carriage return also feeds a line");
  cmd->add_flag("--auto-cr", options->autoCR, "A line feed also returns the carriage");
  cmd->add_flag("--json", options->json, "Print the whole screen state as one JSON object");
  cmd->add_option("--printer", options->printer, "Append printer pass-through to this file");
  cmd->add_option("input", options->input, "Byte stream to replay (- for standard input)");
  cmd->callback([options, &exitCode] { exitCode = runReplay(*options); });
}

}  // namespace ondrix::cli
