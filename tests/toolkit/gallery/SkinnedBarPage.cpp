// Bars painted by the skinned bar painter of a ribbon, in each colour scheme: the ribbon's own groups
// (small buttons, a split button, a button group, a checked button; narrow enough for its last two
// groups to collapse into one button each, Help's showing the toolbar's glyph), a toolbar window
// that borrows the ribbon's bar painter (normal, disabled, checked and drop-down buttons), and large
// buttons: drop-downs with their arrow after the caption, one hot over its upper part.
#include <memory>
#include <string>

#include "GalleryPages.h"
#include "barwindow_fixture.h"
#include "dxBarToolbar.h"
#include "dxRibbon.h"
#include "dxRibbonBarPainter.h"

namespace {

// A film frame with a play mark, on the fuchsia that the glyph routine leaves transparent.
void DrawFilmGlyph(TBitmap* glyph, int size) {
  glyph->SetSize(size, size);
  TCanvas* c = glyph->Canvas();
  c->Brush()->SetColor(clFuchsia);
  c->FillRect({0, 0, size, size});
  c->Brush()->SetColor(RGB(70, 90, 120));
  c->FillRect({size / 8, size / 8, size - size / 8, size - size / 8});
  c->Brush()->SetColor(RGB(250, 250, 250));
  const int s = size / 8;
  c->FillRect({2 * s, 2 * s, size - 2 * s, size - 2 * s});
  c->Brush()->SetColor(RGB(220, 80, 40));
  c->Pen()->SetColor(RGB(220, 80, 40));
  c->Polygon({TPoint(3 * s, 3 * s), TPoint(3 * s, size - 3 * s - 1), TPoint(size - 3 * s, size / 2)});
}

TdxBarButton* NewButton(TForm* form, const char* caption, TdxBarButtonStyle style = bsDefault, bool glyph = true) {
  auto* button = new TdxBarButton(form);
  button->SetCaption(caption);
  button->SetButtonStyle(style);
  if (glyph) {
    DrawFilmGlyph(button->Glyph(), 16);
    DrawFilmGlyph(button->LargeGlyph(), 32);
  }
  return button;
}

TdxBar* NewToolbar(TForm* form, TdxBarManager* manager, const char* caption) {
  auto* toolbar = new TdxBar(form);
  toolbar->SetName(caption);
  toolbar->SetCaption(caption);
  toolbar->SetBarManager(manager);
  return toolbar;
}

// The ribbon's groups: File and Edit in full, Help collapsed for want of room.
void BuildGroups(TForm* form, TdxBarManager* manager, TdxRibbon* ribbon) {
  TdxRibbonTab* tab = ribbon->Tabs()->Add();
  tab->SetCaption("Home");
  TdxBar* file = NewToolbar(form, manager, "File");
  file->ItemLinks()->AddItem(NewButton(form, "Open"));
  file->ItemLinks()->AddItem(NewButton(form, "Save as", bsDropDown));
  file->ItemLinks()->AddItem(NewButton(form, "Print"))->Item()->SetEnabled(false);
  TdxBar* edit = NewToolbar(form, manager, "Edit");
  for (const char* caption : {"Cut", "Copy", "Paste"})
    edit->ItemLinks()->AddItem(NewButton(form, caption, bsDefault, false))->SetButtonGroup(bgpMember);
  edit->ItemLinks()->GetVisibleLink(0)->SetButtonGroup(bgpStart);
  auto* bold = NewButton(form, "Bold", bsChecked);
  bold->SetDown(true);
  edit->ItemLinks()->AddItem(bold)->SetBeginGroup(true);
  TdxBar* help = NewToolbar(form, manager, "Help");
  DrawFilmGlyph(help->Glyph(), 32);
  help->ItemLinks()->AddItem(NewButton(form, "Contents"));
  help->ItemLinks()->AddItem(NewButton(form, "About"));
  for (TdxBar* toolbar : {file, edit, help}) tab->Groups()->Add()->SetToolBar(toolbar);
}

// A toolbar window whose items show large, as high as three rows of a ribbon group (66 pixels).
class TLargeRowBarWindow : public TRowBarWindow {
 public:
  using TRowBarWindow::TRowBarWindow;
  TdxBarItemViewLevel GetDefaultViewLevel(TdxBarItemControl*) const override { return ivlLargeIconWithText; }

