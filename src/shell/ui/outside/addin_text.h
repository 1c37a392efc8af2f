#pragma once
// Stored add-in texts are Windows-1252; the windows show them as Unicode.

#include <QString>

#include <cstdio>
#include <string>

#include "platform/codepage.h"

namespace ondrix::shell::ui {

inline QString fromStored(const std::string& text) {
  return QString::fromStdString(platform::cp1252ToUtf8(text));
}
inline std::string toStored(const QString& text) { return platform::utf8ToCp1252(text.toStdString()); }

// The add-in's number as its key: "00012".
inline QString addinKey(std::int32_t number) { return QString::asprintf("%05d", number); }

}  // namespace ondrix::shell::ui
