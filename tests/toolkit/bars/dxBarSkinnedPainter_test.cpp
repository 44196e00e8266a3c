#include "calderan_test.h"

#include <functional>
#include <string>
#include <vector>

#include "bars_fixture.h"
#include "dxBarSkinnedPainter.h"
#include "dxBarSkinnedPainterElements.h"

namespace {

using namespace dxBarSkinElements;

// A skin that records what the painter draws and answers fixed margins; a colour encodes its id
// and state (RGB(id low byte, id high byte, state)), and the ids in Missing have none.
class TRecordingSkin : public TObject, public IdxSkin {
 public:
  struct TDraw {
    int Element;
    TRect Rect;
    int State;
  };
  std::vector<TDraw> Draws;
  std::vector<std::string> Captions;
  std::string StyleName;
  std::vector<int> Missing;

  void DrawElement(HDC, const TRect& rect, int elementId, int state) override {
    Draws.push_back({elementId, rect, state});
  }
  void DrawElementCaption(HDC, const std::string& text, int, const TRect&) override { Captions.push_back(text); }
  TRect GetElementCaptionRect(const TRect& rect, int) override {
    return TRect(rect.Left + 2, rect.Bottom - 17, rect.Right - 3, rect.Bottom - 3);
  }
  TRect GetElementContentOffsets(int elementId) override {
    if (elementId == kGroup) return TRect(2, 2, 3, 21);
    return elementId == kSmallButton ? TRect(3, 3, 3, 3) : TRect();
  }
  std::string GetSkinName() override { return StyleName; }
  TColor GetElementColor(int elementId, int state) override {
    for (int id : Missing)
      if (id == elementId) return clDefault;
    return TColor(RGB(elementId & 0xFF, elementId >> 8, state));
  }
  int GetElementMetric(int elementId) override { return elementId == kGroup ? 2 : 0; }

  // "id:state" of every element drawn, in order.
  std::string Sequence() const {
    std::string text;
    for (const TDraw& d : Draws) text += (text.empty() ? "" : " ") + std::to_string(d.Element) + ":" + std::to_string(d.State);
    return text;
  }
  const TDraw* Find(int element) const {
    for (const TDraw& d : Draws)
      if (d.Element == element) return &d;
    return nullptr;
  }
};

// A bar window that answers the paint type and view state a test gives it.
class TTestBar : public TCustomdxBarControl {
 public:
  using TCustomdxBarControl::TCustomdxBarControl;
  int PaintType() const override { return Type; }
  int MarkState() const override { return Mark; }
  bool UsesLargeItems() const override { return LargeItems; }
  using TCustomdxBarControl::SetViewState;
  int Type = ptHorz;
  int Mark = 0;
  bool LargeItems = false;
};

class SkinnedPainter : public BarFixture {
 protected:
  void SetUp() override {
    BarFixture::SetUp();
    bar_ = new TTestBar(form_.get(), manager_);
    bar_->SetParent(form_.get());
    bar_->SetBounds(0, 40, 300, 90);
    control_ = std::make_unique<TTestItemControl>(bar_, nullptr);
  }
  // Button parameters on the surface in the bar's font: an enabled, selectable caption.
  TdxBarItemControlDrawParams& Params(TPainterSurface& surface, const char* caption = "Open") {
    surface.Canvas()->SetFont(bar_->ItemsFont());
    TdxBarItemControlDrawParams& p = control_->DrawParams();
    p = TdxBarItemControlDrawParams();
    p.BarItemControl = control_.get();
    p.Canvas = surface.Canvas();
    p.ViewStructure = cvsCaption;
    p.Caption = caption;
    p.IsButton = true;
    p.ArrowSize = {13, 4};
    return p;
  }
  int TextHeight() {
    TPainterSurface s(4, 4);
    s.Canvas()->SetFont(bar_->ItemsFont());
    return s.Canvas()->TextHeight("Wg");
  }

