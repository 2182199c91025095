// What holds for the draw items of a formatted document after every formatting pass.
#pragma once

#include <string>

class TCustomRPFormattedData;

// Draw items in document order, the pieces of one item contiguous with increasing,
// disjoint offsets and only spaces left out between them; the first draw item starts a
// line; pieces of a line go from left to right; every item's DrawItemNo is its first
// draw item (-1 for none). Failures are reported as test failures.
void ExpectDrawItemInvariants(const TCustomRPFormattedData& Doc);

// The selected text as the draw items show it: "|" between screen lines, "[]" for an
// object; empty when nothing is selected.
std::u16string SelectedText(const TCustomRPFormattedData& Doc);
