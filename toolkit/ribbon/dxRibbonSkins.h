// The ribbon's colour schemes "Blue", "Black" and "Silver": bar skins whose parts are cut from three
// PNG sheets each (the form sheet, the shared common sheet, the scheme's own sheet), with one drawing
// operation per ribbon element, a colour table and a few metrics.
//
// Part ids run from 10000 to 10487. A state strip whose first id is N gives state s the id N + s;
// a state the strip does not list has no part and draws nothing. The places of the frames in the
// sheets are the artwork's (dxRibbonSkinsSheets.h, written by tools/make_ribbon_skins.py).
//
// On a display of 8 bits per pixel or less (decided once, when the skin is made) the operations
// draw with system colours and plain shapes, and the colour table answers system colours.
//
// Mended: colour 66 in a state other than 0 and 2 answers clDefault instead of raising; Silver's
// colour 10098 is the plain (112, 118, 231); DrawFrameButton draws a state beyond its five frames
// with the last one (state 4). The skins register only when GDI+ is there; one the manager refuses
// is freed.
#pragma once
#include <windows.h>

#include <string>
#include <unordered_map>

#include "Controls.h"
#include "Forms.h"
#include "Graphics.h"
#include "dxBarSkin.h"
#include "dxRibbonSkinsSheets.h"

// What the form frame and caption drawing needs to know of the form.
struct TdxRibbonFormData {
  bool Active = true;
  TWindowState State = wsNormal;
  TFormBorderStyle Border = bsSizeable;
  bool MDIChild = false;
  int CaptionStyle = 0;  // 2: a caption the low-colour drawing leaves without its top rows
};

// The states of a strip (bit s set: state s has a part) and, per state in order, its frame.
struct TdxRibbonPartGroup {
  int FirstId;
  TdxRibbonSheetKind Sheet;
  TRect Margins;
  uint16_t States;
  const char* FrameMap;  // one digit per listed state; empty: the n-th listed state uses frame n
  int InterpolationMode;
};

class TdxCustomRibbonSkin : public TdxCustomBarSkin {
  CALDERAN_CLASS(TdxCustomRibbonSkin)
  // Builds the whole skin: the form, common and scheme parts, in that order.
  void Build();
  bool LowColor() const { return lowColor_; }
  // The list index of the part with the id, or -1.
  int PartIndex(int id) const;

  virtual std::string GetSchemeName() const = 0;
  virtual void DrawApplicationButtonLowColor(HDC dc, const TRect& r, int state);
  virtual void DrawApplicationMenuFrameLowColor(HDC dc, const TRect& r);
  virtual void DrawFormBordersLowColor(HDC dc, const TRect& bordersWidth, const TRect& bounds);
  virtual void DrawFormCaptionButtonLowColor(HDC dc, const TRect& r, int kind, int state);
  virtual void DrawFormCaptionLowColor(HDC dc, const TRect& r, const TdxRibbonFormData& data);
  virtual Gdiplus::GpBitmap* LoadCommonSheet();
  virtual Gdiplus::GpBitmap* LoadSchemeSheet() = 0;
  virtual Gdiplus::GpBitmap* LoadFormSheet() = 0;
  virtual void AddCommonParts(Gdiplus::GpImage* sheet);
  virtual void AddSchemeParts(Gdiplus::GpImage* sheet);
  virtual void AddFormParts(Gdiplus::GpImage* sheet);
  virtual void AddApplicationButtonParts(Gdiplus::GpImage* sheet);
  virtual void AddFormCaptionButtonParts(Gdiplus::GpImage* sheet);
  virtual void AddItemParts(Gdiplus::GpImage* sheet);
  virtual void AddGroupParts(Gdiplus::GpImage* sheet);
  virtual void AddApplicationMenuParts(Gdiplus::GpImage* sheet);
  virtual void AddProgressBarFramePart(Gdiplus::GpImage* sheet);
  virtual void AddSpinArrowPart(Gdiplus::GpImage* sheet);
  virtual void AddScreenTipPart(Gdiplus::GpImage* sheet);
  virtual void AddRemainingSchemeParts(Gdiplus::GpImage* sheet);

