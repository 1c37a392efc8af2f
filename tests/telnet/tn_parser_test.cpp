#include "telnet/tn_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/services.h"

namespace ondrix::telnet {
namespace {

// Writes every parser callback as text, so whole streams compare as one string.
struct Recorder : TnParser::Handler {
  std::string log;
  void tnData(const char* bytes, std::size_t length) override { data.append(bytes, length); }
  void tnNegotiate(std::uint8_t command, std::uint8_t option) override {
    endData();
    log += "neg " + std::to_string(command) + " " + std::to_string(option) + ";";
  }
  void tnSubnegotiation(std::string_view text) override {
    endData();
    log += "sub " + std::to_string(text.size()) + ":" + std::string(text.substr(0, 8)) + ";";
  }
  void tnEndOfRecord() override {
    endData();
    log += "eor;";
  }
  std::string finish() {
    endData();
    return log;
  }
  void endData() {
    if (!data.empty()) log += "data[" + data + "];";
    data.clear();
  }
  std::string data;
};

struct CapturedTrace : platform::TraceSink {
  bool enabled() const override { return true; }
  void write(std::string_view text) override { log += text; }
  std::string log;
};

std::string bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

// A stream with every kind of element, including a long sub-negotiation.
std::string mixedStream() {
  return "ab" + bytes({255, 255}) + "c" + bytes({255, 253, 24}) + "de" +
         bytes({255, 250, 24, 1, 255, 240}) + bytes({255, 239}) + bytes({255, 241}) + "f" +
         bytes({244}) + bytes({255, 251}) + "\x05" + "g" + bytes({255, 250, 31}) +
         std::string(3000, 'x') + bytes({255, 240}) + "h";
}

std::string parseInPieces(const std::string& stream, std::size_t split) {
  TnParser parser;
  Recorder r;
  if (split == 0) {
    for (char c : stream) parser.parse(&c, 1, r);
  } else {
    parser.parse(stream.data(), split, r);
    parser.parse(stream.data() + split, stream.size() - split, r);
  }
  return r.finish();
}

TEST(TnParser, SeparatesDataCommandsAndSubnegotiations) {
  CapturedTrace trace;
  platform::ScopedServices services{platform::Services{nullptr, &trace, nullptr, nullptr, nullptr}};
  TnParser parser;
  Recorder r;
  const std::string stream = mixedStream();
  parser.parse(stream.data(), stream.size(), r);
  EXPECT_EQ(r.finish(),
            "data[ab\xFF" "c];neg 253 24;data[de];sub 3:\x18\x01\xFF;eor;data[f\xF4];neg 251 5;"
            "data[g];sub 1024:\x1Fxxxxxxx;data[h];");
  EXPECT_EQ(trace.log, "Unknown F1 '\xF1'\r\nTNCH_IP\r\n");
}

TEST(TnParser, ResultIsTheSameWhereverTheStreamIsSplit) {
  const std::string stream = mixedStream();
  const std::string whole = parseInPieces(stream, stream.size());
  EXPECT_EQ(parseInPieces(stream, 0), whole);
  for (std::size_t split = 1; split < stream.size(); ++split)
    ASSERT_EQ(parseInPieces(stream, split), whole) << "split at " << split;
}

TEST(TnParser, SubnegotiationTextIsCappedAtTheLimit) {
  for (const std::size_t size : {TnParser::kSubLimit - 1, TnParser::kSubLimit, TnParser::kSubLimit + 1}) {
    TnParser parser;
    Recorder r;
    const std::string stream = bytes({255, 250}) + std::string(size, 'y') + bytes({240}) + "z";
    parser.parse(stream.data(), stream.size(), r);
    EXPECT_EQ(r.finish(), "sub " + std::to_string(std::min(size, TnParser::kSubLimit)) +
                              ":yyyyyyyy;data[z];");
  }
}

TEST(TnParser, TracedDataBytesAreStillData) {
  CapturedTrace trace;
  platform::ScopedServices services{platform::Services{nullptr, &trace, nullptr, nullptr, nullptr}};
  TnParser parser;
  Recorder r;
  const std::string stream = bytes({244, 245, 246, 247, 248, 249, 255, 249});
  parser.parse(stream.data(), stream.size(), r);
  EXPECT_EQ(r.finish(), "data[" + bytes({244, 245, 246, 247, 248, 249}) + "];");
  EXPECT_EQ(trace.log, "TNCH_IP\r\nTNCH_AO\r\nTNCH_AYT\r\nTNCH_EC\r\nTNCH_EL\r\nUnknown F9 '\xF9'\r\n");
}

}  // namespace
}  // namespace ondrix::telnet
