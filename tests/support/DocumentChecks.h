// Checks shared by the document tests: a one-line-per-item dump of a document and
// the invariants every document operation keeps.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "richtext/model/CRPData.h"

namespace RPDataTests {

// One line per item: how it joins (P new paragraph, L new line, C continues the
// line), its paragraph style, "!" for a page break, then its text or its kind.
std::vector<std::string> Layout(const TCustomRPData& Doc);

// The text a reader sees, one string per paragraph in UTF-8: a line break inside a
// paragraph is "\n", a tab "\t", a rule "---", a list marker its text and a space, a label
// (a sequence number) its text, a table its rows ("\n" between them) of cells (" | "
// between them, " / " between a cell's paragraphs).
std::vector<std::string> Paragraphs(TCustomRPData& Doc);

// The first item starts a paragraph, nothing continues a break's line, a paragraph
// has one style, a marker is never alone, Unicode text has whole units, and the
// checkpoint chain runs through the items in order.
::testing::AssertionResult Consistent(const TCustomRPData& Doc);

} // namespace RPDataTests
