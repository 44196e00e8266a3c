// The window-frame elements of the test skin (group "Form"): frames, captions and caption buttons
// in plain colours that tests can tell apart by pixel.
#pragma once
#include "dxSkinsTestSkin.h"

namespace testskin {

// Frames and captions: sub-image 0 active, 1 inactive.
inline constexpr uint32_t FrameColors[2] = {0xFF2E5C8A, 0xFF9AA8B5};
inline constexpr uint32_t CaptionColors[2] = {0xFF3A6EA5, 0xFFB4C0CC};
inline const TdxSkinElementStates FrameStates{esActive, esActiveDisabled};
// Caption buttons: normal, hot, pressed, disabled, inactive.
inline const TdxSkinElementStates CaptionButtonStates{esNormal, esHot, esPressed, esDisabled, esActiveDisabled};
inline constexpr uint32_t CaptionButtonColors[5] = {0xFF5A8CC0, 0xFF80B0E0, 0xFF204060, 0xFF909090, 0xFFC0C8D0};
inline constexpr uint32_t CloseColors[5] = {0xFFC04040, 0xFFE06060, 0xFF802020, 0xFF909090, 0xFFD0A0A0};
inline constexpr uint32_t FormTextColor = 0xFFFFFF, FormInactiveTextColor = 0x404040, FormShadowColor = 0x202020;

// The glyph of a caption button of the given kind (1 help ... 5 close) at (x, y) of a size x size face.
inline bool CaptionGlyph(int kind, int x, int y, int size) {
  const int lo = size / 4, hi = size - 1 - size / 4;
  const bool inside = x >= lo && x <= hi && y >= lo && y <= hi;
  switch (kind) {
    case 1: return inside && (y == lo || (x == hi && y < size / 2) || (x == size / 2 && y >= size / 2 && y != hi - 1));
    case 2: return inside && y == hi;
    case 3: return inside && (y == lo || y == lo + 1 || y == hi || x == lo || x == hi);
    case 4: return inside && (y == lo + 2 || y == hi || x == lo || x == hi - 2);
    default: return inside && (x - lo == y - lo || x - lo == hi - y);
  }
}

inline TdxSkinElement* AddCaptionButton(TdxSkinControlGroup* form, const char* name, int kind, int size) {
  TdxSkinElement* button = form->AddElement(name);
  const uint32_t* colors = kind == 5 ? CloseColors : CaptionButtonColors;
  SetSheet(button->Image(), 1, CaptionButtonStates, size, size, [=](int, int state, int x, int y) {
    if (x == 0 || y == 0 || x == size - 1 || y == size - 1) return 0xFF1C3550u;
    return CaptionGlyph(kind, x, y, size) ? 0xFFFFFFFFu : colors[state];
  });
  button->Image()->Margins()->SetRect(TRect(2, 2, 2, 2));
  return button;
}

inline TdxSkinElement* AddFrame(TdxSkinControlGroup* form, const char* name, int w, int h) {
  TdxSkinElement* frame = form->AddElement(name);
  SetSheet(frame->Image(), 1, FrameStates, w, h, [](int, int state, int, int) { return FrameColors[state]; });
  frame->Image()->Margins()->SetRect(TRect(1, 1, 1, 1));
  return frame;
}

// The caption: lighter towards the top, with the frame colour along its outer edges.
inline TdxSkinElement* AddCaption(TdxSkinControlGroup* form, const char* name, int height, TRect contentOffset) {
  TdxSkinElement* caption = form->AddElement(name);
  SetSheet(caption->Image(), 1, FrameStates, 24, height, [height](int, int state, int x, int y) {
    if (x < 4 || x >= 20 || y < 4) return FrameColors[state];
    const uint32_t c = CaptionColors[state];
    const uint32_t lift = static_cast<uint32_t>((height - y) * 30 / height);
    auto channel = [&](int shift) { return std::min(255u, ((c >> shift) & 0xFF) + lift) << shift; };
    return 0xFF000000u | channel(16) | channel(8) | channel(0);
  });
  caption->Image()->Margins()->SetRect(TRect(5, 5, 5, 2));
  caption->ContentOffset()->SetRect(contentOffset);
  caption->SetTextColor(FormTextColor);
  return caption;
}

// Adds the window-frame elements to a skin that has a "Form" group (MakeTestSkin's).
inline void AddFormElements(TdxSkin* skin) {
  TdxSkinControlGroup* form = skin->GetGroupByName("Form");
  skin->BeginUpdate();
  AddFrame(form, "FormFrameLeft", 4, 24);
  AddFrame(form, "FormFrameRight", 4, 24);
  AddFrame(form, "FormFrameBottom", 24, 4);
  AddCaption(form, "FormCaption", 30, TRect(0, 6, 0, 4));
  AddCaption(form, "SmallFormCaption", 22, TRect(0, 4, 0, 3));
  const char* names[6] = {nullptr, "FormButtonHelp", "FormButtonMinimize", "FormButtonMaximize", "FormButtonRestore",
                          "FormButtonClose"};
  for (int kind = 1; kind < 6; ++kind) AddCaptionButton(form, names[kind], kind, 18);
  AddCaptionButton(form, "SmallFormButtonClose", 5, 14);
  static_cast<TdxSkinColor*>(form->AddProperty("TextColorInactive", TdxSkinColor::StaticClass()))
      ->SetValue(FormInactiveTextColor);
  static_cast<TdxSkinColor*>(form->AddProperty("TextShadowColor", TdxSkinColor::StaticClass()))->SetValue(FormShadowColor);
  skin->EndUpdate();
}

inline std::unique_ptr<TdxSkin> MakeTestSkinWithForm() {
  auto skin = MakeTestSkin();
  AddFormElements(skin.get());
  return skin;
}

}  // namespace testskin
