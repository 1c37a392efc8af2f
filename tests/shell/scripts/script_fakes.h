#pragma once
// Fakes for the script windows' logic: an editor holding its text in memory, the two window views
// recording what the logic shows, message boxes answered from a queue, and a fresh data folder.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <array>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/services.h"
#include "shell/event_editor_view.h"
#include "shell/script_manager_view.h"

namespace ondrix::shell::testing {

class FakeEditor final : public TScriptEditor {
 public:
  std::string Text() const override { return text; }
  void SetText(const std::string& t) override {
    text = t;
    modified = true;
  }
  void LoadText(const std::string& t) override {
    text = t;
    modified = false;
    line = column = 1;
  }
  bool Modified() const override { return modified; }
  void SetModified(bool m) override { modified = m; }
  int CaretLine() const override { return line; }
  int CaretColumn() const override { return column; }
  void GoToLine(int l) override {
    line = l;
    column = 1;
  }
  bool Overwrite() const override { return overwrite; }
  void Focus() override { ++focused; }
  void Cut() override { calls.push_back("Cut"); }
  void Copy() override { calls.push_back("Copy"); }
  void Paste() override { calls.push_back("Paste"); }
  void Undo() override { calls.push_back("Undo"); }
  void Redo() override { calls.push_back("Redo"); }
  void Print(const std::string& title) override { calls.push_back("Print " + title); }

  // Types into the editor as a user would.
  void type(const std::string& t) {
    text += t;
    modified = true;
  }

  std::string text;
  bool modified = false;
  int line = 1;
  int column = 1;
  bool overwrite = false;
  int focused = 0;
  std::vector<std::string> calls;
};

// The editors of removed pages stay alive (as a window would keep them until a safe point), so a
// test can still look at them.
struct FakePages {
  std::vector<std::string> captions;
  std::vector<FakeEditor*> editors;
  std::vector<std::unique_ptr<FakeEditor>> owned;
  int active = -1;
  std::array<std::string, 3> status;
  bool languageSet = false;
  TScriptLanguage language;

  TScriptEditor& add(const std::string& caption) {
    owned.push_back(std::make_unique<FakeEditor>());
    captions.push_back(caption);
    editors.push_back(owned.back().get());
    return *owned.back();
  }
  void remove(int index) {
    captions.erase(captions.begin() + index);
    editors.erase(editors.begin() + index);
  }
  FakeEditor& editor(int index) { return *editors.at(static_cast<std::size_t>(index)); }
};

class FakeEventView final : public TConnEventView {
 public:
  void SetCaption(const std::string& c) override { caption = c; }
  TScriptEditor& AddPage(const std::string& c) override { return pages.add(c); }
  void RemovePage(int index) override { pages.remove(index); }
  void SetActivePage(int index) override { pages.active = index; }
  void SetEnabledChecked(bool checked) override { enabledChecked = checked; }
  void SetStatusText(int panel, const std::string& text) override { pages.status.at(static_cast<std::size_t>(panel)) = text; }
  void SetLanguage(const TScriptLanguage& l) override {
    pages.language = l;
    pages.languageSet = true;
  }
  std::optional<std::string> ChooseImportFile(const std::string& title, const std::string& filter,
                                              const std::string& extension) override {
    dialogs.push_back(title + "|" + filter + "|" + extension);
    return importAnswer;
  }
  void CloseWindow() override { ++closed; }

  std::string caption;
  FakePages pages;
  bool enabledChecked = false;
  std::vector<std::string> dialogs;
  std::optional<std::string> importAnswer;
  int closed = 0;
};

class FakeManagerView final : public TScriptEditView {
 public:
  TScriptEditor& AddPage(const std::string& c) override { return pages.add(c); }
  void RemovePage(int index) override { pages.remove(index); }
  void SetPageCaption(int index, const std::string& c) override { pages.captions.at(static_cast<std::size_t>(index)) = c; }
  void SetActivePage(int index) override { pages.active = index; }
  void SetPagesVisible(bool visible) override { pagesVisible = visible; }
  void SetCommandEnabled(EditorCommand id, bool enabled) override { commandEnabled[id] = enabled; }
  void SetStatusText(int panel, const std::string& text) override { pages.status.at(static_cast<std::size_t>(panel)) = text; }
  void SetLanguage(const TScriptLanguage& l) override {
    pages.language = l;
    pages.languageSet = true;
  }
  std::optional<std::string> ChooseOpenFile(const std::string& filter, const std::string& extension) override {
    dialogs.push_back("open|" + filter + "|" + extension);
    return next(openAnswers);
  }
  std::optional<std::string> ChooseSaveFile(const std::string& initialName, const std::string& filter,
                                            const std::string& extension) override {
    dialogs.push_back("save " + initialName + "|" + filter + "|" + extension);
    return next(saveAnswers);
  }
  void ShowWindow() override { ++shown; }
  void CloseWindow() override { ++closeRequests; }

  FakePages pages;
  bool pagesVisible = true;
  std::map<EditorCommand, bool> commandEnabled;
  std::vector<std::string> dialogs;
  std::deque<std::optional<std::string>> openAnswers;
  std::deque<std::optional<std::string>> saveAnswers;
  int shown = 0;
  int closeRequests = 0;

 private:
  static std::optional<std::string> next(std::deque<std::optional<std::string>>& answers) {
    if (answers.empty()) return std::nullopt;
    std::optional<std::string> answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

// Message boxes recorded and answered from a queue (then Cancel).
class QueuedDialogs final : public platform::Dialogs {
 public:
  platform::MessageResult messageBox(std::string_view text, std::string_view caption, platform::MessageStyle style,
                                     platform::MessageButtons) override {
    messages.emplace_back(text);
    captions.emplace_back(caption);
    styles.push_back(style);
    if (answers.empty()) return platform::MessageResult::Cancel;
    const platform::MessageResult answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::vector<std::string> messages;
  std::vector<std::string> captions;
  std::vector<platform::MessageStyle> styles;
  std::deque<platform::MessageResult> answers;
};

// A fresh folder per test (data folder, program folder and current folder at once), removed
// afterwards; message boxes go to `dialogs`.
class ScriptWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "ondrix-scripts-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern + "/";
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(folder_);
  }

  const std::string& folder() const { return folder_; }

  QueuedDialogs dialogs;

 private:
  std::string folder_;
  std::filesystem::path previous_;
  platform::ScopedServices services_{platform::Services{nullptr, nullptr, nullptr, nullptr, &dialogs}};
};

}  // namespace ondrix::shell::testing
