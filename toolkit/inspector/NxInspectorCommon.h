// The inspector's Office-style colour table and its classic 9 x 9 expand box.
#pragma once
#include <string>

#include "Graphics.h"
#include "Types.h"

// Index 0..12 of the table: the first column with visual styles active, the second without;
// any other index is clNone.
TColor Office2003Color(int index);
// A 9 x 9 box at topLeft with a minus, or a plus when not expanded.
void DrawExpandBox(TCanvas* canvas, TPoint topLeft, bool expanded, TColor color, bool category);

// How the lines of a combo-box row and its list are shown: whole, by name, by the value after
// "=", or by that value indented by the name's level.
enum TItemsDisplayMode : uint8_t { dmDefault, dmNameList, dmValueList, dmIndentList };

// The name of a "name=value" line: the part before the first "=", empty when there is none.
std::string ItemLineName(const std::string& line);
// The value of a line: from the character after its name and the "=" on. A line without "=" has an
// empty name and so loses its first character (what stored lists of this inspector show).
std::string ItemLineValue(const std::string& line);
// The text of a line in a display mode (dmIndentList shows the value).
std::string ItemLineText(const std::string& line, TItemsDisplayMode mode);
