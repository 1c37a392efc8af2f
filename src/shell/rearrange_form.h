#pragma once
// TRearrangeForm: the "Rearrange tabs" dialog's logic. The list holds the tab captions in page
// order, hidden (detached) pages included; an item dropped on another takes that item's place;
// "Ok" puts the pages into the list's order, so page numbers follow it.

#include <string>
#include <vector>

namespace ondrix::shell {

class TMainForm;
struct TTermSheet;

class TRearrangeForm {
 public:
  static constexpr const char* kCaption = "Rearrange tabs";
  static constexpr const char* kOrderLabel = "New tabs order:";
  static constexpr const char* kExplanation =
      "Use the mouse to drag and drop the connection names in the order you would like them to be.";
  static constexpr const char* kCancel = "&Cancel";
  static constexpr const char* kOk = "&Ok";
  static constexpr int kOffset = 50;  // from the main window's left and top

  explicit TRearrangeForm(TMainForm& form);

  // The dialog is shown: the list is filled and its first item selected.
  void FormShow();
  std::vector<std::string> Items() const;
  int Selected() const { return selected_; }
  void Select(int index);
  // The selected item was dropped on item `target` (-1: outside the list, nothing happens).
  void Drop(int target);
  // "Ok": the pages take the list's order (pages closed meanwhile are skipped).
  void Ok();

 private:
  TMainForm& form_;
  std::vector<TTermSheet*> items_;
  int selected_ = -1;
};

}  // namespace ondrix::shell
