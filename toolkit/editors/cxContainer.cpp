// The container control: one inner platform control inside a styled border, refreshed into a view
// info by state (normal, active, disabled, hot), with keys and focus handed to the inner control and
// toolkit scroll bars laid over the inner control's own.
#include "cxContainer.h"

#include <algorithm>

#include "Forms.h"
#include "SysUtils.h"
#include <windowsx.h>

#include "cxDWMApi.h"
#include "cxEditPaintUtils.h"
#include "cxGeometry.h"
#include "cxGraphicsRoutines.h"
#include "dxOffice11.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

CALDERAN_IMPLEMENT_CLASS(TcxContainerViewInfo, TObject)
CALDERAN_IMPLEMENT_CREATABLE(TcxContainer, TcxControl, TComponent*)

namespace {

using TGetScrollBarInfo = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
TGetScrollBarInfo getScrollBarInfo = nullptr;
TShiftState lastShiftState;

constexpr int transparentBorderWidth = 2;
constexpr int nativeBorderWidth = 2;
constexpr int themeBorderColorProperty = 3801;
constexpr int themeFillColorProperty = 3802;

bool IsSameWindowOrChild(HWND container, HWND window) { return window && IsWindowOrDescendant(container, window); }

// Whether the window under the cursor is the control's window or one of its descendants.
bool IsCursorOver(TWinControl* control, const TPoint& cursor) {
  return IsSameWindowOrChild(control->Handle(), WindowFromPoint(*cursor.Win()));
}

// A shortcut of the popup menu of the control or of a toolkit control among its parents.
bool IsParentPopupMenuShortCut(TcxControl* control, TMessage& message) {
  if (control->IsDesigning()) return false;
  for (TWinControl* c = control; c; c = c->Parent())
    if (auto* toolkit = ObjectAs<TcxControl>(c); toolkit && IsPopupMenuShortCut(toolkit->PopupMenu(), message))
      return true;
  return false;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Module routines

int GetContainerBorderWidth(TcxContainerBorderStyle style) {
  constexpr int widths[] = {0, 1, 2, 2, 2, 1, 1};
  return style <= cbsOffice11 ? widths[style] : 0;
}

TRect ContainerEdgeExtents(TcxBorders edges, int width) {
  return TRect(edges.Contains(bLeft) ? width : 0, edges.Contains(bTop) ? width : 0,
               edges.Contains(bRight) ? width : 0, edges.Contains(bBottom) ? width : 0);
}

TRect AddContainerShadow(TRect extents) {
  extents.Right += cxContainerShadowWidth;
  extents.Bottom += cxContainerShadowWidth;
  return extents;
}

TcxContainerMouseButton ToContainerMouseButton(TMouseButton button) {
  switch (button) {
    case mbLeft: return cmbLeft;
    case mbRight: return cmbRight;
    case mbMiddle: return cmbMiddle;
  }
  return cmbNone;
}

bool StringsMatch(const std::string& a, const std::string& b, bool caseSensitive) {
  if (caseSensitive) return AnsiCompareStr(a, b) == 0;
  return AnsiUpperCase(a) == AnsiUpperCase(b);
}

TPoint GetMouseScreenPos() { return GetCursorPosSafe(); }
TShiftState GetCurrentShiftState() { return KeyboardStateToShiftState(); }
TRect GetControlSizeRect(TControl* control) { return TRect(0, 0, control->Width(), control->Height()); }

void GrowRectOnSides(TRect& rect, int amount, TcxBorders sides) {
  if (sides.Contains(bLeft)) rect.Left -= amount;
  if (sides.Contains(bTop)) rect.Top -= amount;
  if (sides.Contains(bRight)) rect.Right += amount;
  if (sides.Contains(bBottom)) rect.Bottom += amount;
}

void ShrinkRectOnMissingSides(TRect& rect, int width, TcxBorders edges) {
  GrowRectOnSides(rect, -width, cxBordersAll - edges);
}

void InvalidateControlRect(TWinControl* control, const TRect& rect, bool erase) {
  if (control->HandleAllocated()) InvalidateWindowRect(control->Handle(), &rect, erase);
}

HRGN BuildWindowRegion(const TRect& rect, bool noRegion, const TRect& cutOut, bool shadow) {
  if (noRegion) return nullptr;
  HRGN region = CreateRectRgn(rect.Left, rect.Top, rect.Right, rect.Bottom);
  if (shadow) {
    HRGN shadowRegion = CreateRectRgn(rect.Left + cxContainerShadowWidth, rect.Top + cxContainerShadowWidth,
                                      rect.Right + cxContainerShadowWidth, rect.Bottom + cxContainerShadowWidth);
    CombineRgn(region, region, shadowRegion, RGN_OR);
    DeleteObject(shadowRegion);
  }
  if (!cutOut.IsEmpty()) {
    HRGN cut = CreateRectRgn(cutOut.Left, cutOut.Top, cutOut.Right, cutOut.Bottom);
    CombineRgn(region, region, cut, RGN_DIFF);
    DeleteObject(cut);
  }
  return region;
}

void ApplyWindowRegion(HWND window, const TRect& rect, bool noRegion, const TRect& cutOut, bool shadow) {
  HRGN region = BuildWindowRegion(rect, noRegion, cutOut, shadow);
  HRGN current = CreateRectRgn(0, 0, 0, 0);
  const bool hasCurrent = GetWindowRgn(window, current) != ERROR;
  const bool unchanged = region ? hasCurrent && EqualRgn(region, current) : !hasCurrent;
  DeleteObject(current);
  if (unchanged) {
    if (region) DeleteObject(region);
    return;
  }
  SetWindowRgn(window, region, TRUE);  // the window owns the region from here
}

bool AreOwnScrollBarsUsable() { return getScrollBarInfo != nullptr; }

bool QueryScrollBarInfo(HWND window, LONG object, SCROLLBARINFO& info) {
  if (!getScrollBarInfo) return false;
  info = {};
  info.cbSize = sizeof(SCROLLBARINFO);
  return getScrollBarInfo(window, object, &info) != FALSE;
}

TShiftState LastContainerShiftState() { return lastShiftState; }

IcxContainerInnerControl* InnerControlInterface(TControl* control) {
  return dynamic_cast<IcxContainerInnerControl*>(control);
}

TcxContainer* GetContainerOfControl(TControl* control) {
  if (auto* container = ObjectAs<TcxContainer>(control)) return container;
  if (IcxContainerInnerControl* inner = InnerControlInterface(control)) return inner->OwnerContainer();
  return nullptr;
}

void DrawContainerShadow(TcxCanvas* canvas, const TRect& rect) {
  const int w = cxContainerShadowWidth;
  const TRect bottom(rect.Left + w, rect.Bottom, rect.Right, rect.Bottom + w);
  const TRect right(rect.Right, rect.Top + w, rect.Right + w, rect.Bottom + w);
  for (const TRect& band : {bottom, right}) {
    canvas->FillRectColor(band, clBtnShadow);
    canvas->ExcludeClipRect(band);
  }
}

// ---------------------------------------------------------------------------------------------
// View info

TcxRegion* TcxContainerViewInfo::ChangedRegion(TcxContainerViewInfo*) { return new TcxRegion(); }

void TcxContainerViewInfo::Shift(int dx, int dy) {
  for (TRect* r : {&BorderRect, &Bounds, &ClientRect}) r->Offset(dx, dy);
}

void TcxContainerViewInfo::DrawBorderRing(TcxCanvas* canvas, TRect rect) {
  if (Painter || BorderStyle == cbsSingle || BorderStyle == cbsThick) {
    canvas->FrameRect(rect, BorderColor, BorderWidth);
    return;
  }
  if (BorderStyle != cbsFlat && BorderStyle != cbs3D) return;
  canvas->Draw3DEdgeRing(rect, true, true, Edges);
  rect.Inflate(-1, -1);
  if (BorderStyle == cbsFlat) canvas->FrameRect(rect, clBtnFace);
  else canvas->FrameRectTwoColor(rect, cl3DDkShadow, cl3DLight, Edges);
}

void TcxContainerViewInfo::PaintBody(TcxCanvas* canvas) {
  if (NativeStyle) return PaintNativeBody(canvas);
  TRect ring = BorderRect;
  GrowRectOnSides(ring, BorderWidth, TcxBorders{bLeft, bTop} + (Edges * TcxBorders{bRight, bBottom}));
  if (Shadow) DrawContainerShadow(canvas, ring);
  GrowRectOnSides(ring, BorderWidth, TcxBorders{bRight, bBottom} - Edges);
  DrawBorderRing(canvas, ring);
  canvas->FillRectColor(BorderRect, BackgroundColor);
}

void TcxContainerViewInfo::PaintNativeBody(TcxCanvas* canvas) {
  if (BorderStyle == cbsNone) return canvas->FillRectColor(Bounds, BackgroundColor);
  HTHEME theme = OpenThemeByKind(ThemedObjectType);
  RECT content = *Bounds.Win();
  if (theme) UxGetThemeBackgroundContentRect(theme, canvas->GetHandle(), 1, NativeState, Bounds.Win(), &content);
  const TRect contentRect(content.left, content.top, content.right, content.bottom);
  canvas->FillRectColor(contentRect, BackgroundColor);
  const bool composition = IsCompositionEnabled();
  HTHEME borderTheme = OpenThemeByKind(composition ? totListBox : totComboBox);
  COLORREF border = ColorToRGB(clWindowFrame);
  if (borderTheme) UxGetThemeColor(borderTheme, composition ? 3 : 1, 1, themeBorderColorProperty, &border);
  canvas->SaveClipRegion();
  canvas->ExcludeClipRect(contentRect);
  canvas->FillRectColor(Bounds, static_cast<TColor>(border));
  canvas->RestoreClipRegion();
}

// ---------------------------------------------------------------------------------------------
// Construction

TcxContainer::TcxContainer(TComponent* owner)
    : TcxContainer(owner, TcxContainerStyle::StaticClassOperations(), new TcxContainerViewInfo) {}

TcxContainer::TcxContainer(TComponent* owner, const TcxContainerStyleClass* styleClass, TcxContainerViewInfo* viewInfo)
    : TcxControl(owner) {
  viewInfo_.reset(viewInfo);
  UpdateInternalControls();
  styles_ = std::make_unique<TcxContainerStyles>(this, styleClass);
  styles_->SetOnChanged(MakeEvent(this, &TcxContainer::StyleChanged));
  activeStyle_ = Style();
  LookAndFeel()->SetParentLookAndFeel(Style()->LookAndFeel());
  SetControlStyle(ControlStyle() + csCaptureMouse + csSetCaption + csClickEvents + csDoubleClicks);
  SetTabStop(true);
  SetParentColor(UsesParentBackground() && !IsInPlaceContainer() && !Style()->IsValueAssigned(csvColor));
  if (!ParentColor()) SetColor(clWindow);
  ResetInnerBoundsCache();
  creating_ = false;
}

TcxContainer::~TcxContainer() {
  EndMouseTracking(this);
  destroying_ = true;
  if (innerControl_) innerControl_->RemoveFreeNotification(this);
  viewInfo_.reset();
  styles_->SetOnChanged({});
  styles_.reset();
}

void TcxContainer::Loaded() {
  TcxControl::Loaded();
  StyleChanged(Style());
}

void TcxContainer::SetInnerControl(TWinControl* control) {
  if (control == innerControl_) return;
  if (innerControl_) innerControl_->RemoveFreeNotification(this);
  innerControl_ = control;
  if (innerControl_) innerControl_->FreeNotification(this);
  ResetInnerBoundsCache();
}

void TcxContainer::Notification(TComponent* component, TOperation operation) {
  TcxControl::Notification(component, operation);
  if (operation == opRemove && component == innerControl_) {
    innerControl_ = nullptr;
    ResetInnerBoundsCache();
  }
}

void TcxContainer::CreateParams(TCreateParams& params) {
  TcxControl::CreateParams(params);
  params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TcxContainer::CreateWnd() {
  TcxControl::CreateWnd();
  PostMessageA(Handle(), CM_CXCONTAINER_REFRESH, 0, 0);
}

// ---------------------------------------------------------------------------------------------
// Styles

TcxContainerStyle* TcxContainer::SelectStateStyle() {
  const TcxContainerState state = viewInfo_->ContainerState;
  if (state.Contains(csDisabled)) return StyleState(cssDisabled);
  if (state.Contains(csActive)) return StyleState(cssFocused);
  if (Style()->HotTrack() && state.Contains(csHotTrack)) return StyleState(cssHot);
  return Style();
}

TcxContainerStyle* TcxContainer::GetActiveStyle() {
  if (viewInfo_ && !(viewInfo_->ContainerState == activeStyleCacheState_)) {
    activeStyleCacheState_ = viewInfo_->ContainerState;
    activeStyle_ = SelectStateStyle();
  }
  return activeStyle_;
}

void TcxContainer::StyleChanged(TObject*) {
  if (creating_ || IsComponentLoading(this) || !styles_) return;
  ShortRefresh();
  internalSetting_ = true;
  if (!ParentColor() || Style()->AssignedValues().Contains(csvColor)) SetColor(Style()->EffectiveColor());
  // Writing the font switches ParentFont off: while the control follows its parent's font and the
  // style assigns none, the style's font already is the control's.
  const bool fontAssigned = Style()->IsValueAssigned(csvFont);
  if (TFont* font = Style()->Font(); font && (fontAssigned || !ParentFont())) Font()->Assign(font);
  internalSetting_ = false;
  if (fontAssigned) SetParentFont(false);
}

void TcxContainer::ApplyStyleToInner() {
  if (!innerControl_) return;
  innerControl_->SetColor(viewInfo_->BackgroundColor);
  innerControl_->Font()->Assign(ActiveStyle()->GetEffectiveFont());
  if (const TColor text = SkinEditorColor(true); text != clDefault) innerControl_->Font()->SetColor(text);
}

void TcxContainer::ColorChanged() {
  if (internalSetting_ || !styles_) {
    TcxControl::ColorChanged();
    ShortRefresh();
    return;
  }
  Style()->SetColor(Color());
}

void TcxContainer::FontChanged() {
  if (internalSetting_ || !styles_) {
    TcxControl::FontChanged();
    AdjustInnerControl();
    UpdateOwnScrollBars(false);
    ShortRefresh();
    return;
  }
  const bool wasAssigned = Style()->AssignedValues().Contains(csvFont);
  Style()->SetFont(Font());
  if (!wasAssigned) Style()->RemoveAssigned(csvFont);
  TcxControl::FontChanged();
}

void TcxContainer::ParentColorChanged() {
  TcxContainerStyle* style = Style();
  if (!style->AssignedValues().Contains(csvColor) || ParentColor()) style->RemoveAssigned(csvColor);
  if (style->Color() != Color()) StyleChanged(style);
  if (HasTransparentBackground() && !ParentColor()) Invalidate();
}

void TcxContainer::ParentFontChanged() {
  TcxContainerStyle* style = Style();
  const bool wasAssigned = style->AssignedValues().Contains(csvFont);
  if (!ParentFont()) style->UpdateFont();
  if (!wasAssigned || ParentFont()) style->RemoveAssigned(csvFont);
}

void TcxContainer::CursorChanged() {
  TcxControl::CursorChanged();
  if (innerControl_) innerControl_->SetCursor(Cursor());
}

void TcxContainer::EnabledChanged() {
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* bar = ObjectAs<TcxScrollBar>(Controls(i))) bar->SetEnabled(Enabled());
  ShortRefresh();
}

// True when the style in force sets the value itself; the focused and hot styles show the normal
// style's values, so one the normal style sets counts for them too.
bool TcxContainer::ActiveStyleOwns(TcxContainerStyleValue value) {
  TcxContainerStyle* active = ActiveStyle();
  if (active->IsValueAssigned(value)) return true;
  return active != StyleState(cssDisabled) && Style()->IsValueAssigned(value);
}

// ---------------------------------------------------------------------------------------------
// Refresh and view info

void TcxContainer::ShortRefresh(bool isMouseEvent) {
  if (!HandleAllocated() || IsContainerDestroying() || refreshing_) return;
  refreshing_ = true;
  const TPoint cursor = GetMouseScreenPos();
  const TPoint point = IsCursorOver(this, cursor) ? ScreenToClient(cursor) : TPoint(-1, -1);
  RefreshContainer(point, cmbNone, GetCurrentShiftState(), isMouseEvent);
  refreshing_ = false;
}

bool TcxContainer::RefreshContainer(const TPoint& point, TcxContainerMouseButton, TShiftState shift, bool) {
  if (refreshLock_ || IsContainerDestroying()) return true;
  ViewInfoCalculated();
  const bool hotTrackAllowed = shift.Empty() && ActiveStyle()->HotTrack();
  CalculateViewInfo(point, hotTrackAllowed);
  AdjustInnerControl();
  ApplyStyleToInner();
  UpdateWindowRegion();
  if (innerControl_) InvalidateBorderFrame();
  else InvalidateRect(GetControlSizeRect(this), false);
  if (viewInfo_->ContainerState.Contains(csHotTrack)) StartHotTracking();
  return true;
}

void TcxContainer::StartHotTracking() { BeginMouseTracking(this, CalcHotTrackRect(), this); }

void TcxContainer::InvalidateBorderFrame() {
  const TRect whole = GetControlSizeRect(this);
  const TRect inner = viewInfo_->BorderRect;
  if (inner.IsEmpty()) return InvalidateRect(whole, false);
  InvalidateRect(TRect(whole.Left, whole.Top, inner.Left, whole.Bottom), false);
  InvalidateRect(TRect(inner.Left, whole.Top, inner.Right, inner.Top), false);
  InvalidateRect(TRect(inner.Right, whole.Top, whole.Right, whole.Bottom), false);
  InvalidateRect(TRect(inner.Left, inner.Bottom, inner.Right, whole.Bottom), false);
}

TcxContainerState TcxContainer::ComputeState(const TPoint& point, bool hotTrackAllowed) {
  if (!Enabled()) return {csDisabled};
  if (IsDesigning()) return {csNormal};
  TcxContainerState state{IsContainerFocused() ? csActive : csNormal};
  if (hotTrackAllowed && CalcHotTrackRect().Contains(point)) state.Include(csHotTrack);
  return state;
}

void TcxContainer::CalculateStateAndBorder(const TPoint& point, bool hotTrackAllowed) {
  TcxContainerViewInfo& vi = *viewInfo_;
  vi.ContainerState = ComputeState(point, hotTrackAllowed);
  TcxContainerStyle* style = ActiveStyle();
  if (!style->HotTrack()) vi.HotState = chsNoHotTrack;
  else if (vi.ContainerState.Contains(csActive) || vi.ContainerState.Contains(csHotTrack)) vi.HotState = chsSelected;
  else vi.HotState = chsNormal;
  if (vi.NativeStyle) {
    vi.BorderStyle = Style()->BorderStyle();
  } else {
    vi.BorderStyle = style->BorderStyle();
    if (vi.BorderStyle == cbsUltraFlat || vi.BorderStyle == cbsOffice11) vi.BorderStyle = cbsSingle;
  }
}

void TcxContainer::CalculateViewInfo(const TPoint& point, bool hotTrackAllowed) {
  TcxContainerViewInfo& vi = *viewInfo_;
  vi.NativeStyle = IsNativeStyle();
  vi.Painter = Style()->LookAndFeel()->SkinPainter();
  const int oldWidth = GetContainerBorderWidth(vi.BorderStyle);
  CalculateStateAndBorder(point, hotTrackAllowed);
  if (!vi.NativeStyle && GetContainerBorderWidth(vi.BorderStyle) < oldWidth)
    CalculateStateAndBorder(point, hotTrackAllowed);
  if (vi.NativeStyle) {
    vi.ThemedObjectType = ThemeClassIndex();
    vi.NativePart = ThemePart();
    vi.NativeState = ThemeState();
  }
  vi.Bounds = GetControlSizeRect(this);
  const TRect extents = CalcBorderWidths();
  vi.BorderRect = TRect(vi.Bounds.Left + extents.Left, vi.Bounds.Top + extents.Top, vi.Bounds.Right - extents.Right,
                        vi.Bounds.Bottom - extents.Bottom);
  vi.ClientRect = vi.BorderRect;
  vi.BorderWidth = vi.Painter ? 1 : GetContainerBorderWidth(vi.BorderStyle);
  vi.Edges = ActiveStyle()->Edges();
  vi.Shadow = HasShadow();
  vi.BorderColor = CalcBorderColor();
  vi.SetBackColor(CalcBackgroundColor());
}

TColor TcxContainer::CalcBorderColor() {
  const TcxContainerViewInfo& vi = *viewInfo_;
  TcxContainerStyle* style = ActiveStyle();
  const bool highlighted = vi.ContainerState.Contains(csActive) ||
                           (vi.ContainerState.Contains(csHotTrack) && style->HotTrack()) ||
                           (IsDesigning() && Enabled());
  if (vi.Painter) return vi.Painter->ContainerBorderColor(highlighted);
  const TcxContainerBorderStyle borderStyle = style->BorderStyle();
  if (borderStyle != cbsUltraFlat && borderStyle != cbsOffice11) return style->BorderColor();
  if (!highlighted) return clBtnShadow;
  return borderStyle == cbsOffice11 ? static_cast<const TcxUltraFlatLookAndFeelPainter*>(TcxOffice11LookAndFeelPainter::Instance())->HighlightBorderColor() : clHighlight;
}

TColor TcxContainer::CalcBackgroundColor() {
  const TcxContainerViewInfo& vi = *viewInfo_;
  if (vi.NativeStyle && vi.ContainerState.Contains(csDisabled) && !ActiveStyle()->IsValueAssigned(csvColor)) {
    COLORREF fill;
    if (HTHEME theme = OpenThemeByKind(vi.ThemedObjectType);
        theme && SUCCEEDED(UxGetThemeColor(theme, vi.NativePart, vi.NativeState, themeFillColorProperty, &fill)))
      return static_cast<TColor>(fill);
  }
  const TColor skin = SkinEditorColor(false);
  return skin != clDefault ? skin : ActiveStyle()->Color();
}

// Under a skin, a container that has no colour of its own (nor takes its parent's) shows its inner
// control as the skin shows an editor, face and text; clDefault where the skin does not decide.
// A text colour the style sets itself stays.
TColor TcxContainer::SkinEditorColor(bool text) {
  const TcxContainerViewInfo& vi = *viewInfo_;
  if (!vi.Painter || UsesParentBackground() || ActiveStyleOwns(csvColor)) return clDefault;
  if (text && ActiveStyleOwns(csvTextColor)) return clDefault;
  const bool disabled = vi.ContainerState.Contains(csDisabled);
  return text ? vi.Painter->EditorTextColor(disabled) : vi.Painter->EditorBackgroundColor(disabled);
}

TRect TcxContainer::CalcBorderWidths() {
  TcxContainerStyle* style = ActiveStyle();
  TRect extents;
  if (style->TransparentBorder() && !Style()->LookAndFeel()->SkinPainter()) {
    extents = TRect(transparentBorderWidth, transparentBorderWidth, transparentBorderWidth, transparentBorderWidth);
  } else if (!style->HasBorder() || (viewInfo_->NativeStyle && Style()->BorderStyle() == cbsNone)) {
    extents = TRect();
  } else if (viewInfo_->NativeStyle) {
    extents = TRect(nativeBorderWidth, nativeBorderWidth, nativeBorderWidth, nativeBorderWidth);
  } else {
    extents = ContainerEdgeExtents(style->Edges(), GetContainerBorderWidth(viewInfo_->BorderStyle));
  }
  return HasShadow() ? AddContainerShadow(extents) : extents;
}

TRect TcxContainer::GetVisibleBorderRect() {
  const TRect extents = CalcBorderWidths();
  TRect r(extents.Left, extents.Top, Width() - extents.Right, Height() - extents.Bottom);
  const int w = GetContainerBorderWidth(viewInfo_->BorderStyleOf());
  r.Inflate(w, w);
  ShrinkRectOnMissingSides(r, w, ActiveStyle()->Edges());
  return r;
}

TRect TcxContainer::CalcHotTrackRect() {
  TRect r = GetControlSizeRect(this);
  if (IsInPlaceContainer()) return r;
  if (viewInfo_->Shadow) {
    r.Right -= cxContainerShadowWidth;
    r.Bottom -= cxContainerShadowWidth;
  }
  TcxContainerStyle* style = Style();
  if (!style->HasBorder()) {
    if (style->TransparentBorder()) r.Inflate(-2, -2);
  } else if (viewInfo_->NativeStyle) {
    if (style->TransparentBorder() && style->BorderStyle() == cbsNone) r.Inflate(-2, -2);
  } else if (style->TransparentBorder()) {
    const int w = GetContainerBorderWidth(viewInfo_->BorderStyle);
    r.Inflate(w - 2, w - 2);
    ShrinkRectOnMissingSides(r, w, viewInfo_->Edges);
  }
  if (r.Top > r.Bottom) r.Top = r.Bottom = 0;
  return r;
}

bool TcxContainer::HasShadow() { return ActiveStyle()->Shadow() && !viewInfo_->NativeStyle; }

bool TcxContainer::NeedsWindowRegion() { return !(viewInfo_->NativeStyle && viewInfo_->BorderStyle != cbsNone); }

bool TcxContainer::IsNativeStyle() {
  return Style()->LookAndFeel()->NativeStyle() && OpenThemeByKind(ThemeClassIndex()) != nullptr;
}

int TcxContainer::ThemePart() const { return IsCompositionEnabled() ? 3 : 1; }

int TcxContainer::ThemeState() {
  if (!Enabled()) return 4;
  if (IsReadOnlyLook()) return 6;
  if (IsContainerFocused()) return 5;
  if (viewInfo_->ContainerState.Contains(csHotTrack)) return 2;
  return 1;
}

void TcxContainer::UpdateWindowRegion() {
  if (!HandleAllocated()) return;
  ApplyWindowRegion(Handle(), GetVisibleBorderRect(), !NeedsWindowRegion(), TRect(), viewInfo_->Shadow);
}

void TcxContainer::ClipPaintToRegion(TcxCanvas* canvas) {
  HRGN region = BuildWindowRegion(GetVisibleBorderRect(), !NeedsWindowRegion(), TRect(), viewInfo_->Shadow);
  if (region) canvas->SetClipRegion(new TcxRegion(region), roIntersect);
}

void TcxContainer::AdjustInnerControl() {
  if (!innerControl_) return;
  const TRect& r = viewInfo_->ClientRect;
  if (innerControl_->BoundsRect() == r) return;
  refreshLock_ = true;
  innerControl_->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  refreshLock_ = false;
}

void TcxContainer::AdjustClientRect(TRect& rect) { rect = viewInfo_ ? viewInfo_->ClientRect : rect; }

bool TcxContainer::IsInternalControl(TControl* control) const { return IsBuiltInControl(control); }

void TcxContainer::AlignControls(TControl* control, TRect& rect) {
  if (IsPlainChildContainer()) return TcxControl::AlignControls(control, rect);
  if (innerAlignLock_ > 0 || IsInternalControl(control)) return;
  if (!control) return TcxControl::AlignControls(control, rect);
  auto* windowed = ObjectAs<TWinControl>(control);
  if (!windowed || !windowed->HandleAllocated() || creating_) return;
  TcxContainerInnerControlBounds region;
  CalcInnerControlRegion(rect, control, region);
  const bool changed = control != innerControl_ || region.IsEmpty != innerBounds_.IsEmpty ||
                       (!region.IsEmpty && !(region.Rect == innerBounds_.Rect));
  if (!changed) return;
  HRGN handle = region.IsEmpty ? nullptr : CreateRectRgn(region.Rect.Left, region.Rect.Top, region.Rect.Right, region.Rect.Bottom);
  SetWindowRgn(windowed->Handle(), handle, TRUE);
  if (control == innerControl_) innerBounds_ = region;
}

void TcxContainer::CalcInnerControlRegion(const TRect& alignRect, TControl* control,
                                          TcxContainerInnerControlBounds& region) {
  region = {};
  if (!control) return;
  const TRect bounds = control->BoundsRect();
  TRect r(0, 0, control->Width(), control->Height());
  r.Left += std::max(0, alignRect.Left - bounds.Left);
  r.Top += std::max(0, alignRect.Top - bounds.Top);
  r.Right -= std::max(0, bounds.Right - alignRect.Right);
  r.Bottom -= std::max(0, bounds.Bottom - alignRect.Bottom);
  region.IsEmpty = r == TRect(0, 0, control->Width(), control->Height());
  if (!region.IsEmpty) region.Rect = r;
}

void TcxContainer::LockInnerAlign(bool lock) {
  if (lock) ++innerAlignLock_;
  else if (innerAlignLock_ > 0) --innerAlignLock_;
}

void TcxContainer::LockPopupMenu(bool lock) {
  if (lock) ++popupMenuLock_;
  else if (popupMenuLock_ > 0) --popupMenuLock_;
}

// ---------------------------------------------------------------------------------------------
// Painting

void TcxContainer::Paint() {
  TcxBrushCachePaintScope brushes;
  TcxCanvas* canvas = cxCanvas();
  if (!canvas->IsRectVisible(viewInfo_->Bounds) && viewInfoCalculated_) return;
  if (!viewInfoCalculated_) ShortRefresh();
  if (viewInfo_->Painter) {
    canvas->SaveClipRegion();
    canvas->ExcludeClipRect(viewInfo_->BorderRect);
    PaintParentImage(this, canvas, viewInfo_->Bounds, false);
    canvas->RestoreClipRegion();
  }
  viewInfo_->PaintAll(canvas);
}

void TcxContainer::WMNCPaint(TMessage& m) { m.Result = 0; }

// ---------------------------------------------------------------------------------------------
// Own scroll bars

void TcxContainer::PostScrollBarsUpdate() {
  if (HandleAllocated() && innerControl_ && !IsContainerDestroying())
    PostMessageA(Handle(), CM_CXCONTAINER_UPDATESCROLLBARS, 0, 0);
}

bool TcxContainer::QueryInnerScrollBarInfo(SCROLLBARINFO& info, TScrollBarKind kind) {
  if (IsContainerDestroying() || !Parent() || !HandleAllocated() || !innerControl_ || !innerControl_->HandleAllocated())
    return false;
  return QueryScrollBarInfo(innerControl_->Handle(), kind == sbHorizontal ? OBJID_HSCROLL : OBJID_VSCROLL, info);
}

bool TcxContainer::IsSystemScrollBarShown(const SCROLLBARINFO& info) const {
  return (info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) == 0;
}

bool TcxContainer::IsOwnScrollBarEnabled(TcxScrollBar* scrollBar, const SCROLLBARINFO& info) {
  return scrollBar->Parent() && scrollBar->Parent()->Enabled() && (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0;
}

TRect TcxContainer::CalcOwnScrollBarRect(const TRect& screenRect) {
  const TPoint topLeft = ScreenToClient(screenRect.TopLeft());
  const TRect r(topLeft.X, topLeft.Y, topLeft.X + screenRect.Width(), topLeft.Y + screenRect.Height());
  if (r.Left < 0 || r.Top < 0 || r.Width() > Width() || r.Height() > Height()) return TRect();
  return r;
}

void TcxContainer::ShowOwnScrollBar(TcxScrollBar* scrollBar, bool visible) {
  scrollBar->SetVisible(visible);
  if (!visible) return;
  scrollBar->SetCtl3D(false);
  scrollBar->BringToFront();
}

void TcxContainer::UpdateOwnScrollBar(TcxScrollBar* scrollBar) {
  SCROLLBARINFO info;
  if (!QueryInnerScrollBarInfo(info, scrollBar->Kind()) || !IsSystemScrollBarShown(info)) {
    ShowOwnScrollBar(scrollBar, false);
    return;
  }
  scrollBar->SetEnabled(IsOwnScrollBarEnabled(scrollBar, info));
  const TRect r = CalcOwnScrollBarRect(
      TRect(info.rcScrollBar.left, info.rcScrollBar.top, info.rcScrollBar.right, info.rcScrollBar.bottom));
  scrollBar->SetBoundsRect(r);
  ShowOwnScrollBar(scrollBar, r.Width() >= 1 && r.Height() >= 1);
}

void TcxContainer::UpdateOwnScrollBars(bool scrollInfoOnly) {
  if (!innerControl_ || !TcxControl::HasBuiltInScrollBars() || !HasBuiltInScrollBars() || IsContainerDestroying() ||
      !AreOwnScrollBarsUsable() || !HScrollBar())
    return;
  scrollBarsCalculating_ = true;
  for (TcxScrollBar* bar : {static_cast<TcxScrollBar*>(HScrollBar()), static_cast<TcxScrollBar*>(VScrollBar())}) {
    if (!scrollInfoOnly) UpdateOwnScrollBar(bar);
    if (!bar->Visible() || !innerControl_->HandleAllocated()) continue;
    SCROLLINFO si{};
    si.cbSize = sizeof(SCROLLINFO);
    si.fMask = SIF_ALL;
    GetScrollInfo(innerControl_->Handle(), bar->Kind() == sbHorizontal ? SB_HORZ : SB_VERT, &si);
    bar->SetScrollParams(si.nMin, si.nMax, si.nPos, std::min<int>(si.nPage, si.nMax));
    bar->SetSmallChange(1);
  }
  UpdateSizeGrip();
  scrollBarsCalculating_ = false;
}

void TcxContainer::UpdateSizeGrip() {
  TRect grip;
  const bool visible = HScrollBar()->Visible() && VScrollBar()->Visible() && InnerControlInterface(innerControl_);
  if (visible) {
    const TPoint origin = innerControl_->ClientToScreen(TPoint(0, 0));
    RECT window;
    GetWindowRect(innerControl_->Handle(), &window);
    const TPoint shift(origin.X - window.left, origin.Y - window.top);
    const TRect v = VScrollBar()->BoundsRect(), h = HScrollBar()->BoundsRect();
    const TPoint innerOffset = innerControl_->BoundsRect().TopLeft();
    grip = TRect(v.Left - innerOffset.X + shift.X, h.Top - innerOffset.Y + shift.Y, 0, 0);
    grip.Right = grip.Left + v.Width();
    grip.Bottom = grip.Top + h.Height();
  }
  if (visible && (!sizeGripVisible_ || !(grip == sizeGripRect_))) {
    HRGN region = CreateRectRgn(grip.Left, grip.Top, grip.Right, grip.Bottom);
    SendMessageA(innerControl_->Handle(), WM_NCPAINT, reinterpret_cast<WPARAM>(region), 0);
    DeleteObject(region);
  }
  sizeGripRect_ = grip;
  sizeGripVisible_ = visible;
}

// ---------------------------------------------------------------------------------------------
// Focus

bool TcxContainer::IsContainerFocused() {
  if (IsDesigning() || !HandleAllocated() || IsContainerDestroying()) return false;
  HWND focus = GetFocus();
  return focus == Handle() || (innerControl_ && innerControl_->HandleAllocated() && focus == innerControl_->Handle());
}

void TcxContainer::FocusInnerControl() {
  if (innerControl_ && innerControl_->CanFocus()) innerControl_->SetFocus();
}

void TcxContainer::SetFocus() {
  if (IsDesigning() || IsContainerFocused()) return;
  TcxControl::SetFocus();
  if (HandleAllocated() && GetFocus() == Handle() && innerControl_ && innerControl_->HandleAllocated()) {
    FocusInnerControl();
    if (TCustomForm* form = GetParentForm(this)) form->FocusControl(innerControl_);
  }
}

// While the inner control is the form's active control it takes the container's place in the tab
// order, so that Tab and Shift+Tab move from the container's position.
void TcxContainer::GetTabOrderList(std::vector<TWinControl*>& list) {
  TcxControl::GetTabOrderList(list);
  if (IsPlainChildContainer() || !innerControl_) return;
  TCustomForm* form = GetParentForm(this);
  if (!form || form->ActiveControl() != innerControl_ || !CanFocus()) return;
  auto self = std::find(list.begin(), list.end(), this);
  if (self == list.end()) return;
  list.erase(std::remove(list.begin(), list.end(), innerControl_), list.end());
  *std::find(list.begin(), list.end(), this) = innerControl_;
}

bool TcxContainer::TakesFocusOnClick() {
  if (innerControl_ && (innerControlMouseDown_ || (innerControl_->HandleAllocated() && GetFocus() == innerControl_->Handle())))
    return false;
  return TcxControl::TakesFocusOnClick();
}

bool TcxContainer::CanFocusNow() {
  if (innerControl_ && innerControl_->HandleAllocated() && GetFocus() == innerControl_->Handle()) return false;
  return TcxControl::CanFocusNow();
}

void TcxContainer::FocusChanged() {
  TcxControl::FocusChanged();
  ShortRefresh();
}

void TcxContainer::WMSetFocus(TMessage& m) {
  if (!IsWindowVisible(Handle())) return;
  if (IsContainerDestroying() || !innerControl_ || !innerControl_->HandleAllocated())
    return TcxControl::Dispatch(m);
  if (reinterpret_cast<HWND>(m.WParam) == innerControl_->Handle()) return;
  TcxControl::Dispatch(m);
  if (innerControl_ && innerControl_->CanFocus()) innerControl_->SetFocus();
}

void TcxContainer::WMKillFocus(TMessage& m) {
  if (innerControl_ && innerControl_->HandleAllocated() && reinterpret_cast<HWND>(m.WParam) == innerControl_->Handle())
    return;
  TcxControl::Dispatch(m);
}

void TcxContainer::WMWindowPosChanging(TMessage& m) {
  if (IsContainerDestroying()) {
    m.Result = 0;
    return;
  }
  TcxControl::Dispatch(m);
  if (HandleAllocated() && GetFocus() == Handle() && innerControl_ && innerControl_->CanFocus())
    if (TCustomForm* form = GetParentForm(this)) form->FocusControl(innerControl_);
}

// ---------------------------------------------------------------------------------------------
// Keyboard

bool TcxContainer::HandleInnerKeyMessage(TMessage& message) {
  if (message.Msg != CN_KEYDOWN && message.Msg != CN_SYSKEYDOWN) return false;
  if (!IsParentPopupMenuShortCut(this, message)) return false;
  message.Result = 1;
  return true;
}

bool TcxContainer::PreviewInnerMessage(TMessage& message) {
  if (message.Msg != WM_CONTEXTMENU) return false;
  Perform(message.Msg, message.WParam, message.LParam);
  TMessage copy = message;
  copy.Result = 0;
  Dispatch(copy);
  message.Result = copy.Result;
  return copy.Result != 0;
}

void TcxContainer::KeyDown(Word& key, TShiftState shift) {
  TcxControl::KeyDown(key, shift);
  if (key != VK_TAB || !IsContainerFocused() || shift.Contains(ssAlt) || shift.Contains(ssCtrl) || !HandlesTabKey())
    return;
  key = 0;
  if (TCustomForm* form = GetParentForm(this)) {
    form->SelectNext(form->ActiveControl(), !shift.Contains(ssShift), true);
    if (HandleAllocated() && GetFocus() == Handle()) FocusInnerControl();
  }
}

// ---------------------------------------------------------------------------------------------
// Mouse

void TcxContainer::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TcxObjectLinkGuard link(this);
  TcxControl::MouseDown(button, shift, x, y);
  if (!link.Alive()) return;
  lastShiftState = shift;
  RefreshContainer(TPoint(x, y), ToContainerMouseButton(button), shift, true);
}

void TcxContainer::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TcxObjectLinkGuard link(this);
  TcxControl::MouseUp(button, shift, x, y);
  if (!link.Alive()) return;
  lastShiftState = shift;
  RefreshContainer(TPoint(x, y), ToContainerMouseButton(button), shift, true);
}

void TcxContainer::MouseMove(TShiftState shift, int x, int y) {
  TcxControl::MouseMove(shift, x, y);
  RefreshContainer(TPoint(x, y), cmbNone, shift, true);
  StartHotTracking();
}

void TcxContainer::MouseEnter(TControl* control) {
  TcxControl::MouseEnter(control);
  ShortRefresh(true);
  StartHotTracking();
}

void TcxContainer::MouseLeave(TControl* control) {
  TcxControl::MouseLeave(control);
  lastShiftState = {};
  ShortRefresh(true);
  EndMouseTracking(this);
}

void TcxContainer::InnerMouseLeave() {
  MouseLeave(static_cast<TControl*>(nullptr));
  EndMouseTracking(this);
}

void TcxContainer::WMSetCursor(TMessage& m) {
  const bool ownClient = reinterpret_cast<HWND>(m.WParam) == Handle() && LOWORD(m.LParam) == HTCLIENT;
  if (ownClient && innerControl_) {
    const TPoint p = ScreenToClient(GetMouseScreenPos());
    if (!viewInfo_->ClientRect.Contains(p)) {
      ::SetCursor(LoadCursor(nullptr, IDC_ARROW));
      m.Result = 1;
      return;
    }
  }
  TcxControl::Dispatch(m);
}

void TcxContainer::WMContextMenu(TMessage& m) {
  const TPoint p(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
  const bool keyboard = p.X == -1 && p.Y == -1;
  if (popupMenuLock_ > 0 || (!keyboard && !CanShowContextMenuAt(ScreenToClient(p)))) {
    m.Result = 1;
    return;
  }
  TcxControl::Dispatch(m);
}

TDragImageList* TcxContainer::GetDragImages() {
  if (innerControl_) return innerControl_->GetDragImages();
  return TcxControl::GetDragImages();
}

void TcxContainer::DragCanceled() {
  TcxControl::DragCanceled();
  if (innerControl_) innerControl_->DragCanceled();
}

void TcxContainer::SetDragMode(TDragMode value) {
  TcxControl::SetDragMode(value);
  if (innerControl_) innerControl_->SetDragMode(value);
}


void TcxContainer::Resize() {
  TcxControl::Resize();
  if (creating_) return;
  refreshing_ = false;
  ShortRefresh();
}

void TcxContainer::CallInnerWindowProc(TMessage& message) {
  if (innerControl_) innerControl_->WndProc(message);
}

// ---------------------------------------------------------------------------------------------
// The window procedure

void TcxContainer::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case CN_KEYDOWN:
    case CN_KEYUP:
    case CN_CHAR:
      if (innerControl_ && innerControl_->HandleAllocated()) {
        m.Result = SendMessageA(innerControl_->Handle(), m.Msg >= CN_BASE ? m.Msg - CN_BASE : m.Msg, m.WParam, m.LParam);
        return;
      }
      break;
    case WM_SETFOCUS:
      if (!Visible()) return;
      break;
  }
  TcxControl::WndProc(m);
}

