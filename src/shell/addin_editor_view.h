#pragma once
// What the add-in editor's logic needs from its window.

#include <string>
#include <vector>

#include "shell/main_form_view.h"
#include "store/records/event_record.h"

namespace ondrix::shell {

// One add-in as the editor shows it: its number (its key "%05d") and its stored entry.
struct TAddinEntry {
  std::int32_t Number = 0;
  store::AddinItem Item;
};

class TAddinEditorView {
 public:
  virtual ~TAddinEditorView() = default;
  // The add-ins in menu order (every parent before its entries) and the add-in menu they make.
  virtual void ShowAddins(const std::vector<TAddinEntry>& addins, const std::vector<TAddinMenuItem>& menu) = 0;
  // A question with Yes and No; true for Yes.
  virtual bool Confirm(const std::string& question) = 0;
  virtual void ShowMessage(const std::string& text) = 0;
};

}  // namespace ondrix::shell
