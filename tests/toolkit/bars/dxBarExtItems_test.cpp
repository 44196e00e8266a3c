#include "calderan_test.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bars_fixture.h"
#include "barwindow_fixture.h"
#include "dxBarExtItems.h"
#include "dxBarFlatPainter.h"
#include "dxBarItemRegistry.h"
#include "dxBarOffice11Painter.h"
#include "dxBarToolbar.h"
#include "dxBarXPPainter.h"
#include "stored_form_test.h"

namespace {

void PaintGlyph(TBitmap* glyph, int size, TColor color) {
  glyph->SetSize(size, size);
  glyph->Canvas()->Brush()->SetColor(color);
  glyph->Canvas()->FillRect({0, 0, size, size});
}

// An image list of one square image of a colour.
TImageList* OneImageList(TComponent* owner, int size, TColor color) {
  auto* list = new TImageList(owner);
  list->SetSize(size, size);
  TBitmap image;
  PaintGlyph(&image, size, color);
  list->Add(&image, nullptr);
  return list;
}

// A toolbar of the manager whose window is a row bar window on the form.
class TWindowedToolbar : public TdxBar {
 public:
  explicit TWindowedToolbar(TForm* form) : TdxBar(form), form_(form) {}
  TCustomdxBarControl* CreateBarControl() override {
    auto* bar = new TRowBarWindow(form_, BarManager());
    bar->SetParent(form_);
    bar->SetBounds(0, 0, 380, 80);
    return bar;
  }

 private:
  TForm* form_;
};

struct TClickLog {
  std::vector<std::string> Calls;
  void ManagerClick(TdxBarManager*, TdxBarItem* item) { Calls.push_back("manager:" + item->Caption()); }
  void ItemClick(TObject* sender) { Calls.push_back("item:" + static_cast<TdxBarItem*>(sender)->Caption()); }
};

class LargeButton : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    form_->SetBounds(0, 0, 500, 300);
    form_->HandleNeeded();
    form_->Show();
    owner_ = new TTestLinksOwner(form_.get(), manager_, false);
  }
  TdxBarLargeButton* Add(const std::string& caption, TTestLinksOwner* owner = nullptr) {
    auto* button = new TdxBarLargeButton(form_.get());
    button->SetCaption(caption);
    (owner ? owner : owner_)->Links()->AddItem(button);
    return button;
  }
  // The window is tall enough for a large button.
  TCustomdxBarControl* Show() {
    bar_ = owner_->Show();
    bar_->SetBounds(0, 0, 380, 80);
    return bar_;
  }
  TdxBarItemLink* Link(int index) const { return owner_->Links()->GetLink(index); }
  TdxBarLargeButtonControl* Control(int index) const {
    return static_cast<TdxBarLargeButtonControl*>(Link(index)->Control());
  }
  TSize ItemSize(int index) const { return {Link(index)->ItemRect().Width(), Link(index)->ItemRect().Height()}; }
  // The caption's width and the height of "Qq" in the bar window's font.
  TSize TextSize(const std::string& caption) const {
    HDC dc = bar_->GetCanvas()->GetHandle();
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, caption.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
    SIZE qq{};
    GetTextExtentPoint32A(dc, "Qq", 2, &qq);
    return {r.right - r.left, qq.cy};
  }

  TTestLinksOwner* owner_ = nullptr;
  TCustomdxBarControl* bar_ = nullptr;
};

// ---------------------------------------------------------------------------------------------
// Measuring.

