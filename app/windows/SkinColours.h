// The colours of the skin in use, for the application's windows whose stored forms give the
// framed controls, the inspector and a few labels light-look colours of their own: under a skin
// those take the skin's colours instead, so a dark skin shows no light box and no text that
// cannot be read on it.
#pragma once
#include "Graphics.h"

struct TSkinColours {
  TColor Back = clBtnFace, Text = clWindowText;          // the form's content and text on it
  TColor Editor = clWindow, EditorText = clWindowText;   // an editor's face and text
  TColor DisabledEditor = clBtnFace;                     // a disabled editor's face
  TColor Selection = clHighlight, SelectionText = clHighlightText;
  TColor Border = clBtnShadow;                           // an editor's frame
};

// The colours of the skin in use (the root look and feel's); false under the plain looks.
bool SkinColoursInUse(TSkinColours& colours);

// Text left at a default colour follows the skin's; a colour the form chose stays.
void FollowSkinText(TFont* font, TColor text);

// The contrast of two colours as the eye reads text: (lighter + 0.05) / (darker + 0.05) of their
// relative luminances, 1 to 21.
double ContrastRatio(TColor a, TColor b);

// A text colour the form chose, kept when it reads on the background (a contrast of 4.5:1), else
// mixed towards white on a dark background, black on a light one, until it does: the hue of a
// warning or a link stays recognisable.
TColor ReadableTextColor(TColor text, TColor background);
