#include "shell/ui/script_lexer.h"

#include <Qsci/qsciscintilla.h>

#include <QColor>
#include <QFont>
#include <string>
#include <vector>

#include "platform/codepage.h"

namespace ondrix::shell::ui {

namespace {

QColor rgbColor(std::uint32_t rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// The UTF-8 byte count of the sequence starting with `lead` (1 for a stray byte).
int sequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
  if (lead >= 0xC2) return 2;
  return 1;
}

}  // namespace

ScriptLexer::ScriptLexer(const TScriptLanguage& language, QObject* parent)
    : QsciLexerCustom(parent), highlighter_(language) {}

QString ScriptLexer::description(int style) const {
  if (style < 0 || style >= kScriptStyleCount) return {};
  return QString::fromLatin1(scriptStyleName(static_cast<ScriptStyle>(style)));
}

void ScriptLexer::applyOptions(const TScriptEditorOptions& options) {
  QFont font(QString::fromStdString(options.FontName), options.FontSize);
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  setDefaultFont(font);
  setDefaultPaper(rgbColor(options.Background));
  setDefaultColor(rgbColor(options.Color(ScriptStyle::Default)));
  for (int style = 0; style < kScriptStyleCount; ++style) {
    QFont styleFont = font;
    styleFont.setBold(static_cast<ScriptStyle>(style) == ScriptStyle::Keyword);
    styleFont.setItalic(static_cast<ScriptStyle>(style) == ScriptStyle::Comment);
    setFont(styleFont, style);
    setColor(rgbColor(options.Colors[static_cast<std::size_t>(style)]), style);
    setPaper(rgbColor(options.Background), style);
  }
}

void ScriptLexer::styleText(int start, int end) {
  QsciScintilla* ed = editor();
  if (ed == nullptr || end <= start) return;
  const long firstLine = ed->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(start));
  const long lastLine = ed->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(end));
  int state = firstLine > 0 ? static_cast<int>(ed->SendScintilla(QsciScintillaBase::SCI_GETLINESTATE,
                                                                  static_cast<unsigned long>(firstLine - 1)))
                            : 0;
  startStyling(static_cast<int>(ed->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE,
                                                  static_cast<unsigned long>(firstLine))));
  std::vector<ScriptStyle> styles;
  for (long line = firstLine; line <= lastLine; ++line) {
    const QByteArray bytes = ed->text(static_cast<int>(line)).toUtf8();
    // The line as Windows-1252 text, and how many document bytes each of its characters takes.
    std::string text;
    std::vector<int> widths;
    for (int i = 0; i < bytes.size();) {
      int width = std::min<int>(sequenceLength(static_cast<unsigned char>(bytes[i])), bytes.size() - i);
      const std::string character = platform::utf8ToCp1252(std::string_view(bytes.constData() + i, width));
      text += character.empty() ? '?' : character.front();
      widths.push_back(width);
      i += width;
    }
    styles.clear();
    state = highlighter_.Style(text, state, styles);
    for (std::size_t k = 0; k < styles.size();) {
      std::size_t run = k;
      int length = 0;
      while (run < styles.size() && styles[run] == styles[k]) length += widths[run++];
      setStyling(length, static_cast<int>(styles[k]));
      k = run;
    }
    ed->SendScintilla(QsciScintillaBase::SCI_SETLINESTATE, static_cast<unsigned long>(line), static_cast<long>(state));
  }
}

}  // namespace ondrix::shell::ui
