// The platform's button vocabulary shared by every button family: glyph layouts, the face styles
// and the drawing of a classic button face.
#pragma once
#include <cstdint>

#include "Graphics.h"
#include "Types.h"

enum TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonStyle : uint8_t { bsAutoDetect, bsWin31, bsNew };

// Whether the new (flat-edged, one-pixel bevel) look of controls is in use; always so on the
// platforms this program runs on.
inline bool NewStyleControls() { return true; }

// Draws a button face into client and answers the rectangle left inside its bevels. The new look
// (bsNew, or bsAutoDetect) draws a one-pixel frame and a bevel of the given width; the old one a
// black outline (its corners left out when rounded), a thicker bevel and, when focused, a second
// black ring.
TRect DrawButtonFace(TCanvas* canvas, const TRect& client, int bevelWidth, TButtonStyle style, bool isRounded,
                     bool isDown, bool isFocused);
