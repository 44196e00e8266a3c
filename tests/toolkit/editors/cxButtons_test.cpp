#include "calderan_test.h"

#include <memory>

#include "ActnList.h"
#include "ImgList.h"
#include "Menus.h"
#include "cxButtons.h"
#include "editors_fixture.h"

namespace {

struct PushButton : EditorsFixture {
  static void SetUpTestSuite() {
    EditorsFixture::SetUpTestSuite();
    StartUnits({&cxButtonsUnit});
  }
  TcxButton* NewButton(int x = 10, int y = 10, int w = 100, int h = 30) {
    auto* button = Place(new TcxButton(form.get()), x, y, w, h);
    button->OnClick = MakeEvent(this, &PushButton::Clicked);
    return button;
  }
  void Clicked(TObject*) { ++clicks; }
  int clicks = 0;
};

std::unique_ptr<TBitmap> Strip(int width, int height) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(width, height);
  bitmap->Canvas()->Brush()->SetColor(clRed);
  bitmap->Canvas()->FillRect(TRect(0, 0, width, height));
  return bitmap;
}

TEST_F(PushButton, AGlyphStripIsCutIntoSquarePieces) {
  const std::pair<TSize, int> cases[] = {
      {{64, 16}, 4}, {{80, 16}, 1}, {{40, 16}, 1}, {{32, 16}, 2}, {{16, 16}, 1}};
  TcxButton* button = NewButton();
  for (auto [size, pieces] : cases) {
    button->SetGlyph(Strip(size.cx, size.cy).get());
    EXPECT_EQ(button->NumGlyphs(), pieces) << size.cx << "x" << size.cy;
    EXPECT_EQ(button->ButtonGlyph()->GlyphSize(), TSize(size.cx / pieces, size.cy));
  }
  button->SetNumGlyphs(9);
  EXPECT_EQ(button->NumGlyphs(), 4);
  button->SetNumGlyphs(0);
  EXPECT_EQ(button->NumGlyphs(), 1);
}

TEST_F(PushButton, StateImagesComeFromTheirPieces) {
  auto strip = Strip(32, 16);
  strip->Canvas()->Brush()->SetColor(clBlue);
  strip->Canvas()->FillRect(TRect(16, 0, 32, 16));  // piece 1: the disabled look
  strip->SetTransparentColor(clBlack);
  TcxButton* button = NewButton();
  button->SetGlyph(strip.get());
  TcxButtonGlyph* glyph = button->ButtonGlyph();
  EXPECT_EQ(glyph->StateImage(cxbsPressed)->Canvas()->Pixel(8, 8), clRed);  // down falls back to up
  EXPECT_EQ(glyph->StateImage(cxbsDisabled)->Canvas()->Pixel(8, 8), clBlue);
  button->SetNumGlyphs(1);
  EXPECT_NE(glyph->StateImage(cxbsDisabled)->Canvas()->Pixel(8, 8), clRed);  // generated
}

TEST_F(PushButton, MarginAndSpacingShareTheRoomAlongTheLayout) {
  TcxButton* button = NewButton();
  button->SetGlyph(Strip(16, 16).get());
  TcxCanvas* canvas = SharedScreenCanvas();
  canvas->SetFont(button->Font());
  const std::string caption = "Convert";
  const int textWidth = canvas->TextWidth(caption);
  const TRect client(5, 0, 105, 30);
  auto layout = button->ButtonGlyph()->Calculate(canvas, client, TPoint(0, 0), caption, blGlyphLeft, -1, -1, 0, false);
  const int third = (100 - 16 - textWidth) / 3;
  EXPECT_EQ(layout.GlyphPos.X, 5 + third);
  EXPECT_EQ(layout.TextRect.Left, 5 + third + 16 + third);
  EXPECT_EQ(layout.GlyphPos.Y, (30 - 16) / 2);

  layout = button->ButtonGlyph()->Calculate(canvas, client, TPoint(1, 1), caption, blGlyphRight, 3, 4, 0, false);
  EXPECT_EQ(layout.GlyphPos.X, 5 + 100 - 3 - 16 + 1);
  EXPECT_EQ(layout.TextRect.Right, layout.GlyphPos.X - 4);

  layout = button->ButtonGlyph()->Calculate(canvas, client, TPoint(0, 0), caption, blGlyphLeft, -1, 4, 0, false);
  EXPECT_EQ(layout.GlyphPos.X, 5 + (100 - (16 + 4 + textWidth)) / 2);
}

