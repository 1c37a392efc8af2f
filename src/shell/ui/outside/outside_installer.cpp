#include "shell/ui/outside/outside_installer.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>
#include <QWidget>

#include "platform/services.h"
#include "shell/main_form.h"
#include "shell/outside_libraries.h"
#include "shell/ui/outside/help_viewer.h"
#include "shell/ui/outside/outside_handle.h"

namespace ondrix::shell::ui {
namespace {

constexpr const char* kGuide = "OXPRO.md";
constexpr const char* kScriptHelp = "OXPSCRIPT.md";
constexpr const char* kNews = "NEWS.html";

// "Cannot find the help file PATH." (or the news page).
void cannotFind(const char* what, const QString& path) {
  const std::string text = std::string("Cannot find the ") + what + " " + path.toStdString() + ".";
  platform::services().dialogs->messageBox(text, TMainForm::kErrorCaption, platform::MessageStyle::Information,
                                           platform::MessageButtons::Ok);
}

}  // namespace

void openHelp(QWidget* mainWindow, const QString& folder, const QString& file, HelpViewer::Page page,
              const QString& keyword) {
  // One viewer per main window, made on first use; it goes with the main window. Asked for from a
  // modal window (F1 in the add-in or event handler editor), the viewer belongs to that window
  // instead, since the modal window blocks every window but its own.
  QWidget* owner = QApplication::activeModalWidget();
  if (!owner) owner = mainWindow;
  auto* viewer = owner->findChild<HelpViewer*>(QString(), Qt::FindDirectChildrenOnly);
  if (!viewer) viewer = new HelpViewer(folder, owner);
  if (!viewer->open(file, page, keyword)) cannotFind("help file", folder + file);
}

void installOutsideComponents(TMainForm& form, QWidget* mainWindow) {
  mainWindow->setProperty(kDataFolderProperty, QString::fromStdString(form.DataFolder()));
  installOutsideLibraries(form, mainWindow);

  const QString folder = QString::fromStdString(form.ProgramFolder());
  auto help = [mainWindow, folder](const char* file, HelpViewer::Page page) {
    return [mainWindow, folder, file, page] { openHelp(mainWindow, folder, QString::fromLatin1(file), page); };
  };
  form.SetCommandHandler(CommandId::Contents, help(kGuide, HelpViewer::Page::Contents));
  form.SetCommandHandler(CommandId::Index, help(kGuide, HelpViewer::Page::Index));
  form.SetCommandHandler(CommandId::ScriptingHelp, help(kScriptHelp, HelpViewer::Page::Index));
  form.SetCommandHandler(CommandId::NewsPage, [folder] {
    const QString path = folder + QString::fromLatin1(kNews);
    if (!QFileInfo::exists(path)) {
      cannotFind("news page", path);
      return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
  });
}

}  // namespace ondrix::shell::ui
