// The stored command ribbon (CommandRibbon.form, as the main window's command strip) in one colour
// scheme: as wide as the main window, and at the narrowest form the ribbon shows (300 pixels). Then
// the same ribbon with three more groups of buttons with images, narrower than its groups, so they
// are reduced: images without captions, collapsed groups, and at last groups that may not collapse
// scrolled one step. Each ribbon is a form of its own, shown over the gallery form.
#include <string>
#include <vector>

#include "FormReader.h"
#include "GalleryPages.h"
#include "command_ribbon_form.h"

namespace {

// A square glyph in the colour with a white frame, on a transparent ground.
void DrawGlyph(TBitmap* glyph, TColor colour) {
  glyph->SetSize(16, 16);
  TCanvas* c = glyph->Canvas();
  c->Brush()->SetColor(clFuchsia);
  c->FillRect({0, 0, 16, 16});
  c->Brush()->SetColor(colour);
  c->Pen()->SetColor(RGB(255, 255, 255));
  c->Rectangle(2, 2, 14, 14);
}

// A group of buttons with images on the form's tab.
void AddGroup(TFormCommandRibbon* form, const std::string& caption, const std::vector<std::string>& buttons,
              TColor colour, bool canCollapse) {
  auto* toolbar = new TdxBar(form);
  toolbar->SetBarManager(form->BarManager);
  toolbar->SetCaption(caption);
  for (const std::string& text : buttons) {
    auto* button = new TdxBarButton(form);
    button->SetCaption(text);
    DrawGlyph(button->Glyph(), colour);
    toolbar->ItemLinks()->AddItem(button);
  }
  TdxRibbonTabGroup* group = form->RibbonTab1->Groups()->Add();
  group->SetToolBar(toolbar);
  group->SetCanCollapse(canCollapse);
}

void AddMoreGroups(TFormCommandRibbon* form) {
  AddGroup(form, "Convert", {"Start", "Pause", "Stop", "Queue", "Profiles"}, RGB(60, 140, 60), false);
  AddGroup(form, "Output", {"Folder", "Format", "Quality"}, RGB(200, 120, 40), true);
  AddGroup(form, "View", {"Preview", "Log", "Details", "Sizes"}, RGB(60, 90, 170), false);
}

// Screen position of a point of the gallery form's client area.
TPoint OnScreen(TGalleryPage& page, int x, int y) { return page.Form()->ClientToScreen(TPoint(x, y)); }

TFormCommandRibbon* ShowRibbonForm(TGalleryPage& page, const char* scheme, int x, int y, int width,
                                   const std::string& label, bool moreGroups) {
  page.AddLabel(x, y, label, width);
  auto* form = CreateForm<TFormCommandRibbon>(page.Form());
  form->SetCaption(std::string("Command ribbon, ") + scheme);
  form->Ribbon->SetColorSchemeName(scheme);
  if (moreGroups) AddMoreGroups(form);
  page.AfterShow([&page, form, x, y, width] {
    const TPoint at = OnScreen(page, x, y + 20);
    form->SetBounds(at.X, at.Y, width, 250);  // the least height at which the ribbon shows
    form->Show();
  });
  return form;
}

void BuildRibbonFormPage(TGalleryPage& page, const char* scheme) {
  StartUnits({&FormReaderUnit});  // the stored form's reader and what it reads into
  TFormCommandRibbon::Register();
  const std::string s = std::string(" (") + scheme + ")";
  ShowRibbonForm(page, scheme, 8, 8, 757, "The stored command ribbon, as wide as the main window" + s, false);
  ShowRibbonForm(page, scheme, 800, 8, 300, "At the narrowest form (300)" + s, false);
  ShowRibbonForm(page, scheme, 8, 290, 757, "Three more groups: all fit" + s, true);
  ShowRibbonForm(page, scheme, 800, 290, 420, "420: images only in View and Output" + s, true);
  ShowRibbonForm(page, scheme, 8, 572, 350, "350: images only in Convert too" + s, true);
  TFormCommandRibbon* scrolled =
      ShowRibbonForm(page, scheme, 400, 572, 300, "300: all but Convert and View collapsed, scrolled one step" + s, true);
  page.AfterShow([scrolled] { scrolled->RibbonTab1->ScrollGroups(true); });
}

}  // namespace

void BuildRibbonFormBluePage(TGalleryPage& page) { BuildRibbonFormPage(page, "Blue"); }
void BuildRibbonFormBlackPage(TGalleryPage& page) { BuildRibbonFormPage(page, "Black"); }
void BuildRibbonFormSilverPage(TGalleryPage& page) { BuildRibbonFormPage(page, "Silver"); }
