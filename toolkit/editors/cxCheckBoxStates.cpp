// The check box's value mapping, state cycle, glyph-strip pieces and check-mark mask.
#include "cxCheckBox.h"
#include "cxLookAndFeelPaintersShared.h"
#include "cxEdit.h"
#include "cxVariants.h"

#include <vector>

namespace {

constexpr TcxCheckBoxState nextState[3][2] = {
    // without grayed, with grayed
    {cbsChecked, cbsGrayed},      // cbsUnchecked
    {cbsUnchecked, cbsUnchecked}, // cbsChecked
    {cbsChecked, cbsChecked},     // cbsGrayed
};

constexpr int obmCheckBoxes = 32759;  // OBM_CHECKBOXES, declared only under OEMRESOURCE

constexpr TcxButtonState buttonStateOf[] = {cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled};

// Reads the system's check-box strip (four columns, three rows of boxes) into a 32-bit DIB.
struct TSystemCheckBoxes {
  std::vector<uint32_t> Pixels;
  int Width = 0, Height = 0;

  bool Load() {
    HBITMAP strip = LoadBitmapA(nullptr, MAKEINTRESOURCEA(obmCheckBoxes));
    if (!strip) return false;
    BITMAP info{};
    GetObjectA(strip, sizeof(info), &info);
    Width = info.bmWidth, Height = info.bmHeight;
    Pixels.resize(static_cast<size_t>(Width) * Height);
    BITMAPINFO header{};
    header.bmiHeader = {sizeof(BITMAPINFOHEADER), Width, -Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC dc = GetDC(nullptr);
    const int rows = GetDIBits(dc, strip, 0, Height, Pixels.data(), &header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    DeleteObject(strip);
    return rows == Height;
  }
  uint32_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x] & 0xFFFFFF; }
};

}  // namespace

TcxCheckBoxState CheckBoxValueToState(const TVariant& value, const TVariant& valueChecked,
                                      const TVariant& valueUnchecked) {
  if (VarEqualsEx(value, valueChecked)) return cbsChecked;
  if (VarEqualsEx(value, valueUnchecked)) return cbsUnchecked;
  return cbsGrayed;
}

TcxCheckBoxState NextCheckBoxState(TcxCheckBoxState state, bool allowGrayed) {
  return nextState[state][allowGrayed ? 1 : 0];
}

bool IsCheckBoxValueAcceptable(const TVariant& value, const TVariant& checked, const TVariant& unchecked,
                               const TVariant& grayed, bool nullAllowed) {
  if (!nullAllowed && value.IsNull()) return false;
  return !VariantsEqualExact(value, checked) && !VariantsEqualExact(value, unchecked) && !VariantsEqualExact(value, grayed);
}

int CheckBoxGlyphIndex(TcxCheckBoxState state, TcxEditCheckState checkState, int glyphCount) {
  int index = state + (checkState == ecsPressed ? 3 : 0);
  if (index >= glyphCount && index >= 3) index %= 3;
  return index;
}

TRect CheckBoxGlyphPieceRect(TSize stripSize, int glyphCount, int index) {
  const int width = glyphCount > 0 ? stripSize.cx / glyphCount : 0;
  return TRect(index * width, 0, (index + 1) * width, stripSize.cy);
}

TcxButtonState CheckStateToButtonState(TcxEditCheckState checkState) { return buttonStateOf[checkState]; }

HBITMAP BuildCheckMarkMask() {
  const TSize size = cxCheckGlyphSize();
  TSystemCheckBoxes boxes;
  if (size.cx <= 0 || size.cy <= 0 || !boxes.Load() || boxes.Width < 2 * size.cx || boxes.Height < size.cy)
    return nullptr;
  // A monochrome bitmap: rows padded to 16 bits, bit set = white.
  const int stride = (size.cx + 15) / 16 * 2;
  std::vector<uint8_t> bits(static_cast<size_t>(stride) * size.cy, 0);
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x)
      if (boxes.At(x, y) == boxes.At(x + size.cx, y)) bits[y * stride + x / 8] |= 0x80 >> (x % 8);
  return CreateBitmap(size.cx, size.cy, 1, 1, bits.data());
}
