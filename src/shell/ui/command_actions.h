#pragma once
// The Qt actions of the main window's commands, made from the command table: one action per
// command for the main menu and the toolbars, and a second one for the terminal pop-up menu where
// the pop-up words the command differently. Enabling and checking go through the command id and
// reach every action of that command.

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <array>
#include <functional>
#include <span>

#include "shell/command_table.h"

namespace ondrix::shell::ui {

class CommandActions {
 public:
  // The actions are children of `owner`; triggering one calls `execute` with its command.
  CommandActions(QObject* owner, std::function<void(CommandId)> execute);

  QAction* action(CommandId id) const { return main_[index(id)]; }
  QAction* popupAction(CommandId id) const { return popup_[index(id)]; }

  void setEnabled(CommandId id, bool enabled);
  void setChecked(CommandId id, bool checked);

  // Appends the actions of `order` (separators where the order has CommandId::Count_).
  void fillMenu(QMenu& menu, std::span<const CommandId> order) const;
  void fillToolBar(QToolBar& bar, std::span<const CommandId> order) const;
  // The managers bar: every command placed on it, in table order, shown by its letter.
  void fillManagersBar(QToolBar& bar) const;

 private:
  static std::size_t index(CommandId id) { return static_cast<std::size_t>(id); }

  std::array<QAction*, kCommandCount> main_{};
  std::array<QAction*, kCommandCount> popup_{};
};

// Text of the table (8-bit, Windows-1252) for Qt.
QString uiText(std::string_view text);

}  // namespace ondrix::shell::ui
