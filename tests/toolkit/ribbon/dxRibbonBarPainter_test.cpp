#include "calderan_test.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "cxGeometry.h"
#include "dxBarButtons.h"
#include "dxBarManager.h"
#include "dxBarToolbar.h"
#include "dxRibbonBarPainter.h"
#include "dxRibbonGroupBarControl.h"
#include "ribbon_fixture.h"
#include "toolkit/bars/barwindow_fixture.h"

namespace {

// A ribbon of one tab whose one group shows the toolbar "File" with the button "Open".
class RibbonBarPainter : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartRibbonUnits();
  }
  void SetUp() override {
    ASSERT_TRUE(IsGdiPlusAvailable());
    form_ = std::make_unique<TForm>(nullptr, 0);
    form_->SetBounds(0, 0, 700, 400);
    manager_ = new TdxBarManager(form_.get());
    ribbon_ = new TdxRibbon(form_.get());
    ribbon_->SetParent(form_.get());
    ribbon_->SetBarManager(manager_);
    ribbon_->SetShowTabHeaders(false);
    toolbar_ = new TdxBar(form_.get());
    toolbar_->SetName("File");
    toolbar_->SetCaption("File");
    toolbar_->SetBarManager(manager_);
    button_ = new TdxBarButton(form_.get());
    button_->SetCaption("Open");
    toolbar_->ItemLinks()->AddItem(button_);
    TdxRibbonTab* tab = ribbon_->Tabs()->Add();
    tab->SetCaption("Home");
    tab->Groups()->Add()->SetToolBar(toolbar_);
    form_->Show();
    // A toolbar docked into the active tab gets its group window with the next layout.
    ribbon_->FullRefresh();
  }
  void TearDown() override { form_.reset(); }

  TdxRibbonBarPainter* Painter() const { return ribbon_->BarPainter(); }
  TdxRibbonGroupBarControl* Group() const { return ObjectAs<TdxRibbonGroupBarControl>(toolbar_->Control()); }
  // What the window shows now.
  COLORREF WindowPixel(TWinControl* window, int x, int y) {
    UpdateWindow(window->Handle());
    HDC dc = GetDC(window->Handle());
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window->Handle(), dc);
    return color;
  }

  std::unique_ptr<TForm> form_;
  TdxBarManager* manager_ = nullptr;
  TdxRibbon* ribbon_ = nullptr;
  TdxBar* toolbar_ = nullptr;
  TdxBarButton* button_ = nullptr;
};

const char* const kSchemes[] = {"Blue", "Black", "Silver"};

TEST_F(RibbonBarPainter, TheRibbonsGroupsDrawWithItsPainter) {
  ASSERT_NE(Painter(), nullptr);
  EXPECT_EQ(Painter()->GetSkin(), static_cast<IdxSkin*>(ribbon_));
  ASSERT_NE(Group(), nullptr);
  EXPECT_EQ(Group()->GetPainter(), Painter());
  EXPECT_EQ(ObjectAs<TdxRibbonGroupsDockControl>(Group()->DockControl())->GetPainter(), Painter());
  EXPECT_EQ(ribbon_->GetGroupRowHeight(), Painter()->GetGroupRowHeight(ribbon_->Fonts()->GetGroupFont()));
  EXPECT_EQ(ribbon_->GetGroupCaptionHeight(), Painter()->GetGroupCaptionHeight(ribbon_->Fonts()->GetGroupHeaderFont()));
}

// A full group of small buttons around 16-pixel glyphs (22 high) under a 14-pixel caption: 82 inside;
// the collapsed glyph block is 16 + 4 + 11 + 3 + 4.
TEST_F(RibbonBarPainter, TheCollapsedGroupScalesWithAFullGroup) {
  EXPECT_EQ(Painter()->ReferenceHeight(), 2 + 3 * 22 + 1 + 14 + 3 - 4);
  EXPECT_EQ(Painter()->GlyphBlockHeight(), 38);
  EXPECT_EQ(Painter()->GetGroupCaptionRect(TRect(0, 0, 100, 86)), TRect(3, 2 + 38, 97, 84));
  EXPECT_EQ(Painter()->GetGroupCaptionRect(TRect(10, 0, 60, 45)), TRect(13, 2 + 41 * 38 / 82, 57, 43));
  struct TCase {
    int Height, Frame;
  } cases[] = {{86, 31}, {45, 31 * 41 / 82}, {4, 0}};
  for (const TCase& c : cases) EXPECT_EQ(Painter()->GetCollapsedGlyphFrameSize(c.Height), c.Frame) << c.Height;
}

