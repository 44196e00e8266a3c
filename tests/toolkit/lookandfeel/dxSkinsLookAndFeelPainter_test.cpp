#include "calderan_test.h"

#include <functional>

#include "dxSkinsLookAndFeelPainter.h"
#include "dxSkinsTestSkin.h"
#include "lookandfeel_fixture.h"
#include "painter_sweep.h"

namespace {

using namespace testskin;

TcxCustomLookAndFeelPainterClass Skin() { return TdxSkinLookAndFeelPainter::Instance(); }
TcxCustomLookAndFeelPainterClass Office() { return TcxOffice11LookAndFeelPainter::Instance(); }

// A painter info that does without some elements of its skin.
class TInfoWithout : public TdxSkinLookAndFeelPainterInfo {
 public:
  explicit TInfoWithout(std::vector<TdxSkinElementId> missing) : TdxSkinLookAndFeelPainterInfo(nullptr), missing_(std::move(missing)) {}

 protected:
  void InitializeInfo() override {
    TdxSkinLookAndFeelPainterInfo::InitializeInfo();
    for (TdxSkinElementId id : missing_) ForgetElement(id);
  }

 private:
  std::vector<TdxSkinElementId> missing_;
};

class SkinPainter : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    StartLookAndFeelUnits();
    StartUnits({&dxSkinsCoreUnit});
  }
  // Registers the skin painter with the test skin (after the change, when given); the registry
  // owns the info from then on.
  TdxSkinLookAndFeelPainterInfo* Register(std::vector<TdxSkinElementId> missing = {},
                                          const std::function<void(TdxSkin*)>& change = {}) {
    auto* info = new TInfoWithout(std::move(missing));
    std::unique_ptr<TdxSkin> skin = MakeTestSkin();
    if (change) change(skin.get());
    info->SetSkin(skin.release());
    EXPECT_TRUE(ExtendedStylePainters()->Register("TestSkin", Skin(), info));
    return info;
  }
  void TearDown() override { ExtendedStylePainters()->Unregister("TestSkin"); }
};

