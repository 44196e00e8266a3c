// The glyph button: glyph place, custom glyph strips, the off-screen face, frame-controller
// settings and the checked action link.
#include "RzRadChk.h"

#include <windows.h>

#include <algorithm>

#include "RzGrafx.h"

CALDERAN_IMPLEMENT_CLASS(TRzCustomGlyphButton, TRzCustomButton)

namespace {
// The link of a glyph button follows the action's Checked state without raising OnClick.
class TRzCheckedActionLink : public TControlActionLink {
 public:
  using TControlActionLink::TControlActionLink;

 protected:
  void ApplyTo(TCustomAction* action) override {
    TControlActionLink::ApplyTo(action);
    static_cast<TRzCustomGlyphButton*>(client_)->SetCheckedQuietly(action->Checked());
  }
};
}  // namespace

TRzCustomGlyphButton::TRzCustomGlyphButton(TComponent* owner)
    : TRzCustomButton(owner), customGlyphs_(std::make_unique<TBitmap>()), background_(std::make_unique<TBitmap>()) {
  customGlyphs_->OnChange = MakeEvent(this, &TRzCustomGlyphButton::CustomGlyphsChanged);
  TControlStyle style = ControlStyle();
  style.Include(csSetCaption);
  style.Include(csReplicatable);
  SetControlStyle(style);
}

TRzCustomGlyphButton::~TRzCustomGlyphButton() {
  customGlyphs_->OnChange = {};
  if (frameController_) frameController_->RemoveControl(this);
}

void TRzCustomGlyphButton::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_ERASEBKGND: case WM_SIZE: case CM_ENABLEDCHANGED: case CM_PARENTCOLORCHANGED: MarkStale(message); break;
    default: TRzCustomButton::Dispatch(message);
  }
}

void TRzCustomGlyphButton::MarkStale(TMessage& m) {
  backgroundStale_ = true;
  TRzCustomButton::Dispatch(m);
  if (m.Msg == CM_ENABLEDCHANGED || m.Msg == CM_PARENTCOLORCHANGED) Invalidate();
}

std::unique_ptr<TBasicActionLink> TRzCustomGlyphButton::CreateActionLink() {
  return std::make_unique<TRzCheckedActionLink>(this);
}

void TRzCustomGlyphButton::SetCheckedQuietly(bool value) {
  const bool saved = clicksDisabled_;
  clicksDisabled_ = true;
  SetChecked(value);
  clicksDisabled_ = saved;
}

void TRzCustomGlyphButton::SetTransparent(bool value) {
  backgroundStale_ = true;
  TRzCustomButton::SetTransparent(value);
}

void TRzCustomGlyphButton::SetUseCustomGlyphs(bool value) {
  useCustomGlyphs_ = value;
  if (value && numStates_ > 0) {
    glyphWidth_ = customGlyphs_->Width() / numStates_;
    glyphHeight_ = customGlyphs_->Height();
  } else {
    glyphWidth_ = glyphHeight_ = 13;
  }
  Invalidate();
}

void TRzCustomGlyphButton::CustomGlyphsChanged(TObject*) {
  SetUseCustomGlyphs(!customGlyphs_->Empty() && customGlyphs_->Width() > 0);
  backgroundStale_ = true;
  Invalidate();
}

void TRzCustomGlyphButton::ExtractGlyph(int index, TBitmap* glyph) {
  const int w = glyphWidth_, h = glyphHeight_;
  glyph->SetSize(w, h);
  BitBlt(glyph->Canvas()->Handle(), 0, 0, w, h, customGlyphs_->Canvas()->Handle(), w * index, 0, SRCCOPY);
}

TRect TRzCustomGlyphButton::GlyphRect() {
  const bool right = IsRightToLeft() == (alignment_ == taRightJustify);
  const int x = right ? Width() - glyphWidth_ : 0;
  const int y = AlignmentVertical() == avTop      ? 2
                : AlignmentVertical() == avCenter ? (Height() - glyphHeight_) / 2
                                                  : Height() - glyphHeight_ - 2;
  return Bounds(x, y, glyphWidth_, glyphHeight_);
}

void TRzCustomGlyphButton::SetFrameController(TRzFrameController* value) {
  RelinkFrameController(this, frameController_, value);
}

void TRzCustomGlyphButton::Notification(TComponent* component, TOperation operation) {
  TRzCustomButton::Notification(component, operation);
  if (operation == opRemove && component == frameController_) frameController_ = nullptr;
}

