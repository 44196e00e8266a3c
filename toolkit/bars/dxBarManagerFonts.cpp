// The bar manager's fonts (its Font, the bar caption font and the edit font, following the system
// fonts when asked) and the brushes and colours it keeps for the painters.
#include "cxGraphicsRoutines.h"
#include "dxBarDrawRoutines.h"
#include "dxBarManager.h"
#include "dxOffice11.h"
#include "dxThemeManager.h"
#include "dxUxTheme.h"

namespace {
// A font height of -10 or above (smaller than 11 pixels) becomes -11.
int AtLeastElevenPixels(int height) { return height >= -10 ? -11 : height; }

// (clBtnFace %, clHighlight %, clWindow %) of the pressed, pressed-and-selected and selected colours.
constexpr int flatMixes[3][3] = {{11, 9, 73}, {14, 44, 40}, {-2, 30, 72}};

TColor FlatBorderColor() {
  const COLORREF shadow = ColorToRGB(clBtnShadow);
  auto channel = [](int c) { return MulDiv(c, 8, 10); };
  return GetNearestScreenColor(RGB(channel(GetRValue(shadow)), channel(GetGValue(shadow)), channel(GetBValue(shadow))));
}

TColor FlatFaceColor() {
  const COLORREF face = ColorToRGB(clBtnFace);
  auto channel = [](int c) { return c + MulDiv(255 - c, 16, 100); };
  return GetNearestScreenColor(RGB(channel(GetRValue(face)), channel(GetGValue(face)), channel(GetBValue(face))));
}

TColor ThemedToolbarColor() {
  COLORREF color = 0;
  HTHEME theme = OpenThemeByKind(totToolBar);
  if (!theme || FAILED(UxGetThemeColor(theme, 0, 0, 3802, &color))) return GetSysColor(COLOR_BTNFACE);
  return color;
}
}  // namespace

// ---------------------------------------------------------------------------------------------
void TdxBarManager::SetUseSystemFont(bool value) {
  if (value == useSystemFont_) return;
  useSystemFont_ = value;
  if (useSystemFont_) LoadSystemFont();
}

void TdxBarManager::LoadSystemFont() {
  LOGFONTA menuFont = ReadNonClientMetrics().lfMenuFont;
  const bool wasInternal = internalFontChange_;
  internalFontChange_ = true;
  try {
    if (useSystemFont_) font_->SetHandle(CreateFontIndirectA(&menuFont));
    else if (scaled_) font_->SetHeight(menuFont.lfHeight);
  } catch (...) {
    internalFontChange_ = wasInternal;
    throw;
  }
  internalFontChange_ = wasInternal;
}

void TdxBarManager::FontChanged(TObject*) {
  if (!internalFontChange_) useSystemFont_ = false;
  if (scaled_ && !internalFontChange_) {
    font_->OnChange = nullptr;
    LoadSystemFont();
    font_->OnChange = MakeEvent(this, &TdxBarManager::FontChanged);
  }
  UpdateDerivedFonts();
  systemFontChangedHandlers_.CallEvents(this, nullptr);
  // Toolbars and popup menus that follow the manager's font take a copy with their own parts.
}

void TdxBarManager::UpdateDerivedFonts() {
  CreateEditFont(font_, editFont_, scaled_);
  LOGFONTA captionFont = ReadNonClientMetrics().lfSmCaptionFont;
  if (!useSystemFont_) {
    captionFont.lfHeight = AtLeastElevenPixels(captionFont.lfHeight);
    lstrcpynA(captionFont.lfFaceName, font_->Name().c_str(), LF_FACESIZE);
  }
  barCaptionFont_->SetHandle(CreateFontIndirectA(&captionFont));
}

// ---------------------------------------------------------------------------------------------
void TdxBarManager::CreateBrushes() {
  flatColors_[0] = FlatBorderColor();
  flatColors_[1] = FlatFaceColor();
  for (int i = 0; i < 3; ++i) {
    const int* mix = flatMixes[i];
    flatColors_[2 + i] = GetNearestScreenColor(SystemColorMix(mix[0], mix[1], mix[2]));
  }
  for (int i = 0; i < 5; ++i) flatBrushes_[i] = CreateSolidBrush(ColorToRGB(flatColors_[i]));
  if (AreThemeKindsAvailable({totToolBar})) themedToolbarBrush_ = CreateSolidBrush(ThemedToolbarColor());
  AcquireOffice11Colors();
}

void TdxBarManager::DestroyBrushes() {
  for (HBRUSH& brush : flatBrushes_) {
    if (brush) DeleteObject(brush);
    brush = nullptr;
  }
  if (themedToolbarBrush_) DeleteObject(themedToolbarBrush_);
  themedToolbarBrush_ = nullptr;
  ReleaseOffice11Colors();
}

void TdxBarManager::RecreateBrushes() {
  DestroyBrushes();
  CreateBrushes();
  RefreshOffice11Colors();
  RefreshDocksAndBars();
}