  virtual void DrawApplicationButton(HDC dc, const TRect& r, int state);
  virtual void DrawApplicationMenuButton(HDC dc, const TRect& r, int state);
  virtual void DrawApplicationMenuFrame(HDC dc, const TRect& r);
  virtual void DrawApplicationMenuHeader(HDC dc, const TRect& r);
  virtual void DrawApplicationMenuFooter(HDC dc, const TRect& r);
  virtual void DrawDropDownArrow(HDC dc, const TRect& r, int state);
  virtual void DrawDownArrowGlyph(HDC dc, const TRect& r);
  virtual void DrawRightArrowGlyph(HDC dc, const TRect& r);
  virtual void DrawButtonGroupSeparator(HDC dc, const TRect& r, int state);
  virtual void DrawButtonGroupBorderLeft(HDC dc, const TRect& r);
  virtual void DrawButtonGroupSplitter(HDC dc, const TRect& r, int state);
  virtual void DrawButtonGroupBorderRight(HDC dc, const TRect& r);
  virtual void DrawButtonGroupArrowSplitter(HDC dc, const TRect& r, int state);
  virtual void DrawCollapsedGroupButton(HDC dc, const TRect& r, int state);
  virtual void DrawCollapsedGroupGlyphFrame(HDC dc, const TRect& r, int state);
  virtual void DrawMenuFrame(HDC dc, const TRect& r);
  virtual void FillPanelBackground(HDC dc, const TRect& r);
  virtual void DrawRightGlyphA(HDC dc, const TRect& r);
  virtual void DrawNarrowFrameA(HDC dc, const TRect& r);
  virtual void DrawWideGlyphBelow(HDC dc, const TRect& r);
  virtual void DrawRightGlyphB(HDC dc, const TRect& r);
  virtual void DrawNarrowFrameB(HDC dc, const TRect& r);
  virtual void DrawWideGlyphAbove(HDC dc, const TRect& r);
  virtual void DrawComboButtonGlyph(HDC /*dc*/, const TRect& /*r*/, int /*state*/) {}
  virtual void DrawEditButton(HDC dc, const TRect& r, int state);
  virtual void DrawEllipsisButtonGlyph(HDC /*dc*/, const TRect& /*r*/, int /*state*/) {}
  virtual void DrawSpinButtonUp(HDC /*dc*/, const TRect& /*r*/, int /*state*/) {}
  virtual void DrawSpinButtonDown(HDC /*dc*/, const TRect& /*r*/, int /*state*/) {}
  // bordersWidth: left, top, right, bottom widths; bounds: the form's outer rectangle.
  virtual void DrawFormBorders(HDC dc, const TRect& bordersWidth, const TRect& bounds, const TdxRibbonFormData& data,
                               int captionHeight);
  virtual void DrawFormCaptionButton(HDC dc, const TRect& r, int kind, int state, bool active = true);
  virtual void DrawFormCaption(HDC dc, const TRect& r, const TdxRibbonFormData& data);
  virtual void DrawCaptionEdgePart(HDC dc, const TRect& r, int side, int index, bool active, bool variant);
  virtual void DrawHelpButtonBackground(HDC dc, const TRect& r, int state);
  virtual void DrawHelpButtonGlyph(HDC dc, const TRect& r);
  virtual void DrawSmallFrameA(HDC dc, const TRect& r);
  virtual void DrawSmallFrameB(HDC dc, const TRect& r);
  virtual void DrawGroupScrollButton(HDC dc, const TRect& r, int direction, int state);
  virtual void DrawFramedPanel(HDC dc, const TRect& r, int state);
  virtual void DrawScrollButtonStrip(HDC dc, const TRect& r, int state, int variant);
  virtual void DrawLargeButton(HDC dc, const TRect& r, int state);
  virtual void DrawLargeSplitButtonUpper(HDC dc, const TRect& r, int state);
  virtual void DrawLargeSplitButtonLower(HDC dc, const TRect& r, int state);
  virtual void DrawGroupCaptionButton(HDC dc, const TRect& r, int state);
  virtual void DrawGroupCaptionButtonGlyph(HDC dc, const TRect& r, int state);
  virtual void DrawMDIButton(HDC dc, const TRect& r, int kind, int state);
  virtual void DrawMenuCheckFrame(HDC dc, const TRect& r, int state);
  virtual void DrawMenuCheckMark(HDC dc, const TRect& r, int state);
  virtual void DrawMenuContentBackground(HDC dc, const TRect& r);
  virtual void DrawDetachCaption(HDC dc, const TRect& r, int state);
  virtual void DrawMenuGlyphColumn(HDC dc, const TRect& r);
  virtual void DrawExpandButtonGlyph(HDC dc, const TRect& r);
  virtual void DrawMenuSeparatorLine(HDC dc, const TRect& r);
  virtual void DrawMenuGlyphColumnSeparator(HDC dc, const TRect& r);
  virtual void DrawMenuScrollButton(HDC dc, const TRect& r, int state);
  virtual void FillProgressBar(HDC dc, const TRect& r);
  virtual void DrawProgressBarFrame(HDC dc, const TRect& r);
  virtual void DrawProgressBlock(HDC dc, const TRect& r);
  virtual void DrawTabRowBackground(HDC dc, const TRect& r);
  virtual void DrawAreaBottomLines(HDC /*dc*/, const TRect& /*r*/) {}
  virtual void DrawTabRowCaptionBackground(HDC dc, const TRect& r);
  virtual void DrawSmallButton(HDC dc, const TRect& r, int state);
  virtual void DrawSmallSplitButtonMain(HDC dc, const TRect& r, int state);
  virtual void DrawSmallSplitButtonArrow(HDC dc, const TRect& r, int state);
  virtual void DrawSpinArrowGlyph(HDC dc, const TRect& r);
  virtual void DrawScreenTipBackground(HDC dc, const TRect& r);
  virtual void DrawFrameButton(HDC dc, const TRect& r, int state);
  virtual void DrawTabGroupBody(HDC dc, const TRect& r, int state);
  virtual void DrawTabGroupCaption(HDC dc, const TRect& r, int state);
  virtual void DrawMarkGlyph(HDC dc, const TRect& r, int state);
  virtual void DrawMarkGlyphAlt(HDC dc, const TRect& r, int state);
  virtual void DrawTabGroupsArea(HDC dc, const TRect& r);
  virtual void DrawTabScrollButton(HDC dc, const TRect& r, int direction, int state);
  virtual void DrawTabSeparator(HDC dc, const TRect& r, Byte alpha);
  virtual void DrawQuickAccessToolbarBackground(HDC dc, const TRect& r, bool below, bool inCaption,
                                                bool withApplicationButton, bool active, bool noGlass);
  virtual void DrawSmallGlyph(HDC dc, const TRect& r);
  // The second variant when last is set, or when middle is set and first is not.
  virtual void DrawQuickAccessButton(HDC dc, const TRect& r, int state, bool first, bool middle, bool last);
  virtual void DrawQuickAccessPopupBackground(HDC dc, const TRect& r);
  virtual void DrawPanelSeparatorA(HDC dc, const TRect& r);
  virtual void DrawPanelSeparatorB(HDC dc, const TRect& r);
  virtual void DrawPanelSeparatorC(HDC dc, const TRect& r, bool first);
  virtual void DrawPanelSeparatorD(HDC dc, const TRect& r);
  virtual void DrawSizeGripDots(HDC dc, const TRect& r);
  virtual void DrawPanelSeparatorE(HDC dc, const TRect& r);
  virtual TSize GetApplicationButtonSize() const { return TSize(42, 42); }
  virtual int ScaleFontSize(int size) const { return size; }
  virtual int GetSeparatorSize() const { return 2; }
  virtual TColor GetElementColor(int colorId, int state) const;
  virtual TRect GetElementContentOffsets(int /*element*/) const { return TRect(); }
  virtual std::string GetSkinName() const { return ""; }
  virtual int GetQuickAccessToolbarIndent() const { return 0; }
  virtual int GetQuickAccessToolbarEndIndent(bool /*applicationButtonVisible*/, bool below) const { return below ? 5 : 12; }
  virtual int GetApplicationButtonOverlap(bool applicationButtonVisible) const { return applicationButtonVisible ? 14 : 0; }
  virtual int GetCaptionLeftIndent(bool /*applicationButtonVisible*/) const { return 0; }
  virtual TRect GetFormBorderWidths(bool withCaptionHelper) const { return TRect(4, 0, 4, withCaptionHelper ? 1 : 4); }
  virtual bool PaintsGroupNonClientArea() const { return false; }
  virtual bool DrawsScrollButtonArrows() const { return true; }

