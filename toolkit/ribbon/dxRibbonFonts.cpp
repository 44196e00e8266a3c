// The ribbon's fonts and its skin bridge: the IdxSkin answers through which the bar painters draw
// bar elements with the ribbon's current skin.
#include "dxRibbon.h"

#include "dxBarManager.h"

CALDERAN_IMPLEMENT_CLASS(TdxRibbonFonts, TPersistent)

namespace {

constexpr int elementGroup = 1;
constexpr int elementSeparator = 460;

// Restores the device context's font, text colour and background mode.
class TDCTextState {
 public:
  explicit TDCTextState(HDC dc)
      : dc_(dc), font_(GetCurrentObject(dc, OBJ_FONT)), color_(GetTextColor(dc)), mode_(GetBkMode(dc)) {}
  ~TDCTextState() {
    SelectObject(dc_, font_);
    SetTextColor(dc_, color_);
    SetBkMode(dc_, mode_);
  }

 private:
  HDC dc_;
  HGDIOBJ font_;
  COLORREF color_;
  int mode_;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Fonts

TdxRibbonFonts::TdxRibbonFonts(TdxCustomRibbon* ribbon)
    : ribbon_(ribbon), captionFont_(std::make_unique<TFont>()), workingFont_(std::make_unique<TFont>()) {
  for (auto& font : fonts_) {
    font = std::make_unique<TFont>();
    font->OnChange = MakeEvent(this, &TdxRibbonFonts::FontChanged);
  }
}

TdxRibbonFonts::~TdxRibbonFonts() {
  for (auto& font : fonts_) font->OnChange = {};
}

void TdxRibbonFonts::Refresh() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = 340;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
    if (HFONT font = CreateFontIndirectA(&metrics.lfCaptionFont)) captionFont_->SetHandle(font);
  locked_ = true;
  try {
    for (int i = afTabHeader; i <= afGroupHeader; ++i) {
      const auto index = static_cast<TdxRibbonAssignedFont>(i);
      if (assignedFonts_.Contains(index)) continue;
      fonts_[i]->Assign(ribbon_->Font());
      UpdateFont(index);
    }
  } catch (...) {
    locked_ = false;
    throw;
  }
  locked_ = false;
}

void TdxRibbonFonts::UpdateFont(TdxRibbonAssignedFont index) {
  TdxBarManager* manager = ribbon_->BarManager();
  if (!manager) return;
  TFont* font = fonts_[index].get();
  font->Assign(manager->Font());
  if (index == afGroup) font->SetColor(SkinColor(rspTabGroupText, 0));
  if (index == afGroupHeader) font->SetColor(SkinColor(rspTabGroupHeaderText, 0));
}

TColor TdxRibbonFonts::SkinColor(int id, int state) const {
  return ribbon_->Skin() ? ribbon_->Skin()->GetElementColor(id, state) : clWindowText;
}

void TdxRibbonFonts::FontChanged(TObject* sender) {
  if (locked_ || ribbon_->ComponentState().Contains(csLoading)) return;
  ribbon_->BeginUpdate();
  try {
    for (int i = afTabHeader; i <= afGroupHeader; ++i)
      if (sender == fonts_[i].get()) assignedFonts_.Include(static_cast<TdxRibbonAssignedFont>(i));
    for (int i = 0; i < ribbon_->Tabs()->Count(); ++i) ribbon_->Tabs()->Items(i)->UpdateToolbarFonts();
  } catch (...) {
    ribbon_->EndUpdate();
    throw;
  }
  ribbon_->EndUpdate();
  if (ribbon_->Visible() && ribbon_->ActiveTab()) ribbon_->ActiveTab()->RecalculateDockControl();
}

void TdxRibbonFonts::SetAssignedFonts(TdxRibbonAssignedFonts value) {
  if (assignedFonts_ == value) return;
  assignedFonts_ = value;
  Refresh();
  FontChanged(nullptr);
}

void TdxRibbonFonts::SetDocumentNameColor(TColor value) { documentNameColor_ = value; }

void TdxRibbonFonts::Assign(TPersistent* source) {
  auto* fonts = ObjectAs<TdxRibbonFonts>(source);
  if (!fonts) {
    TPersistent::Assign(source);
    return;
  }
  ribbon_->BeginUpdate();
  try {
    documentNameColor_ = fonts->DocumentNameColor();
    for (int i = 0; i < 3; ++i) fonts_[i]->Assign(fonts->fonts_[i].get());
    assignedFonts_ = fonts->AssignedFonts();
  } catch (...) {
    ribbon_->EndUpdate();
    throw;
  }
  ribbon_->EndUpdate();
}

TColor TdxRibbonFonts::GetFormCaptionTextColor(bool active) const {
  return SkinColor(rspFormCaptionText, active ? 0 : 1);
}

TFont* TdxRibbonFonts::GetFormCaptionFont(bool active) {
  workingFont_->Assign(captionFont_.get());
  workingFont_->SetColor(GetFormCaptionTextColor(active));
  if (ribbon_->Skin()) workingFont_->SetSize(ribbon_->Skin()->ScaleFontSize(workingFont_->Size()));
  return workingFont_.get();
}

TFont* TdxRibbonFonts::GetGroupFont() {
  workingFont_->Assign(Group());
  return workingFont_.get();
}

TFont* TdxRibbonFonts::GetGroupHeaderFont() {
  workingFont_->Assign(GroupHeader());
  workingFont_->SetColor(SkinColor(rspTabGroupHeaderText, 0));
  return workingFont_.get();
}

TFont* TdxRibbonFonts::GetTabHeaderFont(int state) {
  workingFont_->Assign(TabHeader());
  workingFont_->SetColor(SkinColor(rspTabHeaderText, state));
  return workingFont_.get();
}

// ---------------------------------------------------------------------------------------------
// Skin bridge

namespace {

using TStateOperation = void (TdxCustomRibbonSkin::*)(HDC, const TRect&, int);
using TPlainOperation = void (TdxCustomRibbonSkin::*)(HDC, const TRect&);

struct TStateElement {
  int Id;
  TStateOperation Operation;
};
struct TPlainElement {
  int Id;
  TPlainOperation Operation;
};

using S = TdxCustomRibbonSkin;
constexpr TStateElement stateElements[] = {
    {3, &S::DrawSmallButton}, {4, &S::DrawSmallSplitButtonArrow}, {5, &S::DrawSmallSplitButtonMain},
    {6, &S::DrawLargeButton}, {7, &S::DrawLargeSplitButtonLower}, {8, &S::DrawLargeSplitButtonUpper},
    {11, &S::DrawEditButton}, {13, &S::DrawComboButtonGlyph}, {14, &S::DrawEllipsisButtonGlyph},
    {15, &S::DrawSpinButtonUp}, {16, &S::DrawSpinButtonDown}, {50, &S::DrawFramedPanel},
    {336, &S::DrawMarkGlyph}, {337, &S::DrawMarkGlyphAlt}, {340, &S::DrawDropDownArrow},
    {370, &S::DrawDetachCaption}, {430, &S::DrawMenuCheckFrame}, {440, &S::DrawMenuCheckMark},
    {446, &S::DrawMenuScrollButton}, {458, &S::DrawApplicationMenuButton}, {460, &S::DrawButtonGroupSeparator},
    {480, &S::DrawButtonGroupSplitter}, {500, &S::DrawButtonGroupArrowSplitter},
    {510, &S::DrawGroupCaptionButtonGlyph}, {515, &S::DrawGroupCaptionButton},
    {1000, &S::DrawCollapsedGroupButton}, {1001, &S::DrawCollapsedGroupGlyphFrame},
};
constexpr TPlainElement plainElements[] = {
    {30, &S::FillProgressBar}, {31, &S::DrawProgressBlock}, {32, &S::DrawProgressBarFrame},
    {40, &S::DrawScreenTipBackground}, {56, &S::FillPanelBackground}, {57, &S::DrawNarrowFrameB},
    {58, &S::DrawNarrowFrameA}, {59, &S::DrawRightGlyphB}, {60, &S::DrawRightGlyphA},
    {61, &S::DrawWideGlyphAbove}, {62, &S::DrawWideGlyphBelow}, {63, &S::DrawSmallFrameB},
    {65, &S::DrawSmallFrameA}, {360, &S::DrawSpinArrowGlyph}, {365, &S::DrawDownArrowGlyph},
    {366, &S::DrawRightArrowGlyph}, {380, &S::DrawMenuGlyphColumn}, {390, &S::DrawMenuContentBackground},
    {400, &S::DrawMenuSeparatorLine}, {410, &S::DrawMenuGlyphColumnSeparator}, {442, &S::DrawExpandButtonGlyph},
    {450, &S::DrawMenuFrame}, {452, &S::DrawApplicationMenuFrame}, {453, &S::DrawApplicationMenuHeader},
    {454, &S::DrawApplicationMenuFooter}, {470, &S::DrawButtonGroupBorderLeft},
    {490, &S::DrawButtonGroupBorderRight},
};

}  // namespace

void TdxCustomRibbon::DrawElement(HDC dc, const TRect& rect, int elementId, int state) {
  if (!skin_) return;
  if (elementId == elementGroup) {
    const TRect body(rect.Left, rect.Top, rect.Right, rect.Bottom - (GetGroupCaptionHeight() + 3));
    skin_->DrawTabGroupBody(dc, body, state);
    skin_->DrawTabGroupCaption(dc, TRect(rect.Left, body.Bottom, rect.Right, rect.Bottom), state);
    return;
  }
  if (elementId >= 53 && elementId <= 55) {
    skin_->DrawScrollButtonStrip(dc, rect, state, elementId - 53);
    return;
  }
  if (elementId == 520) {
    skin_->DrawQuickAccessButton(dc, rect, state, false, false, viewInfo_->IsQuickAccessToolbarBelow());
    return;
  }
  for (const TStateElement& e : stateElements)
    if (e.Id == elementId) return (skin_->*e.Operation)(dc, rect, state);
  for (const TPlainElement& e : plainElements)
    if (e.Id == elementId) return (skin_->*e.Operation)(dc, rect);
}

void TdxCustomRibbon::DrawElementCaption(HDC dc, const std::string& text, int elementId, const TRect& rect) {
  if (elementId != elementGroup) return;
  TDCTextState saved(dc);
  TFont* font = fonts_->GetGroupHeaderFont();
  SelectObject(dc, font->Handle());
  SetTextColor(dc, ColorToRGB(font->Color()));
  SetBkMode(dc, TRANSPARENT);
  RECT r{rect.Left, rect.Top + 1, rect.Right, rect.Bottom};
  ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

TRect TdxCustomRibbon::GetElementCaptionRect(const TRect& rect, int elementId) {
  if (elementId != elementGroup) return TRect();
  const TRect offsets = GetElementContentOffsets(elementGroup);
  const int bottom = rect.Bottom - 3;
  return TRect(rect.Left + offsets.Left, bottom - GetGroupCaptionHeight(), rect.Right - offsets.Right, bottom);
}

TRect TdxCustomRibbon::GetElementContentOffsets(int elementId) {
  switch (elementId) {
    case elementGroup: return TRect(2, 2, 3, GetGroupCaptionHeight() + 1 + 3);
    case 3:
    case 520: return TRect(3, 3, 3, 3);
    case 65: return skin_ ? skin_->GetElementContentOffsets(65) : TRect();
    case 1000: return TRect(2, 2, 2, 2);
    case 1001: return TRect(7, 4, 7, 11);
    default: return TRect();
  }
}

std::string TdxCustomRibbon::GetSkinName() { return skin_ ? skin_->GetSkinName() : std::string(); }

TColor TdxCustomRibbon::GetElementColor(int elementId, int state) {
  return skin_ ? skin_->GetElementColor(elementId, state) : clDefault;
}

int TdxCustomRibbon::GetElementMetric(int elementId) {
  if (elementId == elementGroup) return 2;
  return elementId == elementSeparator ? 3 : 0;
}
