// A small skin drawn in code for the skin engine's tests, the gallery and the benchmark: a few
// colours and the elements of buttons, headers, group panels, check boxes, radio buttons, editor
// buttons, progress bars and expand buttons; no "Ribbon" group.
#pragma once
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dxSkinsCore.h"

namespace testskin {

// Pixel (x, y) of sub-image (image, state index) as 0xAARRGGBB.
using TSheetPixel = std::function<uint32_t(int image, int state, int x, int y)>;

// Fills the sheet of an element: imageCount images one after the other, each with one sub-image of
// partWidth x partHeight per state, laid out horizontally.
inline void SetSheet(TdxSkinImage* sheet, int imageCount, TdxSkinElementStates states, int partWidth,
                     int partHeight, const TSheetPixel& pixel) {
  int stateCount = 0;
  for (int s = 0; s < dxSkinElementStateCount; ++s) stateCount += states.Contains(TdxSkinElementState(s));
  TBitmap bitmap(partWidth * stateCount * imageCount, partHeight, TPixelFormat::pf32bit);
  for (int y = 0; y < partHeight; ++y) {
    auto* row = static_cast<uint32_t*>(bitmap.ScanLine(y));
    for (int image = 0; image < imageCount; ++image)
      for (int state = 0; state < stateCount; ++state)
        for (int x = 0; x < partWidth; ++x)
          row[(image * stateCount + state) * partWidth + x] = pixel(image, state, x, y);
  }
  sheet->SetStates(states);
  sheet->Texture()->TakeBitmap(&bitmap);
}

inline constexpr uint32_t FaceColors[4] = {0xFFDCE6F2, 0xFFFFE8A6, 0xFFF5B960, 0xFFE6E6E6};
inline constexpr uint32_t EdgeColors[4] = {0xFF6F8DB9, 0xFFD99A2B, 0xFFB8741C, 0xFFAAAAAA};

// A framed face, lighter towards the top.
inline uint32_t Face(int state, int x, int y, int w, int h) {
  if (x == 0 || y == 0 || x == w - 1 || y == h - 1) return EdgeColors[state];
  uint32_t c = FaceColors[state];
  int lift = (h - y) * 24 / h;
  auto channel = [&](int shift) { return std::min(255u, ((c >> shift) & 0xFF) + lift) << shift; };
  return 0xFF000000u | channel(16) | channel(8) | channel(0);
}

inline const TdxSkinElementStates ButtonStates{esNormal, esHot, esPressed, esDisabled};

inline TdxSkinElement* AddFaceElement(TdxSkinControlGroup* group, const char* name, int w, int h, int margin,
                                      TdxSkinElementStates states = ButtonStates) {
  TdxSkinElement* element = group->AddElement(name);
  SetSheet(element->Image(), 1, states, w, h, [w, h](int, int s, int x, int y) { return Face(s % 4, x, y, w, h); });
  element->Image()->Margins()->SetRect(TRect(margin, margin, margin, margin));
  return element;
}

// Check marks: image 0 unchecked, 1 checked, 2 greyed.
inline uint32_t CheckPixel(int image, int state, int x, int y) {
  uint32_t face = Face(state, x, y, 13, 13);
  bool mark = image == 1 && ((x >= 3 && x <= 5 && y == x + 3) || (x >= 5 && x <= 9 && y == 13 - x));
  bool grey = image == 2 && x >= 4 && x <= 8 && y >= 4 && y <= 8;
  return mark ? 0xFF203050 : grey ? 0xFF909090 : face;
}

// A ring, filled when checked; transparent outside.
inline uint32_t RadioPixel(int image, int state, int x, int y) {
  int dx = 2 * x - 12, dy = 2 * y - 12, d = dx * dx + dy * dy;
  if (d > 144) return 0;
  if (d > 100) return EdgeColors[state];
  if (image == 1 && d <= 25) return 0xFF203050;
  return FaceColors[state];
}

inline uint32_t PlusMinusPixel(int image, int, int x, int y) {
  if (x == 0 || y == 0 || x == 8 || y == 8) return 0xFF808080;
  if ((y == 4 && x >= 2 && x <= 6) || (image == 0 && x == 4 && y >= 2 && y <= 6)) return 0xFF000000;
  return 0xFFFFFFFF;
}

inline void AddCommon(TdxSkin* skin) {
  TdxSkinControlGroup* common = skin->AddGroup("Common");
  TdxSkinElement* button = AddFaceElement(common, "Button", 16, 20, 3);
  button->ContentOffset()->SetRect(TRect(4, 3, 4, 3));
  button->SetTextColor(0x202020);
  static_cast<TdxSkinColor*>(button->AddProperty("DisabledText", TdxSkinColor::StaticClass()))->SetValue(0x999999);
  AddFaceElement(common, "Header", 12, 18, 2, {esNormal, esHot, esPressed})->SetTextColor(0x402010);
  TdxSkinElement* panel = AddFaceElement(common, "GroupPanel", 12, 12, 3, {esNormal});
  panel->ContentOffset()->SetRect(TRect(3, 3, 3, 3));
  common->AddElement("GroupPanelNoBorder")->SetColor(0xFAF6F2);
  TdxSkinElement* caption = AddFaceElement(common, "GroupPanelCaptionTop", 12, 18, 3, {esNormal});
  caption->SetTextColor(0x7A4A1C);
  caption->ContentOffset()->SetRect(TRect(4, 2, 4, 2));
}

inline void AddEditors(TdxSkin* skin) {
  TdxSkinControlGroup* editors = skin->AddGroup("Editors");
  TdxSkinElement* check = editors->AddElement("Checkbox");
  check->SetImageCount(3);
  SetSheet(check->Image(), 3, ButtonStates, 13, 13, CheckPixel);
  check->Image()->SetStretch(smNoResize);
  TdxSkinElement* radio = editors->AddElement("RadioButton");
  radio->SetImageCount(2);
  SetSheet(radio->Image(), 2, ButtonStates, 13, 13, RadioPixel);
  radio->Image()->SetStretch(smNoResize);
  TdxSkinElement* editorButton = AddFaceElement(editors, "EditorButton", 16, 18, 2);
  editorButton->ContentOffset()->SetRect(TRect(2, 2, 2, 2));
  editorButton->SetTextColor(0x202020);
  TdxSkinElement* border = AddFaceElement(editors, "ProgressBorder", 8, 8, 2, {esNormal});
  border->ContentOffset()->SetRect(TRect(2, 2, 2, 2));
  TdxSkinElement* chunk = editors->AddElement("ProgressChunk");
  SetSheet(chunk->Image(), 1, {esNormal}, 6, 8, [](int, int, int x, int y) {
    return x == 5 ? 0xFFFFFFFFu : 0xFF3A8F3Au + static_cast<uint32_t>(y * 0x080808);
  });
  chunk->Image()->SetStretch(smTile);
  for (auto [name, value] : {std::pair{"BackgroundColor", TColor(0xFFFFFF)}, {"BackgroundDisabledColor", 0xEEEEEE},
                             {"TextColor", 0x000000}, {"TextDisabledColor", 0x999999}})
    static_cast<TdxSkinColor*>(editors->AddProperty(name, TdxSkinColor::StaticClass()))->SetValue(value);
}

inline void AddGrid(TdxSkin* skin) {
  TdxSkinControlGroup* grid = skin->AddGroup("Grid");
  TdxSkinElement* plusMinus = grid->AddElement("PlusMinus");
  plusMinus->SetImageCount(2);
  SetSheet(plusMinus->Image(), 2, {esNormal}, 9, 9, PlusMinusPixel);
  plusMinus->Image()->SetStretch(smNoResize);
  grid->AddElement("GridLine")->SetColor(0xD0C8C0);
}

// The whole test skin; the caller owns it.
inline std::unique_ptr<TdxSkin> MakeTestSkin() {
  auto skin = std::make_unique<TdxSkin>("TestSkin");
  skin->BeginUpdate();
  const std::pair<const char*, TColor> colors[] = {
      {"ContentColor", 0xFFFFFF},          {"ContentEvenColor", clDefault},       {"ContentOddColor", 0xF5F0EB},
      {"HeaderBackgroundColor", 0xE8DCD0}, {"HeaderBackgroundTextColor", 0x402000}, {"SelectionColor", 0xC08040},
      {"SelectionTextColor", 0xFFFFFF},    {"ContainerBorderColor", 0x9C8A78},    {"ContainerHighlightBorderColor", 0xC08040}};
  for (auto [name, value] : colors) skin->AddColor(name, value);
  AddCommon(skin.get());
  AddEditors(skin.get());
  AddGrid(skin.get());
  skin->AddGroup("Form")->AddElement("FormContent")->SetColor(0xF2ECE6);
  skin->EndUpdate();
  return skin;
}

inline std::string SaveSkin(TdxSkin* skin) {
  TMemoryStream stream;
  skin->SaveToStream(&stream);
  return std::string(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

inline void LoadSkin(TdxSkin* skin, const std::string& bytes) {
  TMemoryStream stream;
  if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  stream.SetPosition(0);
  skin->LoadFromStream(&stream);
}

}  // namespace testskin