void TRzCustomGlyphButton::FrameSettingsChanged() {
  if (!frameController_ || !frameController_->FrameVisible()) return;
  const TRzFrameControllerNotifications n = frameControllerNotifications_;
  TRzFrameController* c = frameController_;
  SetHotTrack(true);
  if (n.Contains(fcpColor)) fillColor_ = c->Color();
  if (n.Contains(fcpFrameColor)) frameColor_ = c->FrameColor();
  if (n.Contains(fcpFocusColor)) focusColor_ = c->FocusColor();
  if (n.Contains(fcpDisabledColor)) disabledColor_ = c->DisabledColor();
  if (n.Contains(fcpReadOnlyColor)) readOnlyColor_ = c->ReadOnlyColor();
  if (n.Contains(fcpReadOnlyColorOnFocus)) readOnlyColorOnFocus_ = c->ReadOnlyColorOnFocus();
  if (n.Contains(fcpFrameHotTrack)) hotTrackStyle_ = c->FrameHotTrack() ? htsFrame : htsInterior;
  if (n.Contains(fcpFrameHotColor) && hotTrackStyle_ == htsFrame) SetHotTrackColor(c->FrameHotColor());
  Invalidate();
}

void TRzCustomGlyphButton::DefineProperties(TFiler* filer) {
  TRzCustomButton::DefineProperties(filer);
  filer->DefineProperty("Flat", MakeEvent(this, &TRzCustomGlyphButton::ReadFlat), {}, false);
}

void TRzCustomGlyphButton::ReadFlat(TReader* reader) { SetHotTrack(reader->ReadBoolean()); }

void TRzCustomGlyphButton::KeyPress(char& key) {
  if (tabOnEnter_ && key == '\r') {
    key = 0;
    PostMessageA(Handle(), WM_KEYDOWN, VK_TAB, 0);
    return;
  }
  TRzCustomButton::KeyPress(key);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TRzCustomGlyphButton::UpdateBackground() {
  background_->SetSize(Width(), Height());
  if (Transparent()) {
    BitBlt(background_->Canvas()->Handle(), 0, 0, Width(), Height(), Canvas()->Handle(), 0, 0, SRCCOPY);
  } else {
    background_->Canvas()->Brush()->SetColor(Color());
    background_->Canvas()->FillRect({0, 0, Width(), Height()});
  }
  backgroundStale_ = false;
}

void TRzCustomGlyphButton::DrawGlyph(TCanvas* canvas) {
  if (!canvas) canvas = Canvas();
  const TRect at = GlyphRect();
  const TRect cell{0, 0, glyphWidth_, glyphHeight_};
  TBitmap glyph(glyphWidth_, glyphHeight_);
  RenderGlyph(&glyph);
  TBitmap work(glyphWidth_, glyphHeight_);
  if (Transparent()) {
    BitBlt(work.Canvas()->Handle(), 0, 0, glyphWidth_, glyphHeight_, canvas->Handle(), at.Left, at.Top, SRCCOPY);
    DrawMaskedBitmap(work.Canvas(), &glyph, cell, cell, FramedThemesEnabled() ? clBtnFace : transparentColor_);
  } else {
    work.Canvas()->Brush()->SetColor(Color());
    work.Canvas()->BrushCopy(cell, &glyph, cell, transparentColor_);
  }
  TBitmap* face = &work;
  TBitmap masked(glyphWidth_, glyphHeight_);
  if (useCustomGlyphs_) {
    masked.Canvas()->Brush()->SetColor(clWindow);
    masked.Canvas()->BrushCopy(cell, &work, cell, winMaskColor_);
    face = &masked;
  }
  if (Transparent()) AdjustTransparentGlyph(face);
  BitBlt(canvas->Handle(), at.Left, at.Top, glyphWidth_, glyphHeight_, face->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TRzCustomGlyphButton::Paint() {
  TBitmap face(Width(), Height());
  TCanvas* canvas = face.Canvas();
  canvas->SetFont(Font());
  canvas->Brush()->SetColor(Color());
  if (backgroundStale_) UpdateBackground();
  BitBlt(canvas->Handle(), 0, 0, Width(), Height(), background_->Canvas()->Handle(), 0, 0, SRCCOPY);
  DrawGlyph(canvas);
  TRect text{1, 1, Width() - 1, Height() - 1};
  const bool glyphRight = GlyphRect().Left > 0;
  (glyphRight ? text.Right : text.Left) += glyphRight ? -(glyphWidth_ + 4) : glyphWidth_ + 4;
  DrawCaption3D(canvas, text, DT_WORDBREAK | DT_EXPANDTABS);
  const std::string caption = Caption();
  if (Focused() && !caption.empty()) {
    canvas->SetFont(Font());
    const int width = std::min<int>(text.Width() + 2, canvas->TextWidth(caption) + 3);
    const TRect focus{text.Left - 1, 0, text.Left - 1 + width, Height()};
    PaintDottedFocusFrame(canvas, focus);
  }
  BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), canvas->Handle(), 0, 0, SRCCOPY);
}