TEST_F(RibbonBarPainter, ToolbarGlyphsShrinkToASmallGlyphKeepingTheirProportions) {
  struct TCase {
    int Width, Height;
    TSize Shown;
  } cases[] = {{0, 0, {16, 16}}, {32, 24, {16, 12}}, {12, 12, {12, 12}}, {24, 32, {12, 16}},
               {16, 16, {16, 16}}, {40, 8, {16, 3}}, {17, 2, {16, 1}}};
  for (const TCase& c : cases) {
    toolbar_->Glyph()->SetSize(c.Width, c.Height);
    EXPECT_EQ(TdxRibbonBarPainter::GetCollapsedGlyphSize(toolbar_), c.Shown) << c.Width << " x " << c.Height;
  }
  EXPECT_EQ(TdxRibbonBarPainter::GetCollapsedGlyphSize(nullptr), TSize(16, 16));
}

TEST_F(RibbonBarPainter, ACollapsedGroupIsNeverNarrowerThanItsGlyphFrameAndItsMargins) {
  const int frameWidth = Painter()->GetCollapsedGlyphFrameSize(ribbon_->GetGroupHeight()) + 6 + 2 + 2;
  toolbar_->SetCaption("");
  EXPECT_EQ(Painter()->GetCollapsedGroupWidth(Group()), frameWidth);
  toolbar_->SetCaption("A");
  EXPECT_EQ(Painter()->GetCollapsedGroupWidth(Group()), frameWidth);
  toolbar_->SetCaption("Conversion settings of the selected files");
  TPainterSurface s(4, 4);
  s.Canvas()->SetFont(Group()->ItemsFont());
  TRect twoLines;
  CalcTextRectForLines(s.Canvas()->GetHandle(), "Conversion settings of the selected files . .", 2, twoLines, true);
  EXPECT_GT(Painter()->GetCollapsedGroupWidth(Group()), frameWidth);
  EXPECT_NEAR(Painter()->GetCollapsedGroupWidth(Group()), twoLines.Width() + 6, 3) << "the caption's two lines";
}

TEST_F(RibbonBarPainter, GroupCaptionsInFontsBelowEightPointsAreMeasuredAtEight) {
  TFont font;
  font.SetName("Tahoma");
  auto heightAt = [&](int size) {
    font.SetSize(size);
    return Painter()->GetGroupCaptionHeight(&font);
  };
  const int eight = heightAt(8);
  EXPECT_EQ(GetFontTextHeight(&font, "Qq") + 1, eight);
  for (int size : {5, 6, 7}) EXPECT_EQ(heightAt(size), eight) << size;
  EXPECT_GT(heightAt(14), eight);
}

// The pixels of a group window are the skin's: its group body where no item is, a hot button's
// face where the button is (read from the window and from the skin's own drawing of those parts).
TEST_F(RibbonBarPainter, AGroupShowsTheSkinsBodyAndAHotButtonTheSkinsHotFace) {
  for (const char* scheme : kSchemes) {
    ribbon_->SetColorSchemeName(scheme);
    TdxRibbonGroupBarControl* group = Group();
    ASSERT_NE(group, nullptr) << scheme;
    TdxBarItemLink* link = toolbar_->ItemLinks()->GetVisibleLink(0);
    const TRect item = link->ItemRect();
    ASSERT_FALSE(item.IsEmpty()) << scheme;
    TdxCustomRibbonSkin* skin = ribbon_->Skin();
    const int width = group->Width(), height = group->Height();
    TSurface reference(width, height, RGB(255, 0, 255));
    const int captionTop = height - (ribbon_->GetGroupCaptionHeight() + 3);
    skin->DrawTabGroupBody(reference.DC(), TRect(0, 0, width, captionTop), 0);
    const TPoint body(width / 2, 4);
    ASSERT_LT(body.Y, item.Top) << scheme << ": no item above the button";
    EXPECT_TRUE(Near(WindowPixel(group, body.X, body.Y), reference.Pixel(body.X, body.Y), 2)) << scheme;

    EXPECT_EQ(link->Control()->ViewInfo()->Bounds(), item) << scheme << ": painted and hit where the link is";
    SendMouse(group, WM_MOUSEMOVE, CentreOf(link));
    ASSERT_EQ(link->Control()->HotPartIndex(), 0) << scheme;
    skin->DrawSmallButton(reference.DC(), item, 2);
    for (const TPoint& p : {TPoint(item.Left + 1, item.Top + 2), TPoint(item.Left + 2, item.Bottom - 3)})
      EXPECT_TRUE(Near(WindowPixel(group, p.X, p.Y), reference.Pixel(p.X, p.Y), 2)) << scheme << " at " << p.X << ", " << p.Y;
    SendMouse(group, WM_MOUSEMOVE, TPoint(-5, -5));
  }
}