  TRecordingSkin skin_;
  TdxBarSkinnedPainter painter_{&skin_};
  TTestBar* bar_ = nullptr;
};

const TdxBarPainterClass office = TdxBarOffice11Painter::Instance();

// One metric of the bar painter interface.
struct TMetric {
  const char* Name;
  std::function<int(TdxBarPainterClass)> Value;
};

std::vector<TMetric> InterfaceMetrics(TTestBar* bar) {
  return {
      {"button padding Y", [](TdxBarPainterClass p) { return p->GetButtonPaddingY(); }},
      {"button padding X", [](TdxBarPainterClass p) { return p->GetButtonPaddingX(); }},
      {"button height of 13", [](TdxBarPainterClass p) { return p->CalcButtonHeight(13); }},
      {"button height of 16", [](TdxBarPainterClass p) { return p->CalcButtonHeight(16); }},
      {"button height of 17", [](TdxBarPainterClass p) { return p->CalcButtonHeight(17); }},
      {"button width of 30", [](TdxBarPainterClass p) { return p->CalcButtonWidth(30); }},
      {"arrow margin left", [](TdxBarPainterClass p) { return p->GetArrowMargins().Left; }},
      {"arrow margin right", [](TdxBarPainterClass p) { return p->GetArrowMargins().Right; }},
      {"button arrow width", [bar](TdxBarPainterClass p) { return p->GetButtonArrowWidth(bar->BarManager()); }},
      {"small indent height", [](TdxBarPainterClass p) { return p->GetSmallIndentSize().cy; }},
      {"bar border", [](TdxBarPainterClass p) { return p->GetBarBorderSize(); }},
      {"dock content offset", [](TdxBarPainterClass p) { return p->GetDockContentOffset(); }},
      {"menu scroll arrow of 20", [](TdxBarPainterClass p) { return p->GetMenuScrollArrowSize(20); }},
      {"menu arrow width of 17", [](TdxBarPainterClass p) { return p->CalcMenuArrowWidth(17); }},
      {"menu separator", [](TdxBarPainterClass p) { return p->GetMenuSeparatorSize(); }},
      {"base text size", [](TdxBarPainterClass p) { return p->GetBaseTextSize(); }},
      {"menu frame", [bar](TdxBarPainterClass p) { return p->GetMenuFrameWidth(bar); }},
      {"menu margin", [](TdxBarPainterClass p) { return p->GetMenuMargin(); }},
      {"combo edit gap", [](TdxBarPainterClass p) { return p->GetComboEditGap(); }},
      {"combo arrow of 13", [bar](TdxBarPainterClass p) { return p->GetComboArrowWidth(bar, 13); }},
      {"ellipsis of a 22 high edit", [](TdxBarPainterClass p) { return p->GetEllipsisButtonWidth(ptHorz, {0, 0, 50, 22}); }},
      {"spin arrow width", [](TdxBarPainterClass p) { return p->CalcSpinArrowSize(20).cx; }},
      {"paints the non-client area", [](TdxBarPainterClass p) { return int(p->PaintsToolbarNonClient()); }},
      {"large icons", [](TdxBarPainterClass p) { return int(p->SupportsLargeIcons()); }},
      {"shadow", [bar](TdxBarPainterClass p) { return int(p->HasShadow(bar)); }},
  };
}

TEST_F(SkinnedPainter, MeasurementsComeFromTheSkinAndItsElementMargins) {
  // Padding 3 + 3 around at least 16, keeping the content's parity: 13 -> 23, 16 -> 22, 17 -> 23.
  const int expected[] = {6, 6, 23, 22, 23, 36, 3, 2, 13, 4, 2, 2, 2, 17, 3, 22, 2, 0, 0, 21, 18, 5, 1, 0, 0};
  const std::vector<TMetric> metrics = InterfaceMetrics(bar_);
  ASSERT_EQ(metrics.size(), std::size(expected));
  for (size_t i = 0; i < metrics.size(); ++i) EXPECT_EQ(metrics[i].Value(&painter_), expected[i]) << metrics[i].Name;

  TPainterSurface s(4, 4);
  s.Canvas()->SetFont(bar_->ItemsFont());
  EXPECT_EQ(painter_.GetTextLineHeight(s.Canvas()), TextHeight() + 3);
  EXPECT_EQ(painter_.GetMenuTextLineHeight(s.Canvas()), painter_.GetTextLineHeight(s.Canvas()) + 6);
  EXPECT_EQ(painter_.GetToolbarBorderOffsets(bar_), TRect(2, 2, 3, 21));
  EXPECT_EQ(painter_.GetMenuScrollButtonHeight(bar_), (bar_->TextSize() * 3 - 18) / 4);
  bar_->Type = ptMenu;
  EXPECT_EQ(painter_.GetIconAreaSize(bar_), bar_->TextSize() + 2);
  bar_->LargeItems = true;
  EXPECT_EQ(painter_.GetIconAreaSize(bar_), office->GetIconAreaSize(bar_) - 2);  // without the flat look's 2

  // Only a skin with a style name draws its own edit glyphs, in buttons 19 pixels wide.
  skin_.StyleName = "Style";
  EXPECT_EQ(painter_.GetComboArrowWidth(bar_, 13), 19);
  EXPECT_EQ(painter_.GetEllipsisButtonWidth(ptHorz, {0, 0, 50, 22}), 19);
}

// The mend: an owner that answers no skin gives the Office 2003 painter, in every answer and in
// the pixels it draws, instead of a painter that fails on its first call.
TEST_F(SkinnedPainter, WithoutASkinItMeasuresAndDrawsAsTheOffice2003Painter) {
  TObject notASkin;
  const TdxBarSkinnedPainter noOwner(nullptr), plainOwner(&notASkin);
  EXPECT_EQ(noOwner.GetSkin(), nullptr);
  EXPECT_EQ(plainOwner.GetSkin(), nullptr);
  EXPECT_EQ(painter_.GetSkin(), &skin_);
  for (const TMetric& metric : InterfaceMetrics(bar_)) {
    EXPECT_EQ(metric.Value(&noOwner), metric.Value(office)) << metric.Name;
    EXPECT_EQ(metric.Value(&plainOwner), metric.Value(office)) << metric.Name;
  }
  TPainterSurface s(4, 4);
  EXPECT_EQ(noOwner.GetMenuTextLineHeight(s.Canvas()), office->GetTextLineHeight(s.Canvas()));
  EXPECT_EQ(noOwner.GetToolbarBorderOffsets(bar_), TRect());

  struct TCase {
    const char* Name;
    bool Hot, Down, DropDown;
  } cases[] = {{"normal", false, false, false}, {"hot", true, false, false}, {"down split", false, true, true}};
  for (const TCase& c : cases) {
    TPainterSurface fallback(90, 30, clWhite), reference(90, 30, clWhite);
    for (auto [surface, painter] : {std::pair{&fallback, TdxBarPainterClass(&noOwner)}, std::pair{&reference, office}}) {
      TdxBarItemControlDrawParams& p = Params(*surface);
      p.DrawSelected = p.TextSelected = c.Hot;
      p.HotPartIndex = c.Hot ? 0 : -1;
      p.Down = c.Down;
      p.DropDown = c.DropDown;
      painter->DrawButton(p, {0, 0, 80, 24});
    }
    int differing = 0;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 90; ++x) differing += fallback.Pixel(x, y) != reference.Pixel(x, y);
    EXPECT_EQ(differing, 0) << c.Name;
  }
  EXPECT_TRUE(skin_.Draws.empty());
}