TEST_F(LargeButton, SizesOfTheEdgeCases) {
  TImageList* large = OneImageList(form_.get(), 32, clRed);
  const TdxBarPainterClass base = TdxBarPainter::Instance(), standard = TdxBarStandardPainter::Instance(),
                           flat = TdxBarFlatPainter::Instance(), xp = TdxBarXPPainter::Instance();
  using TExpected = std::function<TSize(int captionWidth, int textHeight)>;
  struct TCase {
    const char* Name;
    TdxBarGlyphLayout Layout;
    int LargeImageIndex;  // into a 32 x 32 list; -1 for no glyph at all
    bool ShowCaption;
    int Width, Height;
    TdxBarButtonStyle Style;
    bool Lowered;
    TdxBarPainterClass Painter;
    TExpected Expected;
  } const cases[] = {
      {"no glyph, glyph above", glTop, -1, true, 0, 0, bsDefault, false, base,
       [](int cw, int th) { return TSize(std::max(20, cw + 6) + 10, 20 + th + 1 + 6); }},
      {"no glyph, glyph left", glLeft, -1, true, 0, 0, bsDefault, false, base,
       [](int cw, int th) { return TSize(20 + cw + 6 + 10, std::max(20, th) + 6); }},
      {"index of no image", glLeft, 5, true, 0, 0, bsDefault, false, base,
       [](int cw, int th) { return TSize(20 + cw + 6 + 10, std::max(20, th) + 6); }},
      {"32, glyph left", glLeft, 0, true, 0, 0, bsDefault, false, base,
       [](int cw, int th) { return TSize(32 + cw + 6 + 10, std::max(32, th) + 6); }},
      {"32, glyph right", glRight, 0, true, 0, 0, bsDefault, false, base,
       [](int cw, int th) { return TSize(32 + cw + 6 + 10, std::max(32, th) + 6); }},
      {"32, glyph above", glTop, 0, true, 0, 0, bsDefault, false, base,
       [](int cw, int th) { return TSize(std::max(32, cw + 6) + 10, 32 + th + 1 + 6); }},
      {"32, glyph below", glBottom, 0, true, 0, 0, bsDefault, false, base,
       [](int cw, int th) { return TSize(std::max(32, cw + 6) + 10, 32 + th + 1 + 6); }},
      {"32, no caption", glTop, 0, false, 0, 0, bsDefault, false, base, [](int, int) { return TSize(42, 38); }},
      {"fixed width and height", glTop, 0, true, 90, 70, bsDefault, false, base, [](int, int) { return TSize(90, 70); }},
      {"fixed height only", glTop, 0, true, 0, 70, bsDefault, false, base,
       [](int cw, int) { return TSize(std::max(32, cw + 6) + 10, 70); }},
      {"drop-down, base painter", glTop, 0, true, 0, 0, bsDropDown, false, base,
       [](int cw, int th) { return TSize(std::max(32, cw + 6) + 10 + 13, 32 + th + 1 + 6); }},
      {"drop-down, flat painter", glTop, 0, true, 0, 0, bsDropDown, false, flat,
       [](int cw, int th) { return TSize(std::max(32, cw + 6) + 10 + 12, 32 + th + 1 + 6); }},
      {"drop-down, themed painter", glTop, 0, true, 0, 0, bsDropDown, false, xp,
       [](int cw, int th) { return TSize(std::max(32, cw + 6) + 10 + 16, 32 + th + 1 + 6); }},
      {"drop-down of fixed size", glTop, 0, true, 90, 70, bsDropDown, false, base,
       [](int, int) { return TSize(90 + 13, 70); }},
      {"lowered, base painter", glTop, 0, true, 0, 0, bsDefault, true, base,
       [](int cw, int th) { return TSize(std::max(32, cw + 6) + 10, 32 + th + 1 + 6); }},
      {"lowered, standard painter", glTop, 0, true, 0, 0, bsDefault, true, standard,
       [](int cw, int th) { return TSize(std::max(32, cw + 6) + 10 + 2, 32 + th + 1 + 6 + 2); }},
      {"lowered of fixed size, flat painter", glTop, 0, true, 90, 70, bsDefault, true, flat,
       [](int, int) { return TSize(92, 72); }},
  };
  manager_->ImageOptions()->SetLargeImages(large);
  for (const TCase& c : cases) {
    owner_ = new TTestLinksOwner(form_.get(), manager_, false);
    TdxBarLargeButton* button = Add("Convert files");
    button->SetGlyphLayout(c.Layout);
    button->SetLargeImageIndex(c.LargeImageIndex);
    button->SetShowCaption(c.ShowCaption);
    button->SetWidth(c.Width);
    button->SetHeight(c.Height);
    button->SetButtonStyle(c.Style);
    button->SetLowered(c.Lowered);
    TCustomdxBarControl* bar = owner_->Links()->CreateBarControl();
    bar->SetPainter(c.Painter);
    Show();
    const TSize text = TextSize("Convert files");
    EXPECT_EQ(ItemSize(0), c.Expected(text.cx, text.cy)) << c.Name;
  }
}

