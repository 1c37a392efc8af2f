// The fixed Qt key table and the widget's key events reaching the keyboard translation.

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <string>
#include <vector>

#include "common/offscreen_app.h"
#include "term/emulvt.h"
#include "term/view/key_map.h"
#include "term/view/term_view.h"

namespace ondrix::term::view {
namespace {

TEST(KeyMap, TableEntries) {
  struct Case {
    int qtKey;
    bool keypad;
    int scan;
    bool extended;
    int vk;
  };
  const std::vector<Case> cases = {
      {Qt::Key_A, false, 0x1E, false, 'A'},      {Qt::Key_Z, false, 0x2C, false, 'Z'},
      {Qt::Key_M, false, 0x32, false, 'M'},      {Qt::Key_1, false, 0x02, false, '1'},
      {Qt::Key_Exclam, false, 0x02, false, '1'}, {Qt::Key_0, false, 0x0B, false, '0'},
      {Qt::Key_Return, false, 0x1C, false, 0x0D}, {Qt::Key_Enter, true, 0x1C, true, 0x0D},
      {Qt::Key_Escape, false, 0x01, false, 0x1B}, {Qt::Key_Backspace, false, 0x0E, false, 0x08},
      {Qt::Key_Tab, false, 0x0F, false, 0x09},   {Qt::Key_F1, false, 0x3B, false, 0x70},
      {Qt::Key_F10, false, 0x44, false, 0x79},   {Qt::Key_F12, false, 0x58, false, 0x7B},
      {Qt::Key_Up, false, 0x48, true, 0x26},     {Qt::Key_Up, true, 0x48, false, 0x26},
      {Qt::Key_PageDown, false, 0x51, true, 0x22}, {Qt::Key_Home, true, 0x47, false, 0x24},
      {Qt::Key_Delete, false, 0x53, true, 0x2E}, {Qt::Key_8, true, 0x48, false, 0x68},
      {Qt::Key_Asterisk, true, 0x37, false, 0x6A}, {Qt::Key_Slash, true, 0x35, true, 0x6F},
      {Qt::Key_Dead_Circumflex, false, 0x1B, false, 0xDD},
      {Qt::Key_Dead_Diaeresis, false, 0x1B, false, 0xDD},
      {Qt::Key_BracketRight, false, 0x1B, false, 0},  // must type "]", not start a dead key
      {Qt::Key_Shift, false, 0x2A, false, 0x10}, {Qt::Key_Control, false, 0x1D, false, 0x11},
      {Qt::Key_Space, false, 0x39, false, 0x20},
      {Qt::Key_A, true, 0x1E, false, 'A'},       // a keypad flag on a main-block key is ignored
      {Qt::Key_Adiaeresis, false, 0, false, 0},  // no entry: only its text is typed
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.qtKey);
    const KeyMapping m = mapQtKey(c.qtKey, c.keypad);
    EXPECT_EQ(m.scanCode, c.scan);
    EXPECT_EQ(m.extended, c.extended);
    EXPECT_EQ(m.virtualKey, c.vk);
  }
}

// A connected control that records what its keys send.
class KeyVT : public TEmulVT {
 public:
  KeyVT() {
    SetConnected(true);
    OnKeyBuffer = [this](TCustomEmulVT*, const char* b, int n) { sent.append(b, static_cast<std::size_t>(n)); };
    OnKeyPress = [this](TCustomEmulVT*, char& k) { sent.push_back(k); };
  }
  std::string sent;
};

TEST(KeyEvents, QtKeysReachTheTranslation) {
  offscreenApplication();
  KeyVT model;
  TermView view(model);
  model.AddKey(0x48, false, "\\e[A", true, false, false);
  auto press = [&](int key, Qt::KeyboardModifiers mods, const QString& text) {
    QKeyEvent event(QEvent::KeyPress, key, mods, text);
    QCoreApplication::sendEvent(&view, &event);
  };
  press(Qt::Key_Up, Qt::NoModifier, {});
  press(Qt::Key_Up, Qt::KeypadModifier, {});  // keypad 8 with Num Lock off
  press(Qt::Key_Left, Qt::NoModifier, {});    // no definition: nothing
  press(Qt::Key_A, Qt::NoModifier, "a");
  press(Qt::Key_C, Qt::ControlModifier, "\x03");
  press(Qt::Key_1, Qt::NoModifier, "1");
  press(Qt::Key_BracketRight, Qt::NoModifier, "]");
  press(Qt::Key_Dead_Circumflex, Qt::NoModifier, {});
  press(Qt::Key_E, Qt::NoModifier, "e");
  press(Qt::Key_Dead_Diaeresis, Qt::NoModifier, {});
  press(Qt::Key_U, Qt::NoModifier, "u");
  press(Qt::Key_X, Qt::AltModifier, "x");  // a system key: refused, nothing typed
  press(Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("\xC3\xA9"));  // typed as Windows-1252
  press(Qt::Key_Tab, Qt::NoModifier, "\t");
  EXPECT_EQ(model.sent, std::string("\x1b[A\x1b[Aa\x03" "1]\xEA\xFC\xE9\t"));
}

}  // namespace
}  // namespace ondrix::term::view
