// The label: static text drawn by the editor itself, optionally turned, with depth effects
// (graded, extruded or shadow copies), a raised, lowered or outlined style and a bitmap that fills
// the letters. This part holds the drawing and measuring of the text, which needs no editor.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "Graphics.h"
#include "StdCtrls.h"
#include "Types.h"
#include "cxExtEditUtils.h"
#include "cxGraphics.h"

enum TcxLabelEffect : uint8_t { cxleNormal, cxleFun, cxleExtrude, cxleCool };
enum TcxLabelStyle : uint8_t { cxlsNormal, cxlsRaised, cxlsLowered, cxlsOutLine };
// The direction in which the depth effect extends from the text.
enum TcxLabelOrientation : uint8_t {
  cxoLeft, cxoRight, cxoTop, cxoBottom, cxoLeftTop, cxoLeftBottom, cxoRightTop, cxoRightBottom
};

// Degrees brought into 0..359 (450 is 90, -90 is 270).
int NormalizeLabelAngle(int angle);
// The room the depth effect takes (x, y): none for cxleNormal.
TPoint LabelEffectExtent(TcxLabelEffect effect, TcxLabelOrientation orientation, int depth);
// The extra room of the raised and lowered styles: 1 below 12 points, 2 from 12 points on.
int LabelStyleOffset(TcxLabelStyle style, int fontPoints);
// Where turned text of the given unturned size starts so that it is centred in the text rectangle
// (less the effect's room at its right and bottom).
TPoint TurnedTextStart(const TRect& textRect, TPoint effectExtent, TSize textSize, int angle);
// The box that text of the given unturned size covers when turned.
TSize TurnedTextSize(TSize textSize, int angle);

// The depth layers: the first is drawn at Start, each next one Step further; the main text follows
// at Start + Count * Step (less the style offset on the axes whose step is negative).
struct TcxLabelLayers {
  TPoint Start;
  TPoint Step;
  int Count = 0;
};
TcxLabelLayers PlanLabelLayers(TcxLabelEffect effect, TcxLabelOrientation orientation, int depth,
                               TPoint effectExtent, int styleOffset, TPoint start);
// The colour of layer index (1..count): graded from the background for cxleFun, else the shadow colour.
TColor LabelLayerColor(TcxLabelEffect effect, TColor shadowedColor, TColor backgroundColor, int index, int count);

// Everything the drawing of a label's text needs.
struct TcxLabelDrawData {
  std::string Text;
  TFont* Font = nullptr;
  TColor TextColor = clWindowText;
  TColor BackgroundColor = clBtnFace;
  int Angle = 0;
  TcxLabelEffect Effect = cxleNormal;
  TcxLabelStyle Style = cxlsNormal;
  TcxLabelOrientation Orientation = cxoRightBottom;
  int Depth = 0;
  TColor ShadowedColor = clGrayText;
  bool ShowAccelChar = true;
  int PenWidth = 1;
  bool WordWrap = false;
  TAlignment HorzAlignment = taLeftJustify;
  TcxEditVertAlignment VertAlignment = taTopJustify;
  bool EndEllipsis = false;
  TBitmap* Glyph = nullptr;  // fills the letters when usable and the font is TrueType
};

// Draws the text, its depth layers and its style into the text rectangle; the canvas's font and
// brush are as before afterwards.
void DrawLabelText(TcxCanvas* canvas, const TcxLabelDrawData& data, const TRect& textRect);
// The size the text takes with its effect and style, for the available width (turned text: the
// turned box); an empty text measures as one blank.
TSize MeasureLabelText(TcxCanvas* canvas, const TcxLabelDrawData& data, int availableWidth);
// The text-out flags (cxTextOut.h) of a label's text: its alignment, end ellipsis when asked, word
// break only for unturned wrapping text; no accelerator prefix, no tabs.
uint32_t LabelTextOutFlags(TAlignment horz, TcxEditVertAlignment vert, bool endEllipsis, bool wordWrap, int angle);
