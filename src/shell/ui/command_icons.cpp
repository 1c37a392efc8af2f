#include "shell/ui/command_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ondrix::shell::ui {

namespace {

// Drawn on a 32 x 32 grid; Qt scales the pixmap to the toolbar's icon size.
constexpr int kGrid = 32;

const QColor kOutline(0x3c, 0x46, 0x50);
const QColor kPaper(0xf6, 0xf7, 0xf9);
const QColor kScreen(0x24, 0x2a, 0x31);
const QColor kBlue(0x35, 0x84, 0xe4);
const QColor kGreen(0x2e, 0xc2, 0x7e);
const QColor kRed(0xe0, 0x1b, 0x24);
const QColor kOrange(0xff, 0x78, 0x00);

QPen outlinePen(const QColor& colour = kOutline, qreal width = 2.0) {
  return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void page(QPainter& p, const QRectF& r) {
  QPainterPath path;
  const qreal fold = r.width() / 3;
  path.moveTo(r.topLeft());
  path.lineTo(r.right() - fold, r.top());
  path.lineTo(r.right(), r.top() + fold);
  path.lineTo(r.bottomRight());
  path.lineTo(r.bottomLeft());
  path.closeSubpath();
  p.setPen(outlinePen());
  p.setBrush(kPaper);
  p.drawPath(path);
}

void textLines(QPainter& p, const QRectF& r, int count) {
  p.setPen(outlinePen(kOutline, 1.5));
  for (int i = 0; i < count; ++i) {
    const qreal y = r.top() + 4 + i * 4;
    p.drawLine(QPointF(r.left() + 4, y), QPointF(r.right() - 4, y));
  }
}

void monitor(QPainter& p) {
  p.setPen(outlinePen());
  p.setBrush(kScreen);
  p.drawRoundedRect(QRectF(3, 4, 26, 19), 2, 2);
  p.drawLine(QPointF(16, 23), QPointF(16, 27));
  p.drawLine(QPointF(10, 28), QPointF(22, 28));
}

void printer(QPainter& p) {
  p.setPen(outlinePen());
  p.setBrush(kPaper);
  p.drawRect(QRectF(9, 3, 14, 10));  // paper going in
  p.setBrush(QColor(0xa0, 0xa8, 0xb0));
  p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
  p.setBrush(kPaper);
  p.drawRect(QRectF(8, 19, 16, 10));  // paper coming out
  p.setPen(Qt::NoPen);
  p.setBrush(kGreen);
  p.drawEllipse(QPointF(25, 16), 1.5, 1.5);
}

void letter(QPainter& p, const QString& text, const QRectF& r, const QColor& colour, bool serif) {
  QFont font(serif ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans"));
  font.setStyleHint(serif ? QFont::Serif : QFont::SansSerif);
  font.setBold(true);
  font.setPixelSize(static_cast<int>(r.height()));
  p.setFont(font);
  p.setPen(colour);
  p.drawText(r, Qt::AlignCenter, text);
}

void circularArrow(QPainter& p, const QPointF& centre, qreal radius, const QColor& colour) {
  p.setPen(outlinePen(colour, 3));
  p.setBrush(Qt::NoBrush);
  const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
  p.drawArc(box, 90 * 16, 270 * 16);
  QPainterPath head;  // at the arc's start, pointing along it
  head.moveTo(centre.x() - 1, centre.y() - radius - 5);
  head.lineTo(centre.x() + 5, centre.y() - radius);
  head.lineTo(centre.x() - 1, centre.y() - radius + 5);
  head.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPath(head);
}

void draw(QPainter& p, CommandId id) {
  switch (id) {
    case CommandId::QuickConnect: {
      monitor(p);
      p.setPen(outlinePen(kGreen, 3));
      p.drawLine(QPointF(8, 13.5), QPointF(21, 13.5));
      p.drawLine(QPointF(17, 9.5), QPointF(21, 13.5));
      p.drawLine(QPointF(17, 17.5), QPointF(21, 13.5));
      break;
    }
    case CommandId::Reconnect:
      circularArrow(p, QPointF(16, 17), 10, kBlue);
      break;
    case CommandId::Disconnect:
      monitor(p);
      p.setPen(outlinePen(kRed, 3));
      p.drawLine(QPointF(11, 9), QPointF(21, 18));
      p.drawLine(QPointF(21, 9), QPointF(11, 18));
      break;
    case CommandId::PrintScreen:
      printer(p);
      break;
    case CommandId::PrinterFont:
      printer(p);
      letter(p, QStringLiteral("A"), QRectF(8, 17, 16, 13), kBlue, true);
      break;
    case CommandId::SetupPrinter:
      printer(p);
      p.setPen(outlinePen(kOutline, 1.5));
      p.setBrush(kBlue);
      p.drawEllipse(QPointF(24, 25), 6, 6);
      p.setBrush(kPaper);
      p.drawEllipse(QPointF(24, 25), 2, 2);
      break;
    case CommandId::EjectPrinterPage: {
      page(p, QRectF(7, 3, 18, 15));
      QPainterPath up;
      up.moveTo(16, 19);
      up.lineTo(26, 26);
      up.lineTo(6, 26);
      up.closeSubpath();
      p.setPen(outlinePen());
      p.setBrush(kBlue);
      p.drawPath(up);
      p.drawRect(QRectF(6, 28, 20, 1.5));
      break;
    }
    case CommandId::ConnectionDefaults: {
      page(p, QRectF(6, 3, 20, 26));
      p.setPen(outlinePen(kGreen, 2.5));
      for (int i = 0; i < 3; ++i) {
        const qreal y = 12 + i * 6;
        p.drawLine(QPointF(9, y), QPointF(11, y + 2));
        p.drawLine(QPointF(11, y + 2), QPointF(14, y - 2));
      }
      p.setPen(outlinePen(kOutline, 1.5));
      for (int i = 0; i < 3; ++i) p.drawLine(QPointF(16, 12 + i * 6), QPointF(22, 12 + i * 6));
      break;
    }
    case CommandId::Copy:
      page(p, QRectF(4, 3, 15, 19));
      page(p, QRectF(12, 10, 15, 19));
      textLines(p, QRectF(12, 14, 12, 14), 3);
      break;
    case CommandId::Paste:
      p.setPen(outlinePen());
      p.setBrush(QColor(0xc6, 0x8b, 0x4f));
      p.drawRoundedRect(QRectF(4, 5, 20, 24), 2, 2);
      p.setBrush(QColor(0xa0, 0xa8, 0xb0));
      p.drawRoundedRect(QRectF(9, 3, 10, 5), 1, 1);
      page(p, QRectF(13, 12, 15, 18));
      textLines(p, QRectF(13, 15, 12, 14), 3);
      break;
    case CommandId::SendBreak: {
      QPainterPath bolt;
      bolt.moveTo(19, 2);
      bolt.lineTo(7, 18);
      bolt.lineTo(15, 18);
      bolt.lineTo(12, 30);
      bolt.lineTo(25, 12);
      bolt.lineTo(17, 12);
      bolt.closeSubpath();
      p.setPen(outlinePen());
      p.setBrush(kOrange);
      p.drawPath(bolt);
      break;
    }
    case CommandId::ResetTerminal:
      monitor(p);
      circularArrow(p, QPointF(16, 13.5), 5, kGreen);
      break;
    case CommandId::ModifyColors: {
      const QColor colours[] = {kRed, kGreen, kBlue, kOrange};
      p.setPen(outlinePen(kOutline, 1.5));
      for (int i = 0; i < 4; ++i) {
        p.setBrush(colours[i]);
        p.drawRoundedRect(QRectF(4 + (i % 2) * 13, 4 + (i / 2) * 13, 11, 11), 2, 2);
      }
      break;
    }
    case CommandId::ModifyFont:
      letter(p, QStringLiteral("A"), QRectF(0, 0, kGrid, kGrid), kOutline, true);
      break;
    case CommandId::ForceLineDraws:
      p.setPen(outlinePen(kOutline, 2.5));
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(5, 5, 22, 22));
      p.drawLine(QPointF(16, 5), QPointF(16, 27));
      p.drawLine(QPointF(5, 16), QPointF(27, 16));
      break;
    case CommandId::LogToFile:
      page(p, QRectF(5, 3, 19, 26));
      textLines(p, QRectF(5, 8, 19, 18), 4);
      p.setPen(outlinePen(kPaper, 1.5));
      p.setBrush(kRed);
      p.drawEllipse(QPointF(24, 24), 6, 6);
      break;
    case CommandId::Detach:
      p.setPen(outlinePen());
      p.setBrush(kPaper);
      p.drawRect(QRectF(3, 9, 17, 14));
      p.setBrush(kBlue);
      p.drawRect(QRectF(12, 4, 17, 14));
      p.setPen(outlinePen(kPaper, 2));
      p.drawLine(QPointF(17, 14), QPointF(24, 8));
      break;
    case CommandId::Contents:
      p.setPen(Qt::NoPen);
      p.setBrush(kBlue);
      p.drawEllipse(QRectF(3, 3, 26, 26));
      letter(p, QStringLiteral("?"), QRectF(3, 4, 26, 24), kPaper, false);
      break;
    default:
      break;
  }
}

// The freedesktop icon name of each command with a button, or nullptr.
const char* themeName(CommandId id) {
  switch (id) {
    case CommandId::QuickConnect: return "network-wired";
    case CommandId::Reconnect: return "view-refresh";
    case CommandId::Disconnect: return "network-offline";
    case CommandId::PrintScreen: return "document-print";
    case CommandId::PrinterFont: return "preferences-desktop-font";
    case CommandId::SetupPrinter: return "printer";
    case CommandId::EjectPrinterPage: return "media-eject";
    case CommandId::ConnectionDefaults: return "preferences-system";
    case CommandId::Copy: return "edit-copy";
    case CommandId::Paste: return "edit-paste";
    case CommandId::SendBreak: return "media-playback-pause";
    case CommandId::ResetTerminal: return "edit-clear";
    case CommandId::ModifyColors: return "preferences-desktop-theme";
    case CommandId::ModifyFont: return "format-text-bold";
    case CommandId::ForceLineDraws: return "format-justify-fill";
    case CommandId::LogToFile: return "document-save";
    case CommandId::Detach: return "window-new";
    case CommandId::Contents: return "help-contents";
    default: return nullptr;
  }
}

QIcon drawnIcon(CommandId id) {
  QPixmap pixmap(kGrid, kGrid);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  draw(p, id);
  p.end();
  return QIcon(pixmap);
}

}  // namespace

QIcon commandIcon(CommandId id) {
  const char* name = themeName(id);
  if (name == nullptr) return {};
  return QIcon::fromTheme(QString::fromLatin1(name), drawnIcon(id));
}

}  // namespace ondrix::shell::ui
