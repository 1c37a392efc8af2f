// The help viewer offscreen: the contents tree and the index built from a help file, the filter,
// going to a heading, and a link into the other help file.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>

#include <filesystem>
#include <fstream>

#include "common/offscreen_app.h"
#include "shell/ui/outside/help_viewer.h"
#include "shell/ui/outside/outside_installer.h"

namespace ondrix::shell::ui {
namespace {

class HelpViewerTest : public ::testing::Test {
 protected:
  HelpViewerTest() {
    offscreenApplication();
    std::string pattern = (std::filesystem::temp_directory_path() / "ondrix-help-XXXXXX").string();
    folder = std::string(mkdtemp(pattern.data())) + "/";
    std::ofstream(folder + "GUIDE.md") << "# Guide\n\nIntro.\n\n## Start\n\nKeywords: begin here, watches\n\n"
                                          "### Install\n\n"
                                          "Text.\n\n## Watches\n\nSee [the reference](REF.md#the-watch-routines).\n";
    std::ofstream(folder + "REF.md") << "# Reference\n\n## Lexical rules\n\nText.\n\n## The watch routines\n\nText.\n";
  }
  ~HelpViewerTest() override { std::filesystem::remove_all(folder); }

  // The text of the block the cursor is in.
  static QString caretBlock(const HelpViewer& v) { return v.text()->textCursor().block().text(); }

  std::string folder;
};

TEST_F(HelpViewerTest, ContentsShowTheHeadingTreeAndGoToAHeading) {
  HelpViewer viewer(QString::fromStdString(folder));
  ASSERT_TRUE(viewer.open("GUIDE.md", HelpViewer::Page::Contents));
  EXPECT_EQ(viewer.windowTitle(), "Ondrix help - GUIDE");
  EXPECT_EQ(viewer.tabs()->currentIndex(), 0);
  ASSERT_EQ(viewer.contents()->topLevelItemCount(), 1);
  const QTreeWidgetItem* title = viewer.contents()->topLevelItem(0);
  EXPECT_EQ(title->text(0), "Guide");
  ASSERT_EQ(title->childCount(), 2);
  EXPECT_EQ(title->child(0)->child(0)->text(0), "Install");
  emit viewer.contents()->itemClicked(title->child(0)->child(0), 0);
  EXPECT_EQ(caretBlock(viewer), "Install");
  EXPECT_FALSE(viewer.open("MISSING.md", HelpViewer::Page::Contents));
}

TEST_F(HelpViewerTest, IndexFiltersKeywordsAndFollowsLinksIntoTheOtherFile) {
  HelpViewer viewer(QString::fromStdString(folder));
  ASSERT_TRUE(viewer.open("GUIDE.md", HelpViewer::Page::Index));
  EXPECT_EQ(viewer.tabs()->currentIndex(), 1);
  QStringList all;
  for (int i = 0; i < viewer.index()->count(); ++i) all << viewer.index()->item(i)->text();
  // A keyword under two headings names the one that is not the keyword itself.
  EXPECT_EQ(all, (QStringList{"begin here", "Install", "Start", "watches (Start)", "Watches"}));
  viewer.filter()->setText("IN");
  ASSERT_EQ(viewer.index()->count(), 2);
  emit viewer.index()->itemActivated(viewer.index()->item(0));
  EXPECT_EQ(caretBlock(viewer), "Start");  // "begin here" is listed under Start
  emit viewer.text()->anchorClicked(QUrl("REF.md#the-watch-routines"));
  EXPECT_EQ(viewer.current(), "REF.md");
  EXPECT_EQ(caretBlock(viewer), "The watch routines");
}

// The main window keeps one viewer among its other children (the help commands and F1 each find
// it again), opened at the page asked for; help on a word shows its entry's heading.
TEST_F(HelpViewerTest, TheMainWindowsViewerIsFoundAgainAmongItsOtherChildren) {
  QWidget mainWindow;
  new QLabel(&mainWindow);
  const QString helpFolder = QString::fromStdString(folder);
  openHelp(&mainWindow, helpFolder, "GUIDE.md", HelpViewer::Page::Contents);
  openHelp(&mainWindow, helpFolder, "REF.md", HelpViewer::Page::Index, "watch");
  const QList<HelpViewer*> viewers = mainWindow.findChildren<HelpViewer*>();
  ASSERT_EQ(viewers.size(), 1);
  EXPECT_EQ(viewers.front()->current(), "REF.md");
  EXPECT_EQ(viewers.front()->tabs()->currentIndex(), 1);
  EXPECT_EQ(viewers.front()->filter()->text(), "watch");
  EXPECT_EQ(caretBlock(*viewers.front()), "The watch routines");
  openHelp(&mainWindow, helpFolder, "GUIDE.md", HelpViewer::Page::Index, "START");
  EXPECT_EQ(viewers.front()->index()->currentItem()->text(), "Start");
  EXPECT_EQ(caretBlock(*viewers.front()), "Start");
  openHelp(&mainWindow, helpFolder, "GUIDE.md", HelpViewer::Page::Index, "Watches");  // its own heading first
  EXPECT_EQ(viewers.front()->index()->currentItem()->text(), "Watches");
  EXPECT_EQ(caretBlock(*viewers.front()), "Watches");

  // From a modal window the viewer is that window's, so the modal window does not block it.
  QDialog modal(&mainWindow);
  modal.setModal(true);
  modal.show();
  openHelp(&mainWindow, helpFolder, "REF.md", HelpViewer::Page::Contents);
  EXPECT_EQ(modal.findChildren<HelpViewer*>().size(), 1);
  EXPECT_EQ(mainWindow.findChildren<HelpViewer*>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
}

}  // namespace
}  // namespace ondrix::shell::ui