TEST_F(LargeButton, HeightRefusesNegativesAndZeroReturnsToTheMeasuredHeight) {
  TdxBarLargeButton* button = Add("Convert");
  Show();
  const int measured = ItemSize(0).cy;
  button->SetHeight(measured + 30);
  EXPECT_EQ(ItemSize(0).cy, measured + 30);  // the bar window laid itself out again
  button->SetHeight(-1);
  EXPECT_EQ(button->Height(), measured + 30);
  EXPECT_EQ(ItemSize(0).cy, measured + 30);
  button->SetHeight(0);
  EXPECT_EQ(ItemSize(0).cy, measured);
  button->SetWidth(-4);
  EXPECT_EQ(button->Width(), 0);
  button->SetWidth(77);
  EXPECT_EQ(ItemSize(0).cx, 77);
}

// On a toolbar the large button's own arrow width serves; in a menu the menu's.
TEST_F(LargeButton, TheArrowWidthFollowsTheWindow) {
  manager_->SetLargeButtonArrowWidth(15);
  TdxBarLargeButton* button = Add("Export");
  button->SetButtonStyle(bsDropDown);
  Show();
  EXPECT_EQ(Control(0)->GetArrowWidth(), 15);
  auto* menuOwner = new TTestLinksOwner(form_.get(), manager_, true);
  menuOwner->Links()->AddItem(button);
  TCustomdxBarControl* menu = menuOwner->Show();
  auto* inMenu = static_cast<TdxBarLargeButtonControl*>(menuOwner->Links()->GetLink(0)->Control());
  EXPECT_EQ(inMenu->GetArrowWidth(), menu->MenuArrowHeight() * 2);
  EXPECT_EQ(inMenu->GetViewSize(), cvsSmall);  // in a menu it is an ordinary button
  EXPECT_EQ(Control(0)->GetViewSize(), cvsLarge);
}

// On a toolbar a large button without its caption takes no accelerator, never turns with a
// vertical bar and shows only its glyph; with its caption it does all three.
TEST_F(LargeButton, WithoutItsCaptionOnAToolbar) {
  auto* toolbar = new TWindowedToolbar(form_.get());
  toolbar->SetBarManager(manager_);
  auto* button = new TdxBarLargeButton(form_.get());
  button->SetCaption("&Convert");
  toolbar->ItemLinks()->AddItem(button);
  auto* bar = static_cast<TRowBarWindow*>(toolbar->ItemLinks()->CreateBarControl());
  bar->HandleNeeded();
  bar->Rebuild();
  TdxBarItemLink* link = toolbar->ItemLinks()->GetLink(0);
  auto* control = static_cast<TdxBarLargeButtonControl*>(link->Control());
  ASSERT_NE(control, nullptr);
  struct TCase {
    bool ShowCaption, Rotated, Accel;
    int Structure;
  } const cases[] = {{true, true, true, cvsGlyph | cvsCaption}, {false, false, false, cvsGlyph}};
  for (const TCase& c : cases) {
    button->SetShowCaption(c.ShowCaption);
    control = static_cast<TdxBarLargeButtonControl*>(link->Control());
    EXPECT_EQ(button->CanActivateByAccel(link), c.Accel) << c.ShowCaption;
    EXPECT_EQ(control->GetDefaultViewStructure(), c.Structure) << c.ShowCaption;
    bar->Rotated = true;
    EXPECT_EQ(control->IsRotated(), c.Rotated) << c.ShowCaption;
    bar->Rotated = false;
  }
  // Outside toolbars the caption does not matter.
  auto* menuOwner = new TTestLinksOwner(form_.get(), manager_, true);
  TdxBarItemLink* menuLink = menuOwner->Links()->AddItem(button);
  EXPECT_TRUE(button->CanActivateByAccel(menuLink));
  EXPECT_EQ(button->GetSupportedActions() & 0x20, 0);  // no paint-style choice in customizing
}

