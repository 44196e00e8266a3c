// The check box: its state cycle, keyboard and accelerator, its four glyph sources and the
// published properties of the check box.
#include <windows.h>

#include "RzFramedTypes.h"
#include "RzGrafx.h"
#include "RzRadChk.h"
#include "TypInfo.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

CALDERAN_IMPLEMENT_CLASS(TRzCustomCheckBox, TRzCustomGlyphButton)
CALDERAN_IMPLEMENT_CREATABLE(TRzCheckBox, TRzCustomCheckBox, TComponent*)

namespace {
constexpr int checkBoxPart = 3;

// The check mark: three-pixel vertical runs in the columns 3 to 9, their first rows relative to
// the glyph's top.
constexpr int checkRunTops[] = {5, 6, 7, 6, 5, 4, 3};

void PaintHotGradientRing(TCanvas* canvas, const TRect& r, TColor a, TColor b) {
  if (!FullColorScreen) return;
  HDC dc = canvas->Handle();
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
  RenderGradient(canvas, r, gdDiagonalDown, a, b, 1);
  RestoreDC(dc, saved);
}
}  // namespace

void PaintCheckGlyph(TCanvas* canvas, const TRect& r, TCheckBoxState state, int visualState, bool focused,
                     bool readOnly, TRzButtonHotTrackStyle hotStyle, TRzCheckGlyphColors c) {
  const bool hot = visualState == 2;
  const TRect inside = PaintBoxOutline(canvas, r, hot && hotStyle == htsFrame ? c.Line : c.Frame);
  TColor fill;
  if (visualState == 1) {
    fill = DarkenColor(c.Focus, 20);
  } else if (visualState == 3) {
    fill = c.Disabled;
    c.Check = clBtnShadow;
  } else if (!focused) {
    fill = readOnly ? c.ReadOnly : c.Fill;
  } else {
    fill = readOnly && c.ReadOnlyOnFocus ? c.ReadOnly : c.Focus;
  }
  canvas->Brush()->SetColor(fill);
  canvas->FillRect(inside);
  if (state == cbChecked) {
    for (int i = 0; i < 7; ++i)
      for (int k = 0; k < 3; ++k) canvas->SetPixel(r.Left + 3 + i, r.Top + checkRunTops[i] + k, c.Check);
  } else if (state == cbGrayed) {
    canvas->Brush()->SetColor(c.Check);
    canvas->FillRect({inside.Left + 2, inside.Top + 2, inside.Right - 2, inside.Bottom - 2});
  }
  if (!hot) return;
  if (hotStyle == htsInterior) PaintHotGradientRing(canvas, inside, c.Light, c.Line);
  else PaintBoxOutline(canvas, inside, c.Line);
}

TRzCustomCheckBox::TRzCustomCheckBox(TComponent* owner) : TRzCustomGlyphButton(owner) {
  SetAlignmentVertical(avTop);
  numStates_ = 9;
}

void TRzCustomCheckBox::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CM_DIALOGCHAR: CMDialogChar(message); break;
    default: TRzCustomGlyphButton::Dispatch(message);
  }
}

void TRzCustomCheckBox::SetState(TCheckBoxState value) {
  if (!StoreChanged(state_, value)) return;
  Repaint();
  if (!clicksDisabled_) Click();
}

