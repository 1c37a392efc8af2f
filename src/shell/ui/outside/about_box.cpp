#include "shell/ui/outside/about_box.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>
#include <QtGlobal>

namespace ondrix::shell::ui {
namespace {

struct Library {
  const char* name;
  const char* use;
  const char* licence;
};

constexpr Library kLibraries[] = {
    {"Qt 6", "windows, printing, sounds", "GNU LGPL version 3"},
    {"QScintilla", "the script text editor", "GNU GPL version 3"},
    {"OpenSSL", "SHA-1 of protected record files", "Apache License 2.0"},
    {"libcurl", "file transfers of scripts", "curl licence (MIT style)"},
    {"FluidSynth", "MIDI files of scripts", "GNU LGPL version 2.1"},
};

}  // namespace

AboutBox::AboutBox(const std::string& dataFolder, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("About Ondrix"));
  setObjectName(QStringLiteral("AboutBox"));
  QString libraries;
  for (const Library& l : kLibraries)
    libraries += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td><td>%3</td></tr>")
                     .arg(QString::fromLatin1(l.name), QString::fromLatin1(l.use), QString::fromLatin1(l.licence));
  auto* title = new QLabel(QStringLiteral("<h2>Ondrix</h2><p>version 1.1.3</p>"
                                          "<p>A telnet terminal with its own script language.</p>"),
                           this);
  title->setObjectName(QStringLiteral("title"));
  auto* uses = new QLabel(QStringLiteral("<p>Built with (Qt %1 in use):</p><table cellspacing=\"4\">%2</table>")
                              .arg(QString::fromLatin1(qVersion()), libraries),
                          this);
  uses->setObjectName(QStringLiteral("libraries"));
  auto* data = new QLabel(QStringLiteral("<p>Data folder: <tt>%1</tt></p>")
                              .arg(QString::fromStdString(dataFolder).toHtmlEscaped()),
                          this);
  data->setObjectName(QStringLiteral("dataFolder"));
  data->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  for (QWidget* w : {static_cast<QWidget*>(title), static_cast<QWidget*>(uses), static_cast<QWidget*>(data)})
    layout->addWidget(w);
  layout->addWidget(buttons);
}

}  // namespace ondrix::shell::ui
