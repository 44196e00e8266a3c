#include "NxInspectorCommon.h"

#include "NxSharedDraw.h"
#include "NxThemesSupport.h"

namespace {

TColor HotLightColor() { return static_cast<TColor>(GetSysColor(COLOR_HOTLIGHT)); }

TColor ThemedOffice2003Color(int index) {
  switch (index) {
    case 0: return RGB(255, 238, 194);
    case 1: return RGB(255, 213, 140);
    case 2: return RGB(255, 166, 76);
    case 8: return RGB(254, 145, 78);
    case 10: return clInactiveCaptionText;
    case 11: return Blend(clHighlight, clInactiveCaptionText, 132);
    case 12: return RGB(127, 157, 185);
    default: return clNone;
  }
}

TColor ClassicOffice2003Color(int index) {
  switch (index) {
    case 0: return Blend(clHighlight, clWindow, 80);
    case 1: case 2: return cl3DLight;
    case 8: return RGB(254, 145, 178);
    case 10: return clWindow;
    case 11: return clBtnFace;
    case 12: return clGrayText;
    default: return clNone;
  }
}

}  // namespace

TColor Office2003Color(int index) {
  // the button gradients are the same with and without visual styles
  switch (index) {
    case 3: return HotLightColor();
    case 4: return RGB(255, 213, 140);
    case 5: return RGB(255, 173, 85);
    case 6: return RGB(255, 244, 204);
    case 7: return RGB(255, 208, 145);
    case 9: return RGB(255, 211, 142);
    default: return ThemesAvailable() ? ThemedOffice2003Color(index) : ClassicOffice2003Color(index);
  }
}

void DrawExpandBox(TCanvas* canvas, TPoint topLeft, bool expanded, TColor color, bool category) {
  TColor brush = clWindow, pen = clWindowText;
  if (category) {
    brush = color;
    pen = color == 0 ? clWindow : clWindowText;
  } else if (color == 0) {
    pen = clWindow;
    brush = clBlack;
  }
  canvas->Brush()->SetColor(brush);
  canvas->Pen()->SetColor(pen);
  const int x = topLeft.X, y = topLeft.Y;
  canvas->Rectangle(x, y, x + 9, y + 9);
  canvas->MoveTo(x + 2, y + 4);
  canvas->LineTo(x + 7, y + 4);
  if (!expanded) {
    canvas->MoveTo(x + 4, y + 2);
    canvas->LineTo(x + 4, y + 7);
  }
}

std::string ItemLineName(const std::string& line) {
  const size_t equals = line.find('=');
  return equals == std::string::npos ? std::string() : line.substr(0, equals);
}

std::string ItemLineValue(const std::string& line) {
  const size_t start = ItemLineName(line).size() + 1;
  return start >= line.size() ? std::string() : line.substr(start);
}

std::string ItemLineText(const std::string& line, TItemsDisplayMode mode) {
  switch (mode) {
    case dmDefault: return line;
    case dmNameList: return ItemLineName(line);
    case dmValueList:
    case dmIndentList: return ItemLineValue(line);
  }
  return line;
}
