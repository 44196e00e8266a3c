// The page control as a dock site: a docked client gets a page of its own, whose tab follows the
// client's text and visibility, and the page goes when the client leaves. A press on a docked
// client's tab drags the client, a double click floats it.
#include "Forms.h"
#include "RzTabs.h"

namespace {
// The text of a caption up to its first line break.
std::string FirstLine(const char* text) {
  const std::string s = text ? text : "";
  return s.substr(0, s.find_first_of("\r\n"));
}
}  // namespace

void TRzPageControl::ShowControl(TControl* control) {
  if (auto* page = ObjectAs<TRzTabSheet>(control); page && page->PageControl() == this) SetActivePage(page);
  TRzCustomTabControl::ShowControl(control);
}

TRzTabSheet* TRzPageControl::DockPageOf(TControl* client) const {
  auto* page = client ? ObjectAs<TRzTabSheet>(client->Parent()) : nullptr;
  return page && page->PageControl() == this && client->HostDockSite() == this ? page : nullptr;
}

// The page is made first and the client docked into it; a client that cannot dock leaves no page.
void TRzPageControl::CMDockClient(TMessage& m) {
  m.Result = 0;
  auto* source = reinterpret_cast<TDragDockObject*>(m.WParam);
  TControl* client = source->Control();
  auto* page = new TRzTabSheet(this);
  dockPage_ = page;
  try {
    if (auto* form = ObjectAs<TCustomForm>(client)) page->SetCaption(form->Caption());
    page->SetPageControl(this);
    client->Dock(this, source->DockRect);
  } catch (...) {
    dockPage_ = nullptr;
    delete page;
    throw;
  }
  dockPage_ = nullptr;
  page->SetTabVisible(client->Visible());
  if (client->Visible()) SetActivePage(page);
  client->SetAlign(alClient);
}

void TRzPageControl::DoAddDockClient(TControl* client, const TRect&) {
  if (dockPage_) client->SetParent(dockPage_);
}

void TRzPageControl::CMDockNotification(TMessage& m) {
  const auto* rec = reinterpret_cast<const TDockNotifyRec*>(m.LParam);
  if (TRzTabSheet* page = DockPageOf(reinterpret_cast<TControl*>(m.WParam))) {
    if (rec->ClientMsg == WM_SETTEXT) page->SetCaption(FirstLine(reinterpret_cast<const char*>(rec->MsgLParam)));
    else if (rec->ClientMsg == CM_VISIBLECHANGED) page->SetTabVisible(rec->MsgWParam != 0);
  }
  TRzCustomTabControl::Dispatch(m);
}

void TRzPageControl::CMUnDockClient(TMessage& m) {
  m.Result = 0;
  auto* client = reinterpret_cast<TControl*>(m.LParam);
  undockPage_ = DockPageOf(client);
  client->SetAlign(alNone);
}

void TRzPageControl::DoRemoveDockClient(TControl*) {
  if (!undockPage_ || ComponentState().Contains(csDestroying)) return;
  SelectNextPage(true);
  TRzTabSheet* page = undockPage_;
  undockPage_ = nullptr;
  delete page;
}

void TRzPageControl::DockOver(TDragDockObject* source, int x, int y, TDragState state, bool& accept) {
  RECT r{};
  GetWindowRect(Handle(), &r);
  source->DockRect = TRect(r);
  DoDockOver(source, x, y, state, accept);
}

void TRzPageControl::GetSiteInfo(TControl* client, TRect& influenceRect, TPoint mousePos, bool& canDock) {
  canDock = client->HostDockSite() != this;
  TRzCustomTabControl::GetSiteInfo(client, influenceRect, mousePos, canDock);
}

// The tab's page is reached as the tab index says, among the pages with visible tabs; its first
// control is the client when it is docked here.
TControl* TRzPageControl::DockClientAtTab(TPoint p) {
  if (!DockSite()) return nullptr;
  const int tab = HitTest(p);
  if (tab < 0) return nullptr;
  TRzTabSheet* page = nullptr;
  for (int i = 0; i <= tab; ++i) page = FindNextPage(page, true, true);
  if (!page || page->ControlCount() == 0) return nullptr;
  TControl* client = page->Controls(0);
  return client->HostDockSite() == this ? client : nullptr;
}

void TRzPageControl::WMLButtonDown(TMessage& m) {
  TRzCustomTabControl::Dispatch(m);
  if (TControl* client = DockClientAtTab(m.Pos())) client->BeginDrag(false);
}

void TRzPageControl::WMLButtonDblClk(TMessage& m) {
  TRzCustomTabControl::Dispatch(m);
  if (!dblClickUndocks_) return;
  if (TControl* client = DockClientAtTab(m.Pos())) client->ManualDock(nullptr, nullptr, alNone);
}
