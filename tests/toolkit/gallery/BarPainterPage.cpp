// The bar painters' button sheet: one row per bar painter, one column per button state, each cell
// a button drawn by that painter's DrawButton with a glyph and a caption.
#include <memory>
#include <string>
#include <vector>

#include "GalleryPages.h"
#include "dxBarControl.h"
#include "dxBarFlatPainter.h"
#include "dxBarItemControl.h"
#include "dxBarManager.h"
#include "dxBarOffice11Painter.h"
#include "dxBarXPPainter.h"

namespace {

// An item control that shows the sheet's glyph and reports the state the sheet gives it.
class TSheetItemControl : public TdxBarItemControl {
 public:
  using TdxBarItemControl::TdxBarItemControl;
  bool IsPressed() const override { return Pressed; }
  bool GetEnabled() const override { return Enabled; }
  TdxBarGlyphLayout GlyphLayout() const override { return glTop; }
  bool GetImageInfo(int size, bool, TCustomImageList*& images, int& index, TBitmap*& glyph) const override {
    images = nullptr;
    index = -1;
    glyph = size == cvsLarge ? LargeGlyph : Glyph;
    return glyph != nullptr;
  }
  bool Pressed = false;
  bool Enabled = true;
  TBitmap* Glyph = nullptr;
  TBitmap* LargeGlyph = nullptr;
};

struct TButtonState {
  const char* Name;
  bool Selected, Pressed, Down, Enabled, DropDown, DroppedDown, Large;
};
const TButtonState states[] = {
    {"normal", false, false, false, true, false, false, false},
    {"selected", true, false, false, true, false, false, false},
    {"pressed", true, true, false, true, false, false, false},
    {"down", false, false, true, true, false, false, false},
    {"disabled", false, false, false, false, false, false, false},
    {"drop-down", false, false, false, true, true, false, false},
    {"dropped", true, false, false, true, true, true, false},
    {"large", false, false, false, true, false, false, true},
};

struct TPainterRow {
  const char* Name;
  TdxBarPainterClass Painter;
};

constexpr int cellWidth = 96, cellHeight = 58, labelWidth = 130, headerHeight = 20;

// A picture glyph: a framed disc on a transparent ground (the bottom-left pixel's colour).
std::unique_ptr<TBitmap> MakeGlyph(int size) {
  auto glyph = std::make_unique<TBitmap>();
  glyph->SetSize(size, size);
  TCanvas* c = glyph->Canvas();
  c->Brush()->SetColor(clFuchsia);
  c->FillRect({0, 0, size, size});
  c->Brush()->SetColor(RGB(40, 120, 220));
  c->Pen()->SetColor(RGB(20, 50, 110));
  c->Ellipse(1, 1, size - 1, size - 1);
  c->Brush()->SetColor(RGB(250, 210, 60));
  c->Pen()->SetColor(RGB(250, 210, 60));
  c->Rectangle(size / 3, size / 3, size - size / 3, size - size / 3);
  return glyph;
}

class TBarPainterSheet : public TCustomdxBarControl {
 public:
  TBarPainterSheet(TComponent* owner, TdxBarManager* manager)
      : TCustomdxBarControl(owner, manager), glyph_(MakeGlyph(16)), largeGlyph_(MakeGlyph(32)) {
    control_ = std::make_unique<TSheetItemControl>(this, nullptr);
    control_->Glyph = glyph_.get();
    control_->LargeGlyph = largeGlyph_.get();
  }

 protected:
  void Paint() override {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(ClientRect());
    canvas->Font()->Assign(BarManager()->Font());
    SetBkMode(canvas->Handle(), TRANSPARENT);
    for (size_t s = 0; s < std::size(states); ++s) {
      canvas->TextOut(labelWidth + static_cast<int>(s) * cellWidth + 4, 2, states[s].Name);
    }
    const TPainterRow rows[] = {{"TdxBarPainter", TdxBarPainter::Instance()},
                                {"TdxBarStandardPainter", TdxBarStandardPainter::Instance()},
                                {"TdxBarEnhancedPainter", TdxBarEnhancedPainter::Instance()},
                                {"TdxBarXPPainter", TdxBarXPPainter::Instance()},
                                {"TdxBarFlatPainter", TdxBarFlatPainter::Instance()},
                                {"TdxBarOffice11Painter", TdxBarOffice11Painter::Instance()}};
    for (size_t r = 0; r < std::size(rows); ++r) {
      const int top = headerHeight + static_cast<int>(r) * cellHeight;
      canvas->TextOut(4, top + cellHeight / 2 - 8, rows[r].Name);
      for (size_t s = 0; s < std::size(states); ++s) {
        DrawCell(rows[r].Painter, states[s], Bounds(labelWidth + static_cast<int>(s) * cellWidth, top, cellWidth - 8,
                                                    cellHeight - 8));
      }
    }
  }

 private:
  void DrawCell(TdxBarPainterClass painter, const TButtonState& state, const TRect& cell) {
    TcxCanvas canvas(Canvas());
    canvas.SetFont(BarManager()->Font());
    TdxBarItemControlDrawParams& p = control_->DrawParams();
    p.Canvas = &canvas;
    p.Caption = "Convert";
    p.ViewStructure = cvsGlyph | cvsCaption;
    p.ViewSize = state.Large ? cvsLarge : cvsSmall;
    p.GlyphAreaSize = painter->CalcButtonSize(16);
    p.Enabled = control_->Enabled = state.Enabled;
    p.DrawSelected = state.Selected;
    p.Pressed = control_->Pressed = state.Pressed;
    p.Down = state.Down;
    p.DropDown = p.IsButton = state.DropDown;
    p.DroppedDown = state.DroppedDown;
    p.ArrowSize = {painter->GetButtonArrowWidth(BarManager()), 5};
    // Highlighted captions need the flat looks' faces, which come with those painters.
    p.TextSelected = false;
    const int height = state.Large ? cellHeight - 8 : 22;
    painter->DrawButton(p, Bounds(cell.Left, cell.Top, cell.Width(), height));
  }

  std::unique_ptr<TBitmap> glyph_, largeGlyph_;
  std::unique_ptr<TSheetItemControl> control_;
};

}  // namespace

void BuildBarPainterPage(TGalleryPage& page) {
  auto* manager = new TdxBarManager(page.Form());
  page.AddLabel(8, 8, "Bar painters: DrawButton in each state (base painter's button, glyph and text drawing)", 700);
  auto* sheet = new TBarPainterSheet(page.Form(), manager);
  page.Place(sheet, 8, 30, labelWidth + static_cast<int>(std::size(states)) * cellWidth, headerHeight + 6 * cellHeight);
}
