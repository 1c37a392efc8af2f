// The FTP routines of scripts: the main window's FTP client, with every step written to status
// panel 0. A failure is a false value and a status text, never an error that ends the script.

#include <exception>
#include <string>

#include "automation/ftp/ftp_client.h"
#include "automation/routines.h"
#include "automation/script_procs.h"
#include "script/std_args.h"
#include "shell/main_form.h"

namespace ondrix::automation::routines {
namespace {

using script::textArg;

void status(const std::string& text) { TScriptProcs::Current().MainForm().WriteStatus(text); }

TFtpClient& client() { return TScriptProcs::Current().Ftp(); }

// Runs one transfer between `local` and `remote`; `shown` is the file name the status texts name.
bool transfer(bool (TFtpClient::*operation)(), const char* verb, const std::string& local,
              const std::string& remote, const std::string& shown) {
  status("FTP " + std::string(verb) + " of " + shown + " started.");
  TFtpClient& ftp = client();
  ftp.LocalFileName = local;
  ftp.HostFileName = remote;
  bool done = false;
  std::string why;
  try {
    done = (ftp.*operation)();
    why = ftp.ErrorText();
  } catch (const std::exception& e) {
    why = e.what();
  }
  status("FTP " + std::string(verb) + " of " + shown + (done ? " was successful." : " failed: " + why));
  return done;
}

}  // namespace

void FTPConnect(ParamCells& cells, ScriptValue& result) {
  const std::string host = textArg(cells, 0), user = textArg(cells, 1), password = textArg(cells, 2);
  status("Attempting connection with " + host);
  bool connected = false;
  try {
    TFtpClient& ftp = client();
    ftp.HostName = host;
    ftp.UserName = user;
    ftp.Password = password;
    connected = ftp.Connect();
    status(connected ? "Successful FTP connection" : "FTP connect error: " + ftp.ErrorText());
  } catch (const std::exception&) {
    status("FTP connect error: Cannot connect to " + host);
  }
  result = ScriptValue::boolean(connected);
}

void FTPDisconnect(ParamCells&, ScriptValue& result) {
  bool done = false;
  std::string why;
  try {
    done = client().Disconnect();
    why = client().ErrorText();
  } catch (const std::exception& e) {
    why = e.what();
  }
  status(done ? "Successful FTP disconnect" : "FTP disconnect error: " + why);
  result = ScriptValue::boolean(done);
}

void FTPSend(ParamCells& cells, ScriptValue& result) {
  const std::string local = textArg(cells, 0), remote = textArg(cells, 1);
  result = ScriptValue::boolean(transfer(&TFtpClient::Put, "send", local, remote, local));
}

void FTPReceive(ParamCells& cells, ScriptValue& result) {
  const std::string local = textArg(cells, 0), remote = textArg(cells, 1);
  result = ScriptValue::boolean(transfer(&TFtpClient::Get, "receive", local, remote, remote));
}

void FTPAscii(ParamCells&, ScriptValue&) {
  client().TransferType = TFtpClient::TTransferType::Ascii;
  status("FTP ASCII transfer mode set");
}

void FTPBinary(ParamCells&, ScriptValue&) {
  client().TransferType = TFtpClient::TTransferType::Binary;
  status("FTP binary transfer mode set");
}

}  // namespace ondrix::automation::routines
