#include "cxButtons.h"

#include <windowsx.h>

#include <algorithm>

#include "Forms.h"
#include "cxEditPaintUtils.h"
#include "cxGeometry.h"
#include "cxGraphicsGlyphs.h"
#include "cxGraphicsRoutines.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

CALDERAN_IMPLEMENT_CLASS(TcxButtonColors, TPersistent)
CALDERAN_IMPLEMENT_CLASS(TcxButtonGlyph, TObject)
CALDERAN_IMPLEMENT_CLASS(TcxButtonActionLink, TControlActionLink)
CALDERAN_IMPLEMENT_CREATABLE(TcxCustomButton, TButton, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TcxButton, TcxCustomButton, TComponent*)

namespace {

constexpr int officeStyleCode = 4;
// The theme's push-button part and its normal state.
constexpr int pushButtonPart = 1;
constexpr int pushButtonNormalState = 1;
// The split button's face ends this far inside its arrow part.
constexpr int splitFaceOverlap = 2;
constexpr int splitContentInset = 13;

bool IsCaptured() { return GetCapture() != nullptr; }

// The colour pair of each painter state: face and text.
constexpr std::pair<TcxButtonAssignedColor, TcxButtonAssignedColor> stateColors[] = {
    {cxbcDefault, cxbcDefaultText}, {cxbcNormal, cxbcNormalText}, {cxbcHot, cxbcHotText},
    {cxbcPressed, cxbcPressedText}, {cxbcDisabled, cxbcDisabledText},
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Colours

TcxButtonColors::TcxButtonColors(TcxCustomButton* button) : button_(button) { colors_.fill(clDefault); }

void TcxButtonColors::SetColor(TcxButtonAssignedColor index, TColor value) {
  if (value == clNone || value == clDefault) {
    colors_[index] = clDefault;
    assigned_.Exclude(index);
  } else {
    if (colors_[index] == value) return;
    colors_[index] = value;
    assigned_.Include(index);
  }
  button_->Invalidate();
}

void TcxButtonColors::SetAssignedColors(TcxButtonAssignedColors value) {
  if (!button_->ComponentState().Contains(csDesigning)) return;
  for (int i = 0; i < 10; ++i) {
    auto index = static_cast<TcxButtonAssignedColor>(i);
    if (!value.Contains(index)) colors_[i] = clDefault;
    else if (colors_[i] == clDefault) value.Exclude(index);
  }
  assigned_ = value;
  button_->Invalidate();
}

void TcxButtonColors::Assign(TPersistent* source) {
  auto* colors = ObjectAs<TcxButtonColors>(source);
  if (!colors) return TPersistent::Assign(source);
  colors_ = colors->colors_;
  assigned_ = colors->assigned_;
  button_->Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Glyph

TcxButtonGlyph::TcxButtonGlyph() : glyph_(std::make_unique<TBitmap>()) {
  glyph_->OnChange = MakeEvent(this, &TcxButtonGlyph::GlyphChanged);
}

TcxButtonGlyph::~TcxButtonGlyph() { glyph_->OnChange = {}; }

void TcxButtonGlyph::SetGlyph(TBitmap* value) {
  if (value) glyph_->Assign(value);
  else glyph_->Assign(nullptr);
  int pieces = 1;
  if (!glyph_->Empty() && glyph_->Height() > 0 && glyph_->Width() % glyph_->Height() == 0) {
    pieces = glyph_->Width() / glyph_->Height();
    if (pieces > 4) pieces = 1;
  }
  numGlyphs_ = pieces;
  Invalidate();
}

void TcxButtonGlyph::SetImages(TCustomImageList* value) {
  if (value == images_) return;
  images_ = value;
  if (glyph_->Empty() && imageIndex_ != -1) Invalidate();
}

void TcxButtonGlyph::SetImageIndex(int value) {
  if (value == imageIndex_) return;
  imageIndex_ = value;
  if (glyph_->Empty() && images_) Invalidate();
}

void TcxButtonGlyph::SetNumGlyphs(int value) {
  value = std::clamp(value, 1, 4);
  if (value == numGlyphs_) return;
  numGlyphs_ = value;
  Invalidate();
}

bool TcxButtonGlyph::HasImage() const {
  return !glyph_->Empty() || (images_ && imageIndex_ >= 0 && imageIndex_ < images_->Count());
}

TSize TcxButtonGlyph::ImageSize() const {
  if (!glyph_->Empty()) return TSize(glyph_->Width(), glyph_->Height());
  if (HasImage()) return TSize(images_->Width(), images_->Height());
  return TSize(0, 0);
}

TSize TcxButtonGlyph::GlyphSize() const {
  const TSize size = ImageSize();
  return TSize(size.cx / numGlyphs_, size.cy);
}

void TcxButtonGlyph::Invalidate() {
  for (auto& image : stateImages_) image.reset();
  if (OnChange) OnChange(this);
}

TRect TcxButtonGlyph::TextMarginsFor(TButtonLayout) const { return HasImage() ? TRect() : TRect(1, 0, 2, 0); }

TcxButtonGlyph::TGlyphState TcxButtonGlyph::GlyphStateOf(TcxButtonState state) const {
  TGlyphState result = gsUp;
  if (state == cxbsPressed) result = gsDown;
  else if (state == cxbsDisabled) result = gsDisabled;
  if (result == gsDown && numGlyphs_ < 3) result = gsUp;
  return result;
}

std::unique_ptr<TBitmap> TcxButtonGlyph::BuildStateImage(TGlyphState state) {
  const TSize size = GlyphSize();
  auto image = std::make_unique<TBitmap>();
  image->SetSize(size.cx, size.cy);
  const TRect target(0, 0, size.cx, size.cy);
  image->Canvas()->Brush()->SetColor(clFuchsia);
  image->Canvas()->FillRect(target);
  const bool generatedDisabled = state == gsDisabled && numGlyphs_ == 1;
  if (!glyph_->Empty()) {
    const int piece = state < numGlyphs_ ? state : 0;
    if (generatedDisabled) {
      TCustomImageList list(nullptr, size.cx, size.cy);
      list.AddMasked(glyph_.get(), glyph_->TransparentColor());
      list.Draw(image->Canvas(), 0, 0, 0, false);
    } else {
      image->Canvas()->BrushCopy(target, glyph_.get(), TRect(piece * size.cx, 0, (piece + 1) * size.cx, size.cy),
                                 glyph_->TransparentColor());
    }
  } else {
    images_->Draw(image->Canvas(), 0, 0, imageIndex_, state != gsDisabled);
  }
  image->SetTransparentColor(clFuchsia);
  image->SetTransparent(true);
  return image;
}

TBitmap* TcxButtonGlyph::StateImage(TcxButtonState state) {
  if (!HasImage()) return nullptr;
  std::unique_ptr<TBitmap>& slot = stateImages_[GlyphStateOf(state)];
  if (!slot) slot = BuildStateImage(GlyphStateOf(state));
  return slot.get();
}

TcxButtonGlyph::TLayout TcxButtonGlyph::Calculate(TcxCanvas* canvas, const TRect& client, const TPoint& offset,
                                                  const std::string& caption, TButtonLayout layout, int margin,
                                                  int spacing, UINT biDiFlags, bool wordWrap) const {
  if (biDiFlags & DT_RIGHT) {
    if (layout == blGlyphLeft) layout = blGlyphRight;
    else if (layout == blGlyphRight) layout = blGlyphLeft;
  }
  TRect text;
  TSize textSize(0, 0);
  if (!caption.empty()) {
    const TRect margins = TextMarginsFor(layout);
    text = TRect(0, 0, client.Width() - margins.Left - margins.Right, 0);
    RECT r = *text.Win();
    const UINT flags = DT_CALCRECT | biDiFlags | (wordWrap && !HasImage() ? DT_WORDBREAK : 0);
    DrawTextA(canvas->GetHandle(), caption.c_str(), -1, &r, flags);
    textSize = TSize(r.right - r.left + margins.Left + margins.Right, r.bottom - r.top + margins.Top + margins.Bottom);
  }
  const TSize clientSize(client.Width(), client.Height());
  const TSize glyphSize = GlyphSize();
  const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
  TPoint glyphPos, textPos;
  if (horizontal) {
    glyphPos.Y = (clientSize.cy - glyphSize.cy) / 2;
    textPos.Y = (clientSize.cy - textSize.cy - 1) / 2;
  } else {
    glyphPos.X = (clientSize.cx - glyphSize.cx) / 2;
    textPos.X = (clientSize.cx - textSize.cx) / 2;
  }
  if (textSize.cx == 0 || glyphSize.cx == 0) spacing = 0;
  const int axisClient = horizontal ? clientSize.cx : clientSize.cy;
  const int axisGlyph = horizontal ? glyphSize.cx : glyphSize.cy;
  const int axisText = horizontal ? textSize.cx : textSize.cy;
  if (margin == -1 && spacing == -1) {
    margin = (axisClient - (axisGlyph + axisText)) / 3;
    spacing = margin;
  } else if (margin == -1) {
    margin = (axisClient - (axisGlyph + spacing + axisText)) / 2;
  } else if (spacing == -1) {
    spacing = ((axisClient - (margin + axisGlyph)) - axisText) / 2;
  }
  switch (layout) {
    case blGlyphLeft: glyphPos.X = margin, textPos.X = glyphPos.X + glyphSize.cx + spacing; break;
    case blGlyphRight: glyphPos.X = clientSize.cx - margin - glyphSize.cx, textPos.X = glyphPos.X - spacing - textSize.cx; break;
    case blGlyphTop: glyphPos.Y = margin, textPos.Y = glyphPos.Y + glyphSize.cy + spacing; break;
    case blGlyphBottom: glyphPos.Y = clientSize.cy - margin - glyphSize.cy, textPos.Y = glyphPos.Y - spacing - textSize.cy; break;
  }
  const TPoint shift(client.Left + offset.X, client.Top + offset.Y);
  TLayout result;
  result.GlyphPos = TPoint(glyphPos.X + shift.X, glyphPos.Y + shift.Y);
  result.TextRect = TRect(textPos.X + shift.X, textPos.Y + shift.Y, textPos.X + shift.X + textSize.cx,
                          textPos.Y + shift.Y + textSize.cy);
  return result;
}

void TcxButtonGlyph::Draw(TcxCanvas* canvas, const TRect& client, const TPoint& offset, const std::string& caption,
                          TButtonLayout layout, int margin, int spacing, TcxButtonState state, UINT biDiFlags,
                          bool wordWrap) {
  const TLayout placed = Calculate(canvas, client, offset, caption, layout, margin, spacing, biDiFlags, wordWrap);
  if (TBitmap* image = StateImage(state)) canvas->Draw(placed.GlyphPos.X, placed.GlyphPos.Y, image);
  if (caption.empty()) return;
  HDC dc = canvas->GetHandle();
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const UINT flags = biDiFlags | DT_CENTER | DT_VCENTER | (wordWrap && !HasImage() ? DT_WORDBREAK : 0);
  RECT r = *placed.TextRect.Win();
  canvas->SetFont(canvas->GetFont());
  if (state == cxbsDisabled) {
    RECT shadow{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
    const COLORREF old = SetTextColor(dc, ColorToRGB(clBtnHighlight));
    DrawTextA(dc, caption.c_str(), -1, &shadow, flags);
    SetTextColor(dc, old);
  }
  SetTextColor(dc, ColorToRGB(canvas->GetFont()->Color()));
  DrawTextA(dc, caption.c_str(), -1, &r, flags);
  SetBkMode(dc, oldMode);
}

// ---------------------------------------------------------------------------------------------
// Button: construction and properties

TcxCustomButton::TcxCustomButton(TComponent* owner) : TButton(owner) {
  glyph_ = std::make_unique<TcxButtonGlyph>();
  glyph_->OnChange = MakeEvent(this, &TcxCustomButton::GlyphChanged);
  colors_ = std::make_unique<TcxButtonColors>(this);
  controlCanvas_ = std::make_unique<TControlCanvas>();
  controlCanvas_->SetControl(this);
  canvas_ = std::make_unique<TcxCanvas>(controlCanvas_.get());
  lookAndFeel_ = std::make_unique<TcxLookAndFeel>(this);
  lookAndFeel_->OnChanged = MakeEvent(this, &TcxCustomButton::LookAndFeelChanged);
  SetControlStyle(ControlStyle() + csOpaque + csReflector);
}

// ---------------------------------------------------------------------------------------------
// Action link

TcxButtonActionLink::TcxButtonActionLink(TcxCustomButton* button) : TControlActionLink(button) {}

// The button's own destructor has already run when its control part frees the link.
TcxButtonActionLink::~TcxButtonActionLink() {
  auto* button = static_cast<TcxCustomButton*>(client_);
  if (button->ComponentState().Contains(csDestroying)) return;
  button->ButtonGlyph()->SetImages(nullptr);
  button->ButtonGlyph()->SetImageIndex(-1);
}

void TcxButtonActionLink::ApplyTo(TCustomAction* action) {
  TControlActionLink::ApplyTo(action);
  static_cast<TcxCustomButton*>(client_)->ButtonGlyph()->SetImageIndex(action->ImageIndex());
}

std::unique_ptr<TBasicActionLink> TcxCustomButton::CreateActionLink() {
  return std::make_unique<TcxButtonActionLink>(this);
}

// The image of a button that follows an action is the action's, from its action list's images.
void TcxCustomButton::TakeGlyphImageFromAction() {
  auto* action = ObjectAs<TCustomAction>(Action());
  glyph_->SetImages(action && action->ActionList() ? action->ActionList()->Images() : nullptr);
  glyph_->SetImageIndex(action ? action->ImageIndex() : -1);
}

TcxCustomButton::~TcxCustomButton() {
  Destroying();
  EndMouseTracking(this);
  if (dropDownMenu_) dropDownMenu_->RemoveFreeNotification(this);
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  lookAndFeel_.reset();
  glyph_->OnChange = {};
}

void TcxCustomButton::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) {
  if (useSystemPaint_ && HandleAllocated()) RecreateWnd();
  else Invalidate();
}

void TcxCustomButton::SetLayout(TButtonLayout value) {
  if (value == layout_) return;
  layout_ = value;
  Invalidate();
}

void TcxCustomButton::SetMargin(int value) {
  if (value < -1 || value == margin_) return;
  margin_ = value;
  Invalidate();
}

void TcxCustomButton::SetSpacing(int value) {
  if (value == spacing_) return;
  spacing_ = value;
  Invalidate();
}

void TcxCustomButton::SetKind(TcxButtonKind value) {
  if (value == kind_) return;
  kind_ = value;
  if (HandleAllocated()) RecreateWnd();
}

// A menu freed elsewhere clears the reference through its free notification.
void TcxCustomButton::SetDropDownMenu(TPopupMenu* value) {
  if (value == dropDownMenu_) return;
  if (dropDownMenu_) dropDownMenu_->RemoveFreeNotification(this);
  dropDownMenu_ = value;
  if (dropDownMenu_) dropDownMenu_->FreeNotification(this);
}

void TcxCustomButton::SetButtonPopupMenu(TComponent* value) {
  if (value && !value->Is<TPopupMenu>() && !dynamic_cast<IcxPopupMenuHandler*>(value)) value = nullptr;
  if (value == popupMenu_) return;
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = value;
  if (popupMenu_) popupMenu_->FreeNotification(this);
}

void TcxCustomButton::Notification(TComponent* component, TOperation operation) {
  TButton::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == dropDownMenu_) dropDownMenu_ = nullptr;
  if (component == popupMenu_) SetButtonPopupMenu(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Grouping

void TcxCustomButton::SetAllowAllUp(bool value) {
  if (value == allowAllUp_) return;
  allowAllUp_ = value;
  AnnounceToGroup();
}

void TcxCustomButton::SetCanBeFocused(bool value) {
  if (value == canBeFocused_) return;
  canBeFocused_ = value;
  AnnounceToGroup();
}

void TcxCustomButton::SetGroupIndex(int value) {
  if (value == groupIndex_) return;
  groupIndex_ = value;
  if (groupIndex_ != 0) AnnounceToGroup();
  else SetDown(false);
}

void TcxCustomButton::SetDown(bool value) {
  if (groupIndex_ == 0) value = false;
  if (value == down_) return;
  if (down_ && !allowAllUp_ && groupIndex_ != 0) return;  // the last down button of a group stays down
  down_ = isPressed_ = value;
  if (value) AnnounceToGroup();
  Invalidate();
}

void TcxCustomButton::AnnounceToGroup() {
  if (groupIndex_ == 0 || !Parent()) return;
  TMessage m{CM_BUTTONPRESSED, static_cast<WPARAM>(groupIndex_), reinterpret_cast<LPARAM>(this), 0};
  Parent()->Broadcast(m);
}

void TcxCustomButton::CMButtonPressed(TMessage& m) {
  auto* sender = reinterpret_cast<TcxCustomButton*>(m.LParam);
  if (sender == this || !IsSpeedButtonMode() || groupIndex_ == 0 || static_cast<int>(m.WParam) != groupIndex_) return;
  allowAllUp_ = sender->allowAllUp_;
  canBeFocused_ = sender->canBeFocused_;
  if (sender->down_ && down_) {
    down_ = false;
    Invalidate();
  }
}

// ---------------------------------------------------------------------------------------------
// Focus and clicks

bool TcxCustomButton::CanFocus() {
  TCustomForm* form = GetParentForm(this);
  if (!form) return false;
  for (TWinControl* c = this; c; c = c->Parent()) {
    if (!c->Visible() || !c->Enabled()) return false;
    if (c == form) break;
  }
  return canBeFocused_ || ComponentState().Contains(csDesigning);
}

void TcxCustomButton::Click() {
  switch (kind_) {
    case cxbkStandard: TButton::Click(); break;
    case cxbkDropDown:
      if (!menuClosingClick_) PostMenuOpen();
      menuClosingClick_ = false;
      break;
    case cxbkDropDownButton:
      if (menuClosingClick_) menuClosingClick_ = false;
      else TButton::Click();
      break;
  }
}

// The accelerator clicks only a button the user could click: enabled and shown.
void TcxCustomButton::CMDialogChar(TMessage& m) {
  if (!IsAccel(LOWORD(m.WParam), Text()) || !Enabled() || !IsWindowVisible(Handle())) return;
  SetDown(!down_);
  Click();
  m.Result = 1;
}

// ---------------------------------------------------------------------------------------------
// State and painting

TcxCustomLookAndFeelPainterClass TcxCustomButton::ButtonPainter() const {
  if (TcxCustomLookAndFeelPainterClass skin = lookAndFeel_->SkinPainter()) return skin;
  TcxCustomLookAndFeelPainterClass painter = lookAndFeel_->CurrentPainter();
  if (painter->DrawingStyle() != officeStyleCode) return painter;
  if (IsThemeKindAvailable(totButton)) return TcxWinXPLookAndFeelPainter::Instance();
  return TcxStandardLookAndFeelPainter::Instance();
}

bool TcxCustomButton::HoverTracking() const {
  return !PaintsNatively() && ButtonPainter()->HasHotButtons() && Enabled();
}

TcxButtonState TcxCustomButton::ButtonState() const {
  if (!Enabled()) return cxbsDisabled;
  if (isPressed_ || (menuVisible_ && kind_ == cxbkDropDown) || (down_ && IsSpeedButtonMode())) return cxbsPressed;
  if (isHot_) return cxbsHot;
  if ((isFocusedLook_ || Default()) && !IsSpeedButtonMode()) return cxbsDefault;
  return cxbsNormal;
}

TColor TcxCustomButton::FaceColorFor(TcxButtonState state) const {
  const TcxButtonAssignedColor face = stateColors[state].first;
  if (colors_->AssignedColors().Contains(face)) return colors_->Color(face);
  return colors_->Color(state == cxbsNormal ? cxbcDefault : cxbcNormal);
}

TColor TcxCustomButton::TextColorFor(TcxButtonState state) const {
  const TcxButtonAssignedColor text = stateColors[state].second;
  if (colors_->AssignedColors().Contains(text)) return colors_->Color(text);
  return ButtonPainter()->ButtonGlyphColor(state, const_cast<TcxCustomButton*>(this)->Font()->Color());
}

TRect TcxCustomButton::ContentRect(TcxButtonState state) const {
  const int frame = ButtonPainter()->ButtonBorderWidth(state);
  TRect r(frame, frame, Width() - frame, Height() - frame);
  if (kind_ == cxbkDropDownButton) r.Right -= splitContentInset;
  return r;
}

void TcxCustomButton::Paint() {
  if (PaintsNatively()) return;
  TcxBrushCachePaintScope brushes;
  TcxCustomLookAndFeelPainterClass painter = ButtonPainter();
  TRect r(0, 0, Width(), Height());
  if (painter == TcxWinXPLookAndFeelPainter::Instance()) {
    HTHEME theme = OpenThemeByKind(totButton);
    if (theme && UxIsThemeBackgroundPartiallyTransparent(theme, pushButtonPart, pushButtonNormalState))
      DrawParentBackground(this, canvas_.get(), r);
  } else if (lookAndFeel_->SkinPainter()) {
    PaintParentImage(this, canvas_.get(), r, false);
  }
  TRect arrowRect;
  if (kind_ == cxbkDropDown) isPressed_ = menuVisible_;
  if (kind_ == cxbkDropDownButton) {
    arrowRect = TRect(r.Right - cxDropDownButtonWidth, r.Top, r.Right, r.Bottom);
    r.Right = r.Right - cxDropDownButtonWidth + splitFaceOverlap;
  }
  const TcxButtonState state = ButtonState();
  TColor face = FaceColorFor(state);
  canvas_->SetFont(Font());
  canvas_->GetFont()->SetColor(TextColorFor(state));
  if (OnGetDrawParams) OnGetDrawParams(this, state, face, canvas_->GetFont());
  painter->PaintButton(canvas_.get(), r, "", state, true, face, canvas_->GetFont()->Color(), false);
  const int shift = painter->ButtonPressedShift();
  const TPoint offset = state == cxbsPressed && shift != 0 ? TPoint(shift, shift) : TPoint(0, 0);
  canvas_->SaveClipRegion();
  canvas_->IntersectClipRect(ContentRect(state));
  TakeGlyphImageFromAction();
  glyph_->Draw(canvas_.get(), ContentRect(cxbsDefault), offset, Text(), layout_, margin_, spacing_, state,
               0, false);
  canvas_->RestoreClipRegion();
  if (kind_ == cxbkDropDownButton) {
    TcxButtonState arrowState = state;
    if (menuVisible_) arrowState = cxbsPressed;
    else if (state == cxbsPressed) arrowState = Default() ? cxbsHot : cxbsNormal;
    painter->PaintButton(canvas_.get(), arrowRect, "", arrowState, true, face, canvas_->GetFont()->Color(), false);
    painter->PaintArrowGlyph(canvas_.get(), arrowRect, arrowState, adDown);
  }
  if (canBeFocused_ && HandleAllocated() && GetFocus() == Handle() && !menuVisible_)
    canvas_->DrawFocusRect(painter->ButtonFocusBounds(canvas_.get(), r));
}

TSize TcxCustomButton::MeasurePreferredSize() {
  TcxScreenCanvas* canvas = SharedScreenCanvas();
  canvas->SetFont(Font());
  std::string caption = RemoveAccelChars(Text(), false);
  if (caption.empty()) caption = " ";
  return TSize(canvas->TextWidth(caption) + 3 * canvas->TextWidth("R"), canvas->TextHeight("Wg") * 14 / 8);
}

void TcxCustomButton::CreateParams(TCreateParams& params) {
  TButton::CreateParams(params);
  if (!PaintsNatively()) params.Style |= BS_OWNERDRAW;
}

void TcxCustomButton::CreateWnd() {
  TButton::CreateWnd();
  glyph_->StateImage(Enabled() ? cxbsNormal : cxbsDisabled);
}

void TcxCustomButton::CNDrawItem(TMessage& m) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
  controlCanvas_->SetHandle(item->hDC);
  if (!pressTracked_) isPressed_ = item->itemState & ODS_SELECTED;
  else isPressed_ = IsSpeedButtonMode() && isPressed_;
  isFocusedLook_ = (item->itemState & ODS_FOCUS) || (Default() && ComponentState().Contains(csDesigning));
  Paint();
  controlCanvas_->SetHandle(nullptr);
  m.Result = TRUE;
}

void TcxCustomButton::CNMeasureItem(TMessage& m) {
  auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
  item->itemWidth = Width();
  item->itemHeight = Height();
}

// ---------------------------------------------------------------------------------------------
// Drop-down menu

bool TcxCustomButton::IsMenuPart(const TPoint& point) const {
  switch (kind_) {
    case cxbkDropDown: return true;
    case cxbkDropDownButton: return point.X >= Width() - cxDropDownButtonWidth;
    default: return false;
  }
}

void TcxCustomButton::PostMenuOpen() {
  if (HandleAllocated()) PostMessageA(Handle(), CM_DROPDOWNPOPUPMENU, 0, 0);
}

bool TcxCustomButton::FireDropDownMenuPopup(TPopupMenu*& menu) {
  bool handled = false;
  if (OnDropDownMenuPopup) OnDropDownMenuPopup(this, menu, handled);
  return handled;
}

void TcxCustomButton::DropDownPopupMenu() {
  if (kind_ == cxbkStandard) return;
  TPopupMenu* menu = dropDownMenu_;
  if (FireDropDownMenuPopup(menu) || !menu) return;
  menuVisible_ = true;
  Repaint();
  const int x = popupAlignment_ == paLeft ? 0 : popupAlignment_ == paRight ? Width() : Width() / 2;
  TPoint point = ClientToScreen(TPoint(x, Height()));
  const TRect workArea = GetWorkAreaAtPoint(point);
  const int menuHeight = GetPopupMenuHeight(menu);
  if (workArea.Bottom < point.Y + menuHeight) point.Y -= Height() + menuHeight + 2;
  const TPopupAlignment saved = menu->Alignment();
  if (point.X <= workArea.Left) menu->SetAlignment(paRight);
  else if (point.X >= workArea.Right) menu->SetAlignment(paLeft);
  else menu->SetAlignment(popupAlignment_);
  menu->SetPopupComponent(this);
  TcxObjectLinkGuard link(this);
  menu->Popup(point.X, point.Y);
  if (!link.Alive()) return;
  if (dropDownMenu_ == menu) menu->SetAlignment(saved);
  if (HandleAllocated()) PostMessageA(Handle(), CM_CLOSEUPPOPUPMENU, 0, 0);
}

void TcxCustomButton::CloseUpPopupMenu() {
  isHot_ = HoverTracking() && WindowFromPoint(*GetCursorPosSafe().Win()) == Handle();
  menuVisible_ = false;
  Repaint();
  if (!IsSpeedButtonMode()) pressTracked_ = false;
}

bool TcxCustomButton::PopupContextMenu(TComponent* menu, int x, int y) { return ShowPopupMenu(this, menu, x, y); }

void TcxCustomButton::DoContextPopup(TPoint mousePos, bool& handled) {
  TButton::DoContextPopup(mousePos, handled);
  if (handled) return;
  const TPoint screen = mousePos.X == -1 && mousePos.Y == -1 ? ClientToScreen(TPoint(0, 0)) : ClientToScreen(mousePos);
  handled = PopupContextMenu(popupMenu_, screen.X, screen.Y);
}

void TcxCustomButton::WMContextMenu(TMessage& m) {
  if (m.Result != 0 || ComponentState().Contains(csDesigning)) return TButton::Dispatch(m);
  const TPoint screen(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
  const bool keyboard = screen.X == -1 && screen.Y == -1;
  const TPoint client = keyboard ? screen : ScreenToClient(screen);
  if (!keyboard && !TRect(0, 0, Width(), Height()).Contains(client)) return TButton::Dispatch(m);
  bool handled = false;
  DoContextPopup(client, handled);
  m.Result = 1;
}

// ---------------------------------------------------------------------------------------------
// Mouse and keyboard

void TcxCustomButton::WMLButtonDown(TMessage& m) {
  const TPoint p = m.Pos();
  const bool designing = ComponentState().Contains(csDesigning);
  if (IsSpeedButtonMode() && !designing) {
    pressTracked_ = true;
    Invalidate();
    if (kind_ != cxbkStandard && IsMenuPart(p)) PostMenuOpen();
    isPressed_ = !IsMenuPart(p);
    if (CanFocus()) SetFocus();
    return;
  }
  if (kind_ != cxbkStandard && menuVisible_) {
    menuClosingClick_ = true;
    menuVisible_ = isPressed_ = false;
    Repaint();
  } else if (kind_ != cxbkStandard && IsMenuPart(p)) {
    if (kind_ == cxbkDropDownButton) pressTracked_ = true;
    PostMenuOpen();
  }
  TButton::Dispatch(m);
}

void TcxCustomButton::WMLButtonUp(TMessage& m) {
  if (IsSpeedButtonMode() && !ComponentState().Contains(csDesigning)) {
    if (groupIndex_ == 0) pressTracked_ = isPressed_ = false;
    else SetDown(!down_);
    Click();
    Invalidate();
    return;
  }
  pressTracked_ = false;
  TButton::Dispatch(m);
}

void TcxCustomButton::WMLButtonDblClk(TMessage& m) {
  if (IsSpeedButtonMode() && !ComponentState().Contains(csDesigning)) {
    DblClick();
    Invalidate();
    return;
  }
  m.Msg = WM_LBUTTONDOWN;
  WMLButtonDown(m);
}

void TcxCustomButton::WMMouseMove(TMessage& m) {
  TButton::Dispatch(m);
  if (TRect(0, 0, Width(), Height()).Contains(m.Pos()) && !IsCaptured() && !isHot_ && HoverTracking())
    Perform(CM_MOUSEENTER, 0, 0);
}

void TcxCustomButton::WMKeyDown(TMessage& m) {
  const Word key = LOWORD(m.WParam);
  const bool modifier = GetKeyState(VK_MENU) < 0 || GetKeyState(VK_SHIFT) < 0;
  if (kind_ == cxbkDropDownButton && modifier && (key == VK_UP || key == VK_DOWN)) {
    if (!menuVisible_) PostMenuOpen();
    return;
  }
  TButton::Dispatch(m);
}

void TcxCustomButton::WMKeyUp(TMessage& m) {
  if (LOWORD(m.WParam) == VK_SPACE && IsSpeedButtonMode()) SetDown(!down_);
  TButton::Dispatch(m);
}

void TcxCustomButton::CNKeyDown(TMessage& m) {
  if (IsPopupMenuShortCut(popupMenu_, m)) {
    m.Result = 1;
    return;
  }
  const Word key = LOWORD(m.WParam);
  if (m.Msg == CN_SYSKEYDOWN && kind_ == cxbkDropDownButton && (key == VK_UP || key == VK_DOWN)) {
    if (!menuVisible_) PostMenuOpen();
    m.Result = 1;
    return;
  }
  TButton::Dispatch(m);
}

void TcxCustomButton::CMMouseEnter(TMessage& m) {
  TButton::Dispatch(m);
  if (ComponentState().Contains(csDesigning) || isHot_ || !HoverTracking() || IsCaptured()) return;
  BeginMouseTracking(this, TRect(0, 0, Width(), Height()), this);
  isHot_ = true;
  Repaint();
}

void TcxCustomButton::CMMouseLeave(TMessage& m) {
  TButton::Dispatch(m);
  if (ComponentState().Contains(csDesigning)) return;
  EndMouseTracking(this);
  pressTracked_ = menuVisible_;
  if (isHot_ && HoverTracking()) {
    isHot_ = false;
    Invalidate();
  }
}

void TcxCustomButton::WMCaptureChanged(TMessage& m) {
  TButton::Dispatch(m);
  isHot_ = HoverTracking() && HandleAllocated() && WindowFromPoint(*GetCursorPosSafe().Win()) == Handle();
}

void TcxCustomButton::CMEnabledChanged(TMessage& m) {
  TButton::Dispatch(m);
  if (!Enabled()) isHot_ = false;
  Invalidate();
}

void TcxCustomButton::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case CN_DRAWITEM: CNDrawItem(m); break;
    case CN_MEASUREITEM: CNMeasureItem(m); break;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: CNKeyDown(m); break;
    case CM_DIALOGCHAR: CMDialogChar(m); break;
    case CM_BUTTONPRESSED: CMButtonPressed(m); break;
    case CM_MOUSEENTER: CMMouseEnter(m); break;
    case CM_MOUSELEAVE: CMMouseLeave(m); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(m); break;
    case CM_FONTCHANGED: TButton::Dispatch(m); Invalidate(); break;
    case CM_DROPDOWNPOPUPMENU: DropDownPopupMenu(); break;
    case CM_CLOSEUPPOPUPMENU: CloseUpPopupMenu(); break;
    case WM_ERASEBKGND: m.Result = 1; break;
    case WM_LBUTTONDOWN: WMLButtonDown(m); break;
    case WM_LBUTTONUP: WMLButtonUp(m); break;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(m); break;
    case WM_MOUSEMOVE: WMMouseMove(m); break;
    case WM_KEYDOWN: WMKeyDown(m); break;
    case WM_KEYUP: WMKeyUp(m); break;
    case WM_CONTEXTMENU: WMContextMenu(m); break;
    case WM_CAPTURECHANGED: WMCaptureChanged(m); break;
    case WM_DESTROY:
      if (menuVisible_) SendMessageA(Handle(), CM_CLOSEUPPOPUPMENU, 0, 0);
      TButton::Dispatch(m);
      break;
    default: TButton::Dispatch(m);
  }
}

// ---------------------------------------------------------------------------------------------
// Module start-up

namespace {

void StartButtons() {
  RegisterClass(TcxButton::StaticClass());
}

void StopButtons() { UnRegisterClass(TcxButton::StaticClass()); }

}  // namespace

constinit const TUnitInfo cxButtonsUnit{"cxButtons", StartButtons, StopButtons};
