// make_news_page NEWS.md NEWS.html: the change log as the web page the Help menu's news command
// opens in the desktop's web browser, rendered from Markdown by Qt's text document.

#include <QFile>
#include <QFont>
#include <QTextDocument>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_news_page NEWS.md NEWS.html\n");
    return 64;
  }
  QFile in(QString::fromLocal8Bit(argv[1]));
  if (!in.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "Cannot read %s\n", argv[1]);
    return 1;
  }
  QTextDocument page;
  // Headings are sized relative to the default font, which has no size without a running
  // application: the page's text is set in 10 points.
  QFont font;
  font.setPointSize(10);
  page.setDefaultFont(font);
  page.setMarkdown(QString::fromUtf8(in.readAll()));
  page.setMetaInformation(QTextDocument::DocumentTitle, QStringLiteral("Ondrix news"));
  QFile out(QString::fromLocal8Bit(argv[2]));
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(page.toHtml().toUtf8()) < 0 ||
      !out.flush()) {
    std::fprintf(stderr, "Cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