// ---------------------------------------------------------------------------------------------
// The image indexes.

TEST_F(LargeButton, AtRunTimeImageIndexFollowsLargeImageIndexUntilSetItself) {
  TdxBarLargeButton* button = Add("Convert");
  button->SetLargeImageIndex(3);
  EXPECT_EQ(button->ImageIndex(), 3);
  EXPECT_TRUE(button->SyncImageIndex());
  button->SetImageIndex(5);
  EXPECT_FALSE(button->SyncImageIndex());
  EXPECT_EQ(button->LargeImageIndex(), 3);
  button->SetLargeImageIndex(4);
  EXPECT_EQ(button->ImageIndex(), 5);
  button->SetSyncImageIndex(true);  // turning it on copies the large index
  EXPECT_EQ(button->ImageIndex(), 4);
  EXPECT_EQ(button->GetImageIndex(), 4);
  button->SetImageIndexValue(7);  // what an action link writes is the large index
  EXPECT_EQ(button->LargeImageIndex(), 7);
  EXPECT_EQ(button->ImageIndex(), 7);
}

TEST_F(LargeButton, StoredFormsLoadTheIndexesAsTheyWereMeant) {
  struct TCase {
    const char* Properties;
    int ImageIndex, LargeImageIndex;
    bool Sync;
  } const cases[] = {
      {"ImageIndex = 3", 3, 3, true},  // older forms stored only ImageIndex
      {"LargeImageIndex = 5", 5, 5, true},
      {"ImageIndex = 3\n LargeImageIndex = 5", 3, 5, false},
      {"LargeImageIndex = 5\n ImageIndex = 3", 3, 5, false},
      {"ImageIndex = 4\n LargeImageIndex = 4", 4, 4, true},
      {"LargeImageIndex = 5\n SyncImageIndex = False\n ImageIndex = 3", 3, 5, false},
      {"SyncImageIndex = False\n ImageIndex = 3", 3, -1, false},  // a form that chose its own index
  };
  for (const TCase& c : cases) {
    TForm stored(nullptr, 0);
    const std::string text = std::string("object Form: TForm\n object BarManager1: TdxBarManager\n end\n") +
                             " object Button1: TdxBarLargeButton\n " + c.Properties + "\n end\nend\n";
    ReadComponentText(text, "Stored", &stored);
    auto* button = ObjectAs<TdxBarLargeButton>(stored.FindComponent("Button1"));
    ASSERT_NE(button, nullptr) << c.Properties;
    EXPECT_EQ(button->ImageIndex(), c.ImageIndex) << c.Properties;
    EXPECT_EQ(button->LargeImageIndex(), c.LargeImageIndex) << c.Properties;
    EXPECT_EQ(button->SyncImageIndex(), c.Sync) << c.Properties;
    button->SetImageIndex(9);  // after loading, a direct ImageIndex ends the synchronisation
    EXPECT_FALSE(button->SyncImageIndex()) << c.Properties;
    EXPECT_EQ(button->LargeImageIndex(), c.LargeImageIndex) << c.Properties;
  }
}

// ImageIndex is written only when it does not follow LargeImageIndex, and reads back so.
TEST_F(LargeButton, ImageIndexIsWrittenOnlyWhenItDoesNotFollow) {
  const std::string imageIndexName = std::string("\x0A") + "ImageIndex";
  TdxBarLargeButton* button = Add("Convert");
  button->SetLargeImageIndex(3);
  std::string written = WrittenForm(button);
  EXPECT_EQ(written.find(imageIndexName), std::string::npos);
  EXPECT_NE(written.find("LargeImageIndex"), std::string::npos);
  button->SetImageIndex(5);
  written = WrittenForm(button);
  EXPECT_NE(written.find(imageIndexName), std::string::npos);
  EXPECT_NE(written.find("SyncImageIndex"), std::string::npos);
  auto* copy = new TdxBarLargeButton(form_.get());
  ReadForm(copy, written);
  EXPECT_EQ(copy->LargeImageIndex(), 3);
  EXPECT_EQ(copy->ImageIndex(), 5);
  EXPECT_FALSE(copy->SyncImageIndex());
  EXPECT_EQ(WrittenForm(copy), written);
}

