// The control button: faces in the classic and the visual-style look, glyph cells, press and
// auto-repeat.
#include <windows.h>

#include "Forms.h"
#include "RzButton.h"
#include "RzFramedTypes.h"
#include "RzGrafx.h"
#include "TypInfo.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

CALDERAN_IMPLEMENT_CREATABLE(TRzControlButton, TGraphicControl, TComponent*)

namespace {
constexpr int spinPart[] = {0, 4, 1, 3, 2};  // cbsNone, cbsLeft, cbsUp, cbsRight, cbsDown
constexpr int comboDropDownPart = 1, scrollThumbPart = 2;

TArrowDirection StyleToArrowDirection(TRzControlButtonStyle style) {
  switch (style) {
    case cbsLeft: return TArrowDirection::adLeft;
    case cbsRight: return TArrowDirection::adRight;
    case cbsDown: return TArrowDirection::adDown;
    default: return TArrowDirection::adUp;
  }
}

void Shrink(TRect& r, int by) { r = {r.Left + by, r.Top + by, r.Right - by, r.Bottom - by}; }
}  // namespace

TRzControlButton::TRzControlButton(TComponent* owner) : TGraphicControl(owner), glyph_(std::make_unique<TBitmap>()) {
  SetControlStyle({csCaptureMouse});
  SetBounds(Left(), Top(), 17, 21);
  SetParentColor(false);
  SetColor(clBtnFace);
  glyph_->OnChange = MakeEvent(this, &TRzControlButton::GlyphChanged);
}

TRzControlButton::~TRzControlButton() { glyph_->OnChange = {}; }

void TRzControlButton::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CM_MOUSEENTER: CMMouseEnter(message); break;
    case CM_MOUSELEAVE: CMMouseLeave(message); break;
    default: TGraphicControl::Dispatch(message);
  }
}

void TRzControlButton::SetFlat(bool value) {
  flat_ = value;
  Repaint();
}

void TRzControlButton::SetNumGlyphs(uint8_t value) {
  numGlyphs_ = value;
  Invalidate();
}

void TRzControlButton::SetStyle(TRzControlButtonStyle value) {
  style_ = value;
  Invalidate();
}

// A strip of square cells tells how many cells it holds (more than four counts as one picture).
void TRzControlButton::GlyphChanged(TObject*) {
  const int h = glyph_->Height(), w = glyph_->Width();
  if (h != 0 && w % h == 0) numGlyphs_ = w / h < 5 ? static_cast<uint8_t>(w / h) : 1;
  Invalidate();
}

TPoint TRzControlButton::GlyphSize() { return {glyph_->Width() / std::max<int>(numGlyphs_, 1), glyph_->Height()}; }

// ---------------------------------------------------------------------------------------------
// Press and repeat

void TRzControlButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button == mbLeft && Enabled()) {
    if (!down_) {
      down_ = true;
      Invalidate();
    }
    dragging_ = true;
  }
  if (!repeatClicks_) return;
  if (!timer_) {
    timer_ = std::make_unique<TTimer>(nullptr);
    timer_->SetEnabled(false);
    timer_->OnTimer = MakeEvent(this, &TRzControlButton::TimerTick);
  }
  timer_->SetInterval(initialDelay_);
  timer_->SetEnabled(true);
}

void TRzControlButton::TimerTick(TObject*) {
  timer_->SetInterval(delay_);
  if (!down_ || !MouseCapture()) return;
  try {
    Click();
  } catch (...) {
    timer_->SetEnabled(false);
    throw;
  }
}

void TRzControlButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  if (dragging_) {
    dragging_ = false;
    down_ = false;
    mouseOver_ = false;
    Repaint();
    if (x > 0 && x < Width() && y > 0 && y < Height()) Click();
    SyncHover();
  }
  if (timer_) timer_->SetEnabled(false);
}

// After a press the hover state follows the cursor again.
void TRzControlButton::SyncHover() {
  if (!(flat_ || FramedThemesEnabled()) || !Enabled()) return;
  POINT p;
  GetCursorPos(&p);
  Perform(FindDragTarget({p.x, p.y}, true) == this ? CM_MOUSEENTER : CM_MOUSELEAVE);
}

void TRzControlButton::CMMouseEnter(TMessage& m) {
  if (ComponentState().Contains(csDesigning)) return;
  mouseOver_ = true;
  TGraphicControl::Dispatch(m);
  if (OnMouseEnter) OnMouseEnter(this);
  if (flat_ || FramedThemesEnabled()) Repaint();
}

void TRzControlButton::CMMouseLeave(TMessage& m) {
  mouseOver_ = false;
  TGraphicControl::Dispatch(m);
  if (OnMouseLeave) OnMouseLeave(this);
  if (flat_ || FramedThemesEnabled()) Repaint();
}

// ---------------------------------------------------------------------------------------------
// Faces

bool TRzControlButton::Active() {
  return down_ || (mouseOver_ && Enabled()) || ComponentState().Contains(csDesigning);
}

int TRzControlButton::ThemeState() {
  if (down_) return 3;
  if (Active()) return 2;
  return Enabled() ? 1 : 4;
}

void TRzControlButton::Paint() {
  TRect r = ClientRect();
  if (style_ == cbsDropDown) return PaintDropDownFace(r);
  if (style_ != cbsNone) return PaintArrowFace(r);
  PaintPlainFace(r);
  if (glyph_->Empty()) return;
  Shrink(r, 1);
  const TPoint size = GlyphSize();
  r = CenteredBounds(r, size.X, size.Y);
  if (down_) r.Offset(1, FramedThemesEnabled() ? 0 : 1);
  DrawGlyphImage(r);
}

