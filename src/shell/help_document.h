#pragma once
// A help file as the help viewer uses it: a Markdown text whose headings make the table of
// contents (a tree by heading level) and the keyword index (every heading below the title, and
// the words a file lists on "Keywords:" lines, each pointing at the heading above it).

#include <string>
#include <string_view>
#include <vector>

namespace ondrix::shell {

struct THelpHeading {
  int Level = 1;       // 1 for "#", 2 for "##", ...
  std::string Text;    // without the marks
  std::string Anchor;  // "getting-started": lower case, blanks as '-', other punctuation dropped
  std::vector<THelpHeading> Children;
};

struct THelpKeyword {
  std::string Keyword;
  int Heading = 0;  // the position of its heading among all headings of the file, from 0
};

class THelpDocument {
 public:
  // Reads the headings ("#" to "######" at the start of a line, outside fenced code blocks) and
  // the keyword lines of `markdown`.
  static THelpDocument Parse(std::string_view markdown);

  // The headings as a tree: a heading goes under the last heading of a lower level before it.
  const std::vector<THelpHeading>& Contents() const { return contents_; }
  // Every heading in file order (the order of the document's heading blocks).
  const std::vector<const THelpHeading*>& Headings() const { return flat_; }
  // The index, sorted without regard to letter case.
  const std::vector<THelpKeyword>& Index() const { return index_; }
  // The index entries whose keyword contains `filter` (any letter case); all for an empty one.
  std::vector<THelpKeyword> Filtered(std::string_view filter) const;
  // The position of the heading with `anchor`, or -1.
  int HeadingWithAnchor(std::string_view anchor) const;

  // The anchor of a heading text.
  static std::string AnchorOf(std::string_view text);

  THelpDocument() = default;
  THelpDocument(const THelpDocument&) = delete;
  THelpDocument& operator=(const THelpDocument&) = delete;
  THelpDocument(THelpDocument&&) = default;
  THelpDocument& operator=(THelpDocument&&) = default;

 private:
  std::vector<THelpHeading> contents_;
  std::vector<const THelpHeading*> flat_;
  std::vector<THelpKeyword> index_;
};

}  // namespace ondrix::shell
