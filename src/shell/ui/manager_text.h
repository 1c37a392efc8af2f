#pragma once
// Texts between the managers' logic (8-bit Windows-1252 bytes) and their Qt windows (Unicode).

#include <QString>
#include <string>
#include <string_view>

#include "platform/codepage.h"

namespace ondrix::shell::ui {

inline QString toQt(std::string_view text) { return QString::fromStdString(platform::cp1252ToUtf8(text)); }
inline std::string fromQt(const QString& text) { return platform::utf8ToCp1252(text.toStdString()); }

}  // namespace ondrix::shell::ui
