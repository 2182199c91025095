// A formatted table in words, for the layout dump: its rows, each with its cells side by
// side, each cell with its x range and its lines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TRPTableItemInfo;

// One string per row of Table, whose top-left corner is at (Left, Top):
// "     row 1 y=27 h=20 x=7..204 |first line|second line| x=206..403 |text|", a cell's x
// range being its box with the padding. Tables inside cells show as "[]" in their lines.
std::vector<std::string> RP_TableLayoutRows(TRPTableItemInfo& Table, int32_t Left, int32_t Top);