void TcxContainer::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_SETFOCUS: WMSetFocus(m); break;
    case WM_KILLFOCUS: WMKillFocus(m); break;
    case WM_WINDOWPOSCHANGING: WMWindowPosChanging(m); break;
    case WM_WINDOWPOSCHANGED:
      TcxControl::Dispatch(m);
      if (HasTransparentBackground()) ShortRefresh();
      break;
    case WM_SETCURSOR: WMSetCursor(m); break;
    case WM_CONTEXTMENU: WMContextMenu(m); break;
    case WM_NCPAINT: WMNCPaint(m); break;
    case CM_CXCONTAINER_REFRESH: ShortRefresh(); break;
    case CM_CXCONTAINER_UPDATESCROLLBARS: UpdateOwnScrollBars(false); break;
    case CM_ENABLEDCHANGED: TcxControl::Dispatch(m); EnabledChanged(); break;
    case CM_PARENTCOLORCHANGED: TcxControl::Dispatch(m); ParentColorChanged(); break;
    case CM_PARENTFONTCHANGED: TcxControl::Dispatch(m); ParentFontChanged(); break;
    case CM_CTL3DCHANGED:
    case CM_SYSCOLORCHANGE: TcxControl::Dispatch(m); ShortRefresh(); break;
    default: TcxControl::Dispatch(m);
  }
}

