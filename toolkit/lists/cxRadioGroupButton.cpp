// The radio button painted through its look and feel: an owner-drawn platform button whose glyph
// comes from the painter, with its own hot and pressed states and caption margins.
#include <windows.h>

#include <algorithm>

#include "Forms.h"
#include "cxEditPaintUtils.h"
#include "cxGeometry.h"
#include "cxGraphicsRoutines.h"
#include "cxRadioGroup.h"
#include "dxThemeManager.h"

CALDERAN_IMPLEMENT_CREATABLE(TcxRadioButton, TRadioButton, TComponent*)

namespace {

constexpr TcxButtonState buttonStateOf[] = {cxbsDisabled, cxbsHot, cxbsNormal, cxbsPressed};

// Left, top, right, bottom; by (word wrap, native) for each placement.
constexpr TRect inPlaceMargins[2] = {TRect(5, 0, 1, 0), TRect(3, 0, 0, 0)};
constexpr TRect leftMargins[2][2] = {{TRect(2, -1, 1, 0), TRect(0, -1, 1, 0)}, {TRect(5, -1, 0, 0), TRect(3, -1, 0, 0)}};
constexpr TRect rightMargins[2][2] = {{TRect(2, -1, 6, 0), TRect(0, -1, 3, 0)},
                                      {TRect(5, -1, 2, 0), TRect(3, -1, 0, 0)}};

}  // namespace

TcxButtonState RadioButtonStateToButtonState(TcxRadioButtonState state) { return buttonStateOf[state]; }

TcxRadioButtonState ComputeRadioButtonState(const TcxRadioButtonStateInput& in) {
  if (!in.Enabled) return rbsDisabled;
  if (in.Designing) return rbsNormal;
  if (in.Captured) return in.Inside ? rbsPressed : rbsHot;
  if (!in.Inside || in.ButtonDown) return rbsNormal;
  return rbsHot;
}

TRect RadioButtonCaptionMargins(const TcxRadioCaptionPlacement& p) {
  if (p.InPlace) return inPlaceMargins[p.Native];
  return p.CaptionLeft ? leftMargins[p.WordWrap][p.Native] : rightMargins[p.WordWrap][p.Native];
}

// ---------------------------------------------------------------------------------------------
// Construction and settings

TcxRadioButton::TcxRadioButton(TComponent* owner) : TRadioButton(owner) {
  controlCanvas_ = std::make_unique<TControlCanvas>();
  controlCanvas_->SetControl(this);
  canvas_ = std::make_unique<TcxCanvas>(controlCanvas_.get());
  lookAndFeel_ = std::make_unique<TcxLookAndFeel>(this);
  lookAndFeel_->OnChanged = MakeEvent(this, &TcxRadioButton::LookAndFeelChangedHandler);
  SetParentBackground(true);
  SetControlStyle(ControlStyle() + csReflector);
}

TcxRadioButton::~TcxRadioButton() {
  EndMouseTracking(this);
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
}

void TcxRadioButton::SetPopupMenu(TComponent* value) {
  if (value && !ObjectAs<TPopupMenu>(value) && !dynamic_cast<IcxPopupMenuHandler*>(value)) value = nullptr;
  if (value == popupMenu_) return;
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = value;
  if (value) value->FreeNotification(this);
}

void TcxRadioButton::Notification(TComponent* component, TOperation operation) {
  TRadioButton::Notification(component, operation);
  if (operation == opRemove && component == popupMenu_) popupMenu_ = nullptr;
}

void TcxRadioButton::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Invalidate();
}

void TcxRadioButton::SetWordWrap(bool value) {
  if (value == wordWrap_) return;
  wordWrap_ = value;
  Invalidate();
}

bool TcxRadioButton::Focused() { return !ComponentState().Contains(csDesigning) && TRadioButton::Focused(); }

void TcxRadioButton::CreateParams(TCreateParams& params) {
  TRadioButton::CreateParams(params);
  params.Style = (params.Style & ~(BS_TYPEMASK | BS_LEFTTEXT)) | BS_OWNERDRAW;
}

void TcxRadioButton::CreateWnd() {
  TRadioButton::CreateWnd();
  UpdateState(cmbNone, {}, ScreenToClient(GetMouseScreenPos()));
}

// ---------------------------------------------------------------------------------------------
// Messages