bool SamePixels(TPainterSurface& a, TPainterSurface& b) {
  for (int y = 0; y < a.Bitmap().Height(); ++y)
    for (int x = 0; x < a.Bitmap().Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}

using TLookPart = std::function<void(TcxCustomLookAndFeelPainterClass, TcxCanvas*, const TRect&)>;

// Draws the part with both painters into equal surfaces: whether every pixel agrees.
bool LikeOffice(const TLookPart& part) {
  TPainterSurface skin(60, 30, 0xE0E0E0), office(60, 30, 0xE0E0E0);
  part(Skin(), skin.Canvas(), TRect(5, 5, 55, 25));
  part(Office(), office.Canvas(), TRect(5, 5, 55, 25));
  return SamePixels(skin, office);
}

TcxViewParams NoParams() { return {}; }

// The parts that fall back: drawn like the Office-2003 painter when their element is missing.
const std::pair<const char*, TLookPart> FallbackParts[] = {
    {"Button", [](auto p, auto c, auto& r) { p->PaintButton(c, r, "OK", cxbsHot); }},
    {"CheckBox", [](auto p, auto c, auto& r) { p->PaintCheckBox(c, r, cxbsNormal, cbsChecked); }},
    {"ExpandButton", [](auto p, auto c, auto& r) { p->PaintExpandButton(c, r, true); }},
    {"EditorButton", [](auto p, auto c, auto& r) { p->PaintEditorButton(c, r, cxbkComboBtn, cxbsNormal); }},
    {"ProgressBar", [](auto p, auto c, auto& r) { p->PaintProgressBar(c, r, RectInflate(r, -3, -3), NoParams(), false); }},
    {"NavigationButton", [](auto p, auto c, auto& r) { p->PaintNavigationButton(c, r, RectInflate(r, -5, -5), nbdNext, cxbsNormal); }},
    {"FilterDropDown", [](auto p, auto c, auto& r) { p->PaintFilterDropDownButton(c, r, cxbsHot, true); }},
};

TEST_F(SkinPainter, WithoutPainterInfoEverythingIsOffice2003) {
  EXPECT_EQ(static_cast<const TdxSkinLookAndFeelPainter*>(Skin())->GetSkinInfo(), nullptr);
  for (const auto& [name, part] : FallbackParts) EXPECT_TRUE(LikeOffice(part)) << name;
  EXPECT_EQ(Skin()->ContentColor(), Office()->ContentColor());
  EXPECT_EQ(Skin()->ButtonBorderWidth(cxbsNormal), Office()->ButtonBorderWidth(cxbsNormal));
  EXPECT_TRUE(SizesEqual(Skin()->CheckGlyphSize(), Office()->CheckGlyphSize()));
}

TEST_F(SkinPainter, MissingElementsFallBackOneByOne) {
  Register({seButton, seCheckbox, sePlusMinus, seHeader, seEditorButton, seProgressChunk, seNavButtonNext,
            seFilterButtonActive});
  for (const auto& [name, part] : FallbackParts) EXPECT_TRUE(LikeOffice(part)) << name;
  EXPECT_EQ(Skin()->ExpandButtonExtent(), Office()->ExpandButtonExtent());
}

TEST_F(SkinPainter, BoundElementsDrawTheSkin) {
  Register();
  for (const auto& [name, part] : FallbackParts) EXPECT_FALSE(LikeOffice(part)) << name;
  EXPECT_EQ(Skin()->ButtonBorderWidth(cxbsNormal), 0);
  EXPECT_TRUE(SizesEqual(Skin()->CheckGlyphSize(), TSize(13, 13)));
  EXPECT_EQ(Skin()->ExpandButtonExtent(), 9);
  EXPECT_EQ(Skin()->SelectionColor(), TColor(0xC08040));
  EXPECT_EQ(Skin()->EditorTextColor(true), TColor(0x999999));
  EXPECT_EQ(Skin()->ButtonGlyphColor(cxbsDisabled), TColor(0x999999));
  EXPECT_EQ(Skin()->ButtonGlyphColor(cxbsNormal), TColor(0x202020));
  // Bound, but set to clDefault: the inherited operation's colour (which builds on the content colour).
  auto* skin = static_cast<const TdxSkinLookAndFeelPainter*>(Skin());
  EXPECT_EQ(skin->ContentEvenColor(), skin->TcxOffice11LookAndFeelPainter::ContentEvenColor());
  EXPECT_EQ(Skin()->ContentTextColor(), Office()->ContentTextColor());  // the skin has no such colour
  EXPECT_EQ(static_cast<const TdxSkinLookAndFeelPainter*>(Skin())->SkinUnitName(), "dxSkinsLookAndFeelPainter");

  TPainterSurface s(40, 40, 0x00FF00);
  Skin()->PaintCheckBox(s.Canvas(), TRect(0, 0, 13, 13), cxbsNormal, cbsChecked);
  EXPECT_EQ(s.Pixel(4, 7), TColor(0x503020));  // the check mark of image 1
  Skin()->PaintCheckBox(s.Canvas(), TRect(20, 0, 33, 13), cxbsNormal, cbsGrayed);
  EXPECT_EQ(s.Pixel(26, 6), TColor(0x909090));
}

TEST_F(SkinPainter, RadioButtonFillsOnlyAGivenBackground) {
  Register();
  TPainterSurface s(30, 15, 0x00FF00);
  Skin()->PaintRadioButton(s.Canvas(), 0, 0, cxbsNormal, true, false, clDefault);
  Skin()->PaintRadioButton(s.Canvas(), 15, 0, cxbsNormal, true, false, 0x0000FF);
  EXPECT_EQ(s.Pixel(0, 0), TColor(0x00FF00));   // outside the ring, not filled
  EXPECT_EQ(s.Pixel(15, 0), TColor(0x0000FF));
  EXPECT_EQ(s.Pixel(6, 6), TColor(0x503020));   // checked: the dot
}

TEST_F(SkinPainter, SizeGripAreaTakesTheGripColourElseTheFormColour) {
  EXPECT_EQ(Skin()->SizeGripAreaColor(), Office()->FormContentColor()) << "no skin bound";
  Register();
  EXPECT_EQ(Skin()->SizeGripAreaColor(), TColor(0xF2ECE6)) << "the test skin's form colour";
  ExtendedStylePainters()->Unregister("TestSkin");
  auto* info = new TInfoWithout({});
  std::unique_ptr<TdxSkin> skin = MakeTestSkin();
  skin->GetGroupByName("Common")->AddElement("SizeGrip")->SetColor(0x3050A0);
  info->SetSkin(skin.release());
  ASSERT_TRUE(ExtendedStylePainters()->Register("TestSkin", Skin(), info));
  EXPECT_EQ(Skin()->SizeGripAreaColor(), TColor(0x3050A0));
}

TEST_F(SkinPainter, EditorButtonsAndScrollButtonFaces) {
  Register();
  // The ellipsis has 1-pixel dots below a content width of 12, 2-pixel dots from 12 on (offsets 2).
  for (auto [width, dot] : {std::pair{15, 1}, {16, 2}}) {
    TPainterSurface s(width, 18, 0x00FF00);
    Skin()->PaintEditorButton(s.Canvas(), TRect(0, 0, width, 18), cxbkEllipsisBtn, cxbsNormal);
    TRect content(2, 2, width - 2, 16);
    TRect dots = RectCenterWH(content, 3 * dot + 4, dot);
    EXPECT_EQ(s.Pixel(dots.Left, dots.Top), TColor(0x202020)) << width;
    EXPECT_EQ(s.Count(TRect(0, 0, width, 18), 0x202020), 3 * dot * dot) << width;
  }
  // The navigator glyph (a placeholder, 32 x 32) is larger than the editor button: negative widths.
  EXPECT_TRUE(RectsEqual(Skin()->ButtonGroupBorderWidths(3, 1), TRect(-8, -7, -8, -7)));
}

TEST_F(SkinPainter, ScrollButtonFaceHasNoFallback) {
  Register({seEditorButton});
  TPainterSurface s(20, 20, 0x00FF00);
  Skin()->PaintScrollButtonFace(s.Canvas(), TRect(0, 0, 20, 20), cxbsHot);
  EXPECT_EQ(s.Count(TRect(0, 0, 20, 20), 0x00FF00), 400);
}

TEST_F(SkinPainter, HeadersBordersAndFooters) {
  TdxSkinLookAndFeelPainterInfo* info = Register();
  EXPECT_TRUE(Skin()->HeaderDrawnBorders(TcxBorders{bLeft, bTop}) == (TcxBorders{bRight, bBottom}));
  info->Element(seFooterCell)->ContentOffset()->SetRect(TRect(1, 2, 3, 0));
  EXPECT_EQ(Skin()->FooterCellBorderWidth(), 3);

  // With every border the element's edge is drawn on the rectangle; without, it lies outside.
  for (auto [borders, edgeInside] : {std::pair{cxBordersAll, true}, {TcxBorders(), false}}) {
    TPainterSurface s(40, 30, 0x00FF00);
    Skin()->PaintHeader(s.Canvas(), TRect(5, 5, 35, 25), TRect(5, 5, 35, 25), {}, borders, cxbsNormal, taLeftJustify,
                        vaCenter, false, false, "", nullptr, clBlack, clWhite, nullptr);
    EXPECT_EQ(s.Pixel(4, 15), TColor(0x00FF00));
    EXPECT_EQ(s.Pixel(5, 15) == TColor(0xB98D6F), edgeInside);
  }
  // A group header without its own element is the Office-2003 header, though Header is bound: no
  // pixel of the skin's header edge.
  ExtendedStylePainters()->Unregister("TestSkin");
  Register({seHeaderSpecial});
  for (bool isGroup : {false, true}) {
    TPainterSurface s(40, 30, 0x00FF00);
    Skin()->PaintHeader(s.Canvas(), TRect(5, 5, 35, 25), TRect(5, 5, 35, 25), {}, cxBordersAll, cxbsNormal,
                        taLeftJustify, vaCenter, false, false, "", nullptr, clBlack, clWhite, nullptr, false, isGroup);
    EXPECT_EQ(s.Count(TRect(0, 0, 40, 30), 0xB98D6F) > 0, !isGroup);
  }
}

TEST_F(SkinPainter, NavigationButtonsWidenToTheirMinimum) {
  TdxSkinLookAndFeelPainterInfo* info = Register();
  info->Element(seNavButtonNext)->MinSize()->SetSize(TSize(16, 0));
  TRect bounds(20, 0, 30, 20), text, glyph;
  Skin()->NavigationButtonLayout(nbdNext, true, TSize(8, 8), TSize(8, 8), bounds, text, glyph);
  EXPECT_EQ(bounds.Left, 14);
  EXPECT_EQ(bounds.Right, 30);
}

TEST_F(SkinPainter, TrackProgressGroupBoxAndIndicator) {
  TdxSkinLookAndFeelPainterInfo* info = Register();
  // Four track images in four colours: enabled, enabled selection, disabled, disabled selection.
  TdxSkinElement* track = info->Element(seTrackBarTrack);
  track->SetImageCount(4);
  const uint32_t colours[4] = {0xFF0000FF, 0xFF00FFFF, 0xFFFF0000, 0xFFFF00FF};
  SetSheet(track->Image(), 4, {esNormal}, 4, 4, [&](int image, int, int, int) { return colours[image]; });
  TPainterSurface s(40, 10, 0x00FF00);
  Skin()->PaintTrackBarTrack(s.Canvas(), TRect(0, 0, 40, 10), TRect(20, 0, 30, 10), true, false, true);
  EXPECT_EQ(s.Pixel(5, 5), TColor(0x0000FF));   // image 2 (0xFF0000 as RGB)
  EXPECT_EQ(s.Pixel(25, 5), TColor(0xFF00FF));  // image 3

  // The inner area stays excluded from the clip region after the group box content.
  TPainterSurface box(40, 40, 0x00FF00);
  Skin()->PaintGroupBoxContent(box.Canvas(), TRect(0, 0, 40, 40), cxgpTop);
  box.Canvas()->FillRectColor(TRect(0, 0, 40, 40), 0x0000FF);
  EXPECT_NE(box.Pixel(20, 20), TColor(0x0000FF));

  TPainterSurface a(20, 20, 0x00FF00), b(20, 20, 0x00FF00), none(20, 20, 0x00FF00);
  Skin()->PaintIndicatorImage(a.Canvas(), TRect(0, 0, 20, 20), ikArrow);
  Skin()->PaintIndicatorImage(b.Canvas(), TRect(0, 0, 20, 20), ikMultiDot);
  Skin()->PaintIndicatorImage(none.Canvas(), TRect(0, 0, 20, 20), ikNone);
  EXPECT_TRUE(SamePixels(a, b));
  EXPECT_EQ(none.Count(TRect(0, 0, 20, 20), 0x00FF00), 400);
}

// The painter sweep over the skin painter with the test skin: every part in every state leaves the
// canvas and the GDI object count as they were.
// The skin's clock puts its hands where the base painter does (see ClockMarksHandsAndWholeSeconds):
// at 10:08:30.6 the second hand at 30 s, straight down; on 29 December 1899 at 2:24 the minute
// hand down and right.
TEST_F(SkinPainter, ClockHandsStandWhereTheBasePaintersDo) {
  constexpr TColor face = 0xFFFFFF, hands = 0x800000;
  Register({}, [](TdxSkin* skin) {
    TdxSkinControlGroup* editors = skin->GetGroupByName("Editors");
    TdxSkinElement* clockFace = editors->AddElement("ClockFace");
    clockFace->SetColor(face);
    clockFace->SetTextColor(hands);
    editors->AddElement("ClockGlass");
  });
  struct Case {
    TDateTime time;
    std::vector<std::pair<TPoint, TColor>> pixels;
  } cases[] = {
      {(10 * 3600 + 8 * 60 + 30.6) / 86400.0,
       {{{32, 34}, hands}, {{49, 32}, hands}, {{40, 60}, hands}, {{40, 73}, hands}, {{40, 74}, face}, {{38, 66}, face}}},
      {-1.1, {{{47, 50}, hands}, {{33, 50}, face}}},
  };
  for (const Case& c : cases) {
    TPainterSurface s(80, 80);
    Skin()->PaintClock(s.Canvas(), TRect(0, 0, 80, 80), c.time, clWhite);
    for (const auto& [at, color] : c.pixels)
      EXPECT_EQ(s.Pixel(at.X, at.Y), color) << c.time << " at (" << at.X << ", " << at.Y << ")";
  }
}

TEST_F(SkinPainter, SweepOfEveryPartAndState) {
  Register();
  TPartList parts = PainterParts(Skin());
  for (auto& part : PartsLeftToTheLooks(Skin())) parts.push_back(part);
  parts.push_back({"GroupPanel", [](TcxCanvas* c, const TRect& r, TcxButtonState) { Skin()->PaintGroupPanelBackground(c, r, true); }});
  parts.push_back({"SizeGrip", [](TcxCanvas* c, const TRect& r, TcxButtonState) { Skin()->PaintSizeGrip(c, r, clWhite); }});
  parts.push_back({"WindowContent", [](TcxCanvas* c, const TRect& r, TcxButtonState) { Skin()->PaintWindowContent(c, r); }});
  TPainterSurface sheet(SheetWidth(), SheetHeight(parts), 0xE0E0E0);
  sheet.Canvas()->GetFont()->SetColor(clPurple);
  sheet.Canvas()->GetPen()->SetColor(clLime);
  sheet.Canvas()->GetBrush()->SetColor(clAqua);
  DrawSheet(sheet, parts, false);
  const int objects = GdiObjectCount();
  DrawSheet(sheet, parts, true);
  EXPECT_EQ(GdiObjectCount(), objects) << "GDI objects left behind";
  sheet.Save("skin_painter_parts.bmp");
}

}  // namespace
