// The painters' shared resources, prepared once per process: the check-box size, the indicator
// images, the two checkerboard bitmaps of scroll-bar page areas and the radio-button pictures drawn
// in four looks and every state.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "Graphics.h"
#include "Types.h"
#include "cxLookAndFeelPainters.h"
#include "cxLookAndFeels.h"

// The size of one check box, measured from the system's check-box bitmap at start-up.
TSize cxCheckGlyphSize();

// Indicator image kind - 1, centred in the rectangle; nothing for ikNone.
void DrawIndicatorImage(TcxCanvas* canvas, const TRect& rect, TcxIndicatorKind kind);
void DrawIndicatorImage(HDC dc, const TRect& rect, TcxIndicatorKind kind);
// The image list of the six indicator images (0 when they could not be loaded).
HIMAGELIST cxIndicatorImages();

// (Re)paints the two 8 x 8 checkerboards of scroll-bar page areas (normal and pressed).
void RefreshPatternBitmaps();
TBitmap* cxPatternBitmap(bool pressed);

// Where the pixels of the radio circle belong: 0 outside, 1 and 2 the outer ring (upper-left and
// lower-right half), 3 and 4 the inner ring, 5 inside, 6 the check dot.
struct TcxRadioButtonMeasures {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  int DotLeft = 0, DotTop = 0, DotRight = 0, DotBottom = 0;
};

class TcxRadioButtonImageList : public TObject {
  CALDERAN_CLASS(TcxRadioButtonImageList)
  TcxRadioButtonImageList();
  ~TcxRadioButtonImageList() override;

  // BackgroundColor clDefault draws the picture masked over what is there.
  void Draw(TcxCanvas* canvas, int x, int y, TColor backgroundColor, TcxLookAndFeelKind lookKind,
            TcxButtonState state, bool checked, bool focused, bool highlighted);
  void Draw(HDC dc, int x, int y, TColor backgroundColor, TcxLookAndFeelKind lookKind, TcxButtonState state,
            bool checked, bool focused, bool highlighted);
  TSize GetSize() const { return {measures_.Width, measures_.Height}; }
  void Prepare();
  void Reset();
  int GetImageIndex(TcxLookAndFeelKind lookKind, TcxButtonState state, bool checked, bool focused,
                    bool highlighted) const;
  int Count() const;
  const TcxRadioButtonMeasures& Measures() const { return measures_; }
  // The pattern code of pixel (x, y) of the circle.
  int PatternCode(int x, int y) const { return pattern_[y * measures_.Width + x]; }

 private:
  void Measure();
  void BuildPattern();
  void BuildMask();
  void AddImage(TcxLookAndFeelKind lookKind, TcxButtonState state, bool checked, bool focused, bool highlighted);

  TcxRadioButtonMeasures measures_;
  std::vector<int> pattern_;  // Height rows of Width codes
  HIMAGELIST images_ = nullptr;
  HBITMAP mask_ = nullptr;
  int indexMap_[128] = {};
};

// The radio-button pictures, created and prepared on first use.
TcxRadioButtonImageList* GetRadioButtonImages();

// The painters' primary palette notifier: rebuilds the radio-button pictures in the new colours.
class TSystemPaletteChangedNotifier : public TcxSystemPaletteChangedNotifier {
  CALDERAN_CLASS(TSystemPaletteChangedNotifier)
  TSystemPaletteChangedNotifier() : TcxSystemPaletteChangedNotifier(true) {}
  void ColorsChanged() override;
};

// Small drawing steps shared by the painters' own files.
namespace PainterDrawing {

using TCanvasStateSaver = TcxCanvasStateSaver;

// The toolkit text flags of a text cell.
Cardinal TextFlags(TAlignment horz, TcxAlignmentVert vert, bool multiLine, bool endEllipsis);
void SolidPolygon(TcxCanvas* canvas, const TPoint* points, int count, TColor color);
void Line(TcxCanvas* canvas, int x1, int y1, int x2, int y2);
void Fill(TcxCanvas* canvas, const TRect& rect, TColor color);
// The rectangle moved inward by d on every side.
TRect Shrunk(const TRect& rect, int d = 1);

// A scroll-bar page area: the checkerboard of its state.
void PaintScrollBarPageArea(TcxCanvas* canvas, const TRect& rect, TcxButtonState state);
// Pairs of one-pixel lines (first colour at the top or left, second at the bottom or right), the
// rectangle turning after each pair, then the rest filled from the view parameters.
void PaintSplitterLines(TcxCanvas* canvas, const TRect& rect, const TcxViewParams& viewParams, bool horizontal,
                        std::initializer_list<std::pair<TColor, TColor>> pairs);

}  // namespace PainterDrawing

// Start-up and shut-down of the shared resources (called by the painters module's own).
void StartPainterResources();
void StopPainterResources();