void TcxRadioButton::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case CN_DRAWITEM: CNDrawItem(m); break;
    case CN_MEASUREITEM: CNMeasureItem(m); break;
    case CN_KEYDOWN: case CN_SYSKEYDOWN: CNKeyDown(m); break;
    case CM_ENTER: CMEnter(m); break;
    case CM_MOUSEENTER: TRadioButton::Dispatch(m); MouseEnter(reinterpret_cast<TControl*>(m.LParam)); break;
    case CM_MOUSELEAVE: TRadioButton::Dispatch(m); MouseLeave(reinterpret_cast<TControl*>(m.LParam)); break;
    case CM_ENABLEDCHANGED: TRadioButton::Dispatch(m); EnabledChanged(); break;
    case CM_SYSCOLORCHANGE: case WM_SYSCOLORCHANGE: TRadioButton::Dispatch(m); Invalidate(); break;
    case WM_CONTEXTMENU: WMContextMenu(m); break;
    case WM_ERASEBKGND: m.Result = 1; break;
    case BM_SETCHECK:
      TRadioButton::Dispatch(m);
      InvalidateRect(Handle(), RectInflate(glyphRect_, 1, 1).Win(), FALSE);
      break;
    case WM_WINDOWPOSCHANGED:
      TRadioButton::Dispatch(m);
      if (ShowsParentThrough()) Invalidate();
      break;
    default: TRadioButton::Dispatch(m);
  }
}

void TcxRadioButton::CNDrawItem(TMessage& m) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
  controlCanvas_->SetHandle(item->hDC);
  focusedPaint_ = (item->itemState & ODS_FOCUS) != 0;
  PaintButton(item->itemAction == ODA_FOCUS);
  controlCanvas_->SetHandle(nullptr);
  m.Result = TRUE;
}

void TcxRadioButton::CNMeasureItem(TMessage& m) {
  auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
  item->itemWidth = Width();
  item->itemHeight = Height();
}

void TcxRadioButton::CNKeyDown(TMessage& m) {
  if (IsPopupMenuShortCut(popupMenu_, m)) {
    m.Result = 1;
    return;
  }
  TRadioButton::Dispatch(m);
}

// Entering checks the button (the check itself fires no click), then clicks unless loading.
void TcxRadioButton::CMEnter(TMessage& m) {
  TRadioButton::Dispatch(m);
  if (Checked()) return;
  SetClicksDisabled(true);
  SetChecked(true);
  SetClicksDisabled(false);
  if (!ComponentState().Contains(csLoading)) Click();
}

void TcxRadioButton::WMContextMenu(TMessage& m) {
  TPoint point(static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam)));
  const bool keyboard = point.X == -1 && point.Y == -1;
  if (!keyboard && !ClientRect().Contains(ScreenToClient(point))) return TRadioButton::Dispatch(m);
  TRadioButton::Dispatch(m);
  if (m.Result != 0 || !popupMenu_) return;
  if (keyboard) point = ClientToScreen(TPoint(0, 0));
  DoShowPopupMenu(popupMenu_, point.X, point.Y);
  m.Result = 1;
}

void TcxRadioButton::DoShowPopupMenu(TComponent* menu, int x, int y) { ShowPopupMenu(this, menu, x, y); }

// ---------------------------------------------------------------------------------------------
// State

void TcxRadioButton::SetState(TcxRadioButtonState state) {
  if (state == state_) return;
  state_ = state;
  if (HandleAllocated()) InvalidateRect(Handle(), RectInflate(glyphRect_, 1, 1).Win(), FALSE);
}

void TcxRadioButton::UpdateState(TcxContainerMouseButton, TShiftState shift, const TPoint& point) {
  TcxRadioButtonStateInput in;
  in.Enabled = Enabled();
  in.Designing = ComponentState().Contains(csDesigning);
  in.Captured = HandleAllocated() && GetCapture() == Handle();
  in.Inside = ClientRect().Contains(point);
  in.ButtonDown = !(shift * TShiftState{ssLeft, ssRight, ssMiddle}).Empty();
  SetState(ComputeRadioButtonState(in));
}

void TcxRadioButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TRadioButton::MouseDown(button, shift, x, y);
  UpdateState(ToContainerMouseButton(button), shift, TPoint(x, y));
}

void TcxRadioButton::MouseMove(TShiftState shift, int x, int y) {
  TRadioButton::MouseMove(shift, x, y);
  UpdateState(cmbNone, shift, TPoint(x, y));
}

void TcxRadioButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TRadioButton::MouseUp(button, shift, x, y);
  UpdateState(ToContainerMouseButton(button), shift, TPoint(x, y));
}

void TcxRadioButton::MouseEnter(TControl*) {
  if (!HandleAllocated()) return;
  UpdateState(cmbNone, GetCurrentShiftState(), ScreenToClient(GetMouseScreenPos()));
  BeginMouseTracking(this, ClientRect(), this);
}

void TcxRadioButton::MouseLeave(TControl*) {
  UpdateState(cmbNone, {}, TPoint(-1, -1));
  EndMouseTracking(this);
}