 protected:
  TdxCustomRibbonSkin(const std::string& name);
  // The base table every scheme falls back to (and the low-colour table).
  TColor BaseElementColor(int colorId, int state) const;
  TColor LowColorElementColor(int colorId, int state) const;
  // Whether the screen shows 8 bits per pixel or less; asked once, when the skin is built.
  virtual bool IsLowColorDisplay() const;
  void DrawPart(HDC dc, int id, const TRect& r, Byte alpha = 255);
  // Draws state s of the strip (part firstId + s); nothing when the strip has no such state.
  void DrawStatePart(HDC dc, int firstId, int state, const TRect& r);
  void AddGroups(Gdiplus::GpImage* sheet, const TdxRibbonPartGroup* groups, size_t count);
  Gdiplus::GpBitmap* LoadSheet(const char* resourceName);

 private:
  void AddStateStrip(Gdiplus::GpImage* sheet, const TdxRibbonPartGroup& group);
  void DrawCentredWideGlyph(HDC dc, const TRect& r);
  void DrawGlyphSquare(HDC dc, int id, const TRect& r, int offsetY);

  bool lowColor_ = false;
  std::unordered_map<int, int> partIndexes_;  // part id -> list index
};

class TdxBlueRibbonSkin : public TdxCustomRibbonSkin {
  CALDERAN_CLASS(TdxBlueRibbonSkin)
  TdxBlueRibbonSkin();
  std::string GetSchemeName() const override { return "Blue"; }
  Gdiplus::GpBitmap* LoadSchemeSheet() override { return LoadSheet("RIBBONBLUE"); }
  Gdiplus::GpBitmap* LoadFormSheet() override { return LoadSheet("FORMBLUE"); }
  TColor GetElementColor(int colorId, int state) const override;
  void DrawAreaBottomLines(HDC dc, const TRect& r) override;

