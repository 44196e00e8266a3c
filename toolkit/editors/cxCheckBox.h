// The check box: an editor whose value (any variant) reads as unchecked, checked or grayed through
// three configurable values, toggled by mouse, Space and its accelerator. This part holds the value
// mapping, the state cycle, the glyph-strip pieces and the check-mark mask, which need no editor.
#pragma once
#include <windows.h>

#include <cstdint>

#include "Graphics.h"
#include "Types.h"
#include "Variants.h"
#include "System.h"
#include "cxContainer.h"
#include "cxLookAndFeelPainters.h"

// How a grayed box looks: as unchecked, as a greyed empty box, or with a greyed mark.
enum TcxCheckBoxNullValueShowingStyle : uint8_t { nssUnchecked, nssInactive, nssGrayedChecked };
// What the mouse and the keyboard do to the box.
enum TcxEditCheckState : uint8_t { ecsNormal, ecsHot, ecsPressed, ecsDisabled };

// Checked when the value equals the checked value, unchecked when it equals the unchecked value,
// grayed otherwise (Null and every other value). A Boolean compares with a non-Null value as text.
TcxCheckBoxState CheckBoxValueToState(const TVariant& value, const TVariant& valueChecked,
                                      const TVariant& valueUnchecked);
// Unchecked goes to grayed when grayed is allowed, else to checked; grayed to checked; checked to unchecked.
TcxCheckBoxState NextCheckBoxState(TcxCheckBoxState state, bool allowGrayed);
// The same type and an equal value.
bool VarEqualsExact(const TVariant& a, const TVariant& b);
// Whether a new checked or unchecked value may replace current: not Null (unless nullAllowed) and
// exactly different from all three current values. Loading takes every value.
bool IsCheckBoxValueAcceptable(const TVariant& value, const TVariant& checked, const TVariant& unchecked,
                               const TVariant& grayed, bool nullAllowed);

// The piece of a glyph strip for a state: the state's index, 3 further on while pressed, folded back
// onto the first three pieces when the strip has fewer.
int CheckBoxGlyphIndex(TcxCheckBoxState state, TcxEditCheckState checkState, int glyphCount);
// Where the piece lies in a strip of the given size.
TRect CheckBoxGlyphPieceRect(TSize stripSize, int glyphCount, int index);

// The button state in which painters draw a box of the given interaction state.
TcxButtonState CheckStateToButtonState(TcxEditCheckState checkState);

// A monochrome picture of the system's check mark (black on white), of the base painter's check
// glyph size: black where the system's unchecked and checked boxes differ. The caller owns it.
HBITMAP BuildCheckMarkMask();

// ---------------------------------------------------------------------------------------------
// Drawing the box

// Everything the box's drawing needs. A transparent background is clNone.
struct TcxCheckBoxBoxParams {
  TcxCheckBoxState State = cbsUnchecked;
  TcxCheckBoxNullValueShowingStyle NullStyle = nssGrayedChecked;
  TcxEditCheckState CheckState = ecsNormal;
  bool Focused = false;
  bool Designing = false;
  TColor BackgroundColor = clWindow;
  TColor BorderColor = clBtnShadow;
  bool Native = false;
  TcxContainerBorderStyle BorderStyle = cbs3D;
  int CheckBorderOffset = 0;  // the ring between the box's rectangle and its border
  TBitmap* Glyph = nullptr;   // a strip of GlyphCount pieces
  int GlyphCount = 0;
  TcxCustomLookAndFeelPainterClass SkinPainter = nullptr;
};

// Draws the box into its rectangle: a glyph piece, the skin's face, the themed check box, or a
// border of the box's style with the check mark inside.
void DrawCheckBoxBox(TcxCanvas* canvas, const TRect& rect, const TcxCheckBoxBoxParams& params);

// The process-wide check-mark mask (null before the module starts).
HBITMAP CheckMarkMask();

extern const TUnitInfo cxCheckBoxUnit;

// ---------------------------------------------------------------------------------------------
// Layout

// Where the box and the caption go in the client rectangle. Alignment says where the box sits.
struct TcxCheckBoxPlacementParams {
  TRect Client;
  TSize BoxSize;
  TAlignment Alignment = taLeftJustify;
  bool InPlace = false;
  bool ShowsCaptionInplace = false;
  TRect ContentOffsets;         // in-place: the caption's top and bottom move in by them
  bool KeepsTextTop = false;    // stand-alone: the caption does not move up the extra pixel
  bool EmbossedText = false;    // a disabled caption drawn embossed needs a pixel more
};
struct TcxCheckBoxPlacement {
  TRect CheckBoxRect;
  TRect TextRect;
};
TcxCheckBoxPlacement PlaceCheckBox(const TcxCheckBoxPlacementParams& params);

// The box's interaction state from the editor's state and the mouse.
struct TcxCheckStateInput {
  bool Enabled = true;
  bool SpacePressed = false;
  bool Designing = false;
  bool MouseInside = false;       // the point lies inside the border rectangle
  bool NoButtonHeld = true;       // no mouse button is held
  bool OnlyLeftButtonHeld = false;
  bool PressStartedNow = false;   // the left button went down in this very calculation
  bool WasPressed = false;        // the previous calculation found the box pressed
};
TcxEditCheckState ComputeCheckState(const TcxCheckStateInput& input);

// The toolkit canvas flags of the caption.
Cardinal CheckBoxCaptionFlags(TAlignment alignment, bool multiLine, bool inPlace);
// While the editor is hot-tracked a lighter border turns heavier.
TcxContainerBorderStyle HotCheckBoxBorderStyle(TcxContainerBorderStyle style);
