// The painter sheet of the gallery: every element of a painter in each button state, as a table
// of rows. Work that adds painters or elements adds them here (SheetPainters, PainterSheetRows).
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "cxGraphics.h"
#include "cxLookAndFeelPainters.h"

struct TSheetPainter {
  std::string Name;
  TcxCustomLookAndFeelPainterClass Painter;
};

// The painters of the look-and-feel kinds, then every painter registered by name (skins).
std::vector<TSheetPainter> SheetPainters();

// One row: an element drawn into a cell for one state (cxbsDefault .. cxbsDisabled).
using TSheetElement = std::function<void(TcxCustomLookAndFeelPainterClass, TcxCanvas*, const TRect&, TcxButtonState)>;
struct TSheetRow {
  const char* Name;
  TSheetElement Draw;
};
const std::vector<TSheetRow>& PainterSheetRows();

// Cells of the sheet: a label column, then one cell per state; rows flow into columns of at most
// rowsPerColumn rows.
struct TPainterSheetLayout {
  int LabelWidth = 112;
  int CellWidth = 82;
  int CellHeight = 34;
  int Margin = 4;
  int RowsPerColumn = 20;
  int ColumnWidth() const { return LabelWidth + 5 * (CellWidth + Margin) + 2 * Margin; }
  int RowHeight() const { return CellHeight + Margin; }
};
TSize PainterSheetSize(const TPainterSheetLayout& layout);
void DrawPainterSheet(TcxCanvas* canvas, const TPoint& origin, TcxCustomLookAndFeelPainterClass painter,
                      const TPainterSheetLayout& layout);
