// Large buttons: one row per bar painter; each button sits in a bar window of its own so that each
// shows its own state: idle (grey glyph), hot, pressed, disabled, down (check style), with a
// drop-down arrow, with the glyph beside the caption and without caption (idle, then hot).
#include <string>

#include "GalleryPages.h"
#include "barwindow_fixture.h"
#include "dxBarExtItems.h"
#include "dxBarFlatPainter.h"
#include "dxBarItemRegistry.h"
#include "dxBarOffice11Painter.h"
#include "dxBarXPPainter.h"

namespace {

// A large button whose control reports the mouse holding it down, so that a still picture can show
// the pressed look.
class TGalleryPressedLargeButton : public TdxBarLargeButton {
  CALDERAN_CLASS(TGalleryPressedLargeButton)
  using TdxBarLargeButton::TdxBarLargeButton;
};
class TGalleryPressedLargeButtonControl : public TdxBarLargeButtonControl {
  CALDERAN_CLASS(TGalleryPressedLargeButtonControl)
  using TdxBarLargeButtonControl::TdxBarLargeButtonControl;
  bool IsPressed() const override { return true; }
};

}  // namespace

CALDERAN_IMPLEMENT_CREATABLE(TGalleryPressedLargeButton, TdxBarLargeButton, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TGalleryPressedLargeButtonControl, TdxBarLargeButtonControl, TdxBarItemLink*)

namespace {

// A clapperboard on a transparent ground: dark board, striped top, a red and a blue mark, so that
// the grey-scale look is plain to see.
void DrawClapperGlyph(TBitmap* glyph) {
  glyph->SetSize(32, 32);
  TCanvas* c = glyph->Canvas();
  c->Brush()->SetColor(clFuchsia);
  c->FillRect({0, 0, 32, 32});
  c->Pen()->SetColor(RGB(40, 40, 48));
  c->Brush()->SetColor(RGB(60, 64, 80));
  c->Rectangle(3, 12, 29, 30);
  for (int i = 0; i < 4; ++i) {
    c->Brush()->SetColor(i % 2 ? RGB(250, 250, 250) : RGB(30, 30, 30));
    c->FillRect({3 + i * 7, 4, 10 + i * 7, 10});
  }
  c->Brush()->SetColor(RGB(230, 50, 40));
  c->FillRect({7, 16, 15, 26});
  c->Brush()->SetColor(RGB(40, 120, 230));
  c->FillRect({17, 16, 25, 26});
}

struct TStateColumn {
  const char* Name;
  void (*Prepare)(TdxBarLargeButton* button);
  bool Hot;
  bool Pressed;
};

void Plain(TdxBarLargeButton*) {}
void Disabled(TdxBarLargeButton* button) { button->SetEnabled(false); }
void CheckedDown(TdxBarLargeButton* button) {
  button->SetButtonStyle(bsChecked);
  button->SetDown(true);
}
void WithArrow(TdxBarLargeButton* button) { button->SetButtonStyle(bsDropDown); }
void GlyphLeft(TdxBarLargeButton* button) { button->SetGlyphLayout(glLeft); }
void NoCaption(TdxBarLargeButton* button) { button->SetShowCaption(false); }

const TStateColumn columns[] = {
    {"idle", Plain, false, false},          {"hot", Plain, true, false},
    {"pressed", Plain, true, true},         {"disabled", Disabled, false, false},
    {"down", CheckedDown, false, false},    {"drop-down, hot", WithArrow, true, false},
    {"glyph left", GlyphLeft, false, false}, {"no caption", NoCaption, false, false},
    {"no caption, hot", NoCaption, true, false},
};

struct TPainterRow {
  const char* Name;
  TdxBarPainterClass Painter;
};

void PlaceButton(TGalleryPage& page, TdxBarManager* manager, const TPainterRow& row, const TStateColumn& column,
                 int x, int y) {
  auto* owner = new TTestLinksOwner(page.Form(), manager, false);
  TdxBarLargeButton* button = column.Pressed ? new TGalleryPressedLargeButton(page.Form())
                                             : new TdxBarLargeButton(page.Form());
  button->SetCaption("Convert");
  button->SetLargeImageIndex(0);
  column.Prepare(button);
  owner->Links()->AddItem(button);
  TCustomdxBarControl* bar = owner->Links()->CreateBarControl();
  bar->SetPainter(row.Painter);
  page.Place(bar, x, y, 104, 64);
  const bool hot = column.Hot;
  page.AfterShow([owner, bar, hot] {
    owner->Show();
    bar->SetBounds(bar->Left(), bar->Top(), 104, 64);
    if (hot) bar->SetSelectedItemControl(owner->Links()->GetLink(0)->Control());
  });
}

}  // namespace

void BuildLargeButtonPage(TGalleryPage& page) {
  RegisterBarItemClass(TGalleryPressedLargeButton::StaticClass(), TGalleryPressedLargeButtonControl::StaticClass(),
                       false);
  auto* manager = new TdxBarManager(page.Form());
  auto* images = new TImageList(page.Form());
  images->SetSize(32, 32);
  TBitmap glyph;
  DrawClapperGlyph(&glyph);
  images->AddMasked(&glyph, clFuchsia);
  manager->ImageOptions()->SetLargeImages(images);
  page.AddLabel(8, 8, "Large buttons per bar painter: the glyph is grey until the button is hot", 700);
  const TPainterRow rows[] = {{"TdxBarPainter", TdxBarPainter::Instance()},
                              {"TdxBarStandardPainter", TdxBarStandardPainter::Instance()},
                              {"TdxBarEnhancedPainter", TdxBarEnhancedPainter::Instance()},
                              {"TdxBarXPPainter", TdxBarXPPainter::Instance()},
                              {"TdxBarFlatPainter", TdxBarFlatPainter::Instance()},
                              {"TdxBarOffice11Painter", TdxBarOffice11Painter::Instance()}};
  const int left = 170, step = 112;
  for (size_t c = 0; c < std::size(columns); ++c) page.AddLabel(left + int(c) * step, 34, columns[c].Name, step - 4);
  int top = 54;
  for (const TPainterRow& row : rows) {
    page.AddLabel(8, top + 24, row.Name, 160);
    for (size_t c = 0; c < std::size(columns); ++c) PlaceButton(page, manager, row, columns[c], left + int(c) * step, top);
    top += 76;
  }
}