// Classic faces: a flat button shows a frame only while active, a raised one always.
void TRzControlButton::PaintClassicFace(TRect& r, TFrameStyle upStyle) {
  TCanvas* canvas = Canvas();
  if (flat_) {
    if (Active()) r = PaintFrameStyle(canvas, r, down_ ? fsStatus : fsPopup);
    canvas->Brush()->SetColor(Color());
  } else {
    r = down_ ? PaintBoxOutline(canvas, r, clBtnShadow) : PaintFrameStyle(canvas, r, upStyle);
    canvas->Brush()->SetColor(style_ == cbsNone || style_ == cbsDropDown ? clBtnFace : Color());
  }
  canvas->FillRect(r);
}

void TRzControlButton::PaintPlainFace(TRect& r) {
  TCanvas* canvas = Canvas();
  if (!FramedThemesEnabled()) return PaintClassicFace(r, fsRaised);
  if (Active() || !flat_) {
    // The thumb's own edge falls outside the button.
    const TRect outer{r.Left - 1, r.Top - 2, r.Right + 2, r.Bottom + 2};
    TBitmap face(outer.Width(), outer.Height());
    const RECT part{0, 0, outer.Width(), outer.Height()};
    UxDrawThemeBackground(OpenThemeByKind(totScrollBar), face.Canvas()->Handle(), scrollThumbPart, ThemeState(), &part,
                          nullptr);
    BitBlt(canvas->Handle(), r.Left, r.Top, r.Width(), r.Height(), face.Canvas()->Handle(), 1, 2, SRCCOPY);
  } else {
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
  }
  Shrink(r, 2);
}

void TRzControlButton::PaintArrowFace(TRect r) {
  TCanvas* canvas = Canvas();
  const TArrowDirection direction = StyleToArrowDirection(style_);
  if (FramedThemesEnabled()) {
    if (Active() || !flat_) {
      const RECT part = r;
      UxDrawThemeBackground(OpenThemeByKind(totSpin), canvas->Handle(), spinPart[style_], ThemeState(), &part, nullptr);
    } else {
      canvas->Brush()->SetColor(Color());
      canvas->FillRect(r);
      PaintDirectionArrow(canvas, r, 1, direction, false, Enabled());
    }
    return;
  }
  if (flat_) {
    if (Active()) r = PaintFrameStyle(canvas, r, down_ ? fsStatus : fsPopup);
  } else {
    r = down_ ? PaintBoxOutline(canvas, r, clBtnShadow) : PaintFrameStyle(canvas, r, fsButtonUp);
  }
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(r);
  PaintDirectionArrow(canvas, r, 0, direction, down_, Enabled());
}

void TRzControlButton::PaintDropDownFace(TRect r) {
  TCanvas* canvas = Canvas();
  if (FramedThemesEnabled()) {
    r.Inflate(1, 1);
    if (Active() || !flat_) {
      const RECT part = r;
      UxDrawThemeBackground(OpenThemeByKind(totComboBox), canvas->Handle(), comboDropDownPart, ThemeState(), &part,
                            nullptr);
    } else {
      canvas->Brush()->SetColor(Color());
      canvas->FillRect(r);
      PaintDropDownArrow(canvas, r, 1, down_, Enabled());
    }
    return;
  }
  PaintClassicFace(r, fsButtonUp);
  PaintDropDownArrow(canvas, r, 0, down_, Enabled());
}

void TRzControlButton::DrawGlyphImage(const TRect& r) {
  const int w = r.Width(), h = r.Height();
  const TRect cell = numGlyphs_ >= 2 && !Enabled() ? TRect{w, 0, 2 * w, h} : TRect{0, 0, w, h};
  TBitmap work(w, h);
  BitBlt(work.Canvas()->Handle(), 0, 0, w, h, Canvas()->Handle(), r.Left, r.Top, SRCCOPY);
  DrawMaskedBitmap(work.Canvas(), glyph_.get(), {0, 0, w, h}, cell, glyph_->TransparentColor());
  BitBlt(Canvas()->Handle(), r.Left, r.Top, w, h, work.Canvas()->Handle(), 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------------------------
namespace {
using CB = TRzControlButton;
constinit const TPropInfo controlButtonProps[] = {
    Published<&CB::Flat, &CB::SetFlat>("Flat").WithDefault(false),
    Published<&CB::Glyph, &CB::SetGlyph>("Glyph"),
    Published<&CB::NumGlyphs, &CB::SetNumGlyphs>("NumGlyphs").WithDefault(1),
    Published<&CB::Delay, &CB::SetDelay>("Delay").WithDefault(100),
    Published<&CB::InitialDelay, &CB::SetInitialDelay>("InitialDelay").WithDefault(400),
    Published<&CB::RepeatClicks, &CB::SetRepeatClicks>("RepeatClicks").WithDefault(false),
    Published<&CB::Style, &CB::SetStyle>("Style", &ControlButtonStyleInfo).WithDefault(cbsNone),
    PublishedEvent<&CB::OnMouseEnter>("OnMouseEnter"),
    PublishedEvent<&CB::OnMouseLeave>("OnMouseLeave"),
};
}  // namespace

void RegisterButtonClasses() {
  RegisterPublishedProperties(TRzControlButton::StaticClass(), controlButtonProps);
  RegisterClasses({TRzControlButton::StaticClass()});
}
