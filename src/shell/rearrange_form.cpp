#include "shell/rearrange_form.h"

#include "shell/main_form.h"

namespace ondrix::shell {

TRearrangeForm::TRearrangeForm(TMainForm& form) : form_(form) {}

void TRearrangeForm::FormShow() {
  items_.clear();
  for (int i = 0; i < form_.PageCount(); ++i) items_.push_back(&form_.Page(i));
  selected_ = items_.empty() ? -1 : 0;
}

std::vector<std::string> TRearrangeForm::Items() const {
  std::vector<std::string> captions;
  captions.reserve(items_.size());
  for (const TTermSheet* sheet : items_) captions.push_back(sheet->Caption);
  return captions;
}

void TRearrangeForm::Select(int index) {
  if (index >= 0 && index < static_cast<int>(items_.size())) selected_ = index;
}

void TRearrangeForm::Drop(int target) {
  const int count = static_cast<int>(items_.size());
  if (target < 0 || target >= count || selected_ < 0 || selected_ >= count) return;
  TTermSheet* dragged = items_[static_cast<std::size_t>(selected_)];
  items_.erase(items_.begin() + selected_);
  items_.insert(items_.begin() + target, dragged);
  selected_ = target;
}

void TRearrangeForm::Ok() {
  int place = 0;
  for (TTermSheet* sheet : items_) {
    int now = -1;
    for (int i = 0; i < form_.PageCount(); ++i)
      if (&form_.Page(i) == sheet) now = i;
    if (now < 0) continue;  // closed while the dialog was open
    form_.MovePage(now, place++);
  }
}

}  // namespace ondrix::shell