TEST_F(SkinnedPainter, ElementStatesOfTheButtonAndArrowParts) {
  struct TCase {
    const char* Name;
    bool Enabled, Selected, Pressed, Down, DroppedDown, Split, ByKey, Customizing;
    int HotPart, Button, Arrow;
  } cases[] = {
      {"normal", true, false, false, false, false, true, false, false, -1, bssNormal, bssNormal},
      {"disabled", false, false, false, false, false, true, false, false, -1, bssDisabled, bssDisabled},
      {"hot button part", true, true, false, false, false, true, false, false, 0, bssHot, bssSelected},
      {"hot arrow part", true, true, false, false, false, true, false, false, 1, bssSelected, bssHot},
      {"hot while disabled", false, true, false, false, false, true, false, false, 0, bssHot, bssSelectedDisabled},
      {"pressed", true, true, true, false, false, true, false, false, 0, bssPressed, bssSelected},
      {"down", true, false, false, true, false, true, false, false, -1, bssChecked, bssChecked},
      {"down and hot", true, true, false, true, false, true, false, false, 0, bssCheckedHot, bssSelected},
      {"down, selected by key", true, true, false, true, false, false, true, false, -1, bssCheckedHot, bssSelected},
      {"down and dropped down", true, false, false, true, true, true, false, false, -1, bssSelected, bssDroppedDown},
      {"split dropped down", true, false, false, false, true, true, false, false, -1, bssSelected, bssDroppedDown},
      {"inline dropped down", true, false, false, false, true, false, false, false, -1, bssDroppedDown, bssDroppedDown},
      {"customizing, down", true, true, true, true, false, true, false, true, 0, bssChecked, bssChecked},
      {"customizing", true, true, true, false, false, true, false, true, 0, bssNormal, bssNormal},
  };
  for (const TCase& c : cases) {
    TdxBarItemControlDrawParams p;
    p.Enabled = c.Enabled;
    p.DrawSelected = c.Selected;
    p.Pressed = c.Pressed;
    p.Down = c.Down;
    p.DroppedDown = c.DroppedDown;
    p.IsButton = c.Split;
    p.DropDown = c.Split || c.DroppedDown;
    p.SelectedByKey = c.ByKey;
    p.Customizing = c.Customizing;
    p.HotPartIndex = c.HotPart;
    EXPECT_EQ(TdxBarSkinnedPainter::ButtonState(p, 0), c.Button) << c.Name;
    EXPECT_EQ(TdxBarSkinnedPainter::ButtonState(p, 1), c.Arrow) << c.Name;
  }
}

