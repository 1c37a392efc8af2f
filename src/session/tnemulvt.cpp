#include "session/tnemulvt.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/services.h"
#include "telnet/socket_errors.h"

namespace ondrix::session {

using term::TMouseButton;
using term::TRect;

TTnEmulVT::TTnEmulVT() : cnx_(std::make_unique<telnet::TTnCnx>()) {
  cnx_->OnDataAvailable = [this](telnet::TTnCnx*, const char* buffer, int length) {
    DataAvailable(buffer, length);
  };
  cnx_->OnSessionClosed = [this](telnet::TTnCnx*, std::uint16_t error) { SessionClosed(error); };
  cnx_->OnSessionConnected = [this](telnet::TTnCnx*, std::uint16_t error) {
    SessionConnected(error);
  };
  cnx_->OnSendLoc = [this](telnet::TTnCnx*) {
    if (OnSendLoc) OnSendLoc(this);
  };
  cnx_->OnTermType = [this](telnet::TTnCnx*) {
    if (OnTermType) OnTermType(this);
  };
  cnx_->OnLocalEcho = [this](telnet::TTnCnx*) {
    if (OnLocalEcho) OnLocalEcho(this);
  };
  SetOnCursorPos([this](term::TCustomEmulVT*, const std::string& report) {
    // The answer to the host's request arrives while its bytes are being interpreted; without a
    // connection it has nowhere to go, and a failure must not break off the interpretation.
    try {
      SendStr(report);
    } catch (const telnet::ESocketException&) {
    }
  });
}

TTnEmulVT::~TTnEmulVT() {
  StopLog();
  // The protocol layer goes before the control; its events must not reach a half-destroyed one.
  cnx_->OnSessionClosed = nullptr;
  cnx_->OnDataAvailable = nullptr;
  cnx_.reset();
}

// --- Configuration and connection ---------------------------------------------------------------

void TTnEmulVT::Configure(const std::string& connectionName, const std::string& host,
                          bool sendWindowSize, bool forceLineDraw, bool monochrome, bool localEcho,
                          bool autoLF, bool autoCR, int port, int columns, int rows,
                          const std::string& termType) {
  ConnectionName = connectionName;
  HostName = host;
  TermType = termType;
  cnx_->TermType = termType;
  SetRows(rows);
  SetCols(columns);
  Port = std::to_string(port);
  SetAutoCR(autoCR);
  SetAutoLF(autoLF);
  SetLocalEcho(localEcho);
  SetMonoChrome(monochrome);
  UpperLock = false;
  SetXlat(false);
  if (forceLineDraw) {
    term::TFont font = Font();
    font.CharSet = term::kOemCharset;
    SetFont(font);
  }
  SendWindowSize = sendWindowSize;
}

void TTnEmulVT::Connect() {
  if (HostName.empty()) return;
  ClearScreen();
  UpdateScreen();
  cnx_->Port = Port;
  cnx_->Host = HostName;
  cnx_->WindowCols = Cols();
  cnx_->WindowRows = Rows();
  cnx_->SendWindowSize = SendWindowSize;
  cnx_->Connect();
  View().SetFocus();
}

void TTnEmulVT::Disconnect() {
  ClearKeys();
  SetConnected(false);
  cnx_->Close();
}

int TTnEmulVT::Send(const void* buffer, int length) {
  if (!connected_) return -1;
  return cnx_->Send(buffer, length);
}

int TTnEmulVT::SendStr(const std::string& text) { return cnx_->SendStr(text); }

void TTnEmulVT::Display(std::string_view text) {
  WriteStr(text);
  UpdateScreen();
}

void TTnEmulVT::SendCaretString(const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '^') {
      if (++i >= text.size()) break;  // a trailing caret sends nothing
      c = static_cast<char>(text[i] - 64);
    }
    Send(&c, 1);
  }
}

void TTnEmulVT::SetOnEndOfRecord(TNotifyEvent handler) {
  if (!handler) {
    cnx_->OnEndOfRecord = nullptr;
    return;
  }
  cnx_->OnEndOfRecord = [this, handler = std::move(handler)](telnet::TTnCnx*) { handler(this); };
}

