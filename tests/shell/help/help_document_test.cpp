// The help viewer's contents tree and keyword index, from small files and from the help files the
// project installs.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "shell/help_document.h"

namespace ondrix::shell {
namespace {

std::string tree(const std::vector<THelpHeading>& headings) {
  std::string out;
  for (const THelpHeading& h : headings) {
    if (!out.empty()) out += ' ';
    out += h.Text;
    if (!h.Children.empty()) out += "(" + tree(h.Children) + ")";
  }
  return out;
}

std::vector<std::string> keywords(const std::vector<THelpKeyword>& index, const THelpDocument& doc) {
  std::vector<std::string> out;
  for (const THelpKeyword& k : index) out.push_back(k.Keyword + ">" + doc.Headings().at(k.Heading)->Text);
  return out;
}

TEST(HelpDocument, HeadingsMakeATreeAndCodeBlocksAreSkipped) {
  const THelpDocument doc = THelpDocument::Parse(
      "# Guide\nintro\n## Start\n### Install ##\n#### Deep\n## Sessions\n```\n# not a heading\n```\n"
      "#hashtag is text\n    ### indented four is code\n### Tabs\n## Last\r\n");
  EXPECT_EQ(tree(doc.Contents()), "Guide(Start(Install(Deep)) Sessions(Tabs) Last)");
  ASSERT_EQ(doc.Headings().size(), 7u);
  EXPECT_EQ(doc.Headings()[6]->Text, "Last");
}

TEST(HelpDocument, HeadingsWithoutATitleStayAtTheTop) {
  EXPECT_EQ(tree(THelpDocument::Parse("### A\n## B\n### C\n# D\n").Contents()), "A B(C) D");
  EXPECT_TRUE(THelpDocument::Parse("").Contents().empty());
}

TEST(HelpDocument, IndexHoldsHeadingsAndKeywordLinesSortedAndFiltered) {
  const THelpDocument doc = THelpDocument::Parse(
      "# Title\nKeywords: ignored? no, belongs to title\n## Watches\nKeywords: AddWatch, , trigger\n"
      "## connection book\n## Zoom\n");
  EXPECT_EQ(keywords(doc.Index(), doc),
            (std::vector<std::string>{"AddWatch>Watches", "belongs to title>Title", "connection book>connection book",
                                      "ignored? no>Title", "trigger>Watches", "Watches>Watches", "Zoom>Zoom"}));
  EXPECT_EQ(keywords(doc.Filtered("  WATCH"), doc), (std::vector<std::string>{"AddWatch>Watches", "Watches>Watches"}));
  EXPECT_EQ(doc.Filtered("").size(), doc.Index().size());
  EXPECT_TRUE(doc.Filtered("nothing like it").empty());
}

TEST(HelpDocument, AnchorsFindHeadings) {
  EXPECT_EQ(THelpDocument::AnchorOf("The data folder & its files"), "the-data-folder--its-files");
  EXPECT_EQ(THelpDocument::AnchorOf("OpenConnection(Name)"), "openconnectionname");
  const THelpDocument doc = THelpDocument::Parse("# A\n## Getting started\n");
  EXPECT_EQ(doc.HeadingWithAnchor("getting-started"), 1);
  EXPECT_EQ(doc.HeadingWithAnchor("missing"), -1);
}

// The installed help files: a title, sections under it, and links between them that find their heading.
TEST(HelpDocument, InstalledFilesHaveContentsIndexAndWorkingLinks) {
  for (const char* name : {"OXPRO.md", "OXPSCRIPT.md"}) {
    std::ifstream in(std::string(ONDRIX_HELP_DIR) + "/" + name);
    ASSERT_TRUE(in) << name;
    std::stringstream text;
    text << in.rdbuf();
    const THelpDocument doc = THelpDocument::Parse(text.str());
    ASSERT_EQ(doc.Contents().size(), 1u) << name;
    EXPECT_GE(doc.Contents()[0].Children.size(), 5u) << name;
    EXPECT_GE(doc.Index().size(), 10u) << name;
    // Every link into a help file names a heading that exists there.
    const std::string body = text.str();
    for (std::size_t at = body.find("](OX"); at != std::string::npos; at = body.find("](OX", at + 1)) {
      const std::size_t close = body.find(')', at);
      const std::string target = body.substr(at + 2, close - at - 2);
      const std::size_t hash = target.find('#');
      ASSERT_NE(hash, std::string::npos) << target;
      std::ifstream other(std::string(ONDRIX_HELP_DIR) + "/" + target.substr(0, hash));
      ASSERT_TRUE(other) << target;
      std::stringstream otherText;
      otherText << other.rdbuf();
      EXPECT_GE(THelpDocument::Parse(otherText.str()).HeadingWithAnchor(target.substr(hash + 1)), 0) << target;
    }
  }
}

}  // namespace
}  // namespace ondrix::shell
