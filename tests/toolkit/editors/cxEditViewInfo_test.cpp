#include "calderan_test.h"

#include <climits>
#include <memory>

#include "edit_fixture.h"

namespace {

// A base editor (no inner edit) with a plain single border, no hot tracking and its buttons.
struct EditButtons : EditorsFixture {
  EditButtons() {
    editor = Place(new TcxCustomEdit(form.get()), 10, 10, 150, 24);
    editor->SetAutoSize(false);  // the base editor has no content to measure
    editor->SetBounds(10, 10, 150, 24);
    editor->Style()->SetTransparentBorder(false);
    editor->Style()->SetEditBorderStyle(ebsSingle);
    editor->Style()->SetHotTrack(false);
    editor->Style()->SetButtonStyle(bts3D);
    events.Attach(editor->Properties());
  }
  TcxEditButton* AddButton(TcxEditButtonKind kind, int width, bool left = false) {
    TcxEditButton* b = editor->Properties()->Buttons()->Add();
    b->SetKind(kind);
    b->SetWidth(width);
    b->SetLeftAlignment(left);
    return b;
  }
  TcxCustomEditViewInfo* View() {
    editor->ShortRefresh();
    return editor->GetViewInfo();
  }
  void Mouse(UINT message, int x, int y, WPARAM keys) {
    SendMessageA(editor->Handle(), message, keys, ClientPoint(x, y));
  }
  COLORREF Pixel(int x, int y) {
    UpdateWindow(editor->Handle());
    HDC dc = GetDC(editor->Handle());
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(editor->Handle(), dc);
    return color;
  }
  TcxCustomEdit* editor;
  TEditEvents events;
};

TEST_F(EditButtons, ButtonsArePlacedFromTheLastOneInwards) {
  AddButton(bkEllipsis, 20);  // A
  AddButton(bkDown, 21);      // B
  AddButton(bkGlyph, 22, true);
  AddButton(bkText, 23);  // C
  TcxCustomEditViewInfo* v = View();
  ASSERT_EQ(v->ButtonCount(), 4);
  // Inside the one-pixel border: 1 .. 149 wide, 1 .. 23 high.
  struct Case {
    int visible, index;
    TRect bounds;
  } cases[] = {
      {0, 0, TRect(85, 1, 105, 23)},
      {1, 1, TRect(105, 1, 126, 23)},
      {2, 2, TRect(1, 1, 23, 23)},
      {3, 3, TRect(126, 1, 149, 23)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(v->Button(c.visible)->Index, c.index);
    EXPECT_EQ(v->Button(c.visible)->Bounds, c.bounds) << c.visible;
  }
  EXPECT_TRUE(v->Button(0)->Data.First);
  EXPECT_TRUE(v->Button(3)->Data.Last);
  EXPECT_EQ(v->ClientRect, TRect(23, 1, 85, 23));
}

TEST_F(EditButtons, APressReleasedOverTheSameButtonClicksIt) {
  AddButton(bkEllipsis, 20);
  AddButton(bkDown, 20);
  TcxCustomEditViewInfo* v = View();
  const TRect second = v->Button(1)->Bounds;
  Mouse(WM_LBUTTONDOWN, second.Left + 5, 10, MK_LBUTTON);
  EXPECT_EQ(v->Button(1)->Data.State, ebdsPressed);
  EXPECT_EQ(v->PressedButton, 1);
  Mouse(WM_MOUSEMOVE, 40, 10, MK_LBUTTON);  // off the button with the button held
  EXPECT_EQ(v->Button(1)->Data.State, ebdsNormal);
  Mouse(WM_MOUSEMOVE, second.Left + 5, 10, MK_LBUTTON);  // back again
  EXPECT_EQ(v->Button(1)->Data.State, ebdsPressed);
  Mouse(WM_LBUTTONUP, second.Left + 5, 10, 0);
  EXPECT_EQ(events.buttonClicks, 1);
  EXPECT_EQ(events.lastButton, 1);
  // Released elsewhere: no click.
  Mouse(WM_LBUTTONDOWN, second.Left + 5, 10, MK_LBUTTON);
  Mouse(WM_MOUSEMOVE, 40, 10, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, 40, 10, 0);
  EXPECT_EQ(events.buttonClicks, 1);
  EXPECT_TRUE(v->IsPointOverButton(TPoint(second.Left + 1, 3)));
  EXPECT_FALSE(v->IsPointOverButton(TPoint(10, 3)));
}

TEST_F(EditButtons, HiddenButtonsShowWhenTheEditorIsHot) {
  AddButton(bkEllipsis, 20);
  editor->Style()->SetButtonTransparency(ebtHideUnselected);
  editor->Style()->SetHotTrack(true);
  EXPECT_EQ(View()->ButtonCount(), 0);
  Mouse(WM_MOUSEMOVE, 30, 10, 0);
  EXPECT_EQ(editor->GetViewInfo()->ButtonCount(), 1);
}

TEST_F(EditButtons, ButtonsOnlyLayoutSharesTheFreeWidthByStretchableWidths) {
  std::unique_ptr<TcxCustomEditProperties> properties = std::make_unique<TcxCustomEditProperties>(nullptr);
  properties->SetButtonsLayout(eblButtonsOnly);
  for (int w : {20, 30}) {
    TcxEditButton* b = properties->Buttons()->Add();
    b->SetWidth(w);
  }
  auto* style = static_cast<TcxCustomEditStyle*>(editor->Style());
  std::unique_ptr<TcxCustomEditViewData> data(properties->CreateViewData(style, true));
  std::unique_ptr<TcxCustomEditViewInfo> info(properties->ClassOperations()->ViewInfoClass()->Create());
  // In place: the content offset is the border; the area is 60 wide, the buttons 50.
  data->ContentOffset = TRect(0, 0, 0, 0);
  data->ComputeLayout(editor->cxCanvas(), TRect(0, 0, 60, 20), TPoint(-1, -1), cmbNone, {}, info.get(), false);
  ASSERT_EQ(info->ButtonCount(), 2);
  EXPECT_EQ(info->Button(1)->Bounds, TRect(24, 0, 60, 20));  // 30 + 10 * 30 div 50
  EXPECT_EQ(info->Button(0)->Bounds, TRect(0, 0, 24, 20));   // 20 + the 4 left over
}

TEST_F(EditButtons, MeasuringNarrowerThanTheBorderGivesTheRequestedWidth) {
  AddButton(bkEllipsis, 20);
  std::unique_ptr<TcxCustomEditViewData> data(editor->CreateViewData());
  TcxEditSizeProperties request;
  request.Width = 10;
  const TSize size = data->GetEditSize(editor->cxCanvas(), TVariant::Null(), request);
  EXPECT_EQ(size.cx, 10);
  request = {};
  EXPECT_EQ(data->GetEditSize(editor->cxCanvas(), TVariant::Null(), request).cx, 22);
}

TEST_F(EditButtons, ABorderColourChangeRepaintsOnlyTheRing) {
  TcxCustomEditViewInfo* v = View();
  UpdateWindow(editor->Handle());
  editor->Style()->SetBorderColor(clRed);
  RECT update;
  ASSERT_TRUE(GetUpdateRect(editor->Handle(), &update, FALSE));
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  GetUpdateRgn(editor->Handle(), region, FALSE);
  EXPECT_FALSE(PtInRegion(region, 70, 12)) << "the inside stays valid";
  EXPECT_TRUE(PtInRegion(region, 0, 12));
  DeleteObject(region);
  EXPECT_EQ(Pixel(0, 12), ColorToRGB(clRed));
  EXPECT_EQ(v->BorderColor, clRed);
}

TEST_F(EditButtons, UltraFlatBordersHighlightWhenHotOrDesigned) {
  editor->Style()->SetEditBorderStyle(ebsUltraFlat);
  editor->Style()->SetHotTrack(true);
  EXPECT_EQ(View()->BorderColor, clBtnShadow);
  Mouse(WM_MOUSEMOVE, 30, 10, 0);
  EXPECT_EQ(editor->GetViewInfo()->BorderColor, GetUltraFlatHotBorderColor(false));
}

TEST_F(EditButtons, EllipsisDotsSizeByContentWidthAndEmbossWhenDisabled) {
  editor->Style()->SetColor(clWhite);
  struct Case {
    int width;
    bool enabled;
    int dotSize;
  } cases[] = {{15, true, 1}, {16, true, 2}, {20, false, 2}};
  TcxEditButton* button = AddButton(bkEllipsis, 20);
  for (const Case& c : cases) {
    button->SetWidth(c.width);
    button->SetEnabled(c.enabled);
    TcxCustomEditViewInfo* v = View();
    editor->Invalidate();
    // The 3D border takes two pixels a side: the content is width - 4 wide.
    const TRect b = v->Button(0)->Bounds;
    const TRect content(b.Left + 2, b.Top + 2, b.Right - 2, b.Bottom - 2);
    EXPECT_EQ(content.Width() > 11, c.dotSize == 2);
    const int total = 3 * c.dotSize + 4;
    const int x = content.Left + (content.Width() - total) / 2, y = content.Top + (content.Height() - c.dotSize) / 2;
    const COLORREF dot = ColorToRGB(c.enabled ? clBtnText : clBtnShadow);
    for (int i = 0; i < 3; ++i) {
      const int left = x + i * (c.dotSize + 2);
      EXPECT_EQ(Pixel(left, y), dot) << c.width << c.enabled << i;
      EXPECT_EQ(Pixel(left + c.dotSize, y), ColorToRGB(clBtnFace)) << c.width << i;
      if (!c.enabled) {
        EXPECT_EQ(Pixel(left + c.dotSize, y + c.dotSize), ColorToRGB(clBtnHighlight)) << i;
      }
    }
  }
}

TEST_F(EditButtons, TheEditorFillsItsBackgroundInsideTheBorder) {
  editor->Style()->SetColor(clYellow);
  editor->Style()->SetBorderColor(clBlue);
  View();
  editor->Invalidate();
  EXPECT_EQ(Pixel(0, 5), ColorToRGB(clBlue));
  EXPECT_EQ(Pixel(149, 5), ColorToRGB(clBlue));
  EXPECT_EQ(Pixel(40, 12), ColorToRGB(clYellow));
}

}  // namespace

namespace {
TEST_F(EditButtons, HotFlatButtonsKeepAFaceBackground) {
  editor->Style()->SetButtonStyle(btsDefault);  // a single border gives hot-flat buttons
  editor->Style()->LookAndFeel()->SetKind(lfStandard);
  editor->Style()->SetHotTrack(true);
  AddButton(bkEllipsis, 20);
  AddButton(bkText, 0)->SetCaption("&Go");
  AddButton(bkDown, 0);
  TcxCustomEditViewInfo* v = View();
  editor->Invalidate();
  for (int i = 0; i < 3; ++i) {
    const TRect b = v->Button(i)->Bounds;
    EXPECT_EQ(v->Button(i)->Data.State, ebdsNormal) << i;
    EXPECT_EQ(Pixel(b.Left + 2, b.Top + 2), ColorToRGB(clBtnFace)) << i;
    EXPECT_EQ(Pixel(b.Left + 2, b.Bottom - 3), ColorToRGB(clBtnFace)) << i;
    EXPECT_EQ(Pixel(b.Right - 3, b.Bottom - 3), ColorToRGB(clBtnFace)) << i;
  }
}
}  // namespace
namespace {
// Each button fills its own background whatever the button before it left on the canvas (a text
// button clears the brush for its caption). Drawn over magenta, nothing may stay magenta.
TEST_F(EditButtons, EveryButtonStyleFillsEachButtonAfterATextButton) {
  AddButton(bkEllipsis, 0);
  AddButton(bkText, 0)->SetCaption("&Go");
  AddButton(bkDown, 0);
  const TcxEditButtonStyle styles[] = {bts3D, btsFlat, btsSimple, btsHotFlat, btsUltraFlat, btsOffice11};
  for (TcxEditButtonStyle style : styles) {
    editor->Style()->SetButtonStyle(style);
    TcxCustomEditViewInfo* v = View();
    TBitmap bitmap;
    bitmap.SetSize(150, 24);
    bitmap.Canvas()->Brush()->SetColor(clFuchsia);
    bitmap.Canvas()->FillRect(TRect(0, 0, 150, 24));
    TcxCanvas canvas(bitmap.Canvas());
    v->PaintAll(&canvas);
    for (int i = 0; i < v->ButtonCount(); ++i) {
      const TRect b = v->Button(i)->Bounds;
      for (TPoint p : {TPoint(b.Left + 3, b.Top + 3), TPoint(b.Right - 4, b.Bottom - 4)})
        EXPECT_NE(GetPixel(bitmap.Canvas()->Handle(), p.X, p.Y), ColorToRGB(clFuchsia))
            << "style " << int(style) << " button " << i << " at " << p.X << "," << p.Y;
    }
    if (style == btsHotFlat) {
      const TRect down = v->Button(2)->Bounds;
      EXPECT_EQ(GetPixel(bitmap.Canvas()->Handle(), down.Left + 3, down.Top + 3), ColorToRGB(clBtnFace));
    }
  }
}
}  // namespace
