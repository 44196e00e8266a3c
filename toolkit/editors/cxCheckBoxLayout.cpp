// The check box's layout: placing the box and the caption, the box's interaction state, the
// caption's text flags.
#include "cxCheckBox.h"
#include "cxGeometry.h"

namespace {

constexpr TcxContainerBorderStyle hotBorderStyles[] = {
    cbsFlat,       // cbsNone
    cbsThick,      // cbsSingle
    cbsThick,      // cbsThick
    cbs3D,         // cbsFlat
    cbs3D,         // cbs3D
    cbsUltraFlat,  // cbsUltraFlat
    cbsOffice11,   // cbsOffice11
};

// The areas for box (B) and caption (T) before the box is placed.
void PrepareAreas(const TcxCheckBoxPlacementParams& p, TRect& boxArea, TRect& textArea) {
  boxArea = textArea = p.Client;
  if (p.InPlace) {
    const int boxInset = p.ShowsCaptionInplace ? 0 : 2;
    if (p.Alignment == taLeftJustify) textArea.Right -= 2, boxArea.Left += boxInset;
    if (p.Alignment == taRightJustify) textArea.Left += 2, boxArea.Right -= boxInset;
    textArea.Top += p.ContentOffsets.Top;
    textArea.Bottom -= p.ContentOffsets.Bottom;
    return;
  }
  textArea = RectInflate(textArea, -2, -2);
  if (!p.ShowsCaptionInplace && !p.KeepsTextTop) textArea.Top -= 1;
  boxArea = RectInflate(boxArea, -2, -2);
}

}  // namespace

TcxCheckBoxPlacement PlaceCheckBox(const TcxCheckBoxPlacementParams& p) {
  TRect boxArea, text;
  PrepareAreas(p, boxArea, text);
  TRect box = boxArea;
  if (p.BoxSize.cy < RectHeight(boxArea)) {
    box.Top = boxArea.Top + (RectHeight(boxArea) - p.BoxSize.cy) / 2;
    box.Bottom = box.Top + p.BoxSize.cy;
  }
  if (p.BoxSize.cx >= RectWidth(boxArea)) {
    text = TRect();
  } else if (p.Alignment == taCenter) {
    box.Left = boxArea.Left + (RectWidth(boxArea) - p.BoxSize.cx) / 2;
    box.Right = box.Left + p.BoxSize.cx;
  } else if (p.Alignment == taRightJustify) {
    box.Left = boxArea.Right - p.BoxSize.cx;
    text.Right = box.Left - 3;
  } else {
    box.Right = boxArea.Left + p.BoxSize.cx;
    text.Left = box.Right + 3;
  }
  if (RectIsEmpty(box)) box = TRect();
  if (p.EmbossedText) text.Right += 1, text.Bottom += 1;
  return {box, text};
}

TcxEditCheckState ComputeCheckState(const TcxCheckStateInput& in) {
  if (!in.Enabled) return ecsDisabled;
  if (in.SpacePressed) return ecsPressed;
  if (in.Designing || !in.MouseInside) return ecsNormal;
  if (in.NoButtonHeld) return ecsHot;
  if (in.OnlyLeftButtonHeld && (in.PressStartedNow || in.WasPressed)) return ecsPressed;
  return ecsNormal;
}

Cardinal CheckBoxCaptionFlags(TAlignment alignment, bool multiLine, bool inPlace) {
  Cardinal flags = (alignment == taCenter ? cxAlignHCenter : cxAlignLeft) | cxShowPrefix;
  flags |= multiLine ? cxDontClip | cxWordBreak : cxSingleLine;
  flags |= inPlace || !multiLine ? cxAlignVCenter : cxAlignTop;
  return flags;
}

TcxContainerBorderStyle HotCheckBoxBorderStyle(TcxContainerBorderStyle style) { return hotBorderStyles[style]; }
