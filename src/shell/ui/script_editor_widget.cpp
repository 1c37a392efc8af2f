#include "shell/ui/script_editor_widget.h"

#include <Qsci/qsciprinter.h>

#include <QKeyEvent>
#include <algorithm>
#include <QPrintDialog>

#include "platform/codepage.h"
#include "shell/ui/script_lexer.h"

namespace ondrix::shell::ui {

namespace {

QString fromCp1252(const std::string& text) { return QString::fromStdString(platform::cp1252ToUtf8(text)); }

}  // namespace

ScriptEditorWidget::ScriptEditorWidget(const TScriptLanguage& language, const TScriptEditorOptions& options,
                                       QWidget* parent)
    : QsciScintilla(parent), lexer_(new ScriptLexer(language, this)) {
  setUtf8(true);
  setEolMode(EolUnix);
  setAutoIndent(true);
  setIndentationsUseTabs(false);
  setBraceMatching(SloppyBraceMatch);
  setMarginType(0, NumberMargin);
  setMarginLineNumbers(0, true);
  setMarginWidth(1, 0);
  // The horizontal scroll bar only when a line is wider than the window.
  setScrollWidth(1);
  setScrollWidthTracking(true);
  setContextMenuPolicy(Qt::CustomContextMenu);
  applyOptions(options);
  connect(this, &QsciScintilla::textChanged, this, &ScriptEditorWidget::statusChanged);
  connect(this, &QsciScintilla::cursorPositionChanged, this, &ScriptEditorWidget::statusChanged);
  connect(this, &QsciScintilla::modificationChanged, this, &ScriptEditorWidget::statusChanged);
}

void ScriptEditorWidget::applyOptions(const TScriptEditorOptions& options) {
  options_ = options;
  lexer_->applyOptions(options);
  setLexer(lexer_);
  setTabWidth(options.TabWidth);
  setMarginsFont(lexer_->defaultFont(0));
  setMarginWidth(0, options.LineNumbers ? QStringLiteral("00000") : QString());
  if (!options.LineNumbers) setMarginWidth(0, 0);
  setCaretForegroundColor(lexer_->color(static_cast<int>(ScriptStyle::Default)));
}

void ScriptEditorWidget::setLanguage(const TScriptLanguage& language) {
  ScriptLexer* old = lexer_;
  lexer_ = new ScriptLexer(language, this);
  applyOptions(options_);
  delete old;
}

std::string ScriptEditorWidget::Text() const { return platform::utf8ToCp1252(text().toStdString()); }

void ScriptEditorWidget::SetText(const std::string& text) {
  selectAll();
  replaceSelectedText(fromCp1252(text));
  setCursorPosition(0, 0);
}

void ScriptEditorWidget::LoadText(const std::string& text) {
  // New lines follow the file's own line ends.
  setEolMode(text.find("\r\n") != std::string::npos ? EolWindows : EolUnix);
  setText(fromCp1252(text));
  SendScintilla(SCI_EMPTYUNDOBUFFER);
  setModified(false);
  setCursorPosition(0, 0);
}

int ScriptEditorWidget::CaretLine() const {
  int line = 0;
  int index = 0;
  getCursorPosition(&line, &index);
  return line + 1;
}

int ScriptEditorWidget::CaretColumn() const {
  const long position = SendScintilla(SCI_GETCURRENTPOS);
  return static_cast<int>(SendScintilla(SCI_GETCOLUMN, static_cast<unsigned long>(position))) + 1;
}

void ScriptEditorWidget::GoToLine(int line) {
  const int target = std::clamp(line, 1, std::max(1, lines())) - 1;
  setCursorPosition(target, 0);
  ensureLineVisible(target);
  setFocus();
}

void ScriptEditorWidget::Print(const std::string& title) {
  QsciPrinter printer;
  printer.setDocName(fromCp1252(title));
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  printer.printRange(this);
}

namespace {

std::function<void(const QString&)>& keywordHelp() {
  static std::function<void(const QString&)> help;
  return help;
}

}  // namespace

void ScriptEditorWidget::setKeywordHelp(std::function<void(const QString& word)> help) {
  keywordHelp() = std::move(help);
}

QString ScriptEditorWidget::wordAtCaret() const {
  int line = 0;
  int index = 0;
  getCursorPosition(&line, &index);
  return wordAtLineIndex(line, index);
}

void ScriptEditorWidget::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
    setOverwriteMode(!overwriteMode());
    emit statusChanged();
    return;
  }
  if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
    if (keywordHelp()) keywordHelp()(wordAtCaret());
    return;
  }
  QsciScintilla::keyPressEvent(event);
}

}  // namespace ondrix::shell::ui
