// Every drawing operation of every scheme, in colour and low colour, in every state and at a normal,
// a tiny and an empty size: none fails, none leaks a GDI object or leaves the DC's clip region or
// selected objects changed, and each draws something at the normal size unless it may draw nothing.
#include "calderan_test.h"

#include <functional>
#include <map>

#include "ribbon_fixture.h"

namespace {

template <class TSkin> class TLowColorSkin : public TSkin {
 protected:
  bool IsLowColorDisplay() const override { return true; }
};

using TSkinDraw = std::function<void(TdxCustomRibbonSkin*, HDC, const TRect&, int state)>;
struct TOperation {
  const char* Name;
  TSkinDraw Draw;
};

#define STATELESS(Op) {#Op, [](TdxCustomRibbonSkin* s, HDC dc, const TRect& r, int) { s->Op(dc, r); }}
#define WITH_STATE(Op) {#Op, [](TdxCustomRibbonSkin* s, HDC dc, const TRect& r, int st) { s->Op(dc, r, st); }}

const std::vector<TOperation>& Operations() {
  static const std::vector<TOperation> operations = {
      WITH_STATE(DrawApplicationButton), WITH_STATE(DrawApplicationMenuButton), STATELESS(DrawApplicationMenuFrame),
      STATELESS(DrawApplicationMenuHeader), STATELESS(DrawApplicationMenuFooter), WITH_STATE(DrawDropDownArrow),
      STATELESS(DrawDownArrowGlyph), STATELESS(DrawRightArrowGlyph), WITH_STATE(DrawButtonGroupSeparator),
      STATELESS(DrawButtonGroupBorderLeft), WITH_STATE(DrawButtonGroupSplitter), STATELESS(DrawButtonGroupBorderRight),
      WITH_STATE(DrawButtonGroupArrowSplitter), WITH_STATE(DrawCollapsedGroupButton),
      WITH_STATE(DrawCollapsedGroupGlyphFrame), STATELESS(DrawMenuFrame), STATELESS(FillPanelBackground),
      STATELESS(DrawRightGlyphA), STATELESS(DrawNarrowFrameA), STATELESS(DrawWideGlyphBelow), STATELESS(DrawRightGlyphB),
      STATELESS(DrawNarrowFrameB), STATELESS(DrawWideGlyphAbove), WITH_STATE(DrawEditButton),
      WITH_STATE(DrawHelpButtonBackground), STATELESS(DrawHelpButtonGlyph), STATELESS(DrawSmallFrameA),
      STATELESS(DrawSmallFrameB), WITH_STATE(DrawFramedPanel), WITH_STATE(DrawLargeButton),
      WITH_STATE(DrawLargeSplitButtonUpper), WITH_STATE(DrawLargeSplitButtonLower), WITH_STATE(DrawGroupCaptionButton),
      WITH_STATE(DrawGroupCaptionButtonGlyph), WITH_STATE(DrawMenuCheckFrame), WITH_STATE(DrawMenuCheckMark),
      STATELESS(DrawMenuContentBackground), WITH_STATE(DrawDetachCaption), STATELESS(DrawMenuGlyphColumn),
      STATELESS(DrawExpandButtonGlyph), STATELESS(DrawMenuSeparatorLine), STATELESS(DrawMenuGlyphColumnSeparator),
      WITH_STATE(DrawMenuScrollButton), STATELESS(FillProgressBar), STATELESS(DrawProgressBarFrame),
      STATELESS(DrawProgressBlock), STATELESS(DrawTabRowBackground), STATELESS(DrawAreaBottomLines),
      STATELESS(DrawTabRowCaptionBackground), WITH_STATE(DrawSmallButton), WITH_STATE(DrawSmallSplitButtonMain),
      WITH_STATE(DrawSmallSplitButtonArrow), STATELESS(DrawSpinArrowGlyph), STATELESS(DrawScreenTipBackground),
      WITH_STATE(DrawFrameButton), WITH_STATE(DrawTabGroupBody), WITH_STATE(DrawTabGroupCaption),
      WITH_STATE(DrawMarkGlyph), WITH_STATE(DrawMarkGlyphAlt), STATELESS(DrawTabGroupsArea), STATELESS(DrawSmallGlyph),
      STATELESS(DrawQuickAccessPopupBackground), STATELESS(DrawPanelSeparatorA), STATELESS(DrawPanelSeparatorB),
      STATELESS(DrawPanelSeparatorD), STATELESS(DrawSizeGripDots), STATELESS(DrawPanelSeparatorE),
      {"DrawTabSeparator", [](TdxCustomRibbonSkin* s, HDC dc, const TRect& r, int st) { s->DrawTabSeparator(dc, r, Byte(st * 30)); }},
      {"DrawPanelSeparatorC", [](TdxCustomRibbonSkin* s, HDC dc, const TRect& r, int st) { s->DrawPanelSeparatorC(dc, r, st % 2); }},
      {"DrawGroupScrollButton", [](TdxCustomRibbonSkin* s, HDC dc, const TRect& r, int st) { s->DrawGroupScrollButton(dc, r, st % 2, st); }},
      {"DrawTabScrollButton", [](TdxCustomRibbonSkin* s, HDC dc, const TRect& r, int st) { s->DrawTabScrollButton(dc, r, st % 2, st); }},
      {"DrawScrollButtonStrip", [](TdxCustomRibbonSkin* s, HDC dc, const TRect& r, int st) { s->DrawScrollButtonStrip(dc, r, st, st % 3); }},
      {"DrawMDIButton", [](TdxCustomRibbonSkin* s, HDC dc, const TRect& r, int st) { s->DrawMDIButton(dc, r, st % 3, st); }},
      {"DrawFormCaptionButton", [](TdxCustomRibbonSkin* s, HDC dc, const TRect& r, int st) { s->DrawFormCaptionButton(dc, r, st % 5, st); }},
      {"DrawCaptionEdgePart", [](TdxCustomRibbonSkin* s, HDC dc, const TRect& r, int st) { s->DrawCaptionEdgePart(dc, r, st % 2, st / 4 % 2, st < 4, st % 3 == 0); }},
      {"DrawQuickAccessButton", [](TdxCustomRibbonSkin* s, HDC dc, const TRect& r, int st) { s->DrawQuickAccessButton(dc, r, st, st & 1, st & 2, st & 4); }},
      {"DrawQuickAccessToolbarBackground", [](TdxCustomRibbonSkin* s, HDC dc, const TRect& r, int st) {
         s->DrawQuickAccessToolbarBackground(dc, r, st == 8, st & 1, st & 2, st & 4, st > 5); }},
      {"DrawFormCaption", [](TdxCustomRibbonSkin* s, HDC dc, const TRect& r, int st) {
         TdxRibbonFormData data;
         data.Active = st % 2 == 0;
         data.State = TWindowState(st % 3);
         data.CaptionStyle = st == 4 ? 2 : 0;
         s->DrawFormCaption(dc, r, data); }},
      {"DrawFormBorders", [](TdxCustomRibbonSkin* s, HDC dc, const TRect& r, int st) {
         TdxRibbonFormData data;
         data.Active = st % 2 == 0;
         data.Border = TFormBorderStyle(st % 6);
         s->DrawFormBorders(dc, TRect(4, 0, 4, st % 2 ? 1 : 4), r, data, st * 3); }},
  };
  return operations;
}

// Operations that may leave a rectangle untouched in some state.
bool MayDrawNothing(const std::string& name) {
  for (const char* quiet : {"DrawQuickAccessButton", "DrawApplicationButton", "DrawScrollButtonStrip",
                            "DrawQuickAccessToolbarBackground", "DrawAreaBottomLines"})
    if (name == quiet) return true;
  return false;
}

// Operations that centre a glyph of its own size on the rectangle, whatever the rectangle's size.
bool CentresAGlyphOfItsOwnSize(const std::string& name) {
  for (const char* glyph : {"DrawHelpButtonGlyph", "DrawFormCaptionButton", "DrawMDIButton"})
    if (name == glyph) return true;
  return false;
}

class RibbonSkinSweep : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { StartRibbonSkinUnits(); }
  void SetUp() override { ASSERT_TRUE(IsGdiPlusAvailable()); }