 protected:
  void ItemRectsCalculated() override {
    TRowBarWindow::ItemRectsCalculated();
    for (int i = 0; i < ItemLinks()->GetVisibleCount(); ++i) {
      TdxBarItemLink* link = ItemLinks()->GetVisibleLink(i);
      if (!link->Control()) continue;
      TRect rect = link->ItemRect();
      rect.Bottom = rect.Top + 66;
      link->SetItemRect(rect);
      link->Control()->ViewInfo()->SetBounds(rect);
      link->Control()->CalcParts();
    }
  }
};

class TLargeLinksOwner : public TTestLinksOwner {
 public:
  TLargeLinksOwner(TForm* form, TdxBarManager* manager) : TTestLinksOwner(form, manager, false), form_(form), manager_(manager) {}
  TCustomdxBarControl* CreateBarControl() override {
    auto* bar = new TLargeRowBarWindow(form_, manager_);
    bar->SetParent(form_);
    return bar;
  }

 private:
  TForm* form_;
  TdxBarManager* manager_;
};

void BuildSkinnedBarPage(TGalleryPage& page, const char* scheme) {
  TForm* form = page.Form();
  auto* manager = new TdxBarManager(form);
  manager->SetShowHint(false);  // a hint would cover the hot button
  auto* ribbon = new TdxRibbon(form);
  ribbon->SetParent(form);
  ribbon->SetBarManager(manager);
  ribbon->SetColorSchemeName(scheme);
  ribbon->SetShowTabHeaders(false);
  ribbon->SetAlign(alNone);
  ribbon->SetWidth(190);  // narrow enough for Edit and Help to collapse
  BuildGroups(form, manager, ribbon);
  ribbon->FullRefresh();
  page.AddLabel(350, 8, std::string("Skinned bar painter, ") + scheme + ": the ribbon's groups (Edit and Help collapsed)", 600);

  page.AddLabel(8, 140, "A toolbar window with the ribbon's bar painter: normal, disabled, checked, drop-down", 700);
  auto* row = new TTestLinksOwner(form, manager, false);
  row->Links()->AddItem(NewButton(form, "Convert"));
  row->Links()->AddItem(NewButton(form, "Print"))->Item()->SetEnabled(false);
  auto* down = NewButton(form, "Bold", bsChecked);
  down->SetDown(true);
  row->Links()->AddItem(down);
  row->Links()->AddItem(NewButton(form, "Export", bsDropDown));
  TCustomdxBarControl* bar = row->Links()->CreateBarControl();
  bar->SetPainter(ribbon->BarPainter());
  page.Place(bar, 8, 160, 460, 50);

  page.AddLabel(8, 230, "Large buttons: plain, drop-downs (the arrow after the caption), the middle one hot over its upper part", 700);
  auto* large = new TLargeLinksOwner(form, manager);
  large->Links()->AddItem(NewButton(form, "Add files"));
  TdxBarItemLink* hotLarge = large->Links()->AddItem(NewButton(form, "Export", bsDropDown));
  large->Links()->AddItem(NewButton(form, "Convert all files", bsDropDown));
  TCustomdxBarControl* largeBar = large->Links()->CreateBarControl();
  largeBar->SetPainter(ribbon->BarPainter());
  page.Place(largeBar, 8, 250, 460, 90);

  page.AfterShow([row, large, largeBar, hotLarge] {
    row->Show();
    large->Show();
    SendMouse(largeBar, WM_MOUSEMOVE, TPoint(CentreOf(hotLarge).X, hotLarge->ItemRect().Top + 8));
  });
}

}  // namespace

void BuildSkinnedBarBluePage(TGalleryPage& page) { BuildSkinnedBarPage(page, "Blue"); }
void BuildSkinnedBarBlackPage(TGalleryPage& page) { BuildSkinnedBarPage(page, "Black"); }
void BuildSkinnedBarSilverPage(TGalleryPage& page) { BuildSkinnedBarPage(page, "Silver"); }
