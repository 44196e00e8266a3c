// The colour tables of the ribbon skins: the base answers every scheme shares, the three schemes'
// own, and the low-colour answers.
#include "dxRibbonSkins.h"

namespace {

constexpr TColor Rgb(int r, int g, int b) { return TColor(r | (g << 8) | (b << 16)); }
constexpr TColor White = Rgb(255, 255, 255);
constexpr TColor Black = Rgb(0, 0, 0);

bool In(int state, std::initializer_list<int> states) {
  for (int s : states)
    if (s == state) return true;
  return false;
}

TColor SystemRgb(TColor color) { return TColor(ColorToRGB(color)); }

// 9, 10 and 12 in states 2 to 5 and 8 share their upper states; other states are the base's.
TColor StateColor9(int state, TColor s0, TColor s1, TColor upper) {
  if (state == 0) return s0;
  if (state == 1) return s1;
  return In(state, {2, 3, 4, 5, 8}) ? upper : clDefault;
}

TColor StateColor12(int state, TColor s0, TColor s1, TColor s3) {
  static const TColor shared[] = {clDefault, clDefault, Rgb(219, 206, 153), clDefault, Rgb(123, 102, 69),
                                  Rgb(165, 153, 107)};
  if (state == 0) return s0;
  if (state == 1 || state == 8) return s1;
  if (state == 3) return s3;
  return state < 6 ? shared[state] : clDefault;
}

// Colour 66: only states 0 and 2 have one.
TColor Color66(int state, TColor s0, TColor s2) { return state == 0 ? s0 : state == 2 ? s2 : clDefault; }

}  // namespace

TColor TdxCustomRibbonSkin::BaseElementColor(int colorId, int state) const {
  switch (colorId) {
    case 56: return Rgb(250, 250, 250);
    case 375: return Rgb(247, 247, 247);
    case 395: return Rgb(233, 234, 238);
    case 420: return Rgb(165, 182, 189);
    case 451: return Rgb(245, 245, 245);
    case 64: return GetElementColor(362, 0);
    case 67: return state == 2 ? Rgb(242, 148, 54) : state == 6 ? Rgb(239, 72, 16) : state == 7 ? Rgb(242, 149, 54) : clDefault;
    case 68: return In(state, {2, 6}) ? Rgb(255, 226, 148) : state == 7 ? Rgb(255, 227, 149) : clDefault;
    case 335: return In(state, {1, 8}) ? Rgb(141, 141, 141) : GetElementColor(10133, 0);
    case 362: return In(state, {1, 8}) ? Rgb(167, 167, 167) : clDefault;
    case 425: return state == 3 ? Rgb(202, 182, 133) : state == 8 ? Rgb(205, 205, 205) : clDefault;
    default: return clDefault;
  }
}

TColor TdxCustomRibbonSkin::GetElementColor(int colorId, int state) const {
  return LowColor() ? LowColorElementColor(colorId, state) : BaseElementColor(colorId, state);
}

TColor TdxCustomRibbonSkin::LowColorElementColor(int colorId, int state) const {
  const TColor textColors[] = {clWindowText, clGrayText, clHighlightText};
  const TColor menuTextColors[] = {clMenuText, clGrayText, clHighlightText};
  const int textState = std::min(std::max(state, 0), 2);
  switch (colorId) {
    case 10: case 12: return state > 1 ? White : SystemRgb(clBtnShadow);
    case 10018: return SystemRgb(clBtnShadow);
    case 19: return Rgb(210, 213, 218);
    case 20: return Rgb(222, 231, 239);
    case 41: return Rgb(158, 187, 221);
    case 64: case 362: return SystemRgb(menuTextColors[textState]);
    case 67: case 68: return SystemRgb(clHighlight);
    case 335: case 10133: case 10138: return SystemRgb(textColors[textState]);
    case 10134: return SystemRgb(clWindowText);
    case 425: return state == 3 ? Rgb(202, 182, 133) : state == 8 ? Rgb(205, 205, 205) : clDefault;
    case 455: return Rgb(190, 211, 237);
    case 456: return White;
    case 457: return Rgb(155, 175, 202);
    case 10066: return Rgb(213, 226, 243);
    case 10130: case 10131: return SystemRgb(state ? clInactiveCaptionText : clCaptionText);
    case 10132: return SystemRgb(state ? clHighlightText : clWindowText);
    default: return SystemRgb(clBtnFace);
  }
}