TEST_F(PushButton, ACaptionWithoutGlyphHasOneAndTwoPixelMargins) {
  TcxButton* button = NewButton();
  TcxCanvas* canvas = SharedScreenCanvas();
  canvas->SetFont(button->Font());
  auto layout = button->ButtonGlyph()->Calculate(canvas, TRect(0, 0, 100, 30), TPoint(0, 0), "OK", blGlyphLeft, -1, 4,
                                                 0, false);
  EXPECT_EQ(layout.TextRect.Width(), canvas->TextWidth("OK") + 3);
  EXPECT_EQ(layout.TextRect.Left, (100 - layout.TextRect.Width()) / 2);
}

TEST_F(PushButton, ADropDownButtonNeverFiresItsClick) {
  TcxButton* button = NewButton();
  button->SetKind(cxbkDropDown);
  button->Click();
  EXPECT_EQ(clicks, 0);
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, button->Handle(), CM_DROPDOWNPOPUPMENU, CM_DROPDOWNPOPUPMENU, PM_REMOVE));

  button->SetKind(cxbkDropDownButton);
  button->Click();
  EXPECT_EQ(clicks, 1);
  button->SetKind(cxbkStandard);
  SendMessageA(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 2);
}

TEST_F(PushButton, AGroupKeepsItsLastDownButtonUnlessAllUpIsAllowed) {
  TcxButton* a = NewButton(10, 10);
  TcxButton* b = NewButton(10, 50);
  for (TcxButton* button : {a, b}) button->SetGroupIndex(1);
  a->SetDown(true);
  a->SetDown(false);
  EXPECT_TRUE(a->Down());
  SendMessageA(a->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(5, 5));
  SendMessageA(a->Handle(), WM_LBUTTONUP, 0, ClientPoint(5, 5));
  EXPECT_TRUE(a->Down());
  EXPECT_EQ(clicks, 1);  // a speed button clicks on release
  b->SetDown(true);
  EXPECT_FALSE(a->Down());
  EXPECT_TRUE(b->Down());
  b->SetAllowAllUp(true);
  EXPECT_TRUE(a->AllowAllUp());  // shared with the group
  b->SetDown(false);
  EXPECT_FALSE(b->Down());
  b->SetGroupIndex(0);
  b->SetDown(true);
  EXPECT_FALSE(b->Down());
}

TEST_F(PushButton, TheAcceleratorClicksOnlyAnEnabledShownButton) {
  TcxButton* button = NewButton();
  button->SetText("&Save");
  struct Case {
    bool enabled, visible;
    int clicks;
  };
  const Case cases[] = {{false, true, 0}, {true, false, 0}, {true, true, 1}};
  for (const Case& c : cases) {
    clicks = 0;
    button->SetEnabled(c.enabled);
    button->SetVisible(c.visible);
    const LRESULT answer = button->Perform(CM_DIALOGCHAR, 'S', 0);
    EXPECT_EQ(clicks, c.clicks) << c.enabled << c.visible;
    EXPECT_EQ(answer != 0, c.clicks != 0);
  }
  clicks = 0;
  button->Perform(CM_DIALOGCHAR, 'x', 0);
  EXPECT_EQ(clicks, 0);
}

TEST_F(PushButton, AFreedDropDownMenuLeavesNoReference) {
  TcxButton* button = NewButton();
  button->SetKind(cxbkDropDown);
  auto* menu = new TPopupMenu(nullptr);
  button->SetDropDownMenu(menu);
  EXPECT_EQ(button->DropDownMenu(), menu);
  delete menu;
  EXPECT_EQ(button->DropDownMenu(), nullptr);
  button->Perform(CM_DROPDOWNPOPUPMENU, 0, 0);  // nothing to open, nothing touched
  EXPECT_FALSE(button->MenuVisible());
}

TEST_F(PushButton, StateFollowsEnabledPressedHotAndDefault) {
  TcxButton* button = NewButton();
  EXPECT_EQ(button->ButtonState(), cxbsNormal);
  button->SetDefault(true);
  EXPECT_EQ(button->ButtonState(), cxbsDefault);
  button->SetCanBeFocused(false);  // speed-button mode never shows the default emphasis
  EXPECT_EQ(button->ButtonState(), cxbsNormal);
  button->SetGroupIndex(3);
  button->SetDown(true);
  EXPECT_EQ(button->ButtonState(), cxbsPressed);
  button->SetEnabled(false);
  EXPECT_EQ(button->ButtonState(), cxbsDisabled);
}