// Faces by kind: small (3; 5 and 4 when split), large (6; 8 and 7), and 460 in a button group with
// its borders (470, 490) and splitters (480 right, 500 left of a split arrow) by position.
TEST_F(SkinnedPainter, FacesOfPlainSplitLargeAndGroupedButtons) {
  struct TCase {
    const char* Name;
    int Position;
    bool Split, Large, Hot;
    const char* Sequence;
  } cases[] = {
      {"small, hot", 0, false, false, true, "3:2"},
      {"small split", 0, true, false, false, "5:0 4:0 340:0"},
      {"middle of a group", 2, false, false, false, "460:0 480:0"},
      {"first of a group", 1, false, false, true, "460:2 470:0 480:2"},
      {"alone in a group", 4, false, false, false, "460:0 470:0 490:0"},
      {"split, last of a group", 3, true, false, false, "460:0 460:0 490:0 500:0 340:0"},
      {"large split", 0, true, true, false, "8:0 7:0 340:0"},
      {"large in a group", 2, false, true, false, "6:0 480:0"},
  };
  for (const TCase& c : cases) {
    TPainterSurface s(100, 80, clWhite);
    TdxBarItemControlDrawParams& p = Params(s, "Export");
    p.DropDown = c.Split;
    p.ViewSize = c.Large ? cvsLarge : cvsSmall;
    p.HotPartIndex = c.Hot ? 0 : -1;
    p.DrawSelected = c.Hot;
    control_->ViewInfo()->SetPositionInButtonGroup(c.Position);
    skin_.Draws.clear();
    painter_.DrawButton(p, {10, 0, 90, c.Large ? 66 : 22});
    EXPECT_EQ(skin_.Sequence(), c.Sequence) << c.Name;
  }
}