// ---------------------------------------------------------------------------------------------
// The glyph a large button shows.

TEST_F(LargeButton, TheHotSourceComesFirstOnlyWhileHot) {
  TImageList* large = OneImageList(form_.get(), 32, clRed);
  TImageList* hot = OneImageList(form_.get(), 32, clBlue);
  TdxBarLargeButton* button = Add("Convert");
  Show();
  TBitmap largeGlyph, hotGlyph;
  PaintGlyph(&largeGlyph, 32, clRed);
  PaintGlyph(&hotGlyph, 32, clBlue);
  enum TSource { None, LargeGlyph, LargeList, HotGlyph, HotList };
  struct TCase {
    const char* Name;
    bool LargeGlyphSet, HotGlyphSet;
    int LargeIndex, HotIndex;  // 0 addresses the list's image, 5 none
    bool Hot;
    TSource Expected;
  } const cases[] = {
      {"glyphs, not hot", true, true, -1, -1, false, LargeGlyph},
      {"glyphs, hot", true, true, -1, -1, true, HotGlyph},
      {"lists, not hot", false, false, 0, 0, false, LargeList},
      {"lists, hot", false, false, 0, 0, true, HotList},
      {"a glyph before a list", true, true, 0, 0, true, HotGlyph},
      {"only hot, not hot", false, true, -1, -1, false, HotGlyph},
      {"only large, hot", true, false, -1, -1, true, LargeGlyph},
      {"an index of no image", false, true, 5, -1, false, HotGlyph},
      {"hot index of no image", false, false, 0, 5, true, LargeList},
      {"nothing", false, false, -1, -1, false, None},
  };
  manager_->ImageOptions()->SetLargeImages(large);
  manager_->ImageOptions()->SetHotImages(hot);
  for (const TCase& c : cases) {
    TBitmap empty;
    button->SetLargeGlyph(c.LargeGlyphSet ? &largeGlyph : &empty);
    button->SetHotGlyph(c.HotGlyphSet ? &hotGlyph : &empty);
    button->SetLargeImageIndex(c.LargeIndex);
    button->SetHotImageIndex(c.HotIndex);
    TCustomImageList* images = nullptr;
    int index = -2;
    TBitmap* glyph = nullptr;
    const bool found = Control(0)->GetImageInfo(cvsLarge, c.Hot, images, index, glyph);
    EXPECT_EQ(found, c.Expected != None) << c.Name;
    switch (c.Expected) {
      case LargeGlyph: EXPECT_EQ(glyph, button->LargeGlyph()) << c.Name; break;
      case HotGlyph: EXPECT_EQ(glyph, button->HotGlyph()) << c.Name; break;
      case LargeList: EXPECT_TRUE(images == large && index == 0 && !glyph) << c.Name; break;
      case HotList: EXPECT_TRUE(images == hot && index == 0 && !glyph) << c.Name; break;
      case None: EXPECT_TRUE(images == large && index == -1 && !glyph) << c.Name; break;
    }
  }
  manager_->ImageOptions()->SetLargeImages(nullptr);
  TCustomImageList* images = nullptr;
  int index;
  TBitmap* glyph;
  EXPECT_FALSE(Control(0)->GetImageInfo(cvsLarge, false, images, index, glyph));
  EXPECT_EQ(images, hot);  // without a large list the hot list is named
}

// A new hot glyph repaints a button of fixed width and height; any other is laid out again.
TEST_F(LargeButton, AHotGlyphChangeLaysOutOnlyAButtonOfMeasuredSize) {
  TdxBarLargeButton* button = Add("Convert");
  Show();
  auto* window = static_cast<TRowBarWindow*>(bar_);
  TBitmap glyph;
  struct TCase {
    int Width, Height;
    bool LaidOut;
  } const cases[] = {{0, 0, true}, {80, 0, true}, {0, 60, true}, {80, 60, false}};
  bool red = false;
  for (const TCase& c : cases) {
    button->SetWidth(c.Width);
    button->SetHeight(c.Height);
    const int before = window->Layouts;
    PaintGlyph(&glyph, 32, (red = !red) ? clRed : clBlue);
    button->SetHotGlyph(&glyph);
    EXPECT_EQ(window->Layouts > before, c.LaidOut) << c.Width << "x" << c.Height;
  }
  // A change of the manager's hot images reaches a button that has a hot image, whatever its
  // plain image index.
  button->SetWidth(0);
  for (int hotIndex : {-1, 0}) {
    button->SetHotImageIndex(hotIndex);
    button->SetImageIndex(0);
    const int before = window->Layouts;
    button->ImagesChanged(1);
    EXPECT_EQ(window->Layouts > before, hotIndex >= 0) << hotIndex;
  }
}

