#include "shell/ui/outside/outside_installer.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QPointer>
#include <QUrl>
#include <QWidget>

#include <memory>

#include "platform/services.h"
#include "shell/main_form.h"
#include "shell/outside_libraries.h"
#include "shell/ui/outside/help_viewer.h"
#include "shell/ui/outside/outside_handle.h"

namespace ondrix::shell::ui {
namespace {

constexpr const char* kGuide = "OXPRO.md";
constexpr const char* kScriptHelp = "OXPSCRIPT.md";
constexpr const char* kNews = "NEWS.md";

void cannotFind(const QString& path) {
  const std::string text = "Cannot find the help file " + path.toStdString() + ".";
  platform::services().dialogs->messageBox(text, TMainForm::kErrorCaption, platform::MessageStyle::Information,
                                           platform::MessageButtons::Ok);
}

}  // namespace

void installOutsideComponents(TMainForm& form, QWidget* mainWindow) {
  mainWindow->setProperty(kDataFolderProperty, QString::fromStdString(form.DataFolder()));
  installOutsideLibraries(form, mainWindow);

  // One help viewer for all three commands, made on first use, lives with the main window.
  const QString folder = QString::fromStdString(form.ProgramFolder());
  auto viewer = std::make_shared<QPointer<HelpViewer>>();
  auto help = [mainWindow, viewer, folder](const char* file, HelpViewer::Page page) {
    return [mainWindow, viewer, folder, file, page] {
      if (!*viewer) *viewer = new HelpViewer(folder, mainWindow);
      if (!(*viewer)->open(QString::fromLatin1(file), page)) cannotFind(folder + QString::fromLatin1(file));
    };
  };
  form.SetCommandHandler(CommandId::Contents, help(kGuide, HelpViewer::Page::Contents));
  form.SetCommandHandler(CommandId::Index, help(kGuide, HelpViewer::Page::Index));
  form.SetCommandHandler(CommandId::ScriptingHelp, help(kScriptHelp, HelpViewer::Page::Index));
  form.SetCommandHandler(CommandId::NewsPage, [folder] {
    const QString path = folder + QString::fromLatin1(kNews);
    if (!QFileInfo::exists(path)) {
      cannotFind(path);
      return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
  });
}

}  // namespace ondrix::shell::ui
