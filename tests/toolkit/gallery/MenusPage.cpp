// Menus: one popup menu per bar painter, opened at a point with its sub-menu open, showing an item
// with an image, a shortcut, a disabled and a checked item, group separators and the drop shadow
// where the painter draws one; a last menu shows a list item's entries opened.
#include <string>

#include "GalleryPages.h"
#include "Menus.h"
#include "dxBarButtons.h"
#include "dxBarContainerItems.h"
#include "dxBarFlatPainter.h"
#include "dxBarManager.h"
#include "dxBarOffice11Painter.h"
#include "dxBarPopupMenu.h"
#include "dxBarSubItem.h"
#include "dxBarXPPainter.h"

namespace {

// A popup menu whose window draws through a given painter (its sub-menus follow their parent).
class TPainterPopupMenu : public TdxBarPopupMenu {
 public:
  TPainterPopupMenu(TComponent* owner, TdxBarPainterClass painter) : TdxBarPopupMenu(owner), painter_(painter) {}

 protected:
  TdxBarSubMenuControl* CreateMenuWindow() override {
    TdxBarSubMenuControl* menu = TdxBarPopupMenu::CreateMenuWindow();
    menu->SetPainter(painter_);
    return menu;
  }

 private:
  TdxBarPainterClass painter_;
};

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
    c->MoveTo(size / 4, line * size / 3);
    c->LineTo(size - size / 4, line * size / 3);
  }
}

TdxBarButton* AddButton(TForm* form, TdxBarItemLinks* links, const char* caption) {
  auto* button = new TdxBarButton(form);
  button->SetCaption(caption);
  links->AddItem(button);
  return button;
}

TPainterPopupMenu* MakeMenu(TForm* form, TdxBarPainterClass painter) {
  auto* popup = new TPainterPopupMenu(form, painter);
  TdxBarItemLinks* links = popup->ItemLinks();
  DrawSheetGlyph(AddButton(form, links, "&Open...")->Glyph(), 16);
  AddButton(form, links, "&Save")->SetShortCut(TextToShortCut("Ctrl+S"));
  AddButton(form, links, "&Print")->SetEnabled(false);
  TdxBarButton* wrap = AddButton(form, links, "&Word wrap");
  wrap->SetButtonStyle(bsChecked);
  wrap->SetDown(true);
  links->GetLink(3)->SetBeginGroup(true);
  auto* sub = new TdxBarSubItem(form);
  sub->SetCaption("&Export");
  links->AddItem(sub)->SetBeginGroup(true);
  AddButton(form, sub->ItemLinks(), "As &PDF");
  AddButton(form, sub->ItemLinks(), "As &text");
  AddButton(form, sub->ItemLinks(), "&Settings...");
  sub->ItemLinks()->GetLink(2)->SetBeginGroup(true);
  auto* recent = new TdxBarListItem(form);
  recent->SetCaption("&Recent files");
  for (const char* entry : {"holiday.mkv", "interview.wav", "-", "C:\\clips\\trailer.mp4"}) recent->Items()->Add(entry);
  recent->SetShowCheck(true);
  recent->SetItemIndex(1);
  links->AddItem(recent);
  AddButton(form, links, "E&xit");
  return popup;
}

void Key(TCustomdxBarControl* bar, Word key) { SendMessageA(bar->WindowHandle(), WM_KEYDOWN, key, 0); }

}  // namespace

void BuildMenusPage(TGalleryPage& page) {
  auto* manager = new TdxBarManager(page.Form());
  manager->SetMenuAnimations(maNone);
  page.AddLabel(8, 8, "Popup menus with a sub-menu open, per painter", 600);
  struct TRow {
    const char* Name;
    TdxBarPainterClass Painter;
  } const rows[] = {{"TdxBarStandardPainter", TdxBarStandardPainter::Instance()},
                    {"TdxBarEnhancedPainter", TdxBarEnhancedPainter::Instance()},
                    {"TdxBarXPPainter", TdxBarXPPainter::Instance()},
                    {"TdxBarFlatPainter", TdxBarFlatPainter::Instance()},
                    {"TdxBarOffice11Painter", TdxBarOffice11Painter::Instance()}};
  int index = 0;
  for (const TRow& row : rows) {
    const int x = 8 + (index % 3) * 400, y = 34 + (index / 3) * 300;
    page.AddLabel(x, y, row.Name, 200);
    TPainterPopupMenu* popup = MakeMenu(page.Form(), row.Painter);
    page.AfterShow([popup, form = page.Form(), x, y] {
      const TPoint at = form->ClientToScreen(TPoint(x, y + 20));
      popup->PopupEx(at.X, at.Y, 0, 0, false, nullptr, nullptr, false);
      TdxBarSubMenuControl* menu = popup->GetBarControl();
      for (int i = 0; i < 5; ++i) Key(menu, VK_DOWN);
      Key(menu, VK_RIGHT);
      if (TCustomdxBarControl* sub = menu->ChildBar()) Key(sub, VK_DOWN);
    });
    ++index;
  }
  // The list item's entries, numbered, the selected one checked, "-" starting a group.
  const int x = 8 + 2 * 400, y = 34 + 300;
  page.AddLabel(x, y, "TdxBarListItem (standard)", 200);
  TPainterPopupMenu* popup = MakeMenu(page.Form(), TdxBarStandardPainter::Instance());
  page.AfterShow([popup, form = page.Form(), x, y] {
    const TPoint at = form->ClientToScreen(TPoint(x, y + 20));
    popup->PopupEx(at.X, at.Y, 0, 0, false, nullptr, nullptr, false);
    TdxBarSubMenuControl* menu = popup->GetBarControl();
    for (int i = 0; i < 6; ++i) Key(menu, VK_DOWN);
    Key(menu, VK_RIGHT);
  });
}