TEST_F(SkinnedPainter, GroupEdgesAndFacesLieAtTheButtonsEdges) {
  TPainterSurface s(100, 30, clWhite);
  TdxBarItemControlDrawParams& p = Params(s);
  const TRect r(10, 0, 60, 22);
  control_->ViewInfo()->SetPositionInButtonGroup(1);
  painter_.DrawButton(p, r);
  EXPECT_EQ(skin_.Find(kButtonGroupFace)->Rect, TRect(11, 0, 60, 22));
  EXPECT_EQ(skin_.Find(kButtonGroupBorderLeft)->Rect, TRect(10, 0, 12, 22));
  EXPECT_EQ(skin_.Find(kButtonGroupSplitter)->Rect, TRect(59, 0, 60, 22));

  skin_.Draws.clear();
  control_->ViewInfo()->SetPositionInButtonGroup(3);
  p.DropDown = true;
  painter_.DrawButton(p, r);
  EXPECT_EQ(skin_.Draws[1].Rect, TRect(60 - 13, 0, 59, 22)) << "the arrow part stops short of the right border";
  EXPECT_EQ(skin_.Find(kButtonGroupArrowSplitter)->Rect, TRect(60 - 13 - 1, 0, 60 - 13 + 1, 22));
  EXPECT_EQ(skin_.Find(kButtonGroupBorderRight)->Rect, TRect(58, 0, 60, 22));
}

// A large drop-down caption takes two lines; the arrow follows the last line's text, or stands in
// the middle of an empty second line.
TEST_F(SkinnedPainter, TheLargeButtonsArrowFollowsTheLastCaptionLine) {
  const int line = TextHeight();
  const TRect r(0, 0, 120, 70);
  for (const char* caption : {"Export", "Export all files"}) {
    TPainterSurface s(130, 80, clWhite);
    TdxBarItemControlDrawParams& p = Params(s, caption);
    p.DropDown = true;
    p.ViewSize = cvsLarge;
    skin_.Draws.clear();
    painter_.DrawButton(p, r);
    const TRecordingSkin::TDraw* arrow = skin_.Find(kDropDownArrow);
    ASSERT_NE(arrow, nullptr) << caption;
    EXPECT_EQ(arrow->Rect.Width(), 5);
    EXPECT_EQ(arrow->Rect.Height(), 4);
    EXPECT_GE(arrow->Rect.Top, r.Bottom - 1 - line) << caption << ": in the last line";
    EXPECT_LE(arrow->Rect.Bottom, r.Bottom - 1) << caption;
    TRect lower, upper;
    painter_.CalcButtonParts(p, r, upper, lower);
    EXPECT_EQ(lower, TRect(0, 70 - 2 * line - 2, 120, 70)) << "the lower face holds the two lines";
    const int centre = (r.Left + r.Right) / 2;
    if (std::string(caption) == "Export") EXPECT_NEAR((arrow->Rect.Left + arrow->Rect.Right) / 2, centre, 1);
    else EXPECT_GT(arrow->Rect.Left, centre) << "after the text of the second line";
  }
}

TEST_F(SkinnedPainter, TextColoursComeFromTheSkinsTableInTheItemsState) {
  TPainterSurface s(4, 4);
  TdxBarItemControlDrawParams& p = Params(s);
  auto colorOf = [](int id, int state) { return TColor(RGB(id & 0xFF, id >> 8, state)); };
  EXPECT_EQ(painter_.GetTextColor(control_.get(), false, false), colorOf(kToolbarTextColor, bssNormal));
  p.HotPartIndex = 0;
  EXPECT_EQ(painter_.GetTextColor(control_.get(), true, false), colorOf(kToolbarTextColor, bssHot));
  p.HotPartIndex = -1;
  p.Enabled = false;
  TColor text, shadow;
  painter_.GetDisabledTextColors(control_.get(), false, text, shadow, false);
  EXPECT_EQ(text, colorOf(kToolbarTextColor, bssDisabled));
  EXPECT_EQ(shadow, text);
  bar_->Type = ptMenu;
  p.Enabled = true;
  EXPECT_EQ(painter_.GetTextColor(control_.get(), false, false), colorOf(kMenuTextColor, bssNormal));
  skin_.Missing = {kMenuTextColor};
  EXPECT_EQ(painter_.GetTextColor(control_.get(), false, false), office->GetTextColor(control_.get(), false, false));
}

