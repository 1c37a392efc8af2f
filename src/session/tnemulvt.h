#pragma once
// TTnEmulVT: the terminal of one telnet session. A terminal control that owns the telnet protocol
// layer and joins the two: received data is shown (or handed to the owner's OnDataAvailable),
// typed keys are sent, the host's cursor position request is answered, a mouse selection is kept
// for copying, and a session log records the received bytes. Connection results are written on
// the screen itself.

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "telnet/tncnx.h"
#include "term/emulvt.h"

namespace ondrix::session {

class TTnEmulVT : public term::TEmulVT {
 public:
  using TNotifyEvent = std::function<void(TTnEmulVT* Sender)>;
  // The owner takes over the received block; it may change Len, which the terminal ignores.
  using TTnEmulVTDataAvailable = std::function<void(TTnEmulVT* Sender, const char* Buffer, int& Len)>;
  using TTnEmulVTError =
      std::function<void(TTnEmulVT* Sender, std::uint16_t ErrCode, const std::string& ErrMsg)>;
  // Runs the connect-event scripts stored under `OwnerName`; false when there are none.
  using TConnectEventHook = std::function<bool(TTnEmulVT* Sender, const std::string& OwnerName)>;

  static constexpr const char* kSystemOwner = "System";

  TTnEmulVT();
  ~TTnEmulVT() override;

  telnet::TTnCnx& TnCnx() { return *cnx_; }

  void Configure(const std::string& connectionName, const std::string& host, bool sendWindowSize,
                 bool forceLineDraw, bool monochrome, bool localEcho, bool autoLF, bool autoCR,
                 int port, int columns, int rows, const std::string& termType);
  void Connect();
  void Disconnect();
  bool IsConnected() const { return connected_; }

  // Sends while connected; the protocol layer's count, or -1 when not connected.
  int Send(const void* buffer, int length);
  int SendStr(const std::string& text);
  // Shows the session's own text and repaints.
  void Display(std::string_view text);
  void SendReset() { SendCaretString(ResetStr); }
  void SendBreak() { SendCaretString(BreakStr); }

  void StartLog(const std::string& fileName);
  void StopLog();
  std::string LogStatus() const { return logFile_ ? "Logging" : ""; }
  bool Logging() const { return logFile_ != nullptr; }
  // Writes received bytes to the session log (the owner's OnDataAvailable handler uses it); a
  // failed write ends the logging.
  void WriteLog(const char* bytes, int count);

  // Text of the visible area, of a screen rectangle, and of the selection: rows joined by CR LF,
  // at most `size` - 1 bytes and a closing zero byte; the count without the zero.
  int GetScreenText(char* buffer, int size) const;
  int GetScreenRegion(int firstRow, int firstCol, int lastRow, int lastCol, char* buffer,
                      int size) const;
  int GetSelectionText(char* buffer, int size);

  void SendKeyBuffer(const char* buffer, int length) override;
  void MouseDown(term::TMouseButton button, unsigned shift, int x, int y) override;
  void MouseMove(unsigned shift, int x, int y) override;
  void MouseUp(term::TMouseButton button, unsigned shift, int x, int y) override;

  std::string Location() const { return cnx_->Location; }
  void SetLocation(const std::string& location) { cnx_->Location = location; }
  void SetOnEndOfRecord(TNotifyEvent handler);

  std::uint16_t Error = 0;
  std::string IniFilename = "TNEMULVT.INI";
  std::string SectionName = "Windows";
  std::string KeyName = "TnEmulVT";
  std::string HostName;
  std::string Port = "telnet";
  bool UpperLock = false;
  std::string ResetStr;
  std::string BreakStr;
  std::string ConnectionName;
  std::string TermType;
  bool SendWindowSize = false;

  TNotifyEvent OnSessionClosed;
  TNotifyEvent OnSessionConnected;
  TNotifyEvent OnNamesClick;
  TNotifyEvent OnSendLoc;
  TNotifyEvent OnTermType;
  TNotifyEvent OnLocalEcho;
  TTnEmulVTDataAvailable OnDataAvailable;
  TTnEmulVTError OnError;
  TConnectEventHook OnRunConnectEvent;

 protected:
  void KeyPress(char& key) override;

 private:
  void DataAvailable(const char* buffer, int length);
  void SessionConnected(std::uint16_t error);
  void SessionClosed(std::uint16_t error);
  void SendCaretString(const std::string& text);
  void SendSwallowingErrors(const char* buffer, int length);
  int CopyCells(int firstRow, int firstCol, int lastRow, int lastCol, char* buffer, int size) const;

  std::unique_ptr<telnet::TTnCnx> cnx_;
  std::FILE* logFile_ = nullptr;
  std::string logName_;

  term::TRect dragRect_{-1, -1, -1, -1};
  int anchorTop_ = 0;
  int anchorLeft_ = 0;
  bool mouseDown_ = false;
  bool selecting_ = false;
  bool focusDrawn_ = false;
};

}  // namespace ondrix::session