TColor TdxBlueRibbonSkin::GetElementColor(int colorId, int state) const {
  if (LowColor()) return LowColorElementColor(colorId, state);
  TColor color = clDefault;
  switch (colorId) {
    case 9: color = StateColor9(state, Rgb(234, 242, 251), Rgb(239, 239, 239), White); break;
    case 10: color = StateColor9(state, Rgb(171, 193, 222), Rgb(177, 187, 198), Rgb(179, 199, 225)); break;
    case 12: color = StateColor12(state, Rgb(171, 193, 222), Rgb(177, 187, 198), Rgb(173, 199, 222)); break;
    case 19: return Rgb(210, 213, 218);
    case 20: return Rgb(222, 231, 239);
    case 41: return Rgb(158, 187, 221);
    case 51: return In(state, {2, 3}) ? Rgb(236, 243, 251) : Rgb(212, 230, 248);
    case 52: return Rgb(185, 208, 237);
    case 66: return Color66(state, Rgb(0, 21, 110), Rgb(0, 102, 255));
    case 362: color = In(state, {1, 8}) ? clDefault : Rgb(0, 21, 110); break;
    case 455: return Rgb(190, 211, 237);
    case 456: return White;
    case 457: return Rgb(155, 175, 202);
    case 10018: return Rgb(164, 195, 235);
    case 10065: return Rgb(191, 219, 255);
    case 10066: return Rgb(213, 226, 243);
    case 10098: return Rgb(69, 93, 128);
    case 10099: return Rgb(177, 201, 232);
    case 10130: return state == 0 ? Rgb(62, 106, 170) : Rgb(160, 160, 160);
    case 10131: return state == 0 ? Rgb(105, 112, 121) : Rgb(160, 160, 160);
    // Dark enough for 4.5:1 on every tab face (the active tab's orange included) and on the group
    // caption band.
    case 10132: return state == 3 ? Rgb(0, 21, 110) : Rgb(21, 66, 139);
    case 10133: case 10134: return Rgb(21, 66, 139);
    case 10138: return In(state, {0, 2}) ? Rgb(21, 66, 139) : Rgb(141, 141, 141);
  }
  return color != clDefault ? color : BaseElementColor(colorId, state);
}

TColor TdxBlackRibbonSkin::GetElementColor(int colorId, int state) const {
  if (LowColor()) return LowColorElementColor(colorId, state);
  TColor color = clDefault;
  switch (colorId) {
    case 9: color = StateColor9(state, Rgb(232, 232, 232), Rgb(239, 239, 239), White); break;
    case 10: color = StateColor9(state, Rgb(137, 137, 137), Rgb(204, 204, 204), Rgb(137, 137, 137)); break;
    case 12: color = StateColor12(state, Rgb(137, 137, 137), Rgb(204, 204, 204), Rgb(183, 183, 183)); break;
    case 19: return Rgb(210, 213, 218);
    case 20: return Rgb(239, 235, 239);
    case 41: return Rgb(145, 153, 164);
    case 51: return In(state, {2, 3}) ? Rgb(247, 247, 247) : Rgb(218, 226, 226);
    case 52: return Rgb(172, 172, 172);
    case 66: return Color66(state, White, Rgb(255, 210, 50));
    case 362: color = In(state, {1, 8}) ? clDefault : Rgb(70, 70, 70); break;
    case 455: return Rgb(79, 79, 80);
    case 456: return Rgb(107, 108, 113);
    case 457: return Rgb(67, 66, 65);
    case 10018: return Rgb(105, 105, 105);
    case 10065: return Rgb(83, 83, 83);
    case 10066: return Rgb(98, 98, 98);
    case 10098: return Rgb(37, 37, 37);
    case 10099: return Rgb(204, 204, 204);
    case 10130: return state == 0 ? Rgb(174, 209, 255) : Rgb(225, 225, 225);
    case 10131: return state == 0 ? White : Rgb(225, 225, 225);
    // The tab faces and the group caption band are light in this scheme too: dark text on them
    // (white was unreadable there).
    case 10132: return Black;
    case 10133: return Rgb(70, 70, 70);
    case 10134: return Rgb(38, 38, 38);
    case 10138: return state == 0 ? White : state == 2 ? Black : Rgb(194, 194, 194);
  }
  return color != clDefault ? color : BaseElementColor(colorId, state);
}

// Silver overrides what differs from Black and asks Black for the rest.
TColor TdxSilverRibbonSkin::GetElementColor(int colorId, int state) const {
  if (LowColor()) return LowColorElementColor(colorId, state);
  switch (colorId) {
    case 51: return In(state, {2, 3}) ? Rgb(240, 241, 242) : Rgb(232, 234, 236);
    case 52: return In(state, {2, 3}) ? Rgb(164, 164, 164) : Rgb(169, 177, 184);
    case 362: return In(state, {1, 8}) ? BaseElementColor(colorId, state) : Rgb(76, 83, 92);
    case 455: return Rgb(205, 210, 216);
    case 456: return Rgb(250, 250, 250);
    case 457: return Rgb(169, 174, 180);
    case 10018: return Rgb(170, 174, 181);
    case 10065: return Rgb(208, 212, 221);
    case 10066: return Rgb(128, 128, 128);
    // Stored with a stray high byte; the colour is its three low bytes.
    case 10098: return Rgb(112, 118, 231);
    case 10099: return Rgb(205, 208, 217);
    case 10130: return state == 0 ? Rgb(53, 110, 170) : Rgb(138, 138, 138);
    case 10131: return state == 0 ? Rgb(92, 98, 106) : Rgb(138, 138, 138);
    case 10132: return state == 3 ? Rgb(32, 32, 32) : Rgb(83, 84, 89);
    // Item captions sit on pressed orange faces too: a darker grey than the group caption's.
    case 10133: return Rgb(52, 57, 64);
    case 10134: return Rgb(76, 83, 92);
    case 10138: return In(state, {0, 2}) ? Rgb(83, 84, 89) : Rgb(141, 141, 141);
    default: return TdxBlackRibbonSkin::GetElementColor(colorId, state);
  }
}