// ---------------------------------------------------------------------------------------------
// Input of inner controls handed to their container

void InnerKeyDownToContainer(TcxContainer* container, Word& key, TShiftState shift) {
  if (container) container->DoKeyDown(key, shift);
}

void InnerKeyPressToContainer(TcxContainer* container, char& key) {
  if (key == '\t') key = 0;
  if (key != 0 && container) container->DoKeyPress(key);
  if (key == '\r') key = 0;
}

void InnerKeyUpToContainer(TcxContainer* container, Word& key, TShiftState shift) {
  if (key == VK_TAB) key = 0;
  if (key != 0 && container) container->DoKeyUp(key, shift);
}

// The container knows the press is the inner control's only while its handler runs.
void InnerMouseDownToContainer(TcxContainer* container, TControl* inner, TMouseButton button, TShiftState shift,
                               int x, int y) {
  if (!container) return;
  container->SetInnerControlMouseDown(true);
  struct TReset {
    TcxContainer* c;
    ~TReset() { c->SetInnerControlMouseDown(false); }
  } reset{container};
  container->DoMouseDown(button, shift, x + inner->Left(), y + inner->Top());
}

void InnerMouseMoveToContainer(TcxContainer* container, TControl* inner, TShiftState shift, int x, int y) {
  if (container) container->DoMouseMove(shift, x + inner->Left(), y + inner->Top());
}

