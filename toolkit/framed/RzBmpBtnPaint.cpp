// The bitmap button's face: border, stay-down pattern, the image of the state, caption and focus,
// composed off-screen; and the embossed image of a disabled button.
#include <windows.h>

#include "RzBmpBtn.h"
#include "RzGrafx.h"
#include "TypInfo.h"
#include "RzFramedTypes.h"

namespace {
bool HasImage(TBitmap* bitmap) { return bitmap && !bitmap->Empty() && bitmap->Width() > 0 && bitmap->Height() > 0; }

// Offsets along the layout direction: x for a glyph left or right, y for top or bottom.
struct TAxis {
  int& Of(TPoint& p) const { return horizontal ? p.X : p.Y; }
  int Of(const TSize& s) const { return horizontal ? s.cx : s.cy; }
  bool horizontal;
};
}  // namespace

// The 8 x 8 pattern behind stay-down buttons, made at the first paint that needs it and shared by
// every button while one exists.
TBitmap* TRzBmpButton::SharedDownPattern(bool release) {
  static std::unique_ptr<TBitmap> pattern;
  if (release) {
    pattern.reset();
    return nullptr;
  }
  if (!pattern) {
    pattern = std::make_unique<TBitmap>(8, 8);
    TCanvas* canvas = pattern->Canvas();
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect({0, 0, 8, 8});
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        if ((x & 1) == (y & 1)) canvas->SetPixel(x, y, clWhite);
  }
  return pattern.get();
}

// The monochrome copy is a device bitmap: only there do the text and background colours of the
// destination turn its bits into colours (a monochrome DIB brings its own colour table).
std::unique_ptr<TBitmap> CreateEmbossedBitmap(TBitmap* source) {
  const int w = source->Width(), h = source->Height();
  HDC monoDc = CreateCompatibleDC(nullptr);
  HBITMAP mono = CreateBitmap(w, h, 1, 1, nullptr);
  HGDIOBJ oldMono = SelectObject(monoDc, mono);
  // Dark pixels of the source become set bits.
  HDC sourceDc = source->Canvas()->Handle();
  const COLORREF oldBk = SetBkColor(sourceDc, RGB(255, 255, 255));
  BitBlt(monoDc, 0, 0, w, h, sourceDc, 0, 0, NOTSRCCOPY);
  SetBkColor(sourceDc, oldBk);
  auto result = std::make_unique<TBitmap>(w, h);
  TCanvas* canvas = result->Canvas();
  canvas->Brush()->SetColor(clBtnFace);
  canvas->FillRect({0, 0, w, h});
  HDC dc = canvas->Handle();
  SetBkColor(dc, RGB(0, 0, 0));
  SetTextColor(dc, RGB(255, 255, 255));
  BitBlt(dc, 1, 1, w, h, monoDc, 0, 0, MERGEPAINT);
  BitBlt(dc, 0, 0, w, h, monoDc, 0, 0, SRCAND);
  SetBkColor(dc, ColorToRGB(clBtnShadow));
  SetTextColor(dc, RGB(0, 0, 0));
  BitBlt(dc, 0, 0, w, h, monoDc, 0, 0, SRCPAINT);
  SelectObject(monoDc, oldMono);
  DeleteObject(mono);
  DeleteDC(monoDc);
  return result;
}

void TRzBmpButton::LayoutGlyphAndCaption(TCanvas* canvas, const TRect& r, const TSize& glyph, TRect& glyphRect,
                                         TRect& textRect) {
  const TSize client{r.Width(), r.Height()};
  TRect measured{0, 0, client.cx, 0};
  const std::string caption = Caption();
  if (!caption.empty())
    DrawTextA(canvas->Handle(), caption.c_str(), -1, measured.Win(), DT_CALCRECT | DT_SINGLELINE);
  const TSize text = caption.empty() ? TSize{0, 0} : TSize{measured.Width(), measured.Height()};
  const TAxis along{layout_ == blGlyphLeft || layout_ == blGlyphRight};
  TPoint glyphPos, textPos;
  if (along.horizontal) {
    glyphPos.Y = client.cy / 2 - glyph.cy / 2;
    textPos.Y = client.cy / 2 - text.cy / 2;
  } else {
    glyphPos.X = client.cx / 2 - glyph.cx / 2;
    textPos.X = client.cx / 2 - text.cx / 2;
  }
  int spacing = spacing_, margin = margin_;
  if (text.cx == 0 || glyph.cx == 0) spacing = 0;
  const int c = along.Of(client), g = along.Of(glyph), t = along.Of(text);
  if (margin == -1 && spacing == -1) {
    margin = (c - (g + t)) / 3;
    spacing = margin;
  } else if (margin == -1) {
    const int total = g + spacing + t;
    margin = c / 2 - total / 2;
  } else if (spacing == -1) {
    spacing = (c - (margin + g)) / 2 - t / 2;
  }
  switch (layout_) {
    case blGlyphLeft: case blGlyphTop:
      along.Of(glyphPos) = margin;
      along.Of(textPos) = margin + g + spacing;
      break;
    case blGlyphRight: case blGlyphBottom:
      along.Of(glyphPos) = c - margin - g;
      along.Of(textPos) = along.Of(glyphPos) - spacing - t;
      break;
  }
  textRect = Bounds(r.Left + textPos.X, r.Top + textPos.Y, text.cx, text.cy);
  glyphRect = glyph.cx > 0 && glyph.cy > 0 ? Bounds(r.Left + glyphPos.X, r.Top + glyphPos.Y, glyph.cx, glyph.cy)
                                          : TRect{};
}

