// Toolbars: per standard and enhanced painter, two toolbars docked side by side along a top dock
// strip (the second too short for its buttons, so its mark offers the rest), one docked on the left
// and a floating toolbar with its caption, close button and frame; below, a form dock control that
// lays out its own rows (two toolbars sharing a row, the second shrunk behind its mark, and a
// second row).
#include <string>

#include "GalleryPages.h"
#include "barwindow_fixture.h"
#include "dxBarDockControl.h"
#include "dxBarToolbar.h"

namespace {

// A strip that toolbars dock on: like a dock site it clips its children, so that painting it
// leaves the toolbars' frames alone.
class TDockStrip : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;

 protected:
  void CreateParams(TCreateParams& params) override {
    TCustomControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
  }
  void Paint() override {
    Canvas()->Brush()->SetColor(clBtnFace);
    Canvas()->FillRect(ClientRect());
  }
};

struct TToolbarsRow {
  const char* Name;
  TdxBarPainterClass Painter;
};

TdxBarControl* MakeToolbar(TForm* form, TdxBarManager* manager, TdxBarPainterClass painter, const char* caption,
                           std::initializer_list<const char*> buttons, TdxBarDockingStyle style) {
  auto* toolbar = new TdxBar(form);
  toolbar->SetBarManager(manager);
  toolbar->SetCaption(caption);
  bool group = false;
  for (const char* text : buttons) {
    if (!*text) {
      group = true;
      continue;
    }
    auto* button = new TdxBarButton(form);
    button->SetCaption(text);
    TdxBarItemLink* link = toolbar->ItemLinks()->AddItem(button);
    if (group) link->SetBeginGroup(true);
    group = false;
  }
  auto* window = new TdxBarControl(form, manager);
  window->SetPainter(painter);
  window->SetItemLinks(toolbar->ItemLinks());
  toolbar->ItemLinks()->SetBarControl(window);
  window->SetDockingStyle(style);
  window->SetToolbar(toolbar);
  return window;
}

// A docked toolbar on its dock strip at (x, y), as long as asked (0: its full length).
void Dock(TWinControl* dock, TdxBarControl* window, int x, int y, int length) {
  window->SetParent(dock);
  window->HandleNeeded();
  const TSize full = window->CalcFullSize();
  if (window->IsVertical()) window->SetBounds(x, y, full.cx, length ? length : full.cy);
  else window->SetBounds(x, y, length ? length : full.cx, full.cy);
  window->SetVisible(true);
  window->Rebuild();
}

}  // namespace

void BuildToolbarsPage(TGalleryPage& page) {
  auto* manager = new TdxBarManager(page.Form());
  page.AddLabel(8, 8, "Toolbars docked on a top and a left dock strip, one too short (mark), and floating", 700);
  const TToolbarsRow rows[] = {{"TdxBarStandardPainter", TdxBarStandardPainter::Instance()},
                               {"TdxBarEnhancedPainter", TdxBarEnhancedPainter::Instance()}};
  int top = 34;
  for (const TToolbarsRow& row : rows) {
    page.AddLabel(8, top, row.Name, 300);
    TdxBarControl* standard =
        MakeToolbar(page.Form(), manager, row.Painter, "Standard", {"New", "Open", "", "Save"}, dsTop);
    TdxBarControl* format =
        MakeToolbar(page.Form(), manager, row.Painter, "Format", {"Bold", "Italic", "", "Left", "Right"}, dsTop);
    TdxBarControl* tools = MakeToolbar(page.Form(), manager, row.Painter, "Tools", {"Cut", "", "Copy"}, dsLeft);
    TdxBarControl* floating =
        MakeToolbar(page.Form(), manager, row.Painter, "Convert", {"Start", "", "Stop"}, dsNone);
    const int floatX = 160, floatY = top + 80;
    auto* strip = page.Place(new TDockStrip(page.Form()), 8, top + 20, 640, 190);
    page.AfterShow([=] {
      Dock(strip, standard, 0, 0, 0);
      Dock(strip, format, standard->Width(), 0, 150);
      Dock(strip, tools, 0, standard->Height() + 4, 0);
      floating->HandleNeeded();
      const TSize size = floating->CalcFullSize();
      const TPoint at = strip->ClientToScreen({floatX, floatY - top - 20});
      floating->SetBounds(at.X, at.Y, size.cx + 40, size.cy);
      floating->SetVisible(true);
      ShowWindow(floating->Handle(), SW_SHOWNA);
      floating->Rebuild();
    });
    top += 220;
  }
  page.AddLabel(8, top, "TdxBarDockControl: two toolbars on the first row (the second shrunk), one on the second", 700);
  auto* site = new TdxBarDockControl(page.Form(), manager);
  site->SetDockAlign(dalNone);
  page.Place(site, 8, top + 20, 230, 0);
  TdxBarControl* first = MakeToolbar(page.Form(), manager, TdxBarStandardPainter::Instance(), "Standard",
                                     {"New", "Open", "", "Save"}, dsTop);
  TdxBarControl* second = MakeToolbar(page.Form(), manager, TdxBarStandardPainter::Instance(), "Format",
                                      {"Bold", "Italic", "", "Left", "Center", "Right"}, dsTop);
  TdxBarControl* third = MakeToolbar(page.Form(), manager, TdxBarStandardPainter::Instance(), "Convert",
                                     {"Start", "", "Stop"}, dsTop);
  page.AfterShow([=] {
    auto dock = [site](TdxBarControl* window, TPoint at) {
      Dock(site, window, 0, 0, 0);
      site->AddBarControl(window, site->ClientToScreen(at), true);
    };
    dock(first, {0, 0});
    dock(second, {first->Width() + 20, 2});
    dock(third, {40, site->Height() + 16});
  });
}
