#pragma once
// The script windows as the main window reaches them: the command handlers of "&Global event
// manager" (the event handler editor for "System", modal, made and freed each time) and
// "&Script manager..." (made on first use, kept until it is closed), and the event handler editor
// for one connection, which the connection editor opens; and the script editors the add-in
// manager library borrows (script_editor_service.h).

#include <string>

class QWidget;

namespace ondrix::shell {
class TMainForm;
}

namespace ondrix::shell::ui {

// Installs the handlers of CommandId::EventManager and CommandId::ScriptManager and the script
// editor service among the main window's children. `parent` is the main window: the script
// manager is its own top-level window but goes with it, and closing the main window first closes
// the script manager (which may ask to save; "Cancel" keeps both open).
void installScriptWindows(TMainForm& form, QWidget* parent);

// Shows the event handler editor for `owner` (a connection's name, or "System") modally.
void showEventHandlerEditor(const std::string& owner, TMainForm& form, QWidget* parent);

}  // namespace ondrix::shell::ui
