#include "dxBarStaticControls.h"

#include "cxGraphics.h"
#include "dxBarButtons.h"
#include "dxBarControl.h"
#include "dxBarItem.h"
#include "dxBarItemLinks.h"
#include "dxBarItemRegistry.h"

CALDERAN_IMPLEMENT_CLASS(TdxBarCustomStaticControl, TdxBarItemControl)
CALDERAN_IMPLEMENT_CREATABLE(TdxBarSeparatorControl, TdxBarCustomStaticControl, TdxBarItemLink*)

namespace {
// The canvas draws bold while a separator is measured or drawn, whatever the item's style says. The
// bold copy is selected into the device context only: changing the bar window's own font would
// make the window measure its controls again.
class TBoldFont {
 public:
  explicit TBoldFont(TcxCanvas* canvas) : dc_(canvas ? canvas->GetHandle() : nullptr) {
    if (!dc_) return;
    bold_.Assign(canvas->GetFont());
    bold_.SetStyle(bold_.Style() + TFontStyles{TFontStyle::fsBold});
    old_ = SelectObject(dc_, bold_.Handle());
  }
  ~TBoldFont() {
    if (dc_) SelectObject(dc_, old_);
  }
  TBoldFont(const TBoldFont&) = delete;
  TBoldFont& operator=(const TBoldFont&) = delete;

 private:
  HDC dc_;
  TFont bold_;
  HGDIOBJ old_ = nullptr;
};

bool ShowsCaption(const TdxBarItemControl* control) { return control->Item() && control->Item()->ShowCaption(); }

void DrawCaption(const TdxBarItemControlDrawParams& params, const TRect& rect, int left) {
  TdxBarItemControl* control = params.BarItemControl;
  HDC dc = params.Canvas->GetHandle();
  RECT r{rect.Left + left, rect.Top, rect.Right, rect.Bottom};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(params.Enabled ? control->Painter()->GetEnabledTextColor(control, false, false)
                                             : TColor(clGrayText)));
  DrawTextA(dc, params.Caption.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS);
}
}  // namespace

// ---------------------------------------------------------------------------------------------
bool TdxBarCustomStaticControl::IsSelectable() const {
  return Parent() && Parent()->IsCustomizing() && TdxBarItemControl::IsSelectable();
}

int TdxBarCustomStaticControl::GetDefaultViewStructure() const {
  int structure = ShowsCaption(this) ? cvsCaption : 0;
  if (HasGlyphForSize(GetViewSize())) structure |= cvsGlyph;
  return structure;
}

void TdxBarCustomStaticControl::Draw(const TRect& rect, int) { Painter()->DrawStatic(DrawParams(), rect); }

// ---------------------------------------------------------------------------------------------
bool TdxBarSeparatorControl::IsFirst() const { return Link() && Link()->GetVisibleIndex() == 0; }

void TdxBarSeparatorControl::CalcDrawParams(bool full) {
  TdxBarCustomStaticControl::CalcDrawParams(full);
  isFirst_ = IsFirst();
}

void TdxBarSeparatorControl::Draw(const TRect& rect, int) {
  TBoldFont bold(DrawParams().Canvas);
  Painter()->DrawSeparator(DrawParams(), rect, isFirst_);
}

int TdxBarSeparatorControl::GetDefaultViewStructure() const {
  return ShowsCaption(this) && Parent() && Parent()->GetKind() == 2 ? cvsCaption : 0;
}

int TdxBarSeparatorControl::GetMenuHeight() {
  if (!(GetViewStructure() & cvsCaption)) return Parent() ? Parent()->GetSeparatorSize() : 0;
  return Painter()->GetSeparatorLineSpace() * (IsFirst() ? 1 : 2) + TdxBarCustomStaticControl::GetMenuHeight();
}

int TdxBarSeparatorControl::GetMinWidth() { return Parent() ? Parent()->IconAreaSize() : 0; }

int TdxBarSeparatorControl::GetHorzWidth() { return Parent() ? Parent()->GetSeparatorSize() : 0; }

// Measured in a bold copy of the bar window's font (the window's canvas keeps its own font).
int TdxBarSeparatorControl::GetCaptionWidth() {
  if (!Parent()) return 0;
  TFont bold;
  bold.Assign(Parent()->ItemsFont());
  bold.SetStyle(bold.Style() + TFontStyles{TFontStyle::fsBold});
  return GetFontTextWidth(&bold, GetCaption());
}

// ---------------------------------------------------------------------------------------------
// The base painter: a static is its background and its caption after a quarter of the text
// height; a separator in a toolbar an etched line across, in a menu an etched line or the caption
// row between lines.
void TdxBarPainter::DrawStatic(const TdxBarItemControlDrawParams& params, const TRect& rect) const {
  TdxBarItemControl* control = params.BarItemControl;
  if (!control || !params.Canvas) return;
  FillRect(params.Canvas->GetHandle(), TRect(rect).Win(), control->GetBackgroundBrush());
  if (params.ViewStructure & cvsCaption) DrawCaption(params, rect, control->GetTextSize() / 4);
}

void TdxBarPainter::DrawSeparator(const TdxBarItemControlDrawParams& params, const TRect& rect, bool isFirst) const {
  TdxBarItemControl* control = params.BarItemControl;
  if (!control || !params.Canvas) return;
  TCustomdxBarControl* bar = control->Parent();
  HDC dc = params.Canvas->GetHandle();
  if (params.ViewStructure & cvsCaption) {
    FillRect(dc, TRect(rect).Win(), control->GetBackgroundBrush());
    DrawCaption(params, rect, GetSeparatorTextOffsets().Left);
    const int line = GetSeparatorLineSpace();
    if (!isFirst) DrawMenuSeparatorLine(params.Canvas, {rect.Left, rect.Top, rect.Right, rect.Top + line});
    DrawMenuSeparatorLine(params.Canvas, {rect.Left, rect.Bottom - line, rect.Right, rect.Bottom});
    return;
  }
  if (bar && bar->GetKind() == 2) {
    FillRect(dc, TRect(rect).Win(), control->GetBackgroundBrush());
    const int middle = (rect.Top + rect.Bottom) / 2 - 1;
    DrawMenuSeparatorLine(params.Canvas, {rect.Left + 2, middle, rect.Right - 2, middle + 2});
    return;
  }
  if (bar) DrawToolbarSeparator(bar, dc, bar->IsVertical(), control->GetBackgroundBrush(), rect);
}

// ---------------------------------------------------------------------------------------------
namespace {
void RegisterStaticControls() {
  RegisterBarItemClass(TdxBarSeparator::StaticClass(), TdxBarSeparatorControl::StaticClass(), true);
}
void UnregisterStaticControls() { UnregisterBarItemClass(TdxBarSeparator::StaticClass()); }
}  // namespace

const TUnitInfo dxBarStaticControlsUnit{"dxBarStaticControls", RegisterStaticControls, UnregisterStaticControls};
