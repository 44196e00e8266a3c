// The ribbon control at the top of the gallery form: the main window's ribbon (one tab, no tab
// headers, no Quick Access toolbar) in each colour scheme, and a ribbon that shows its tab headers.
#include <string>

#include "GalleryPages.h"
#include "dxBarExtItems.h"
#include "dxBarControl.h"
#include "dxBarManager.h"
#include "dxBarToolbar.h"
#include "dxRibbon.h"

namespace {

TdxRibbon* PlaceRibbon(TGalleryPage& page, const char* scheme, bool tabHeaders) {
  auto* manager = new TdxBarManager(page.Form());
  auto* ribbon = new TdxRibbon(page.Form());
  ribbon->SetParent(page.Form());
  ribbon->SetBarManager(manager);
  ribbon->SetColorSchemeName(scheme);
  ribbon->SetShowTabHeaders(tabHeaders);
  return ribbon;
}

// A 32 x 32 command picture on a transparent ground: a dark sheet with a coloured band.
void DrawCommandGlyph(TBitmap* glyph, TColor band) {
  glyph->SetSize(32, 32);
  TCanvas* c = glyph->Canvas();
  c->Brush()->SetColor(clFuchsia);
  c->FillRect({0, 0, 32, 32});
  c->Pen()->SetColor(RGB(50, 56, 70));
  c->Brush()->SetColor(RGB(245, 245, 240));
  c->Rectangle(6, 2, 26, 30);
  c->Brush()->SetColor(band);
  c->FillRect({9, 8, 23, 16});
}

// A group of large buttons.
TdxBar* AddLargeButtonGroup(TGalleryPage& page, TdxRibbonTab* tab, TdxBarManager* manager, const char* name,
                            std::initializer_list<const char*> captions) {
  auto* bar = new TdxBar(page.Form());
  bar->SetName(name);
  bar->SetCaption(name);
  bar->SetBarManager(manager);
  int index = 0;
  for (const char* caption : captions) {
    auto* button = new TdxBarLargeButton(page.Form());
    button->SetCaption(caption);
    button->SetLargeImageIndex(index++ % 3);
    bar->ItemLinks()->AddItem(button);
  }
  tab->Groups()->Add()->SetToolBar(bar);
  return bar;
}

void BuildMainRibbonPage(TGalleryPage& page, const char* scheme) {
  TdxRibbon* ribbon = PlaceRibbon(page, scheme, false);
  TdxBarManager* manager = ribbon->BarManager();
  auto* images = new TImageList(page.Form());
  images->SetSize(32, 32);
  for (TColor band : {TColor(RGB(220, 60, 40)), TColor(RGB(40, 130, 220)), TColor(RGB(60, 170, 70))}) {
    TBitmap glyph;
    DrawCommandGlyph(&glyph, band);
    images->AddMasked(&glyph, clFuchsia);
  }
  manager->ImageOptions()->SetLargeImages(images);
  TdxRibbonTab* home = ribbon->Tabs()->Add();
  home->SetCaption("Home");
  AddLargeButtonGroup(page, home, manager, "Files", {"Add files", "Add folder", "Remove"});
  TdxBar* convert = AddLargeButtonGroup(page, home, manager, "Convert", {"Convert", "Clip editor", "Settings"});
  convert->ItemLinks()->GetLink(2)->Item()->SetEnabled(false);
  // A group added while the tab is shown joins its row only when the tab lays its groups out again.
  page.AfterShow([home, convert] {
    home->UpdateDockControl();
    if (TCustomdxBarControl* window = convert->Control())
      window->SetSelectedItemControl(convert->ItemLinks()->GetLink(0)->Control());
  });
  page.AddLabel(8, 200, std::string("The main window's ribbon, ") + scheme +
                ": one tab, no tab headers, two groups of large buttons (Convert hot, Settings disabled)", 700);
}

// Tab headers: the active one, a hot one, and enough of them to fit only after shrinking.
void BuildRibbonTabsPage(TGalleryPage& page, const char* scheme) {
  TdxRibbon* ribbon = PlaceRibbon(page, scheme, true);
  for (const char* caption : {"Home", "Convert", "Clip editor", "Output settings", "Help"})
    ribbon->Tabs()->Add()->SetCaption(caption);
  ribbon->Tabs()->Items(1)->SetActive(true);
  ribbon->SetHotTab(ribbon->Tabs()->Items(3));
  page.AddLabel(8, 200, std::string("Tab headers, ") + scheme + ": Convert active, Output settings hot");
}

}  // namespace

void BuildRibbonMainBluePage(TGalleryPage& page) { BuildMainRibbonPage(page, "Blue"); }
void BuildRibbonMainBlackPage(TGalleryPage& page) { BuildMainRibbonPage(page, "Black"); }
void BuildRibbonMainSilverPage(TGalleryPage& page) { BuildMainRibbonPage(page, "Silver"); }
void BuildRibbonTabsBluePage(TGalleryPage& page) { BuildRibbonTabsPage(page, "Blue"); }
void BuildRibbonTabsBlackPage(TGalleryPage& page) { BuildRibbonTabsPage(page, "Black"); }
