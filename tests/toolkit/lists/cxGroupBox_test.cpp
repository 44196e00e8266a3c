#include "calderan_test.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ExtCtrls.h"
#include "StdCtrls.h"
#include "cxGeometry.h"
#include "groups_fixture.h"

namespace {

constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF blue = RGB(0, 0, 255);

struct GroupBoxes : GroupsFixture {
  GroupBoxes() {
    RootLookAndFeel()->SetNativeStyle(false);
    RootLookAndFeel()->SetKind(lfStandard);
    box = Place(new TcxGroupBox(form.get()), 10, 10, 185, 105);
    box->Style()->SetTextColor(clRed);
    box->Style()->SetBorderStyle(cbsSingle);
    box->Style()->SetBorderColor(clBlue);
    box->Style()->SetColor(clWhite);
    PumpWhileBusy();
  }
  TShownPicture Shown() {
    PumpWhileBusy();
    return TShownPicture(box->Handle());
  }
  TcxGroupBox* box = nullptr;
};

TEST_F(GroupBoxes, NewBoxIsSizedWithItsCaptionTopLeftAndNoTabStop) {
  auto* fresh = new TcxGroupBox(form.get());
  EXPECT_EQ(fresh->Width(), 185);
  EXPECT_EQ(fresh->Height(), 105);
  EXPECT_EQ(fresh->Alignment(), alTopLeft);
  EXPECT_FALSE(fresh->TabStop());
  EXPECT_FALSE(fresh->PanelStyle()->Active());
  struct {
    int written, stored;
  } const indents[] = {{0, 2}, {1, 2}, {-7, 2}, {2, 2}, {9, 9}};
  for (const auto& c : indents) {
    fresh->PanelStyle()->SetCaptionIndent(c.written);
    EXPECT_EQ(fresh->PanelStyle()->CaptionIndent(), c.stored) << c.written;
  }
}

// Where the caption's text is painted for each alignment, and that the frame runs round the box
// except under the caption.
TEST_F(GroupBoxes, CaptionIsPaintedOnItsSideAndPlaceAndTheFrameStopsAtIt) {
  enum TPlace { start, middle, end };
  struct {
    TcxCaptionAlignment alignment;
    int side;  // top, bottom, left, right
    TPlace place;
  } const cases[] = {
      {alTopLeft, 0, start},     {alTopCenter, 0, middle},    {alTopRight, 0, end},
      {alBottomLeft, 1, start},  {alBottomCenter, 1, middle}, {alBottomRight, 1, end},
      {alLeftTop, 2, start},     {alLeftCenter, 2, middle},   {alLeftBottom, 2, end},
      {alRightTop, 3, start},    {alRightCenter, 3, middle},  {alRightBottom, 3, end},
  };
  box->SetCaption("Options");
  for (const auto& c : cases) {
    box->SetAlignment(c.alignment);
    const TShownPicture shown = Shown();
    const TRect text = shown.BoundsOf(red);
    SCOPED_TRACE(testing::Message() << "alignment " << c.alignment << " text " << text.Left << "," << text.Top << ","
                                    << text.Right << "," << text.Bottom);
    ASSERT_GT(text.Width(), 0);
    const bool vertical = c.side >= 2;
    EXPECT_EQ(vertical, text.Height() > text.Width());
    const int band = 16;
    switch (c.side) {
      case 0: EXPECT_LT(text.Bottom, band); break;
      case 1: EXPECT_GT(text.Top, 105 - band); break;
      case 2: EXPECT_LT(text.Right, band); break;
      default: EXPECT_GT(text.Left, 185 - band); break;
    }
    const int from = vertical ? text.Top : text.Left, to = vertical ? text.Bottom : text.Right;
    const int length = vertical ? 105 : 185;
    switch (c.place) {
      case start: EXPECT_NEAR(from, 10, 3); break;
      case middle: EXPECT_NEAR((from + to) / 2, length / 2, 3); break;
      case end: EXPECT_NEAR(to, length - 10, 3); break;
    }
    // The frame: on every side, but not across the caption. The gap is the text's advance, and
    // the ink of Wine's Tahoma reaches a pixel past it, so the gap is checked over the ink alone.
    EXPECT_EQ(shown.Count(blue, text), 0);
    EXPECT_GT(shown.Count(blue, TRect(0, 0, 185, 14)), 20);
    EXPECT_GT(shown.Count(blue, TRect(0, 91, 185, 105)), 20);
    EXPECT_GT(shown.Count(blue, TRect(0, 0, 14, 105)), 20);
    EXPECT_GT(shown.Count(blue, TRect(171, 0, 185, 105)), 20);
  }
}

TEST_F(GroupBoxes, TurnedCaptionsLoseTheirAcceleratorAndTurnTheirFont) {
  struct {
    TcxCaptionAlignment alignment;
    std::string shown;
    int orientation;
  } const cases[] = {
      {alTopLeft, "&File", 0},
      {alLeftCenter, "File", 900},
      {alRightTop, "File", 2700},
      {alBottomRight, "&File", 0},
  };
  box->SetCaption("&File");
  for (const auto& c : cases) {
    box->SetAlignment(c.alignment);
    EXPECT_EQ(box->ShownCaption(), c.shown) << c.alignment;
    EXPECT_EQ(box->CaptionFont()->Orientation(), c.orientation) << c.alignment;
  }
  // A trailing marker stays visible, as an underscore.
  box->SetAlignment(alLeftTop);
  box->SetCaption("Save&");
  EXPECT_EQ(box->ShownCaption(), "Save_");
  // Only the letter case changes: the caption shown follows.
  box->SetAlignment(alTopLeft);
  box->SetCaption("file");
  box->SetCaption("File");
  EXPECT_EQ(box->ShownCaption(), "File");
}

// A face that cannot be turned is replaced by one that can.
TEST_F(GroupBoxes, TurnedCaptionOfARasterFaceIsDrawnInATrueTypeFace) {
  TcxScreenCanvas* screen = SharedScreenCanvas();
  std::string raster;
  for (const char* face : {"MS Sans Serif", "Courier", "Small Fonts", "Fixedsys", "Terminal", "System"}) {
    TFont probe;
    probe.SetName(face);
    screen->SetFont(&probe);
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen->GetHandle(), &metrics);
    if (!(metrics.tmPitchAndFamily & TMPF_TRUETYPE)) {
      raster = face;
      break;
    }
  }
  if (raster.empty()) GTEST_SKIP() << "this machine has no raster face";
  box->Style()->Font()->SetName(raster);
  box->SetCaption("Turned");
  box->SetAlignment(alTopLeft);
  EXPECT_EQ(box->CaptionFont()->Name(), raster) << "a horizontal caption keeps its face";
  box->SetAlignment(alLeftBottom);
  EXPECT_EQ(box->CaptionFont()->Name(), "Arial");
  const TRect text = Shown().BoundsOf(red);
  EXPECT_GT(text.Height(), text.Width()) << "drawn upwards";
}

