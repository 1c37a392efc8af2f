#pragma once
// The help viewer: a help file (Markdown) shown beside its table of contents (the headings as a
// tree) or its keyword index (with a filter field). Links to a heading of this or the other help
// file ("OXPSCRIPT.md#watches") open it there; web links go to the desktop's browser.

#include <QString>
#include <QWidget>

#include <map>
#include <memory>

#include "shell/help_document.h"

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QUrl;

namespace ondrix::shell::ui {

class HelpViewer final : public QWidget {
  Q_OBJECT  // the main window finds its viewer with findChild

 public:
  enum class Page { Contents, Index };

  // `folder`: where the help files are (ends with '/').
  explicit HelpViewer(QString folder, QWidget* parent = nullptr);

  // Shows help file `name` ("OXPRO.md") at its contents or at its index filtered by `keyword`
  // (the text then at the heading of that name, else at another entry of that keyword, else at the
  // first entry); false when the file cannot be read.
  bool open(const QString& name, Page page, const QString& keyword = {});

  QTreeWidget* contents() const { return contents_; }
  QListWidget* index() const { return index_; }
  QLineEdit* filter() const { return filter_; }
  QTextBrowser* text() const { return text_; }
  QTabWidget* tabs() const { return tabs_; }
  // The file shown.
  const QString& current() const { return current_; }

  // Scrolls the text to heading `position` (in file order).
  void goToHeading(int position);

 private:
  bool load(const QString& name);
  void fillIndex();
  // The index entry help on `keyword` shows (the index is not empty).
  QListWidgetItem* entryFor(const QString& keyword) const;
  void linkClicked(const QUrl& url);

  QString folder_;
  QString current_;
  THelpDocument document_;
  QTabWidget* tabs_;
  QTreeWidget* contents_;
  QLineEdit* filter_;
  QListWidget* index_;
  QTextBrowser* text_;
};

}  // namespace ondrix::shell::ui