 protected:
  explicit TdxBlueRibbonSkin(const std::string& name) : TdxCustomRibbonSkin(name) {}
};

class TdxBlackRibbonSkin : public TdxCustomRibbonSkin {
  CALDERAN_CLASS(TdxBlackRibbonSkin)
  TdxBlackRibbonSkin();
  std::string GetSchemeName() const override { return "Black"; }
  Gdiplus::GpBitmap* LoadSchemeSheet() override { return LoadSheet("RIBBONBLACK"); }
  Gdiplus::GpBitmap* LoadFormSheet() override { return LoadSheet("FORMBLACK"); }
  TColor GetElementColor(int colorId, int state) const override;
  void DrawAreaBottomLines(HDC dc, const TRect& r) override;

 protected:
  explicit TdxBlackRibbonSkin(const std::string& name) : TdxCustomRibbonSkin(name) {}
};

class TdxSilverRibbonSkin : public TdxBlackRibbonSkin {
  CALDERAN_CLASS(TdxSilverRibbonSkin)
  TdxSilverRibbonSkin();
  std::string GetSchemeName() const override { return "Silver"; }
  Gdiplus::GpBitmap* LoadSchemeSheet() override { return LoadSheet("RIBBONSILVER"); }
  Gdiplus::GpBitmap* LoadFormSheet() override { return LoadSheet("FORMSILVER"); }
  TColor GetElementColor(int colorId, int state) const override;
  void DrawAreaBottomLines(HDC dc, const TRect& r) override;
};

// Made through this, so the skin's own overrides take part in building it.
template <class TSkin> TSkin* CreateRibbonSkin() {
  auto* skin = new TSkin();
  try {
    skin->Build();
  } catch (...) {
    delete skin;
    throw;
  }
  return skin;
}

// Registers the three skins (Blue, Black, Silver) when GDI+ is there; shut-down removes them.
extern const TUnitInfo dxRibbonSkinsUnit;
