// Painting of a platform header window ("SysHeader32") item by item through the look-and-feel
// painter. The header's owner describes each item when the header window is asked with the
// private message below.
#pragma once
#include <windows.h>

#include <string>

#include "ImgList.h"
#include "StdCtrls.h"
#include "Types.h"
#include "cxGraphics.h"
#include "cxLookAndFeels.h"

// Sent to the header window: wParam the display position, lParam a THeaderItemInfo to fill.
inline constexpr UINT CM_CXHEADER_ITEMINFO = 0x807D;

struct THeaderItemInfo {
  int ImageIndex = -1;  // -1: none, and for the filler right of the last column
  TRect Rect;
  TAlignment Alignment = taLeftJustify;
  uint8_t SortOrder = 0;  // 0 none, 1 ascending, other descending
  TcxButtonState State = cxbsNormal;
  std::string Text;
};

// The text area of an item's content: 4 pixels in on both sides (15 on the right with a sort mark).
TRect CalcHeaderTextArea(const TRect& content, bool sortMark);
// Places an image of width imageWidth before a caption of width textWidth; moves the text area
// and may turn the alignment to left. Returns the image's left edge.
int CalcHeaderImagePos(TRect& textArea, TAlignment& alignment, int imageWidth, int textWidth);
// Draws the item at display position (0 .. item count, the count being the filler) on a canvas
// prepared with the background brush, the font and its colour; images may be null.
void DrawHeaderItem(HWND header, int position, TcxCanvas* canvas, TCustomImageList* images, TcxLookAndFeel* lookAndFeel);
