// Bar windows: one toolbar window of button items per bar painter, each showing a button with image
// and caption, a disabled one, a checked one and one with a drop-down arrow, all drawn by their
// item controls through that painter.
#include <memory>
#include <string>

#include "GalleryPages.h"
#include "barwindow_fixture.h"
#include "dxBarFlatPainter.h"
#include "dxBarOffice11Painter.h"
#include "dxBarXPPainter.h"

namespace {

// A page glyph: a sheet with a folded corner and two text lines, on a transparent ground.
void DrawSheetGlyph(TBitmap* glyph, int size) {
  glyph->SetSize(size, size);
  TCanvas* c = glyph->Canvas();
  c->Brush()->SetColor(clFuchsia);
  c->FillRect({0, 0, size, size});
  c->Brush()->SetColor(RGB(255, 255, 255));
  c->Pen()->SetColor(RGB(60, 90, 140));
  c->Rectangle(size / 8, 0, size - size / 8, size);
  c->Pen()->SetColor(RGB(200, 60, 40));
  for (int line = 1; line <= 2; ++line) {
    const int y = line * size / 3;
    c->MoveTo(size / 4, y);
    c->LineTo(size - size / 4, y);
  }
}

struct TPainterRow {
  const char* Name;
  TdxBarPainterClass Painter;
};

TdxBarButton* AddButton(TTestLinksOwner* owner, TForm* form, const char* caption, TdxBarButtonStyle style) {
  auto* button = new TdxBarButton(form);
  button->SetCaption(caption);
  button->SetButtonStyle(style);
  button->SetPaintStyle(psCaptionGlyph);
  DrawSheetGlyph(button->Glyph(), 16);
  owner->Links()->AddItem(button);
  return button;
}

}  // namespace

void BuildBarWindowPage(TGalleryPage& page) {
  auto* manager = new TdxBarManager(page.Form());
  page.AddLabel(8, 8, "Bar windows: button items (image and caption, disabled, checked, drop-down) per painter", 700);
  const TPainterRow rows[] = {{"TdxBarPainter", TdxBarPainter::Instance()},
                              {"TdxBarStandardPainter", TdxBarStandardPainter::Instance()},
                              {"TdxBarEnhancedPainter", TdxBarEnhancedPainter::Instance()},
                              {"TdxBarXPPainter", TdxBarXPPainter::Instance()},
                              {"TdxBarFlatPainter", TdxBarFlatPainter::Instance()},
                              {"TdxBarOffice11Painter", TdxBarOffice11Painter::Instance()}};
  int top = 34;
  for (const TPainterRow& row : rows) {
    page.AddLabel(8, top + 12, row.Name, 170);
    auto* owner = new TTestLinksOwner(page.Form(), manager, false);
    AddButton(owner, page.Form(), "&Convert", bsDefault);
    AddButton(owner, page.Form(), "&Print", bsDefault)->SetEnabled(false);
    AddButton(owner, page.Form(), "&Bold", bsChecked)->SetDown(true);
    AddButton(owner, page.Form(), "&Export", bsDropDown);
    TCustomdxBarControl* bar = owner->Links()->CreateBarControl();
    bar->SetPainter(row.Painter);
    page.Place(bar, 186, top, 420, 36);
    owner->Show();
    top += 48;
  }
}