void TcxRadioButton::EnabledChanged() {
  UpdateState(cmbNone, {}, HandleAllocated() ? ScreenToClient(GetMouseScreenPos()) : TPoint(-1, -1));
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Painting

TcxCustomLookAndFeelPainterClass TcxRadioButton::ButtonPainter() const { return lookAndFeel_->CurrentPainter(); }

bool TcxRadioButton::UsesNativeTheme() {
  return lookAndFeel_->NativeStyle() && !lookAndFeel_->SkinPainter() && OpenThemeByKind(totButton) != nullptr;
}
bool TcxRadioButton::UsesThemedParentBackground() { return UsesNativeTheme() && ParentBackground(); }
bool TcxRadioButton::IsTransparentDrawn() { return transparent_ || lookAndFeel_->SkinPainter() != nullptr; }
bool TcxRadioButton::ShowsParentThrough() { return IsTransparentDrawn() || UsesThemedParentBackground(); }

void TcxRadioButton::FillBackground() {
  if (ShowsParentThrough()) return;
  FillRectWithColor(canvas_.get(), ClientRect(), Color());
}

void TcxRadioButton::PaintBackground() {
  if (IsTransparentDrawn()) PaintParentImage(this, canvas_.get(), ClientRect(), false);
  else if (UsesThemedParentBackground()) DrawParentBackground(this, canvas_.get(), ClientRect());
}

TColor TcxRadioButton::GlyphBackgroundColor() {
  if (!ShowsParentThrough()) return Color();
  return lookAndFeel_->SkinPainter() ? clNone : clDefault;
}

void TcxRadioButton::PaintButton(bool focusOnly) {
  TcxCanvas* canvas = canvas_.get();
  canvas->SaveState();
  canvas->SaveClipRegion();
  const bool native = UsesNativeTheme();
  if (!focusOnly) {
    PaintBackground();
    if (native) FillBackground();
  }
  TcxCustomLookAndFeelPainterClass painter = ButtonPainter();
  const TSize glyph = painter->RadioButtonSize();
  const int top = (Height() - glyph.cy) / 2;
  const int left = Alignment() == taRightJustify ? (!native && !IsInplaceButton() ? 1 : 0) : Width() - glyph.cx;
  glyphRect_ = RectBounds(left, top, glyph.cx, glyph.cy);
  painter->PaintRadioButton(canvas, left, top, RadioButtonStateToButtonState(state_), Checked(), Focused(),
                            GlyphBackgroundColor(), ComponentState().Contains(csDesigning));
  canvas->ExcludeClipRect(glyphRect_);
  if (!focusOnly && !native) FillBackground();
  DrawCaption(canvas, native);
  canvas->RestoreClipRegion();
  canvas->RestoreState();
}

void TcxRadioButton::AdjustCaptionRect(TRect& rect, bool native) {
  TcxRadioCaptionPlacement placement;
  placement.InPlace = IsInplaceButton();
  placement.CaptionLeft = Alignment() != taRightJustify;
  placement.WordWrap = wordWrap_;
  placement.Native = native;
  const TRect m = RadioButtonCaptionMargins(placement);
  rect = TRect(rect.Left + m.Left, rect.Top + m.Top, rect.Right - m.Right, rect.Bottom - m.Bottom);
}

void TcxRadioButton::DrawCaption(TcxCanvas* canvas, bool native) {
  const std::string caption = Caption();
  canvas->SetFont(Font());
  TcxCustomLookAndFeelPainterClass painter = ButtonPainter();
  const TColor painterColor = painter->EditorTextColor(!Enabled());
  const bool innerControl = InnerControlInterface(this) != nullptr;
  TColor color = clBtnShadow;
  if (Font()->Color() == clWindowText && painterColor != clDefault) color = painterColor;
  else if (Enabled() || innerControl) color = Font()->Color();
  TRect r = ClientRect();
  if (Alignment() == taRightJustify) r.Left = glyphRect_.Right;
  else r.Right = glyphRect_.Left;
  AdjustCaptionRect(r, native);
  HDC dc = canvas->GetHandle();
  SetBkMode(dc, TRANSPARENT);
  const UINT flags = DT_LEFT | DT_VCENTER | (wordWrap_ ? DT_WORDBREAK | DT_NOCLIP : DT_SINGLELINE);
  RECT text = *r.Win();
  if (wordWrap_) {
    // Wrapped lines are centred as a block: DrawText centres only single lines.
    RECT measured = text;
    ::DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &measured, flags | DT_CALCRECT);
    text.top += std::max<int>(0, (text.bottom - text.top - (measured.bottom - measured.top)) / 2);
  }
  const bool embossed = !Enabled() && !native && !innerControl && painterColor == clDefault;
  if (embossed) {
    RECT light = text;
    OffsetRect(&light, 1, 1);
    SetTextColor(dc, ColorToRGB(clBtnHighlight));
    ::DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &light, flags);
  }
  SetTextColor(dc, ColorToRGB(color));
  ::DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text, flags);
  if (!focusedPaint_ || caption.empty()) return;
  RECT measured = text;
  ::DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &measured, flags | DT_CALCRECT);
  const int height = measured.bottom - measured.top;
  measured.top = text.top + (text.bottom - text.top - height) / 2;
  measured.bottom = measured.top + height;
  InflateRect(&measured, 1, 1);
  measured.bottom += 1;
  SetBkColor(dc, ColorToRGB(Color()));
  SetTextColor(dc, ColorToRGB(Font()->Color()));
  ::DrawFocusRect(dc, &measured);
}