TEST_F(GroupBoxes, ChildControlsAreAlignedInsideTheFrameAndCaption) {
  box->SetCaption("Inside");
  auto* child = new TPanel(form.get());
  child->SetParent(box);
  child->SetAlign(alClient);
  struct {
    TcxCaptionAlignment alignment;
    int side;
  } const cases[] = {{alTopLeft, 0}, {alBottomCenter, 1}, {alLeftTop, 2}, {alRightBottom, 3}};
  for (const auto& c : cases) {
    box->SetAlignment(c.alignment);
    PumpWhileBusy();
    const TRect r = child->BoundsRect();
    SCOPED_TRACE(c.alignment);
    EXPECT_GE(r.Left, 1);
    EXPECT_GE(r.Top, 1);
    EXPECT_LE(r.Right, 184);
    EXPECT_LE(r.Bottom, 104);
    const int captionSide[] = {r.Top, 105 - r.Bottom, r.Left, 185 - r.Right};
    EXPECT_GE(captionSide[c.side], 13) << "the caption's side keeps the caption's room";
  }
}

TEST_F(GroupBoxes, AcceleratorMovesTheFocusToTheFirstChild) {
  box->SetCaption("&Options");
  auto* edit = new TEdit(form.get());
  edit->SetParent(box);
  edit->SetBounds(10, 30, 100, 21);
  PumpWhileBusy();
  EXPECT_EQ(box->Perform(CM_DIALOGCHAR, 'x', 0), 0);
  EXPECT_NE(GetFocus(), edit->Handle());
  EXPECT_EQ(box->Perform(CM_DIALOGCHAR, 'o', 0), 1);
  EXPECT_EQ(GetFocus(), edit->Handle());
}