TBitmap* TRzBmpButton::FaceImage() {
  TRzButtonBitmaps* b = bitmaps_.get();
  switch (state_) {
    case bsUp:
      if (mouseInside_ && HasImage(b->Hot())) return b->Hot();
      if (Focused() && showFocus_ && HasImage(b->UpAndFocused())) return b->UpAndFocused();
      return b->Up();
    case bsDisabled: return HasImage(b->Disabled()) ? b->Disabled() : nullptr;
    case bsDown: return HasImage(b->Down()) ? b->Down() : b->Up();
    case bsExclusive:
      for (TBitmap* image : {b->StayDown(), b->Down()})
        if (HasImage(image)) return image;
      return b->Up();
  }
  return b->Up();
}

void TRzBmpButton::DrawBorder(TCanvas* canvas, TRect& r, int bevel) {
  switch (buttonBorder_) {
    case bbNone:
      PaintBehindControlCanvas(this, canvas, false);
      // Kept from the original face: every borderless paint waits a moment.
      Sleep(10);
      if (ComponentState().Contains(csDesigning)) {
        canvas->Pen()->SetStyle(TPenStyle::psDot);
        canvas->Brush()->SetStyle(TBrushStyle::bsClear);
        canvas->Rectangle(r);
        canvas->Pen()->SetStyle(TPenStyle::psSolid);
        canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
      }
      break;
    case bbSingle:
      canvas->FillRect(r);
      canvas->Brush()->SetColor(clBlack);
      canvas->FrameRect(r);
      canvas->Brush()->SetColor(color_);
      r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
      break;
    case bbButton: {
      const bool down = state_ == bsDown || state_ == bsExclusive;
      r = DrawButtonFace(canvas, ClientRect(), bevel, buttonStyle_, !NewLook(), down, hasFocus_ && showFocus_);
      r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
      canvas->Brush()->SetColor(color_);
      break;
    }
  }
}

void TRzBmpButton::DrawDownPattern(TCanvas* canvas, const TRect& r, int bevel) {
  if (showDownPattern_) canvas->Brush()->SetBitmap(SharedDownPattern());
  const int in = NewLook() ? 2 : 1;
  const TRect area{r.Left - bevel, r.Top - bevel, r.Right - in + bevel, r.Bottom - in + bevel};
  if (buttonBorder_ != bbNone) canvas->FillRect(area);
  canvas->Brush()->SetBitmap(nullptr);
  canvas->Brush()->SetColor(color_);
}

void TRzBmpButton::DrawImage(TCanvas* canvas, TBitmap* image, const TRect& r, const TRect& glyphRect) {
  const TColor transparent = bitmaps_->TransparentColor();
  const TRect whole{0, 0, image->Width(), image->Height()};
  switch (buttonSize_) {
    case bszNeither: DrawMaskedBitmap(canvas, image, glyphRect, whole, transparent); break;
    case bszButtonToBitmap:
      DrawMaskedBitmap(canvas, image, Bounds(r.Left, r.Top, image->Width(), image->Height()), whole, transparent);
      break;
    case bszStretchToButton: StretchMaskedBitmap(canvas, image, r, transparent); break;
    case bszTileToButton: TileMaskedBitmap(canvas, image, r, transparent); break;
  }
}

void TRzBmpButton::DrawCaption(TCanvas* canvas, const TRect& textRect) {
  const std::string caption = Caption();
  if (caption.empty()) return;
  canvas->SetFont(Font());
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  constexpr UINT flags = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
  TRect r = textRect;
  if (state_ == bsDisabled) {
    TRect shadow = Bounds(r.Left + 1, r.Top + 1, r.Width(), r.Height());
    canvas->Font()->SetColor(clWhite);
    DrawTextA(canvas->Handle(), caption.c_str(), -1, shadow.Win(), flags);
    canvas->Font()->SetColor(static_cast<TColor>(0x808080));
  } else if (state_ == bsDown || state_ == bsExclusive) {
    r = Bounds(r.Left + captionDownOffset_, r.Top + captionDownOffset_, r.Width(), r.Height());
  }
  DrawTextA(canvas->Handle(), caption.c_str(), -1, r.Win(), flags);
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
  if (Focused() && showFocus_) {
    canvas->Brush()->SetColor(clBtnFace);
    canvas->DrawFocusRect({r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 2});
  }
}

