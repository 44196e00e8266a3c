// The entries of the Office-2003 colour set (dxOffice11) that the Office 2003 bar painter reads.
#pragma once

enum : int {
  o11DockColor1 = 0, o11DockColor2 = 1, o11ToolbarColor1 = 2, o11ToolbarColor2 = 3, o11MarkColor1 = 4,
  o11MarkColor2 = 7, o11ToolbarBottomLine = 10, o11ToolbarCorner = 11, o11MarkCornerA = 12, o11MarkCornerB = 15,
  o11DragDotDark = 18, o11DragDotLight = 19, o11SeparatorDark = 20, o11SeparatorLight = 21, o11MarkArrow = 22,
  o11MarkArrowShadow = 23, o11FloatingFrame = 24, o11FloatingFrameInner = 25, o11FloatingCaptionFill = 26,
  o11FloatingCaption = 27, o11CaptionText = 28, o11FloatingMarkHot = 29, o11FloatingMarkPressed = 30,
  o11MenuBackground = 31, o11GlyphColumn1 = 34, o11GlyphColumn2 = 35, o11RareGlyphColumn1 = 36,
  o11RareGlyphColumn2 = 37, o11Border = 38, o11Hot = 40, o11HighlightFrame = 41, o11HotColor1 = 42,
  o11HotColor2 = 43, o11PressedColor1 = 44, o11PressedColor2 = 45, o11Checked = 46, o11Down = 47, o11Pressed = 48,
  o11DetachCaption = 49, o11Text = 51, o11DisabledText = 52, o11SelectedText = 56
};
