#pragma once
// Inputs for the record store benchmarks: settings-like text, fixed binary records and noise.

#include <cstdint>
#include <random>
#include <string>

namespace ondrix::store::bench {

inline std::string settingsText(std::size_t size) {
  static const char* const words[] = {"Name=", "Host=", "telnet.example.org ", "Port=23\r\n",
                                      "Emulation=VT100\r\n", "Lines=25 ", "Columns=80\r\n",
                                      "KeyList=Default ", "Palette=0\r\n", "begin ", "end;\r\n",
                                      "SendText('login'); ", "WaitFor('$ '); "};
  std::mt19937 gen(1);
  std::string s;
  while (s.size() < size) s += words[gen() % 13];
  s.resize(size);
  return s;
}

// Fixed 1,368-byte records: short texts with zero padding and small integers.
inline std::string binaryRecords(std::size_t size) {
  std::mt19937 gen(2);
  std::string s;
  while (s.size() < size) {
    std::string record(1368, '\0');
    const std::string name = "Connection " + std::to_string(gen() % 1000);
    record[0] = static_cast<char>(name.size());
    record.replace(1, name.size(), name);
    for (int i = 0; i < 40; ++i) record[300 + i * 4] = static_cast<char>(gen() % 16);
    s += record;
  }
  s.resize(size);
  return s;
}

inline std::string noise(std::size_t size) {
  std::mt19937 gen(3);
  std::string s(size, '\0');
  for (auto& c : s) c = static_cast<char>(gen());
  return s;
}

}  // namespace ondrix::store::bench