void TRzBmpButton::Paint() {
  if (!Enabled() && !ComponentState().Contains(csDesigning)) {
    state_ = bsDisabled;
    tracking_ = false;
  } else if (Enabled() && state_ == bsDisabled) {
    state_ = bsUp;
  }
  TBitmap face(Width(), Height());
  TCanvas* canvas = face.Canvas();
  canvas->SetFont(Font());
  const int bevel = NewLook() ? 1 : 2;
  TRect r = ClientRect();
  canvas->Brush()->SetColor(color_);
  DrawBorder(canvas, r, bevel);
  if (state_ == bsExclusive) DrawDownPattern(canvas, r, bevel);
  TBitmap* image = FaceImage();
  std::unique_ptr<TBitmap> embossed;
  if (!image && state_ == bsDisabled && HasImage(bitmaps_->Up())) {
    embossed = CreateEmbossedBitmap(bitmaps_->Up());
    image = embossed.get();
  }
  const bool drawn = HasImage(bitmaps_->Up()) || (HasImage(bitmaps_->Disabled()) && state_ == bsDisabled);
  const TSize glyph = drawn && HasImage(image) && buttonSize_ == bszNeither ? TSize{image->Width(), image->Height()}
                                                                           : TSize{0, 0};
  TRect glyphRect, textRect;
  LayoutGlyphAndCaption(canvas, r, glyph, glyphRect, textRect);
  if (drawn && HasImage(image)) DrawImage(canvas, image, r, glyphRect);
  DrawCaption(canvas, textRect);
  BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), canvas->Handle(), 0, 0, SRCCOPY);
}

// ---------------------------------------------------------------------------------------------
namespace {
constinit const TPropInfo buttonBitmapsProps[] = {
    Published<&TRzButtonBitmaps::Up, &TRzButtonBitmaps::SetUp>("Up"),
    Published<&TRzButtonBitmaps::UpAndFocused, &TRzButtonBitmaps::SetUpAndFocused>("UpAndFocused"),
    Published<&TRzButtonBitmaps::Disabled, &TRzButtonBitmaps::SetDisabled>("Disabled"),
    Published<&TRzButtonBitmaps::Down, &TRzButtonBitmaps::SetDown>("Down"),
    Published<&TRzButtonBitmaps::StayDown, &TRzButtonBitmaps::SetStayDown>("StayDown"),
    Published<&TRzButtonBitmaps::Hot, &TRzButtonBitmaps::SetHot>("Hot"),
    Published<&TRzButtonBitmaps::TransparentColor, &TRzButtonBitmaps::SetTransparentColor>("TransparentColor"),
};

using B = TRzBmpButton;
constinit const TPropInfo bmpButtonProps[] = {
    Published<&B::AllowAllUp, &B::SetAllowAllUp>("AllowAllUp").WithDefault(false),
    Published<&B::Bitmaps, &B::SetBitmaps>("Bitmaps"),
    Published<&B::ButtonBorder, &B::SetButtonBorder>("ButtonBorder", &ButtonBorderInfo).WithDefault(bbNone),
    Published<&B::ButtonSize, &B::SetButtonSize>("ButtonSize", &BtnSizeInfo).WithDefault(bszButtonToBitmap),
    Published<&B::ButtonStyle, &B::SetButtonStyle>("ButtonStyle", &ButtonStyleInfo).WithDefault(bsAutoDetect),
    Published<&B::CaptionDownOffset, &B::SetCaptionDownOffset>("CaptionDownOffset").WithDefault(1),
    Published<&B::Color, &B::SetColor>("Color"),
    Published<&B::Down, &B::SetDown>("Down").WithDefault(false),
    Published<&B::GroupIndex, &B::SetGroupIndex>("GroupIndex").WithDefault(0),
    Published<&B::Layout, &B::SetLayout>("Layout", &ButtonLayoutInfo).WithDefault(blGlyphLeft),
    Published<&B::Margin, &B::SetMargin>("Margin").WithDefault(-1),
    Published<&B::ModalResult, &B::SetModalResult>("ModalResult").WithDefault(0),
    Published<&B::ShowDownPattern, &B::SetShowDownPattern>("ShowDownPattern").WithDefault(true),
    Published<&B::ShowFocus, &B::SetShowFocus>("ShowFocus").WithDefault(true),
    Published<&B::Spacing, &B::SetSpacing>("Spacing").WithDefault(4),
    PublishedEvent<&B::OnMouseEnter>("OnMouseEnter"),
    PublishedEvent<&B::OnMouseLeave>("OnMouseLeave"),
};
}  // namespace

void RegisterBmpButtonClasses() {
  RegisterPublishedProperties(TRzButtonBitmaps::StaticClass(), buttonBitmapsProps);
  RegisterPublishedProperties(TRzBmpButton::StaticClass(), bmpButtonProps);
  RegisterClasses({TRzBmpButton::StaticClass()});
}