TEST_F(PushButton, AssignedColoursPaintTheFace) {
  TcxButton* button = NewButton();
  button->LookAndFeel()->SetKind(lfFlat);
  button->Colors()->SetColor(cxbcNormal, clLime);
  button->Colors()->SetColor(cxbcDefault, clLime);
  EXPECT_TRUE(button->Colors()->AssignedColors().Contains(cxbcNormal));
  RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  HDC dc = GetDC(button->Handle());
  EXPECT_EQ(GetPixel(dc, 50, 3), ColorToRGB(clLime));
  ReleaseDC(button->Handle(), dc);
  button->Colors()->SetColor(cxbcNormal, clNone);
  EXPECT_FALSE(button->Colors()->AssignedColors().Contains(cxbcNormal));
  EXPECT_EQ(button->Colors()->Color(cxbcNormal), clDefault);
}

TEST_F(PushButton, SplitButtonArrowKeysOpenTheMenuWithoutMovingFocus) {
  TcxButton* button = NewButton();
  button->SetKind(cxbkDropDownButton);
  button->SetFocus();
  PumpWhileBusy();
  TMessage m{CN_SYSKEYDOWN, VK_DOWN, 0, 0};
  button->Dispatch(m);
  EXPECT_EQ(m.Result, 1);
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, button->Handle(), CM_DROPDOWNPOPUPMENU, CM_DROPDOWNPOPUPMENU, PM_REMOVE));
  EXPECT_EQ(GetFocus(), button->Handle());
}

// A button that follows an action takes its caption, state and image (from the action list's
// images) and runs it when clicked; the image goes when the link goes.
TEST_F(PushButton, AnActionGivesCaptionStateAndImageAndRunsOnClick) {
  auto* images = new TCustomImageList(form.get(), 16, 16);
  auto blue = Strip(16, 16);
  blue->Canvas()->Brush()->SetColor(clBlue);
  blue->Canvas()->FillRect(TRect(0, 0, 16, 16));
  images->AddMasked(Strip(16, 16).get(), clFuchsia);  // image 0 red, image 1 blue
  images->AddMasked(blue.get(), clFuchsia);
  auto* actions = new TActionList(form.get());
  actions->SetImages(images);
  auto* action = new TAction(form.get());
  action->SetActionList(actions);
  action->SetCaption("Convert");
  action->SetImageIndex(1);
  int runs = 0;
  struct TRun {
    int* runs;
    void Execute(TObject*) { ++*runs; }
  } run{&runs};
  action->OnExecute = MakeEvent(&run, &TRun::Execute);

  TcxButton* button = Place(new TcxButton(form.get()), 10, 10, 100, 30);
  button->LookAndFeel()->SetKind(lfFlat);
  button->SetAction(action);
  EXPECT_EQ(button->Text(), "Convert");
  EXPECT_EQ(button->ButtonGlyph()->ImageIndex(), 1);
  RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(button->ButtonGlyph()->Images(), images);
  HDC dc = GetDC(button->Handle());
  int bluePixels = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 100; ++x) bluePixels += GetPixel(dc, x, y) == ColorToRGB(clBlue);
  EXPECT_EQ(bluePixels, 16 * 16);  // the action's image, whole
  ReleaseDC(button->Handle(), dc);

  const struct {
    const char* what;
    void (*change)(TAction*);
    int index;
    bool enabled;
  } changes[] = {
      {"another image", [](TAction* a) { a->SetImageIndex(0); }, 0, true},
      {"disabled", [](TAction* a) { a->SetEnabled(false); }, 0, false},
      {"enabled again", [](TAction* a) { a->SetEnabled(true); }, 0, true},
  };
  for (const auto& c : changes) {
    SCOPED_TRACE(c.what);
    c.change(action);
    EXPECT_EQ(button->ButtonGlyph()->ImageIndex(), c.index);
    EXPECT_EQ(button->Enabled(), c.enabled);
  }
  SendMessageA(button->Handle(), BM_CLICK, 0, 0);
  PumpWhileBusy();
  EXPECT_EQ(runs, 1);

  delete action;  // the link goes with it, the button stays
  EXPECT_EQ(button->Action(), nullptr);
  EXPECT_EQ(button->ButtonGlyph()->Images(), nullptr);
  EXPECT_EQ(button->ButtonGlyph()->ImageIndex(), -1);
  EXPECT_FALSE(button->ButtonGlyph()->HasImage());
}

TEST_F(PushButton, AButtonFreedWithItsActionLinkedLeavesTheActionUsable) {
  auto* action = new TAction(form.get());
  action->SetImageIndex(2);
  auto* button = Place(new TcxButton(form.get()), 10, 10, 100, 30);
  auto* kept = Place(new TcxButton(form.get()), 10, 50, 100, 30);
  button->SetAction(action);
  kept->SetAction(action);
  delete button;
  action->SetImageIndex(3);  // no link of the freed button is left to reach
  EXPECT_EQ(kept->ButtonGlyph()->ImageIndex(), 3) << "the other button still follows the action";
}

}  // namespace
