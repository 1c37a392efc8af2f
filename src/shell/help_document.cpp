#include "shell/help_document.h"

#include <algorithm>
#include <cctype>

namespace ondrix::shell {
namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// A heading line "## Text" (up to three leading blanks, one to six marks, then a blank or the end):
// its level, or 0.
int headingLevel(std::string_view line, std::string_view& text) {
  std::size_t i = 0;
  while (i < line.size() && i < 3 && line[i] == ' ') ++i;
  std::size_t marks = 0;
  while (i + marks < line.size() && line[i + marks] == '#') ++marks;
  if (marks == 0 || marks > 6) return 0;
  const std::string_view rest = line.substr(i + marks);
  if (!rest.empty() && rest.front() != ' ' && rest.front() != '\t') return 0;
  text = trim(rest);
  while (!text.empty() && text.back() == '#') text.remove_suffix(1);  // closing marks
  text = trim(text);
  return static_cast<int>(marks);
}

// Where new headings of `level` go: the children of the last heading of a lower level.
std::vector<THelpHeading>& parentList(std::vector<THelpHeading>& top, int level) {
  std::vector<THelpHeading>* list = &top;
  while (!list->empty() && list->back().Level < level) list = &list->back().Children;
  return *list;
}

void flatten(const std::vector<THelpHeading>& headings, std::vector<const THelpHeading*>& out) {
  for (const THelpHeading& h : headings) {
    out.push_back(&h);
    flatten(h.Children, out);
  }
}

}  // namespace

std::string THelpDocument::AnchorOf(std::string_view text) {
  std::string anchor;
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (std::isalnum(u) || c == '-' || c == '_' || u >= 0x80) anchor += static_cast<char>(std::tolower(u));
    else if (c == ' ') anchor += '-';
  }
  return anchor;
}

THelpDocument THelpDocument::Parse(std::string_view markdown) {
  THelpDocument doc;
  struct Keyword {
    std::string word;
    int heading;
  };
  std::vector<Keyword> keywords;
  int headings = 0;
  bool fenced = false;
  while (!markdown.empty()) {
    const std::size_t end = markdown.find('\n');
    const std::string_view line = markdown.substr(0, end);
    markdown = end == std::string_view::npos ? std::string_view() : markdown.substr(end + 1);
    if (trim(line).starts_with("```")) {
      fenced = !fenced;
      continue;
    }
    if (fenced) continue;
    std::string_view text;
    if (const int level = headingLevel(line, text)) {
      parentList(doc.contents_, level).push_back({level, std::string(text), AnchorOf(text), {}});
      if (level > 1) keywords.push_back({std::string(text), headings});
      ++headings;
      continue;
    }
    constexpr std::string_view kKeywords = "Keywords:";
    if (const std::string_view t = trim(line); t.starts_with(kKeywords) && headings > 0) {
      std::string_view list = t.substr(kKeywords.size());
      while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::string_view word = trim(list.substr(0, comma));
        if (!word.empty()) keywords.push_back({std::string(word), headings - 1});
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
      }
    }
  }
  flatten(doc.contents_, doc.flat_);
  std::stable_sort(keywords.begin(), keywords.end(),
                   [](const Keyword& a, const Keyword& b) { return lower(a.word) < lower(b.word); });
  for (Keyword& k : keywords) doc.index_.push_back({std::move(k.word), k.heading});
  return doc;
}

std::vector<THelpKeyword> THelpDocument::Filtered(std::string_view filter) const {
  const std::string wanted = lower(trim(filter));
  std::vector<THelpKeyword> out;
  for (const THelpKeyword& k : index_)
    if (lower(k.Keyword).find(wanted) != std::string::npos) out.push_back(k);
  return out;
}

int THelpDocument::HeadingWithAnchor(std::string_view anchor) const {
  for (std::size_t i = 0; i < flat_.size(); ++i)
    if (flat_[i]->Anchor == anchor) return static_cast<int>(i);
  return -1;
}

}  // namespace ondrix::shell
