#include "SkinColours.h"

#include <algorithm>
#include <cmath>

#include "cxLookAndFeels.h"
#include "dxSkinInfo.h"
#include "dxSkinsLookAndFeelPainter.h"

namespace {

// What the skin says, or the fallback where it says nothing.
TColor Either(TColor skin, TColor fallback) { return skin != clDefault ? skin : fallback; }

double Luminance(TColor color) {
  const COLORREF rgb = ColorToRGB(color);
  auto channel = [](int value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(GetRValue(rgb)) + 0.7152 * channel(GetGValue(rgb)) + 0.0722 * channel(GetBValue(rgb));
}

// a mixed with b, weight parts of b in 100.
TColor Mix(TColor a, TColor b, int weight) {
  const COLORREF x = ColorToRGB(a), y = ColorToRGB(b);
  auto mix = [weight](int p, int q) { return (p * (100 - weight) + q * weight + 50) / 100; };
  return static_cast<TColor>(RGB(mix(GetRValue(x), GetRValue(y)), mix(GetGValue(x), GetGValue(y)),
                                 mix(GetBValue(x), GetBValue(y))));
}

}  // namespace

bool SkinColoursInUse(TSkinColours& colours) {
  const auto* painter = dynamic_cast<const TdxSkinLookAndFeelPainter*>(RootLookAndFeel()->SkinPainter());
  TdxSkinLookAndFeelPainterInfo* info = painter ? painter->GetSkinInfo() : nullptr;
  if (!info) return false;
  TdxSkinElement* content = info->Element(seFormContent);
  colours.Back = painter->FormContentColor();
  colours.Text = content ? Either(content->TextColor(), clWindowText) : clWindowText;
  colours.Editor = Either(painter->EditorBackgroundColor(false), painter->ContentColor());
  colours.EditorText = Either(painter->EditorTextColor(false), colours.Text);
  colours.DisabledEditor = Either(painter->EditorBackgroundColor(true), colours.Back);
  colours.Selection = painter->SelectionColor();
  colours.SelectionText = painter->SelectionTextColor();
  colours.Border = painter->ContainerBorderColor(false);
  return true;
}

void FollowSkinText(TFont* font, TColor text) {
  if (font->Color() == clWindowText || font->Color() == clBtnText) font->SetColor(text);
}

double ContrastRatio(TColor a, TColor b) {
  const double x = Luminance(a), y = Luminance(b);
  return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

TColor ReadableTextColor(TColor text, TColor background) {
  constexpr double readable = 4.5;
  if (ContrastRatio(text, background) >= readable) return ColorToRGB(text);
  const TColor towards = ContrastRatio(clWhite, background) >= ContrastRatio(clBlack, background) ? clWhite : clBlack;
  for (int weight = 5; weight < 100; weight += 5)
    if (const TColor mixed = Mix(text, towards, weight); ContrastRatio(mixed, background) >= readable) return mixed;
  return towards;
}