TEST_F(SkinnedPainter, ToolbarBackgroundSeparatorAndMark) {
  TPainterSurface s(300, 90, clWhite);
  HDC dc = s.Canvas()->GetHandle();
  painter_.DrawToolbarBackground(bar_, dc);
  bar_->SetViewState(1);
  painter_.DrawToolbarBackground(bar_, dc);
  bar_->Mark = 2;
  painter_.DrawMark(bar_, dc, bar_->MarkState(), {280, 0, 291, 22});
  EXPECT_EQ(skin_.Sequence(), "1:0 1:2 336:4");
  EXPECT_EQ(skin_.Draws[0].Rect, TRect(0, 0, 300, 90)) << "the whole window";

  // Centred: the first colour's row, the second's below it; a column in the second colour, the
  // first's right of it.
  painter_.DrawToolbarSeparator(bar_, dc, true, nullptr, {0, 10, 40, 16});
  EXPECT_EQ(s.Pixel(20, 11), ColorToRGB(clWhite));
  EXPECT_EQ(s.Pixel(20, 12), kSeparatorDark);
  EXPECT_EQ(s.Pixel(20, 13), kSeparatorLight);
  EXPECT_EQ(s.Pixel(20, 14), ColorToRGB(clWhite));
  painter_.DrawToolbarSeparator(bar_, dc, false, nullptr, {50, 10, 56, 30});
  EXPECT_EQ(s.Pixel(52, 20), kSeparatorLight);
  EXPECT_EQ(s.Pixel(53, 20), kSeparatorDark);
}

// A selected split menu item: the menu's glyph column and content, then both parts' faces; a
// checked menu item shows the check frame under its glyph or the check mark without one.
TEST_F(SkinnedPainter, MenuItemsAndCheckedGlyphs) {
  bar_->Type = ptMenu;
  TPainterSurface s(200, 30, clWhite);
  TdxBarItemControlDrawParams& p = Params(s);
  p.PaintType = ptMenu;
  p.DrawSelected = true;
  p.DropDown = true;
  p.HotPartIndex = 0;
  painter_.DrawMenuItemBackground(p, {0, 0, 200, 24});
  EXPECT_EQ(skin_.Sequence(), "380:0 410:0 390:0 5:2 4:3");
  EXPECT_EQ(skin_.Draws[0].Rect.Width(), painter_.GetMenuIconAreaWidth(bar_));

  TBitmap glyph;
  glyph.SetSize(16, 16);
  struct TCase {
    const char* Name;
    TBitmap* Glyph;
    bool Enabled;
    const char* Sequence;
  } cases[] = {{"with a glyph", &glyph, true, "430:0"}, {"without", nullptr, true, "440:0"},
               {"disabled", nullptr, false, "440:1"}};
  for (const TCase& c : cases) {
    control_->Glyph = c.Glyph;
    skin_.Draws.clear();
    TdxBarGlyphState state;
    state.Down = true;
    state.Enabled = c.Enabled;
    painter_.DrawGlyph(control_.get(), s.Canvas()->GetHandle(), state, {2, 2, 22, 20}, {0, 0, 24, 24});
    EXPECT_EQ(skin_.Sequence(), c.Sequence) << c.Name;
    EXPECT_EQ(skin_.Draws[0].Rect, TRect(4, 3, 20, 19)) << c.Name << ": the smaller side, centred, less a pixel";
  }
}

}  // namespace