// Collapsed: the skin's collapsed-group face, the glyph frame centred above the caption and the
// toolbar's glyph inside it at its shrunk size; without a glyph the frame stays empty.
TEST_F(RibbonBarPainter, ACollapsedGroupIsOneButtonWithTheToolbarsGlyphInItsFrame) {
  TdxRibbonGroupBarControl* group = Group();
  group->GroupViewInfo()->SetCollapsed(true);
  const TRect client = group->ClientRect();
  TdxCustomRibbonSkin* skin = ribbon_->Skin();
  const int side = Painter()->GetCollapsedGlyphFrameSize(client.Height());
  ASSERT_GT(side, 16);
  const TRect caption = Painter()->GetGroupCaptionRect(client);
  const int left = 2 + (client.Width() - 4 - side) / 2, top = 2 + 3 + (caption.Top - 2 - 3 - 4 - side) / 2;
  const TRect frame(left, top, left + side, top + side);

  TSurface reference(client.Width(), client.Height(), RGB(255, 0, 255));
  skin->DrawCollapsedGroupButton(reference.DC(), client, 0);
  skin->DrawCollapsedGroupGlyphFrame(reference.DC(), frame, 0);
  const TRect glyphBox(frame.Left, frame.Top + 4, frame.Right, frame.Bottom - 11);  // the frame's margins
  struct TCase {
    int Width, Height;
    TSize Shown;
  } cases[] = {{0, 0, {0, 0}}, {32, 24, {16, 12}}, {12, 12, {12, 12}}};
  for (const TCase& c : cases) {
    // Red, but for the bottom-left pixel that names the glyph's transparent colour.
    TBitmap* glyph = toolbar_->Glyph();
    glyph->SetSize(c.Width, c.Height);
    if (c.Width) {
      glyph->Canvas()->Brush()->SetColor(clRed);
      glyph->Canvas()->FillRect(TRect(0, 0, c.Width, c.Height));
      glyph->Canvas()->SetPixel(0, c.Height - 1, clFuchsia);
    }
    TSurface drawn(client.Width(), client.Height(), RGB(255, 0, 255));
    Painter()->DrawToolbarBackground(group, drawn.DC());
    TRect red(client.Right, client.Bottom, client.Left, client.Top);
    for (int y = 0; y < client.Height(); ++y)
      for (int x = 0; x < client.Width(); ++x)
        if (drawn.Pixel(x, y) == RGB(255, 0, 0)) red = TRect(std::min<int>(red.Left, x), std::min<int>(red.Top, y),
                                                             std::max<int>(red.Right, x + 1), std::max<int>(red.Bottom, y + 1));
    const TSize shown(std::max<int>(red.Width(), 0), std::max<int>(red.Height(), 0));
    EXPECT_EQ(shown, c.Shown) << c.Width << " x " << c.Height;
    if (c.Width) EXPECT_EQ(red, RectCenterSize(glyphBox, c.Shown)) << "centred in the frame less its margins";
    EXPECT_EQ(drawn.Pixel(1, client.Height() / 2), reference.Pixel(1, client.Height() / 2)) << "the button's face";
    if (c.Width == 0)
      for (int y = frame.Top; y < frame.Bottom; ++y)
        for (int x = frame.Left; x < frame.Right; ++x)
          ASSERT_EQ(drawn.Pixel(x, y), reference.Pixel(x, y)) << "an empty frame, at " << x << ", " << y;
  }
  EXPECT_EQ(Painter()->GetToolbarBorderOffsets(group), TRect());
  EXPECT_EQ(Painter()->CalcMarkRect(group), group->ClientRect());
}

// With no ribbon skin registered the ribbon has none, and its painter is the Office 2003 one.
TEST_F(RibbonBarPainter, ARibbonWithoutASkinPaintsItsGroupsAsTheOffice2003Painter) {
  form_.reset();  // its ribbon holds a skin about to go
  TdxBarSkinManager* skins = BarSkinManager();
  for (int i = skins->GetCount() - 1; i >= 0; --i) skins->Remove(skins->GetSkin(i));
  struct TRegisterAgain {
    ~TRegisterAgain() {
      BarSkinManager()->Add(CreateRibbonSkin<TdxBlueRibbonSkin>());
      BarSkinManager()->Add(CreateRibbonSkin<TdxBlackRibbonSkin>());
      BarSkinManager()->Add(CreateRibbonSkin<TdxSilverRibbonSkin>());
    }
  } registerAgain;
  TForm form(nullptr, 0);
  form.SetBounds(0, 0, 600, 300);
  auto* ribbon = new TdxRibbon(&form);
  ASSERT_EQ(ribbon->Skin(), nullptr);
  TdxRibbonBarPainter* painter = ribbon->BarPainter();
  EXPECT_EQ(painter->GetSkin(), nullptr);
  const TdxBarPainterClass office = TdxBarOffice11Painter::Instance();
  EXPECT_EQ(painter->CalcButtonHeight(13), office->CalcButtonHeight(13));
  EXPECT_EQ(painter->GetBaseTextSize(), office->GetBaseTextSize());
  EXPECT_EQ(painter->GetMenuSeparatorSize(), office->GetMenuSeparatorSize());
  EXPECT_FALSE(painter->PaintsToolbarNonClient());
}

}  // namespace