// Every user interaction with a read-only box is refused, the accelerator's included.
void TRzCustomCheckBox::ToggleState() {
  if (ReadOnly()) return;
  switch (state_) {
    case cbUnchecked: SetState(allowGrayed_ ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

void TRzCustomCheckBox::KeyDown(Word& key, TShiftState shift) {
  TRzCustomGlyphButton::KeyDown(key, shift);
  if (ReadOnly()) return;
  if (key == VK_SPACE) {
    keyToggle_ = true;
    SetShowPressed(true);
    Repaint();
  } else if (key == VK_ESCAPE) {
    keyToggle_ = false;
    SetShowPressed(false);
    Repaint();
  }
}

void TRzCustomCheckBox::KeyUp(Word& key, TShiftState shift) {
  TRzCustomGlyphButton::KeyUp(key, shift);
  if (ReadOnly() || key != VK_SPACE) return;
  SetShowPressed(false);
  if (keyToggle_) ToggleState();
  keyToggle_ = false;
  Repaint();
}

void TRzCustomCheckBox::DoExit() {
  TRzCustomGlyphButton::DoExit();
  SetShowPressed(false);
}

void TRzCustomCheckBox::CMDialogChar(TMessage& m) {
  if (!IsAccel(static_cast<Word>(m.WParam), Caption()) || !CanFocus()) return TRzCustomGlyphButton::Dispatch(m);
  SetFocus();
  if (Focused()) {
    ToggleState();
    Repaint();
  }
  m.Result = 1;
}

int TRzCustomCheckBox::ThemedState() {
  const int base = state_ == cbChecked ? 5 : state_ == cbGrayed ? 9 : 1;
  if (!Enabled()) return base + 3;
  if (ShowingPressed()) return base + 2;
  return MouseOver() ? base + 1 : base;
}

void TRzCustomCheckBox::RenderGlyph(TBitmap* glyph) {
  const TRect r{0, 0, GlyphWidth(), GlyphHeight()};
  TCanvas* canvas = glyph->Canvas();
  if (UseCustomGlyphs()) {
    const int index = !Enabled() ? 6 + state_ : state_ + (ShowingPressed() ? 3 : 0);
    return ExtractGlyph(index, glyph);
  }
  if (FramedThemesEnabled()) {
    canvas->Brush()->SetColor(Transparent() ? clBtnFace : Color());
    canvas->FillRect(r);
    const RECT part = r;
    UxDrawThemeBackground(OpenThemeByKind(totButton), canvas->Handle(), checkBoxPart, ThemedState(), &part, nullptr);
    return;
  }
  if (HotTrack()) {
    TRzCheckGlyphColors c{FillColor(), FocusColor(), DisabledColor(), FrameColor(), HighlightColor(), ReadOnlyColor()};
    c.ReadOnlyOnFocus = ReadOnlyColorOnFocus();
    if (HotTrackColorType() == htctActual) {
      c.Line = HotTrackColor();
      c.Light = MixColors(clWhite, HotTrackColor(), 190);
    } else {
      c.Light = OppositeHueColor(HotTrackColor(), 180);
      c.Line = DarkenColor(c.Light, 30);
    }
    const int visual = !Enabled() ? 3 : ShowingPressed() ? 1 : MouseOver() ? 2 : 0;
    return PaintCheckGlyph(canvas, r, state_, visual, Focused(), ReadOnly(), HotTrackStyle(), c);
  }
  UINT flags = DFCS_BUTTONCHECK;
  if (state_ == cbChecked) flags |= DFCS_CHECKED;
  if (state_ == cbGrayed) flags |= DFCS_BUTTON3STATE | DFCS_CHECKED;
  if (ShowingPressed()) flags |= DFCS_PUSHED;
  if (!Enabled()) flags |= DFCS_INACTIVE;
  RECT box = r;
  DrawFrameControl(canvas->Handle(), &box, DFC_BUTTON, flags);
}

// ---------------------------------------------------------------------------------------------
namespace {
using G = TRzCustomGlyphButton;
using C = TRzCustomCheckBox;
using B = TRzCustomButton;
constinit const TPropInfo customButtonProps[] = {
    Published<&B::AlignmentVertical, &B::SetAlignmentVertical>("AlignmentVertical", &AlignmentVerticalInfo)
        .WithDefault(avCenter),
    Published<&B::HighlightColor, &B::SetHighlightColor>("HighlightColor").WithDefault(clHighlight),
    Published<&B::HotTrack, &B::SetHotTrack>("HotTrack").WithDefault(false),
    Published<&B::HotTrackColor, &B::SetHotTrackColor>("HotTrackColor").WithDefault(0x149BF0),
    Published<&B::HotTrackColorType, &B::SetHotTrackColorType>("HotTrackColorType", &HotTrackColorTypeInfo)
        .WithDefault(htctActual),
    Published<&B::LightTextStyle, &B::SetLightTextStyle>("LightTextStyle").WithDefault(false),
    Published<&B::TextHighlightColor, &B::SetTextHighlightColor>("TextHighlightColor").WithDefault(clBtnHighlight),
    Published<&B::TextShadowColor, &B::SetTextShadowColor>("TextShadowColor").WithDefault(clBtnShadow),
    Published<&B::TextShadowDepth, &B::SetTextShadowDepth>("TextShadowDepth").WithDefault(2),
    Published<&B::TextStyle, &B::SetTextStyle>("TextStyle", &TextStyleInfo).WithDefault(tsNormal),
    Published<&B::Transparent, &B::SetTransparent>("Transparent").WithDefault(false),
    PublishedEvent<&B::OnMouseEnter>("OnMouseEnter"),
    PublishedEvent<&B::OnMouseLeave>("OnMouseLeave"),
};
constinit const TPropInfo glyphButtonProps[] = {
    Published<&G::Alignment, &G::SetAlignment>("Alignment", &LeftRightInfo).WithDefault(taRightJustify),
    Published<&G::CustomGlyphs, &G::SetCustomGlyphs>("CustomGlyphs"),
    Published<&G::DisabledColor, &G::SetDisabledColor>("DisabledColor").WithDefault(clBtnFace),
    Published<&G::FillColor, &G::SetFillColor>("FillColor").WithDefault(clWindow),
    Published<&G::FocusColor, &G::SetFocusColor>("FocusColor").WithDefault(clWindow),
    Published<&G::FrameColor, &G::SetFrameColor>("FrameColor").WithDefault(clBtnShadow),
    Published<&G::FrameController, &G::SetFrameController>("FrameController"),
    Published<&G::FrameControllerNotifications, &G::SetFrameControllerNotifications>("FrameControllerNotifications",
                                                                                      &FrameControllerConnectionInfo),
    Published<&G::HotTrackStyle, &G::SetHotTrackStyle>("HotTrackStyle", &ButtonHotTrackStyleInfo)
        .WithDefault(htsInterior),
    Published<&G::ReadOnly, &G::SetReadOnly>("ReadOnly").WithDefault(false),
    Published<&G::ReadOnlyColor, &G::SetReadOnlyColor>("ReadOnlyColor").WithDefault(clInfoBk),
    Published<&G::ReadOnlyColorOnFocus, &G::SetReadOnlyColorOnFocus>("ReadOnlyColorOnFocus").WithDefault(false),
    Published<&G::TabOnEnter, &G::SetTabOnEnter>("TabOnEnter").WithDefault(false),
    Published<&G::TransparentColor, &G::SetTransparentColor>("TransparentColor"),
    Published<&G::UseCustomGlyphs, &G::SetUseCustomGlyphs>("UseCustomGlyphs").WithDefault(false),
    Published<&G::WinMaskColor, &G::SetWinMaskColor>("WinMaskColor"),
};
constinit const TPropInfo checkBoxProps[] = {
    Published<&C::AlignmentVertical, &C::SetAlignmentVertical>("AlignmentVertical", &AlignmentVerticalInfo)
        .WithDefault(avTop),
    Published<&C::AllowGrayed, &C::SetAllowGrayed>("AllowGrayed").WithDefault(false),
    Published<&C::Checked, &C::SetChecked>("Checked").WithDefault(false),
    Published<&C::State, &C::SetState>("State", &CheckBoxStateInfo),
};
}  // namespace

void RegisterCheckBoxClasses() {
  RegisterPublishedProperties(TRzCustomButton::StaticClass(), customButtonProps);
  RegisterPublishedProperties(TRzCustomGlyphButton::StaticClass(), glyphButtonProps);
  RegisterPublishedProperties(TRzCustomCheckBox::StaticClass(), checkBoxProps);
  RegisterClasses({TRzCheckBox::StaticClass()});
}
