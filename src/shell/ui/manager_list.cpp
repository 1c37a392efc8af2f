#include "shell/ui/manager_list.h"

#include <QAction>
#include <QListWidget>
#include <QSignalBlocker>

#include "shell/ui/manager_text.h"

namespace ondrix::shell::ui {

void showListNames(QListWidget* list, const std::vector<std::string>& names, int selected) {
  const QSignalBlocker quiet(list);
  list->clear();
  for (const std::string& name : names) list->addItem(toQt(name));
  list->setCurrentRow(selected);
}

void addListPopup(QListWidget* list, QAction* action) {
  list->setContextMenuPolicy(Qt::ActionsContextMenu);
  list->addAction(action);
}

}  // namespace ondrix::shell::ui
