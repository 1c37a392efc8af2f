#pragma once
// The controls the connection editor and the connection defaults dialog share, built in their tab
// order, and the view both models talk to. The editor has a host field, two-column emulation
// choices, "Send window size" and "&Event handlers..."; the defaults dialog has none of these and
// words a few captions differently.

#include <QDialog>
#include <array>
#include <functional>
#include <string>

#include "shell/conn_edit_form.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;

namespace ondrix::shell::ui {

class ListOnlyComboBox;

// Opens the event handler editor for a connection name, modal over `parent`.
using EventEditorOpener = std::function<void(QWidget* parent, const std::string& name)>;

class ConnSettingsDialog : public QDialog, public TConnEditView {
 public:
  enum class Kind { Editor, Defaults };

  // --- TConnEditView (the defaults dialog uses the TConnSettingsView part)
  void SetLists(const std::vector<std::string>& palettes,
                const std::vector<std::string>& keyLists) override;
  void ShowValues(const TConnFieldValues& values) override;
  TConnFieldValues Values() const override;
  std::optional<store::ConnectionRecord> EditTextColors(const store::ConnectionRecord& record) override;
  std::optional<TFontChoice> ChooseFixedFont(const TFontChoice& current) override;
  void SetCaption(const std::string& caption) override;
  void FocusHost() override;
  void EditEventHandlers(const std::string& name) override;

 protected:
  ConnSettingsDialog(Kind kind, std::string dataFolder, EventEditorOpener eventEditor,
                     QWidget* parent);

  QPushButton* okButton() const { return ok_; }
  QPushButton* colorButton() const { return colors_; }
  QPushButton* fontButton() const { return font_; }
  QPushButton* eventsButton() const { return events_; }

 private:
  QLineEdit* addEdit(const char* name);

  std::string dataFolder_;
  EventEditorOpener eventEditor_;
  QLineEdit* host_ = nullptr;  // the editor only
  QLineEdit* port_ = nullptr;
  QLineEdit* break_ = nullptr;
  QLineEdit* reset_ = nullptr;
  ListOnlyComboBox* palettes_ = nullptr;
  ListOnlyComboBox* keyLists_ = nullptr;
  QButtonGroup* emulation_ = nullptr;
  std::array<QCheckBox*, kConnOptionCount> options_{};  // SendWindowSize: the editor only
  QLineEdit* lines_ = nullptr;
  QLineEdit* columns_ = nullptr;
  QPushButton* colors_ = nullptr;
  QPushButton* font_ = nullptr;
  QPushButton* events_ = nullptr;  // the editor only
  QPushButton* ok_ = nullptr;
};

}  // namespace ondrix::shell::ui