// ---------------------------------------------------------------------------------------------
// The click, through real mouse messages on a bar window.

TEST_F(LargeButton, AClickRunsTheManagersEventThenTheButtons) {
  TClickLog log;
  manager_->OnClickItem = MakeEvent(&log, &TClickLog::ManagerClick);
  TdxBarLargeButton* convert = Add("Convert");
  convert->OnClick = MakeEvent(&log, &TClickLog::ItemClick);
  TdxBarLargeButton* check = Add("Preview");
  check->SetButtonStyle(bsChecked);
  Show();
  ClickAt(bar_, CentreOf(Link(0)), CentreOf(Link(0)));
  EXPECT_EQ(log.Calls, (std::vector<std::string>{"manager:Convert", "item:Convert"}));
  ClickAt(bar_, CentreOf(Link(1)), CentreOf(Link(1)));
  EXPECT_TRUE(check->Down());
  ClickAt(bar_, CentreOf(Link(0)), CentreOf(Link(1)));  // released elsewhere
  EXPECT_EQ(log.Calls.size(), 3u);
  convert->SetEnabled(false);
  ClickAt(bar_, CentreOf(Link(0)), CentreOf(Link(0)));
  EXPECT_EQ(log.Calls.size(), 3u);
}

// ---------------------------------------------------------------------------------------------
// What a large button looks like in each state, read back from its bar window.

// A pixel of the window's surface after it painted.
COLORREF WindowPixel(TCustomdxBarControl* bar, const TPoint& point) {
  RedrawWindow(bar->WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  HDC dc = GetDC(bar->WindowHandle());
  const COLORREF color = GetPixel(dc, point.X, point.Y);
  ReleaseDC(bar->WindowHandle(), dc);
  return color;
}

bool IsGrey(COLORREF c) {
  return std::abs(GetRValue(c) - GetGValue(c)) <= 2 && std::abs(GetGValue(c) - GetBValue(c)) <= 2;
}

COLORREF BrushColor(HBRUSH brush) {
  LOGBRUSH log{};
  GetObjectA(brush, sizeof(log), &log);
  return log.lbColor;
}

// A real press of the left button where the cursor is (the control asks the system whether the
// button is down), and its release.
void PressLeftButton(bool down) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof(input));
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

enum TButtonState { bsNormal, bsHot, bsPressed, bsDisabled };
const char* const stateNames[] = {"normal", "hot", "pressed", "disabled"};

class LargeButtonLook : public LargeButton {
 protected:
  // "Convert" with a red 32 x 32 image of the large list, and "Clips" beside it.
  void ShowButtons(TdxBarPainterClass painter) {
    manager_->ImageOptions()->SetLargeImages(OneImageList(form_.get(), 32, clRed));
    owner_ = new TTestLinksOwner(form_.get(), manager_, false);
    convert_ = Add("Convert");
    convert_->SetLargeImageIndex(0);
    Add("Clips");
    TCustomdxBarControl* bar = owner_->Links()->CreateBarControl();
    bar->SetPainter(painter);
    Show();
  }
  void EnterState(TButtonState state) {
    convert_->SetEnabled(state != bsDisabled);
    SendMouse(bar_, WM_MOUSEMOVE, state == bsNormal || state == bsDisabled ? CentreOf(Link(1)) : CentreOf(Link(0)));
    if (state == bsPressed) PressLeftButton(true);
  }
  void LeaveState(TButtonState state) {
    if (state == bsPressed) PressLeftButton(false);
    SendMouse(bar_, WM_MOUSEMOVE, CentreOf(Link(1)));
  }
  TPoint GlyphCentre() const {
    const TRect& r = Control(0)->ViewInfo()->ImageBounds();
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }

