#pragma once
// The list windows scripts make with CreateListWindow: each a "List of values" dialog with its
// title, label and items, known to the script by an id that is never reused within a run. The
// dialog itself is shown by the installed script windows when the script asks for a choice.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace ondrix::automation {

class ListWindows {
 public:
  std::int32_t Create(std::string title, std::string label);
  void Delete(std::int32_t id);
  // The index of the new item; 0 when the id is unknown.
  std::int32_t AddItem(std::int32_t id, std::string text);
  // Deletes the item when the index is one of the window's items.
  void DeleteItem(std::int32_t id, std::int32_t index);
  // The item's text; empty when the id or the index is not valid.
  std::string Item(std::int32_t id, std::int32_t index) const;
  // Shows the window modally; the chosen index, -1 on cancel, without a choice or for an
  // unknown id.
  std::int32_t Show(std::int32_t id);

  std::size_t Count() const { return windows_.size(); }

 private:
  struct Window {
    std::string title;
    std::string label;
    std::vector<std::string> items;
  };
  const Window* find(std::int32_t id) const;
  Window* find(std::int32_t id);

  std::map<std::int32_t, Window> windows_;
  std::int32_t nextId_ = 1;
};

}  // namespace ondrix::automation
