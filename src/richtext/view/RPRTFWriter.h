// RTF of a document or of its selection, as a copy puts it on the clipboard, in the
// keywords the RTF reader reads: the header with the code page and the font and colour
// tables, paragraphs with their formatting, runs with their character formatting, tabs,
// line breaks, links as HYPERLINK fields and named places as bookmarks.
#pragma once

#include <string>

class TCustomRPData;
class TCustomRPFormattedData;

// The selection of the document itself; empty when nothing is selected.
std::string RP_SelectionRTF(TCustomRPFormattedData& Doc);
// Every item.
std::string RP_DocumentRTF(TCustomRPData& Doc);