  void Sweep(TdxCustomRibbonSkin* skin) {
    TSurface surface(120, 120, RGB(1, 2, 3));
    HDC dc = surface.DC();
    HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN), brush = GetCurrentObject(dc, OBJ_BRUSH);
    for (const TOperation& op : Operations())
      for (int state = 0; state < 9; ++state)
        for (TRect r : {TRect(10, 10, 100, 110), TRect(5, 5, 6, 6), TRect(5, 5, 5, 5)}) {
          surface.Fill(RGB(1, 2, 3));
          const std::vector<uint32_t> before = surface.Pixels();
          ASSERT_NO_THROW(op.Draw(skin, dc, r, state)) << op.Name << " state " << state;
          HRGN clip = CreateRectRgn(0, 0, 0, 0);
          EXPECT_EQ(GetClipRgn(dc, clip), 0) << op.Name << " left a clip region";
          DeleteObject(clip);
          EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen) << op.Name;
          EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush) << op.Name;
          if (r.Width() == 0 && !CentresAGlyphOfItsOwnSize(op.Name))
            EXPECT_EQ(surface.Pixels(), before) << op.Name << " drew into an empty rectangle";
          drawnSomething_[op.Name] |= r.Width() > 10 && surface.Pixels() != before;
        }
  }

  std::map<std::string, bool> drawnSomething_;
};

TEST_F(RibbonSkinSweep, EveryOperationOfEverySchemeInEveryState) {
  std::vector<std::unique_ptr<TdxCustomRibbonSkin>> skins;
  skins.emplace_back(CreateRibbonSkin<TdxBlueRibbonSkin>());
  skins.emplace_back(CreateRibbonSkin<TdxBlackRibbonSkin>());
  skins.emplace_back(CreateRibbonSkin<TdxSilverRibbonSkin>());
  skins.emplace_back(CreateRibbonSkin<TLowColorSkin<TdxBlueRibbonSkin>>());
  skins.emplace_back(CreateRibbonSkin<TLowColorSkin<TdxSilverRibbonSkin>>());
  // A first round builds the part caches, and Wine's caption-button drawing of the low-colour
  // fallback makes objects it keeps for the process.
  Sweep(skins[0].get());
  Sweep(skins[3].get());
  const int objects = GdiObjectCount();
  for (auto& skin : skins) Sweep(skin.get());
  EXPECT_EQ(GdiObjectCount(), objects);
  for (const TOperation& op : Operations())
    if (!MayDrawNothing(op.Name)) EXPECT_TRUE(drawnSomething_[op.Name]) << op.Name << " never drew";
}

}  // namespace
