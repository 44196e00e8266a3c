// The ribbon control at the top of the gallery form: the main window's ribbon (one tab, no tab
// headers, no Quick Access toolbar) in each colour scheme, and a ribbon that shows its tab headers.
#include <string>

#include "GalleryPages.h"
#include "dxBarManager.h"
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

void BuildMainRibbonPage(TGalleryPage& page, const char* scheme) {
  TdxRibbon* ribbon = PlaceRibbon(page, scheme, false);
  ribbon->Tabs()->Add()->SetCaption("Home");
  page.AddLabel(8, 200, std::string("The main window's ribbon, ") + scheme + ": one tab, no tab headers");
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