void InnerMouseUpToContainer(TcxContainer* container, TControl* inner, TMouseButton button, TShiftState shift,
                             int x, int y) {
  if (container) container->DoMouseUp(button, shift, x + inner->Left(), y + inner->Top());
}

void AddInnerDialogCodes(TcxContainer* container, TMessage& m) {
  if (!container) return;
  m.Result |= DLGC_WANTCHARS;
  if (GetKeyState(VK_CONTROL) >= 0) m.Result |= DLGC_WANTTAB;
}

// ---------------------------------------------------------------------------------------------
// Module start-up

namespace {

void StartContainer() {
  if (HMODULE user = GetModuleHandleA("user32.dll"))
    getScrollBarInfo = reinterpret_cast<TGetScrollBarInfo>(reinterpret_cast<void*>(GetProcAddress(user, "GetScrollBarInfo")));
  GroupDescendentsWith(TcxStyleController::StaticClass(), TControl::StaticClass());
  RegisterClass(TcxStyleController::StaticClass());
  RegisterContainerStyleProperties();
  InstallPopupHooks();
}

void StopContainer() {
  RemovePopupHooks();
  UnRegisterClass(TcxStyleController::StaticClass());
  getScrollBarInfo = nullptr;
}

}  // namespace

constinit const TUnitInfo cxContainerUnit{"cxContainer", StartContainer, StopContainer};
