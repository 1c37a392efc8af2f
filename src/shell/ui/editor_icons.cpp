#include "shell/ui/editor_icons.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <functional>

namespace ondrix::shell::ui {

namespace {

// Drawn on a 32 x 32 grid; Qt scales the pixmap to the toolbar's icon size.
constexpr int kGrid = 32;
const QColor kInk(0x3c, 0x46, 0x50);
const QColor kPaper(0xf6, 0xf7, 0xf9);
const QColor kBoard(0xc8, 0x8a, 0x3c);
const QColor kBlue(0x35, 0x84, 0xe4);

QIcon drawn(const std::function<void(QPainter&)>& draw) {
  QPixmap pixmap(kGrid, kGrid);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(kInk, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  draw(p);
  return QIcon(pixmap);
}

void sheet(QPainter& p, const QRectF& r) {
  p.setBrush(kPaper);
  p.drawRect(r);
  p.setPen(QPen(kInk, 1.5));
  for (qreal y = r.top() + 5; y < r.bottom() - 2; y += 4) p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
  p.setPen(QPen(kInk, 2.0));
}

void scissors(QPainter& p) {
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(9, 24), 4.5, 4.5);
  p.drawEllipse(QPointF(23, 24), 4.5, 4.5);
  p.drawLine(QPointF(12, 20.5), QPointF(23, 3));
  p.drawLine(QPointF(20, 20.5), QPointF(9, 3));
}

void copies(QPainter& p) {
  sheet(p, QRectF(4, 3, 16, 20));
  sheet(p, QRectF(12, 9, 16, 20));
}

void clipboard(QPainter& p) {
  p.setBrush(kBoard);
  p.drawRoundedRect(QRectF(5, 5, 22, 25), 2, 2);
  sheet(p, QRectF(9, 10, 14, 17));
  p.setBrush(kInk);
  p.drawRoundedRect(QRectF(11, 2, 10, 6), 1.5, 1.5);
}

void printer(QPainter& p) {
  sheet(p, QRectF(9, 3, 14, 11));
  p.setBrush(QColor(0xa0, 0xa8, 0xb0));
  p.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
  p.setBrush(kPaper);
  p.drawRect(QRectF(9, 20, 14, 9));
}

void help(QPainter& p) {
  p.setBrush(kBlue);
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(16, 16), 13, 13);
  p.setPen(Qt::white);
  QFont font = p.font();
  font.setBold(true);
  font.setPixelSize(20);
  p.setFont(font);
  p.drawText(QRectF(0, 0, kGrid, kGrid), Qt::AlignCenter, QStringLiteral("?"));
}

}  // namespace

QIcon editorCommandIcon(EditorCommand id) {
  QStyle* style = QApplication::style();
  const auto themed = [](const char* name, const QIcon& fallback) {
    return QIcon::fromTheme(QString::fromLatin1(name), fallback);
  };
  switch (id) {
    case EditorCommand::NewScript: return themed("document-new", style->standardIcon(QStyle::SP_FileIcon));
    case EditorCommand::OpenScript:
    case EditorCommand::ImportScript: return themed("document-open", style->standardIcon(QStyle::SP_DialogOpenButton));
    case EditorCommand::SaveScript: return themed("document-save", style->standardIcon(QStyle::SP_DialogSaveButton));
    case EditorCommand::CloseScript: return themed("window-close", style->standardIcon(QStyle::SP_DialogCloseButton));
    case EditorCommand::RunScript: return themed("media-playback-start", style->standardIcon(QStyle::SP_MediaPlay));
    case EditorCommand::PrintScript: return themed("document-print", drawn(printer));
    case EditorCommand::Cut: return themed("edit-cut", drawn(scissors));
    case EditorCommand::Copy: return themed("edit-copy", drawn(copies));
    case EditorCommand::Paste: return themed("edit-paste", drawn(clipboard));
    case EditorCommand::HelpContents: return themed("help-contents", drawn(help));
    default: return {};
  }
}

}  // namespace ondrix::shell::ui