// --- Protocol events ----------------------------------------------------------------------------

void TTnEmulVT::DataAvailable(const char* buffer, int length) {
  // New data always shows the live screen, also when the user browsed the history and then left
  // the terminal: writing onto history lines would mix them into the live screen.
  if (Browsing()) ScrollToLive();
  if (OnDataAvailable) {
    int len = length;
    OnDataAvailable(this, buffer, len);
    return;
  }
  WriteBuffer(buffer, length);
  WriteLog(buffer, length);
  UpdateScreen();
}

void TTnEmulVT::SessionConnected(std::uint16_t error) {
  if (error != 0) {
    const std::string message = "Connection failed: " + std::string(telnet::WSocketErrorDesc(error));
    Display(message + "\r\n");
    platform::services().beeper->beep();
    if (OnError) OnError(this, error, message);
  }
  Error = error;
  SetConnected(true);
  if (OnRunConnectEvent && !OnRunConnectEvent(this, ConnectionName) && ConnectionName != kSystemOwner)
    OnRunConnectEvent(this, kSystemOwner);
  if (OnSessionConnected) OnSessionConnected(this);
}

void TTnEmulVT::SessionClosed(std::uint16_t error) {
  Display("\r\n*** Connection closed ***\r\n");
  platform::services().beeper->beep();
  Error = error;
  SetConnected(false);
  if (OnSessionClosed) OnSessionClosed(this);
}

// --- Session log --------------------------------------------------------------------------------

void TTnEmulVT::StartLog(const std::string& fileName) {
  StopLog();
  logFile_ = std::fopen(fileName.c_str(), "wb");
  if (!logFile_) {
    platform::services().dialogs->messageBox("Cannot create " + fileName + " for logging.", "Error",
                                             platform::MessageStyle::Error,
                                             platform::MessageButtons::Ok);
    return;
  }
  logName_ = fileName;
}

void TTnEmulVT::StopLog() {
  if (!logFile_) return;
  std::fclose(logFile_);
  logFile_ = nullptr;
}

void TTnEmulVT::WriteLog(const char* bytes, int count) {
  if (!logFile_ || count <= 0) return;
  if (std::fwrite(bytes, 1, static_cast<std::size_t>(count), logFile_) == static_cast<std::size_t>(count) &&
      std::fflush(logFile_) == 0)
    return;
  // The data has been shown; only the log lost it. Logging ends (the status bar shows it) rather
  // than failing every following block the same way.
  if (platform::TraceSink* trace = platform::services().trace; trace->enabled())
    trace->write("Session log " + logName_ + ": write failed (" + std::strerror(errno) +
                 "); logging stopped\n");
  StopLog();
}

// --- Screen text --------------------------------------------------------------------------------

int TTnEmulVT::CopyCells(int firstRow, int firstCol, int lastRow, int lastCol, char* buffer,
                         int size) const {
  if (size < 1) return 0;
  int count = 0;
  // Never beyond the lines and columns the screen keeps, whatever the window's size.
  lastRow = std::min(lastRow, term::kScreenLines - 1);
  lastCol = std::min(lastCol, term::kMaxCol);
  for (int row = firstRow; row <= lastRow; ++row) {
    if (row > firstRow) {
      if (size - count < 4) break;
      buffer[count++] = '\r';
      buffer[count++] = '\n';
    }
    const term::TLine& line = Screen().Line(row);
    int col = firstCol;
    for (; col <= lastCol && size - count >= 2; ++col)
      buffer[count++] = static_cast<char>(line.Chars[static_cast<std::size_t>(col)]);
    if (col <= lastCol) break;
  }
  buffer[count] = '\0';
  return count;
}

int TTnEmulVT::GetScreenText(char* buffer, int size) const {
  auto& view = const_cast<TTnEmulVT*>(this)->View();
  return CopyCells(0, 0, view.ClientHeight() / LineHeight() - 1, view.ClientWidth() / CharWidth() - 1,
                   buffer, size);
}

