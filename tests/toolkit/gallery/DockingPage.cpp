// The docking page: framed panels as dock sites with caption strips (the focused client's strip
// active, strips on the left for a panel along the bottom, the classic grabbers without captions),
// a page control whose pages are docked clients, a floating client in its own window, and a dock
// drag under way with its drop preview.
#include <string>

#include "GalleryPages.h"
#include "RzPanel.h"
#include "RzTabs.h"
#include "StdCtrls.h"

namespace {

// A memo's caption is its text: its strip shows the first line, which names it.
TMemo* Memo(TGalleryPage& page, const std::string& text) {
  auto* memo = new TMemo(page.Form());
  memo->SetBounds(0, 0, 160, 120);
  memo->SetParent(page.Form());
  memo->SetText(text);
  memo->SetDragKind(dkDock);
  return memo;
}

TRzPanel* Client(TGalleryPage& page, const std::string& caption, TColor color) {
  auto* panel = new TRzPanel(page.Form());
  panel->SetBounds(0, 0, 160, 120);
  panel->SetParent(page.Form());
  panel->SetCaption(caption);
  panel->SetColor(color);
  panel->SetBorderOuter(fsFlat);
  panel->SetDragKind(dkDock);
  return panel;
}

TRzPanel* Site(TGalleryPage& page, int x, int y, int width, int height) {
  auto* site = page.Place(new TRzPanel(page.Form()), x, y, width, height);
  site->SetBorderOuter(fsFlat);
  site->SetDockSite(true);
  return site;
}

TMemo* BuildPanelSites(TGalleryPage& page) {
  page.AddLabel(16, 12, "Panel dock site: two clients side by side, the focused one's strip active, a third below", 620);
  TRzPanel* site = Site(page, 16, 32, 420, 260);
  TMemo* files = Memo(page, "Files\r\nclip01.avi\r\nclip02.mpg");
  TRzPanel* preview = Client(page, "Preview", 0xF2F5F6);
  TRzPanel* log = Client(page, "Log", 0xE0F0FF);
  files->ManualDock(site);
  preview->ManualDock(site, files, alRight);
  log->ManualDock(site, preview, alBottom);

  page.AddLabel(460, 12, "Panel along the bottom: strips on the left, rotated captions", 420);
  auto* holder = page.Place(new TRzPanel(page.Form()), 460, 32, 420, 120);
  holder->SetBorderOuter(fsNone);
  auto* bottom = new TRzPanel(page.Form());
  bottom->SetParent(holder);
  bottom->SetHeight(120);
  bottom->SetAlign(alBottom);
  bottom->SetBorderOuter(fsFlat);
  bottom->SetDockSite(true);
  Client(page, "Tools", 0xF2F5F6)->ManualDock(bottom);
  Client(page, "Output", 0xE0F0FF)->ManualDock(bottom, nullptr, alRight);

  page.AddLabel(460, 166, "Without captions: the classic grabbers", 420);
  TRzPanel* classic = Site(page, 460, 186, 420, 106);
  classic->SetShowDockClientCaptions(false);
  Client(page, "Left", 0xF2F5F6)->ManualDock(classic);
  Client(page, "Right", 0xE0F0FF)->ManualDock(classic, nullptr, alRight);
  return files;
}

void BuildPageControlSite(TGalleryPage& page) {
  page.AddLabel(16, 306, "Page control dock site: a page per docked client, the tab shows its text", 620);
  auto* pages = page.Place(new TRzPageControl(page.Form()), 16, 326, 420, 200);
  pages->SetTabStyle(tsRoundCorners);
  pages->SetDockSite(true);
  const char* const names[] = {"Effect", "Trim", "Crop"};
  const TColor colors[] = {0xF2F5F6, 0xE0F0FF, 0xE8FFE8};
  for (int i = 0; i < 3; ++i) {
    TRzPanel* client = Client(page, std::string("Docked ") + names[i], colors[i]);
    client->ManualDock(pages);
    client->SetCaption(names[i]);  // through the dock notification, the tab follows
  }
  pages->SetActivePageIndex(1);
}

// The floating window comes first: showing it takes the activation, which the form then gets back
// with the focus in the memo.
void BuildFloatingAndDragging(TGalleryPage& page, TMemo* focused) {
  page.AddLabel(460, 306, "A floating client in its own window, and a dock drag over the panel site above", 420);
  TRzPanel* floating = Client(page, "Floating", 0xE0F0FF);
  page.AfterShow([&page, floating] {
    const TPoint origin = page.Form()->ClientToScreen({460, 330});
    floating->ManualFloat(Bounds(origin.X, origin.Y, 200, 120));
  });
  page.AfterShow([&page, focused] {
    SetForegroundWindow(page.Form()->Handle());
    focused->SetFocus();
  });
  TRzPanel* dragged = Client(page, "Dragged", 0xF2F5F6);
  page.Place(dragged, 700, 330, 160, 100);
  page.AfterShow([&page, dragged] {
    Mouse->SetCursorPos(dragged->ClientToScreen({20, 20}));
    dragged->BeginDrag(true);
    Mouse->SetCursorPos(page.Form()->ClientToScreen({100, 250}));
    SendMessageA(GetCapture(), WM_MOUSEMOVE, MK_LBUTTON, 0);
  });
}
}  // namespace

void BuildDockingPage(TGalleryPage& page) {
  TMemo* files = BuildPanelSites(page);
  BuildPageControlSite(page);
  BuildFloatingAndDragging(page, files);
}
