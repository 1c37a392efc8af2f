#include "shell/ui/command_actions.h"

#include <QKeySequence>
#include <string>

#include "platform/codepage.h"
#include "shell/ui/command_icons.h"

namespace ondrix::shell::ui {

QString uiText(std::string_view text) { return QString::fromStdString(platform::cp1252ToUtf8(text)); }

namespace {

// A caption as a tool tip: no mnemonic marker, no trailing dots.
QString plainCaption(std::string_view caption) {
  QString text = uiText(caption);
  text.remove(QLatin1Char('&'));
  while (text.endsWith(QLatin1Char('.'))) text.chop(1);
  return text;
}

// `withShortCut`: one key must not belong to two actions of the same window, so only the main
// action of a command carries its short-cut.
QAction* makeAction(QObject* owner, const TCommand& c, std::string_view caption, bool withShortCut,
                    const std::function<void(CommandId)>& execute) {
  auto* action = new QAction(uiText(caption), owner);
  action->setCheckable(c.Checkable);
  if (withShortCut && !c.ShortCut.empty())
    action->setShortcut(QKeySequence(QString::fromLatin1(c.ShortCut.data(), static_cast<qsizetype>(c.ShortCut.size())),
                                     QKeySequence::PortableText));
  const CommandId id = c.Id;
  QObject::connect(action, &QAction::triggered, owner, [execute, id] { execute(id); });
  return action;
}

}  // namespace

CommandActions::CommandActions(QObject* owner, std::function<void(CommandId)> execute) {
  for (const TCommand& c : commandTable()) {
    QAction* action = makeAction(owner, c, c.Caption, true, execute);
    if (c.Places & kManagersBar) {
      action->setIconText(uiText(c.Hint));  // the letter on the managers bar
      action->setToolTip(plainCaption(c.Caption));
    } else if (!c.Hint.empty()) {
      action->setIconText(uiText(c.Hint));
      action->setToolTip(uiText(c.Hint));
      action->setIcon(commandIcon(c.Id));
    }
    main_[index(c.Id)] = action;
    // The pop-up menu has its own action only where its caption differs.
    if (c.PopupCaption.empty()) {
      popup_[index(c.Id)] = action;
    } else {
      popup_[index(c.Id)] = makeAction(owner, c, c.PopupCaption, false, execute);
      popup_[index(c.Id)]->setIcon(action->icon());
    }
  }
}

void CommandActions::setEnabled(CommandId id, bool enabled) {
  main_[index(id)]->setEnabled(enabled);
  popup_[index(id)]->setEnabled(enabled);
}

void CommandActions::setChecked(CommandId id, bool checked) {
  main_[index(id)]->setChecked(checked);
  popup_[index(id)]->setChecked(checked);
}

void CommandActions::fillMenu(QMenu& menu, std::span<const CommandId> order) const {
  for (CommandId id : order) {
    if (id == CommandId::Count_)
      menu.addSeparator();
    else
      menu.addAction(popupAction(id));
  }
}

void CommandActions::fillToolBar(QToolBar& bar, std::span<const CommandId> order) const {
  for (CommandId id : order) {
    if (id == CommandId::Count_)
      bar.addSeparator();
    else
      bar.addAction(action(id));
  }
}

void CommandActions::fillManagersBar(QToolBar& bar) const {
  bar.setToolButtonStyle(Qt::ToolButtonTextOnly);
  for (const TCommand& c : commandTable())
    if (c.Places & kManagersBar) bar.addAction(action(c.Id));
}

}  // namespace ondrix::shell::ui