int TTnEmulVT::GetScreenRegion(int firstRow, int firstCol, int lastRow, int lastCol, char* buffer,
                               int size) const {
  const int maxRow = Rows() - 1;
  const int maxCol = Cols() - 1;
  if (firstRow < 0 || firstCol < 0 || lastRow < 0 || lastCol < 0 || firstRow > maxRow ||
      lastRow > maxRow || firstCol > maxCol || lastCol > maxCol) {
    if (size >= 1) buffer[0] = '\0';
    return 0;
  }
  return CopyCells(firstRow, firstCol, lastRow, lastCol, buffer, size);
}

int TTnEmulVT::GetSelectionText(char* buffer, int size) {
  if (!HasSelection() || size < 1) {
    if (size >= 1) buffer[0] = '\0';
    return 0;
  }
  const TRect r = selectRect_;
  const int count = CopyCells(std::max(0, r.Top / LineHeight()), std::max(0, r.Left / CharWidth()),
                              r.Bottom / LineHeight() - 1, r.Right / CharWidth() - 1, buffer, size);
  selectRect_.Top = -1;
  RepaintAll();
  return count;
}

// --- Keyboard -----------------------------------------------------------------------------------

void TTnEmulVT::KeyPress(char& key) {
  TEmulVT::KeyPress(key);
  if (!connected_) return;
  if (UpperLock && key >= 'a' && key <= 'z') key = static_cast<char>(key - 'a' + 'A');
  if (key == 0) return;
  if (LocalEcho()) Display(std::string_view(&key, 1));
  SendSwallowingErrors(&key, 1);
}

void TTnEmulVT::SendKeyBuffer(const char* buffer, int length) {
  if (LocalEcho()) Display(std::string_view(buffer, static_cast<std::size_t>(length)));
  SendSwallowingErrors(buffer, length);
}

void TTnEmulVT::SendSwallowingErrors(const char* buffer, int length) {
  try {
    cnx_->Send(buffer, length);
  } catch (const telnet::ESocketException&) {
    // A key typed at a connection that is gone: nothing to tell the user beyond the closed screen.
  }
}

// --- Mouse selection ----------------------------------------------------------------------------

void TTnEmulVT::MouseDown(TMouseButton button, unsigned shift, int x, int y) {
  TEmulVT::MouseDown(button, shift, x, y);
  if (button == TMouseButton::Right) return;
  mouseDown_ = true;
  if (focusDrawn_) {
    View().DrawFocusRect(dragRect_);
    focusDrawn_ = false;
  }
  if (HasSelection()) {
    selectRect_.Top = -1;
    RepaintAll();
  }
}

void TTnEmulVT::MouseMove(unsigned shift, int x, int y) {
  TEmulVT::MouseMove(shift, x, y);
  if (!mouseDown_) return;
  const int row = std::max(0, y) / LineHeight();
  const int col = std::max(0, x) / CharWidth();
  if (!selecting_) {
    selecting_ = true;
    anchorTop_ = row * LineHeight();
    anchorLeft_ = col * CharWidth();
    View().CaptureMouse(true, {0, 0, std::max(0, View().ClientWidth() - kScrollBarWidth),
                               View().ClientHeight()});
    return;
  }
  if (focusDrawn_) View().DrawFocusRect(dragRect_);
  dragRect_ = {anchorLeft_, anchorTop_, (col + 1) * CharWidth(), (row + 1) * LineHeight()};
  View().DrawFocusRect(dragRect_);
  focusDrawn_ = true;
}

void TTnEmulVT::MouseUp(TMouseButton button, unsigned shift, int x, int y) {
  TEmulVT::MouseUp(button, shift, x, y);
  if (button == TMouseButton::Right || !mouseDown_) return;
  mouseDown_ = false;
  if (selecting_) {
    selecting_ = false;
    View().CaptureMouse(false, {});
  }
  if (!focusDrawn_) return;
  View().DrawFocusRect(dragRect_);
  focusDrawn_ = false;
  if (dragRect_.Width() >= CharWidth() && dragRect_.Height() >= LineHeight()) selectRect_ = dragRect_;
  RepaintAll();
}

}  // namespace ondrix::session
