#include "shell/ui/outside/help_viewer.h"

#include <QDesktopServices>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace ondrix::shell::ui {
namespace {

constexpr int kHeadingRole = Qt::UserRole;
constexpr int kKeywordRole = Qt::UserRole + 1;

void addHeadings(QTreeWidgetItem* parent, QTreeWidget* tree, const std::vector<THelpHeading>& headings,
                 const THelpDocument& doc) {
  for (const THelpHeading& h : headings) {
    const QStringList text{QString::fromStdString(h.Text)};
    auto* item = parent ? new QTreeWidgetItem(parent, text) : new QTreeWidgetItem(tree, text);
    const auto& flat = doc.Headings();
    item->setData(0, kHeadingRole, static_cast<int>(std::find(flat.begin(), flat.end(), &h) - flat.begin()));
    addHeadings(item, tree, h.Children, doc);
  }
}

}  // namespace

HelpViewer::HelpViewer(QString folder, QWidget* parent)
    : QWidget(parent, Qt::Window),
      folder_(std::move(folder)),
      tabs_(new QTabWidget(this)),
      contents_(new QTreeWidget(this)),
      filter_(new QLineEdit(this)),
      index_(new QListWidget(this)),
      text_(new QTextBrowser(this)) {
  setObjectName(QStringLiteral("HelpViewer"));
  contents_->setHeaderHidden(true);
  filter_->setPlaceholderText(QStringLiteral("Type a keyword"));
  filter_->setClearButtonEnabled(true);
  auto* indexPage = new QWidget(this);
  auto* indexLayout = new QVBoxLayout(indexPage);
  indexLayout->setContentsMargins(0, 0, 0, 0);
  indexLayout->addWidget(filter_);
  indexLayout->addWidget(index_);
  tabs_->addTab(contents_, QStringLiteral("&Contents"));
  tabs_->addTab(indexPage, QStringLiteral("&Index"));
  text_->setOpenLinks(false);

  auto* splitter = new QSplitter(this);
  splitter->addWidget(tabs_);
  splitter->addWidget(text_);
  splitter->setStretchFactor(1, 3);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(splitter);
  resize(900, 600);

  connect(contents_, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item) { goToHeading(item->data(0, kHeadingRole).toInt()); });
  connect(contents_, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { goToHeading(item->data(0, kHeadingRole).toInt()); });
  connect(filter_, &QLineEdit::textChanged, this, [this] { fillIndex(); });
  connect(filter_, &QLineEdit::returnPressed, this, [this] {
    if (index_->count() > 0) goToHeading(index_->item(0)->data(kHeadingRole).toInt());
  });
  connect(index_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { goToHeading(item->data(kHeadingRole).toInt()); });
  connect(index_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { goToHeading(item->data(kHeadingRole).toInt()); });
  connect(text_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) { linkClicked(url); });
}

bool HelpViewer::load(const QString& name) {
  if (name == current_) return true;
  QFile file(folder_ + name);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = file.readAll();
  document_ = THelpDocument::Parse(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  current_ = name;
  setWindowTitle(QStringLiteral("Ondrix help - ") + name.section(QLatin1Char('.'), 0, 0));
  text_->setMarkdown(QString::fromUtf8(bytes));
  contents_->clear();
  addHeadings(nullptr, contents_, document_.Contents(), document_);
  contents_->expandToDepth(0);
  fillIndex();
  return true;
}

bool HelpViewer::open(const QString& name, Page page, const QString& keyword) {
  if (!load(name)) return false;
  // Shown first: the text is laid out at its real size before it scrolls to a heading.
  show();
  raise();
  activateWindow();
  if (page == Page::Contents) {
    tabs_->setCurrentIndex(0);
    text_->moveCursor(QTextCursor::Start);
    contents_->setFocus();
    return true;
  }
  tabs_->setCurrentIndex(1);
  filter_->setText(keyword);
  fillIndex();
  // Help on a word shows its entry at once.
  if (!keyword.isEmpty() && index_->count() > 0) {
    QListWidgetItem* entry = entryFor(keyword);
    index_->setCurrentItem(entry);
    goToHeading(entry->data(kHeadingRole).toInt());
  }
  filter_->setFocus();
  return true;
}

void HelpViewer::fillIndex() {
  index_->clear();
  const std::vector<THelpKeyword> entries = document_.Filtered(filter_->text().toStdString());
  auto key = [&entries](std::size_t i) { return QString::fromStdString(entries[i].Keyword).toLower(); };
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const THelpKeyword& k = entries[i];
    QString text = QString::fromStdString(k.Keyword);
    // A keyword listed under several headings (the index is sorted, so they are neighbours) names
    // the heading it leads to, unless that heading is the keyword itself.
    const bool repeated = (i > 0 && key(i - 1) == key(i)) || (i + 1 < entries.size() && key(i + 1) == key(i));
    const std::string& heading = document_.Headings().at(static_cast<std::size_t>(k.Heading))->Text;
    if (repeated && heading != k.Keyword)
      text += QStringLiteral(" (") + QString::fromStdString(heading) + QLatin1Char(')');
    auto* item = new QListWidgetItem(text, index_);
    item->setData(kHeadingRole, k.Heading);
    item->setData(kKeywordRole, QString::fromStdString(k.Keyword));
  }
  if (index_->count() > 0) index_->setCurrentRow(0);
}

QListWidgetItem* HelpViewer::entryFor(const QString& keyword) const {
  // The keyword's own heading first, then any entry of the keyword, then the first entry.
  QListWidgetItem* any = nullptr;
  for (int row = 0; row < index_->count(); ++row) {
    QListWidgetItem* item = index_->item(row);
    if (item->text().compare(keyword, Qt::CaseInsensitive) == 0) return item;
    if (!any && item->data(kKeywordRole).toString().compare(keyword, Qt::CaseInsensitive) == 0) any = item;
  }
  return any ? any : index_->item(0);
}

void HelpViewer::goToHeading(int position) {
  // The document's heading blocks are the file's headings, in the same order.
  int seen = 0;
  for (QTextBlock block = text_->document()->begin(); block.isValid(); block = block.next()) {
    if (block.blockFormat().headingLevel() == 0) continue;
    if (seen++ != position) continue;
    QTextCursor cursor(block);
    // Scrolled to the end first, the heading then comes to the top of the view.
    text_->moveCursor(QTextCursor::End);
    text_->setTextCursor(cursor);
    text_->ensureCursorVisible();
    return;
  }
}

void HelpViewer::linkClicked(const QUrl& url) {
  if (!url.scheme().isEmpty() && url.scheme() != QLatin1String("file")) {
    QDesktopServices::openUrl(url);
    return;
  }
  const QString name = url.path().isEmpty() ? current_ : url.path().section(QLatin1Char('/'), -1);
  if (!load(name)) return;
  const int heading = document_.HeadingWithAnchor(url.fragment().toStdString());
  if (heading >= 0) goToHeading(heading);
}

}  // namespace ondrix::shell::ui
