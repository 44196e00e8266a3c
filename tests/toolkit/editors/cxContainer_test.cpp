#include "calderan_test.h"

#include <memory>

#include "StdCtrls.h"
#include "cxMemo.h"
#include "cxTextEdit.h"
#include "editors_fixture.h"

// A dark skin's editor colours, which cannot be mistaken for the system's.
class TDarkEditorPainter : public TcxCustomLookAndFeelPainter {
  CALDERAN_CLASS(TDarkEditorPainter)
  static TcxCustomLookAndFeelPainterClass Instance();
  TColor EditorBackgroundColor(bool disabled) const override { return disabled ? RGB(50, 50, 50) : RGB(30, 30, 60); }
  TColor EditorTextColor(bool disabled) const override { return disabled ? RGB(150, 150, 150) : RGB(230, 230, 250); }

 protected:
  constexpr TDarkEditorPainter() = default;
};
CX_IMPLEMENT_PAINTER(TDarkEditorPainter, TcxCustomLookAndFeelPainter)

namespace {

// A container with a platform edit box inside, as the editors build them.
struct ContainerControl : EditorsFixture {
  ContainerControl() {
    container = Place(new TcxContainer(form.get()), 10, 10, 120, 40);
    edit = new TEdit(container);
    edit->SetParent(container);
    container->SetInnerControl(edit);
    container->Style()->SetTransparentBorder(false);
    container->Style()->SetBorderStyle(cbsSingle);
    container->Style()->SetHotTrack(false);
    PumpWhileBusy();
  }
  TRect Extents() { return container->CalcBorderWidths(); }
  // The window region of the container as a rectangle list answer: true when it has one.
  bool RegionEquals(HRGN expected) {
    HRGN actual = CreateRectRgn(0, 0, 0, 0);
    const bool has = GetWindowRgn(container->Handle(), actual) != ERROR;
    const bool equal = has && expected && EqualRgn(actual, expected);
    DeleteObject(actual);
    return expected ? equal : !has;
  }
  TcxContainer* container;
  TEdit* edit;
};

TEST_F(ContainerControl, ASingleBorderLeavesTheInnerControlOnePixelInside) {
  container->ShortRefresh();
  EXPECT_EQ(Extents(), TRect(1, 1, 1, 1));
  EXPECT_EQ(edit->BoundsRect(), TRect(1, 1, 119, 39));
  EXPECT_EQ(container->ViewInfo()->BorderWidth, 1);
  EXPECT_EQ(container->ViewInfo()->BorderRect, TRect(1, 1, 119, 39));

  container->Style()->SetEdges({bLeft, bTop});
  EXPECT_EQ(edit->BoundsRect(), TRect(1, 1, 120, 40));
}

TEST_F(ContainerControl, AShadowGrowsTheRightAndBottomAndShapesTheWindow) {
  container->Style()->SetShadow(true);
  EXPECT_EQ(Extents(), TRect(1, 1, 4, 4));
  EXPECT_EQ(edit->BoundsRect(), TRect(1, 1, 116, 36));
  HRGN expected = BuildWindowRegion(TRect(0, 0, 117, 37), false, TRect(), true);
  EXPECT_TRUE(RegionEquals(expected));
  DeleteObject(expected);
}

TEST_F(ContainerControl, ATransparentBorderIsTwoPixelsWhateverTheStyle) {
  container->Style()->SetTransparentBorder(true);
  for (auto style : {cbsNone, cbsSingle, cbsThick, cbs3D}) {
    container->Style()->SetBorderStyle(style);
    EXPECT_EQ(Extents(), TRect(2, 2, 2, 2)) << int(style);
  }
  container->Style()->SetBorderStyle(cbsSingle);
  container->Style()->SetBorderColor(clRed);
  container->Style()->SetColor(clWhite);
  UpdateWindow(container->Handle());
  HDC dc = GetDC(container->Handle());
  EXPECT_EQ(GetPixel(dc, 1, 20), ColorToRGB(clRed));
  EXPECT_EQ(GetPixel(dc, 60, 38), ColorToRGB(clRed));
  ReleaseDC(container->Handle(), dc);
  // The ring outside the single border is cut off by the window region.
  HRGN expected = CreateRectRgn(1, 1, 119, 39);
  EXPECT_TRUE(RegionEquals(expected));
  DeleteObject(expected);
}

TEST_F(ContainerControl, BorderStylesPaintTheirRings) {
  container->Style()->SetColor(clWhite);
  struct Case {
    TcxContainerBorderStyle style;
    TPoint point;
    TColor color;
  };
  const Case cases[] = {
      {cbsSingle, {0, 10}, clWindowFrame}, {cbsThick, {1, 10}, clWindowFrame}, {cbsFlat, {0, 10}, clBtnShadow},
      {cbsFlat, {1, 10}, clBtnFace},       {cbs3D, {119, 10}, clBtnHighlight}, {cbs3D, {1, 10}, cl3DDkShadow},
  };
  for (const Case& c : cases) {
    container->Style()->SetBorderStyle(c.style);
    RedrawWindow(container->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(container->Handle());
    EXPECT_EQ(GetPixel(dc, c.point.X, c.point.Y), ColorToRGB(c.color)) << int(c.style);
    ReleaseDC(container->Handle(), dc);
  }
}

TEST_F(ContainerControl, HotTrackingNeedsTheMouseWithoutButtons) {
  container->Style()->SetHotTrack(true);
  container->DoMouseMove({}, 50, 20);
  EXPECT_EQ(container->ViewInfo()->ContainerState, (TcxContainerState{csNormal, csHotTrack}));
  EXPECT_EQ(container->ViewInfo()->HotState, chsSelected);
  container->DoMouseMove({ssLeft}, 50, 20);
  EXPECT_EQ(container->ViewInfo()->ContainerState, TcxContainerState{csNormal});
  EXPECT_EQ(container->ViewInfo()->HotState, chsNormal);
  container->Style()->SetHotTrack(false);
  container->DoMouseMove({}, 50, 20);
  EXPECT_EQ(container->ViewInfo()->ContainerState, TcxContainerState{csNormal});
  EXPECT_EQ(container->ViewInfo()->HotState, chsNoHotTrack);
}

TEST_F(ContainerControl, TheStateChoosesTheStyle) {
  container->StyleState(cssFocused)->SetColor(clYellow);
  container->StyleState(cssDisabled)->SetColor(clGray);
  container->Style()->SetColor(clWhite);
  EXPECT_EQ(container->ViewInfo()->BackgroundColor, clWhite);
  edit->SetFocus();
  PumpWhileBusy();
  EXPECT_TRUE(container->IsContainerFocused());
  container->ShortRefresh();  // what an inner control does when it gains the focus
  EXPECT_EQ(container->ViewInfo()->ContainerState, TcxContainerState{csActive});
  EXPECT_EQ(container->ViewInfo()->BackgroundColor, clYellow);
  EXPECT_EQ(edit->Color(), clYellow);
  container->SetEnabled(false);
  EXPECT_EQ(container->ViewInfo()->ContainerState, TcxContainerState{csDisabled});
  EXPECT_EQ(container->ViewInfo()->BackgroundColor, clGray);
}

TEST_F(ContainerControl, NativeStyleWithABorderSetsNoWindowRegion) {
  container->Style()->SetShadow(true);
  container->Style()->LookAndFeel()->SetNativeStyle(true);
  if (!container->IsNativeStyle()) GTEST_SKIP() << "no visual styles here";
  EXPECT_TRUE(RegionEquals(nullptr));
  EXPECT_EQ(Extents(), TRect(2, 2, 2, 2));
  EXPECT_FALSE(container->ViewInfo()->Shadow);
}

TEST_F(ContainerControl, KeysSentToTheContainerReachTheInnerControl) {
  SendMessageA(container->Handle(), WM_CHAR, 'a', 0);
  SendMessageA(container->Handle(), CN_CHAR, 'b', 0);
  EXPECT_EQ(edit->Text(), "ab");
}

TEST_F(ContainerControl, TabMovesOnButCtrlTabDoesNot) {
  auto* before = Place(new TEdit(form.get()), 10, 100, 80, 20);
  auto* after = Place(new TEdit(form.get()), 10, 130, 80, 20);
  before->SetTabOrder(0);
  container->SetTabOrder(1);
  after->SetTabOrder(2);
  struct Case {
    TShiftState shift;
    TWinControl* expected;
  };
  const Case cases[] = {{{}, after}, {{ssShift}, before}, {{ssCtrl}, edit}};
  for (const Case& c : cases) {
    container->SetFocus();
    PumpWhileBusy();
    ASSERT_EQ(GetFocus(), edit->Handle());
    Word key = VK_TAB;
    container->DoKeyDown(key, c.shift);
    PumpWhileBusy();
    EXPECT_EQ(GetFocus(), c.expected->Handle()) << c.shift.ToInt();
  }
}

TEST_F(ContainerControl, FocusGivenToTheContainerGoesToTheInnerControl) {
  SetFocus(container->Handle());
  PumpWhileBusy();
  EXPECT_EQ(GetFocus(), edit->Handle());
  EXPECT_TRUE(container->IsContainerFocused());
}

TEST_F(ContainerControl, AFreedInnerControlLeavesNoReference) {
  delete edit;
  EXPECT_EQ(container->InnerControl(), nullptr);
  container->ShortRefresh();
  SendMessageA(container->Handle(), WM_CHAR, 'a', 0);
  EXPECT_EQ(container->ViewInfo()->ClientRect, TRect(1, 1, 119, 39));
}

// The focused inner control goes with its container; nothing may keep pointing at either, or
// freeing the form afterwards reaches freed memory.
TEST_F(ContainerControl, FreeingAContainerWhoseInnerControlHasTheFocusThenItsForm) {
  edit->SetFocus();
  PumpWhileBusy();
  ASSERT_EQ(GetFocus(), edit->Handle());
  ASSERT_EQ(Screen->ActiveControl(), edit);
  delete container;
  PumpWhileBusy();
  EXPECT_EQ(form->ActiveControl(), nullptr);
  EXPECT_NE(Screen->ActiveControl(), static_cast<TWinControl*>(edit));
  EXPECT_NE(Screen->ActiveControl(), static_cast<TWinControl*>(container));
  form.reset();
  PumpWhileBusy();
  EXPECT_EQ(Screen->ActiveCustomForm(), nullptr);
  EXPECT_EQ(Screen->ActiveControl(), nullptr);
}

// Starts a second refresh from inside the first one.
class TReentrantContainer : public TcxContainer {
 public:
  using TcxContainer::TcxContainer;
  int calculations = 0;
  void CalculateViewInfo(const TPoint& point, bool hotTrackAllowed) override {
    ++calculations;
    ShortRefresh();
    TcxContainer::CalculateViewInfo(point, hotTrackAllowed);
  }
};

TEST_F(ContainerControl, ARefreshInsideARefreshDoesNothing) {
  auto* reentrant = Place(new TReentrantContainer(form.get()), 10, 200, 50, 20);
  PumpWhileBusy();
  reentrant->calculations = 0;
  reentrant->ShortRefresh();
  EXPECT_EQ(reentrant->calculations, 1);
}

TEST_F(ContainerControl, OwnColourAndFontWritesGoToTheStyle) {
  container->SetColor(clAqua);
  EXPECT_TRUE(container->Style()->AssignedValues().Contains(csvColor));
  EXPECT_EQ(container->Style()->Color(), clAqua);
  container->Style()->SetColor(clLime);
  EXPECT_EQ(container->Color(), clLime);
  TFont font;
  font.SetSize(15);
  container->Style()->SetFont(&font);
  EXPECT_EQ(container->Font()->Size(), 15);
  EXPECT_FALSE(container->ParentFont());
}

TEST(ContainerRoutines, RectangleHelpers) {
  TRect r(10, 10, 20, 20);
  GrowRectOnSides(r, 2, {bLeft, bBottom});
  EXPECT_EQ(r, TRect(8, 10, 20, 22));
  ShrinkRectOnMissingSides(r, 1, {bLeft, bTop});
  EXPECT_EQ(r, TRect(8, 10, 19, 21));
  const std::pair<TcxContainerBorderStyle, int> widths[] = {{cbsNone, 0}, {cbsSingle, 1}, {cbsThick, 2},      {cbsFlat, 2},
                                                            {cbs3D, 2},   {cbsUltraFlat, 1}, {cbsOffice11, 1}};
  for (auto [style, width] : widths) EXPECT_EQ(GetContainerBorderWidth(style), width) << int(style);
  EXPECT_TRUE(StringsMatch("abc", "ABC", false));
  EXPECT_FALSE(StringsMatch("abc", "ABC", true));
}

// Under a dark skin a container with a platform edit inside, a text editor and a memo all show the
// skin's editor face and text (the plain container stayed white); a colour the style sets itself
// stays, and so does the text colour it sets.
struct SkinnedContainers : EditorsFixture {
  static void SetUpTestSuite() {
    EditorsFixture::SetUpTestSuite();
    StartUnits({&cxTextEditUnit, &cxMemoUnit});
  }
  SkinnedContainers() { ExtendedStylePainters()->Register(skin, TDarkEditorPainter::Instance()); }
  ~SkinnedContainers() override {
    form.reset();
    ExtendedStylePainters()->Unregister(skin);
  }
  static constexpr const char* skin = "DarkEditorSkin";
};

// Pixels of the window's client area with the colour.
int CountPixels(HWND window, COLORREF color) {
  RECT client;
  GetClientRect(window, &client);
  HDC dc = GetDC(window);
  int count = 0;
  for (int y = 0; y < client.bottom; ++y)
    for (int x = 0; x < client.right; ++x) count += GetPixel(dc, x, y) == color;
  ReleaseDC(window, dc);
  return count;
}

TEST_F(SkinnedContainers, EditorsAndPlainContainersWearTheSkinsEditorColours) {
  auto* plain = Place(new TcxContainer(form.get()), 10, 10, 150, 24);
  auto* edit = new TEdit(plain);
  edit->SetParent(plain);
  edit->SetBorderStyle(bsNone);
  edit->SetText("Zoom");
  plain->SetInnerControl(edit);
  auto* text = Place(new TcxTextEdit(form.get()), 10, 40, 150, 21);
  text->SetText("holiday.mp4");
  auto* memo = Place(new TcxMemo(form.get()), 10, 70, 150, 60);
  memo->SetText("a memo");
  auto* disabled = Place(new TcxTextEdit(form.get()), 10, 140, 150, 21);
  disabled->SetText("disabled");
  disabled->SetEnabled(false);
  auto* own = Place(new TcxTextEdit(form.get()), 10, 170, 150, 21);
  own->SetText("own colours");
  own->Style()->SetColor(clYellow);
  own->Style()->SetTextColor(clMaroon);
  for (TcxContainer* c : std::initializer_list<TcxContainer*>{plain, text, memo, disabled, own})
    c->Style()->LookAndFeel()->SetSkinName(skin);
  PumpWhileBusy();
  struct Case {
    const char* name;
    TcxContainer* container;
    COLORREF face, text;
  } cases[] = {
      {"plain container", plain, RGB(30, 30, 60), RGB(230, 230, 250)},
      {"text editor", text, RGB(30, 30, 60), RGB(230, 230, 250)},
      {"memo", memo, RGB(30, 30, 60), RGB(230, 230, 250)},
      {"disabled", disabled, RGB(50, 50, 50), RGB(150, 150, 150)},
      {"own colours", own, ColorToRGB(clYellow), ColorToRGB(clMaroon)},
  };
  for (const Case& c : cases) {
    HWND inner = c.container->InnerControl() ? c.container->InnerControl()->Handle() : c.container->Handle();
    RedrawWindow(c.container->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT client;
    GetClientRect(inner, &client);
    const int face = CountPixels(inner, c.face), written = CountPixels(inner, c.text);
    EXPECT_GT(face, client.right * client.bottom / 2) << c.name;
    EXPECT_GT(written, 5) << c.name << ": the text";
  }
}

}  // namespace
