// Every row owns a display that paints its cells (caption, expand box, suffix, value) and takes
// the keys and mouse events the inspector forwards to the row. The inspector sets the display's
// canvas, rectangle, colours and flags right before each call.
#pragma once
#include "Controls.h"
#include "Graphics.h"
#include "ImgList.h"
#include "Types.h"

class TNxPropertyItem;

enum TPropertiesStyle : uint8_t { psDefault, psOffice2003, psWhidbey };
enum TButtonsStyle : uint8_t { btAuto, btCustom };

// The inspector's row indent: (Level - 1) x 14 for rows deeper than level 1, else 0.
int ItemIndent(const TNxPropertyItem* item);

class TNxItemDisplay : public TObject {
  CALDERAN_CLASS(TNxItemDisplay)
  explicit TNxItemDisplay(TNxPropertyItem* item) : Item(item) {}

  uint8_t RightToLeft = 0;
  TCanvas* Canvas = nullptr;
  TColor CategoriesColor = clBtnFace, GridColor = clBtnFace, MarginColor = clBtnFace, SelectionColor = clHighlight;
  TRect Rect;
  TCustomImageList* Images = nullptr;
  TNxPropertyItem* Item;
  bool Selected = false;
  TPropertiesStyle Style = psDefault;
  bool VisualStyles = false;
  HWND Window = nullptr;  // the inspector's window, for themed parts
  // The expand glyphs of an inspector with custom buttons.
  TButtonsStyle ButtonsStyle = btAuto;
  TBitmap* CollapseGlyph = nullptr;
  TBitmap* ExpandGlyph = nullptr;

  void SetDisplayParams(TColor selectionColor, TColor categoriesColor, bool visualStyles, TColor gridColor,
                        TColor marginColor);

  virtual void DrawBackground();
  virtual void DrawPreview(const TRect&) {}
  virtual void KeyDown(Word&, TShiftState) {}
  virtual void MouseDown(TMouseButton, TShiftState, int, int) {}
  virtual void MouseLeave() {}
  virtual void MouseMove(TShiftState, int, int) {}
  virtual void MouseUp(TMouseButton, TShiftState, int, int) {}
  virtual void DrawCaption();
  virtual void DrawExpandButton();
  virtual void DrawSuffix();
  virtual void DrawValue();

 protected:
  void DrawCategoryBackground(const TRect& textFrame);
  void DrawRowBackground();
};

class TNxTextItemDisplay : public TNxItemDisplay {
  CALDERAN_CLASS(TNxTextItemDisplay)
  using TNxItemDisplay::TNxItemDisplay;
  virtual void GetTextRect(TRect& rect);
  virtual void DrawValueText();
  void DrawValue() override;
};
