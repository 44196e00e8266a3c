// The ribbon under the mouse, in one colour scheme: each ribbon is a small form of its own, shown
// over the gallery form, put into its state through the ribbon's controller as the mouse would:
// a held tab scroll button, a hot tab with the help button hot, and a ribbon minimized by a double
// click on its active tab.
#include <string>

#include "GalleryPages.h"
#include "dxBarManager.h"
#include "dxRibbon.h"
#include "dxRibbonController.h"

namespace {

struct THelp {
  static void Click(void*, TdxCustomRibbon*) {}
};

TdxRibbon* ShowRibbonForm(TGalleryPage& page, const char* scheme, int x, int y, int width, int tabs,
                          const std::string& label) {
  page.AddLabel(x, y, label, width + 200);
  auto* form = new TForm(page.Form(), 0);
  form->SetCaption(std::string("Ribbon, ") + scheme);
  auto* manager = new TdxBarManager(form);
  auto* ribbon = new TdxRibbon(form);
  ribbon->SetParent(form);
  ribbon->SetBarManager(manager);
  ribbon->SetColorSchemeName(scheme);
  const char* captions[] = {"Home", "Convert", "Clip editor", "Output settings", "View", "Help"};
  for (int i = 0; i < tabs; ++i) ribbon->Tabs()->Add()->SetCaption(captions[i % 6]);
  page.AfterShow([&page, form, x, y, width] {
    const TPoint at = page.Form()->ClientToScreen(TPoint(x, y + 20));
    form->SetBounds(at.X, at.Y, width, 250);
    form->Show();
  });
  return ribbon;
}

TPoint Centre(const TRect& r) { return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

void BuildRibbonInputPage(TGalleryPage& page, const char* scheme) {
  const std::string s = std::string(" (") + scheme + ")";
  TdxRibbon* scrolled = ShowRibbonForm(page, scheme, 8, 8, 330, 24, "The right tab scroll button held once" + s);
  page.AfterShow([scrolled] {
    const TPoint button = Centre(scrolled->ViewInfo()->TabsViewInfo()->RightScrollButtonBounds());
    scrolled->Controller()->MouseDown(mbLeft, {}, button.X, button.Y);
    scrolled->Controller()->SetHotPart(rhtTabScrollRight);
    scrolled->Controller()->ScrollTimer()->SetEnabled(false);  // the picture keeps the first step
  });

  TdxRibbon* hot = ShowRibbonForm(page, scheme, 400, 8, 560, 4, "Clip editor hot, the help button hot" + s);
  hot->OnHelpButtonClick = TdxRibbonEvent(&THelp::Click, nullptr);
  page.AfterShow([hot] {
    hot->Changed();
    hot->SetHotTab(hot->Tabs()->Items(2));
    hot->Controller()->SetHotPart(rhtHelpButton);
  });

  TdxRibbon* minimized = ShowRibbonForm(page, scheme, 8, 290, 560, 4, "Minimized by a double click on Home" + s);
  page.AfterShow([minimized] {
    const TPoint tab = Centre(minimized->ViewInfo()->TabsViewInfo()->Items(0)->Bounds());
    minimized->Controller()->MouseDown(mbLeft, {ssDouble}, tab.X, tab.Y);
    minimized->Controller()->MouseUp(mbLeft, {}, tab.X, tab.Y);
  });
}

}  // namespace

void BuildRibbonInputBluePage(TGalleryPage& page) { BuildRibbonInputPage(page, "Blue"); }
void BuildRibbonInputBlackPage(TGalleryPage& page) { BuildRibbonInputPage(page, "Black"); }
void BuildRibbonInputSilverPage(TGalleryPage& page) { BuildRibbonInputPage(page, "Silver"); }
