#pragma once
// TMsgForm: the script message window. One non-modal window with a title and one line of text,
// shown by the installed script windows. Showing it waits, processing the program's events, until
// its 100 ms timer has fired once, so the window is painted before the script goes on.

#include <string>

namespace ondrix::automation {

class TMsgForm {
 public:
  static constexpr int kShownDelayMs = 100;

  ~TMsgForm();

  bool Visible() const { return visible_; }
  const std::string& Title() const { return title_; }
  const std::string& Text() const { return text_; }

  // Shows the window and waits for its timer; false (nothing done) when it already shows.
  bool Show(const std::string& title, const std::string& text);
  // Hides it; false when it does not show.
  bool Hide();
  // Sets title and text and shows the window if hidden; never waits.
  void SetText(const std::string& title, const std::string& text);

 private:
  bool visible_ = false;
  std::string title_;
  std::string text_;
};

}  // namespace ondrix::automation
