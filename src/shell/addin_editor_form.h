#pragma once
// The add-in editor's logic: the entries of ADDINS.QDB as a tree (number, caption, parent), adding,
// editing, re-parenting and deleting them, and the add-in menu the main window builds from them.
//
// The main window builds its menu in key order and finds a parent only among the entries before it,
// so the editor keeps every parent before its entries and writes the entries numbered in that order
// (1, 2, 3, ... as "%05d" keys): the menu then always matches the tree. On loading, each entry's
// parent becomes the one the menu gives it today (a parent that does not exist or comes later: the
// top level). Every change rewrites the whole file at once (built beside it, renamed over it).
// Stored items that cannot be read are kept unchanged, after the others.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "shell/addin_editor_view.h"

namespace ondrix::shell {

class TAddinEditorForm {
 public:
  // The highest add-in number: the main window finds entries by the low 16 bits of a menu tag.
  static constexpr std::int32_t kMaxAddins = 65535;

  // `dataFolder` ends with '/'.
  TAddinEditorForm(std::string dataFolder, TAddinEditorView& view);

  // Reads ADDINS.QDB (a missing file holds no add-ins) and shows the add-ins.
  void Load();

  const std::vector<TAddinEntry>& Addins() const { return addins_; }
  const TAddinEntry* Find(std::int32_t number) const;
  // The add-ins `number` may go under: every other one except its own entries, at any depth. For a
  // new add-in (number 0), all of them.
  std::vector<TAddinEntry> ParentChoices(std::int32_t number) const;

  // Each returns false (after saying why) when it changed nothing. A new add-in goes last under its
  // parent; an add-in given another parent moves with its entries to the end of the new parent's.
  bool Add(const store::AddinItem& item);
  bool Edit(std::int32_t number, const store::AddinItem& item);
  // Asks first; the add-in's entries go under its own parent.
  bool Delete(std::int32_t number);

  // The add-in menu the main window builds from the file as it is now.
  std::vector<TAddinMenuItem> MenuPreview() const;

 private:
  std::size_t indexOf(std::int32_t number) const;
  bool isWithin(std::int32_t number, std::int32_t ancestor) const;
  bool acceptable(std::int32_t number, const store::AddinItem& item) const;
  // Numbers the entries 1, 2, ... in order, rewrites the file and shows the result.
  void save();
  void show();

  std::string path_;
  TAddinEditorView& view_;
  std::vector<TAddinEntry> addins_;
  // Items that cannot be read, with their keys, kept as they are.
  std::vector<std::pair<std::string, std::string>> unreadable_;
};

}  // namespace ondrix::shell