// A text drawn alone at the origin in a font: the size of its cell as measured and where its red
// ink lies in that cell. Wine's Tahoma draws each letter a pixel narrower than it measures, so the
// ink of "Panel" ends five pixels short of its measured cell: a caption's place is read from the
// ink against this, not against the cell.
struct TTextInk {
  TSize cell;
  TRect ink;
};

TTextInk InkOf(TFont* font, const std::string& text) {
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 200, -50, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  HGDIOBJ oldFont = SelectObject(dc, font->Handle());
  PatBlt(dc, 0, 0, 200, 50, WHITENESS);
  RECT cell{0, 0, 200, 50};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &cell, DT_CALCRECT | DT_SINGLELINE);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, red);
  RECT at{0, 0, 200, 50};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &at, DT_LEFT | DT_TOP | DT_SINGLELINE);
  TTextInk result{TSize(cell.right, cell.bottom), TRect(200, 50, 0, 0)};
  const auto* pixels = static_cast<const uint32_t*>(bits);
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 200; ++x)
      if ((pixels[y * 200 + x] & 0xFFFFFF) == 0xFF0000)  // red in a 32-bit DIB: B, G, R bytes
        result.ink = TRect(std::min<int>(result.ink.Left, x), std::min<int>(result.ink.Top, y),
                           std::max<int>(result.ink.Right, x + 1), std::max<int>(result.ink.Bottom, y + 1));
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return result;
}

TEST_F(GroupBoxes, PanelCaptionStandsInsideByItsAlignment) {
  box->SetCaption("Panel");
  box->PanelStyle()->SetActive(true);
  box->PanelStyle()->SetCaptionIndent(6);
  const TTextInk panel = InkOf(box->CaptionFont(), "Panel");
  ASSERT_GT(panel.ink.Width(), 0);
  // The caption's cell stands in the frame less its 1-pixel border, and less the indent on the
  // sides it leans to: from 7 on a leading side, to 185 - 7 = 178 and 105 - 7 = 98 on a trailing
  // one, centred between 1 and 184 (1 and 104) otherwise.
  struct TAxis {
    int start, end, low, high;
  };
  const auto cellStart = [](int place, const TAxis& axis, int size) {
    return place < 0 ? axis.start : place > 0 ? axis.end - size : (axis.low + axis.high - size) / 2;
  };
  const TAxis across{7, 178, 1, 184}, down{7, 98, 1, 104};
  struct {
    TcxCaptionAlignment alignment;
    int x, y;  // -1 start, 0 middle, 1 end
  } const cases[] = {{alCenterCenter, 0, 0}, {alTopLeft, -1, -1}, {alBottomRight, 1, 1}, {alLeftCenter, -1, 0}};
  for (const auto& c : cases) {
    box->SetAlignment(c.alignment);
    const TRect text = Shown().BoundsOf(red);
    SCOPED_TRACE(c.alignment);
    ASSERT_GT(text.Width(), 0);
    EXPECT_LT(text.Width(), 60) << "a panel caption is never turned";
    const TPoint cell(cellStart(c.x, across, panel.cell.cx), cellStart(c.y, down, panel.cell.cy));
    // A centred cell may fall half a pixel either way; a leading or trailing one stands exactly.
    EXPECT_NEAR(text.Left, cell.X + panel.ink.Left, c.x == 0 ? 1 : 0);
    EXPECT_NEAR(text.Top, cell.Y + panel.ink.Top, c.y == 0 ? 1 : 0);
    EXPECT_EQ(text.Width(), panel.ink.Width());
    EXPECT_EQ(text.Height(), panel.ink.Height());
  }
  // A wrapped caption takes more lines.
  box->SetAlignment(alCenterCenter);
  box->SetCaption("A caption long enough to be wrapped in the panel");
  const int oneLine = Shown().BoundsOf(red).Height();
  box->PanelStyle()->SetWordWrap(true);
  EXPECT_GT(Shown().BoundsOf(red).Height(), oneLine * 3 / 2);
}

}  // namespace