  TdxBarLargeButton* convert_ = nullptr;
};

// In every painter the glyph is grey until the button is hot, in colour while hot or pressed, and
// never in its colour while disabled.
TEST_F(LargeButtonLook, TheGlyphInEachStateAndPainter) {
  const struct {
    const char* Name;
    TdxBarPainterClass Painter;
  } painters[] = {{"base", TdxBarPainter::Instance()},       {"standard", TdxBarStandardPainter::Instance()},
                  {"enhanced", TdxBarEnhancedPainter::Instance()}, {"flat", TdxBarFlatPainter::Instance()},
                  {"themed", TdxBarXPPainter::Instance()},   {"office 11", TdxBarOffice11Painter::Instance()}};
  for (const auto& p : painters) {
    ShowButtons(p.Painter);
    for (TButtonState state : {bsNormal, bsHot, bsPressed, bsDisabled}) {
      EnterState(state);
      WindowPixel(bar_, {0, 0});  // the glyph's place is known once it was drawn
      const COLORREF glyph = WindowPixel(bar_, GlyphCentre());
      const bool coloured = GetRValue(glyph) > 200 && GetGValue(glyph) < 60 && GetBValue(glyph) < 60;
      EXPECT_EQ(coloured, state == bsHot || state == bsPressed) << p.Name << ", " << stateNames[state];
      if (state == bsNormal) EXPECT_TRUE(IsGrey(glyph)) << p.Name << ": " << std::hex << glyph;
      LeaveState(state);
    }
  }
}

// Without AutoGrayScale the glyph keeps its colour; the change repaints the button.
TEST_F(LargeButtonLook, AutoGrayScaleOffKeepsTheColour) {
  ShowButtons(TdxBarPainter::Instance());
  WindowPixel(bar_, {0, 0});
  EXPECT_TRUE(IsGrey(WindowPixel(bar_, GlyphCentre())));
  convert_->SetAutoGrayScale(false);
  EXPECT_EQ(WindowPixel(bar_, GlyphCentre()), RGB(255, 0, 0));
}

// The painter asks for the hot glyph while it draws the button selected.
TEST_F(LargeButtonLook, WhileHotTheHotGlyphShows) {
  ShowButtons(TdxBarPainter::Instance());
  TBitmap hot;
  PaintGlyph(&hot, 32, clBlue);
  hot.Canvas()->SetPixel(0, 31, clFuchsia);  // a glyph's bottom-left colour is its transparent one
  convert_->SetHotGlyph(&hot);
  WindowPixel(bar_, {0, 0});
  EXPECT_TRUE(IsGrey(WindowPixel(bar_, GlyphCentre())));
  EnterState(bsHot);
  EXPECT_EQ(WindowPixel(bar_, GlyphCentre()), RGB(0, 0, 255));
  LeaveState(bsHot);
}

// The flat painter frames a hot or pressed large button in the highlight colour and leaves an idle
// or disabled one unframed.
TEST_F(LargeButtonLook, FlatFramesOfEachState) {
  manager_->SetStyle(bmsFlat);
  ShowButtons(TdxBarFlatPainter::Instance());
  const TRect r = Link(0)->ItemRect();
  const COLORREF background = WindowPixel(bar_, {bar_->ClientWidth() - 4, 4});
  const COLORREF highlight = ColorToRGB(clHighlight);
  const struct {
    TButtonState State;
    COLORREF Frame;
  } cases[] = {{bsNormal, background}, {bsHot, highlight}, {bsPressed, highlight}, {bsDisabled, background}};
  for (const auto& c : cases) {
    EnterState(c.State);
    for (const TPoint& corner : {TPoint(r.Left, r.Top), TPoint(r.Right - 1, r.Bottom - 1)})
      EXPECT_EQ(WindowPixel(bar_, corner), c.Frame) << stateNames[c.State];
    LeaveState(c.State);
  }
}

}  // namespace
