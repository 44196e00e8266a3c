// Docking: dock sites and their clients, the dock drag object with its drop preview, floating
// clients in windows of their own, and the dock tree that lays docked controls out with caption
// strips and splitters.
#include <algorithm>
#include <cmath>

#include "Controls.h"
#include "Forms.h"

CALDERAN_IMPLEMENT_CLASS(TDragDockObject, TBaseDragControlObject)
CALDERAN_IMPLEMENT_CLASS(TDockTree, TObject)

namespace {
TPoint CursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return p;
}

TRect ScreenClientRect(TWinControl* site) {
  const TRect client = site->ClientRect();
  const TPoint origin = site->ClientOrigin();
  return Bounds(origin.X, origin.Y, client.Width(), client.Height());
}

TRect ScreenBounds(TControl* control) {
  if (!control->Parent()) return control->BoundsRect();
  const TPoint origin = control->Parent()->ClientToScreen({control->Left(), control->Top()});
  return Bounds(origin.X, origin.Y, control->Width(), control->Height());
}

// Whether `inner` is `outer` or lies inside it.
bool IsWithin(TControl* inner, TControl* outer) {
  for (TControl* c = inner; c; c = c->Parent())
    if (c == outer) return true;
  return false;
}

// Undoes DisableAlign on every way out.
class TAlignLock {
 public:
  explicit TAlignLock(TWinControl* control) : control_(control) { control_->DisableAlign(); }
  ~TAlignLock() { control_->EnableAlign(); }
  TAlignLock(const TAlignLock&) = delete;
  TAlignLock& operator=(const TAlignLock&) = delete;

 private:
  TWinControl* control_;
};

// A client dropped outside every dock site gets a window of its own, sized to the rectangle.
void FloatControl(TControl* control, const TRect& screenRect) {
  auto* host = new TCustomDockForm(Application);
  host->AfterConstruction();
  host->SetCaption(control->Caption());
  host->SetBounds(screenRect.Left, screenRect.Top, screenRect.Width(), screenRect.Height());
  host->SetClientSize(screenRect.Width(), screenRect.Height());
  control->Dock(host, host->ClientRect());
  host->Show();
}

// The side of `zone` nearest to the point: where a client dropped there goes.
TAlign NearestSide(const TRect& zone, TPoint p) {
  const double w = std::max(zone.Width(), 1), h = std::max(zone.Height(), 1);
  const double left = (p.X - zone.Left) / w, top = (p.Y - zone.Top) / h;
  const double distances[] = {left, 1 - left, top, 1 - top};
  static constexpr TAlign sides[] = {alLeft, alRight, alTop, alBottom};
  return sides[std::min_element(std::begin(distances), std::end(distances)) - std::begin(distances)];
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// The drag object

TDragDockObject::TDragDockObject(TControl* control) : TBaseDragControlObject(control) {
  const TRect bounds = ScreenBounds(control);
  const TPoint mouse = CursorPos();
  grip_ = {mouse.X - bounds.Left, mouse.Y - bounds.Top};
  size_ = {bounds.Width(), bounds.Height()};
  DockRect = bounds;
  DragPos = mouse;
}

TDragDockObject::~TDragDockObject() { HideDockImage(); }

void TDragDockObject::Finished(TObject* target, int x, int y, bool accepted) {
  if (!accepted) target = nullptr;
  Control()->DoEndDock(target, x, y);
}

TCursor TDragDockObject::GetDragCursor(bool, int, int) { return crDefault; }

TRect TDragDockObject::FloatRect(TPoint pos) const { return Bounds(pos.X - grip_.X, pos.Y - grip_.Y, size_.cx, size_.cy); }

namespace {
// The preview is four thin gray tool windows along the rectangle's edges, above every window: a
// frame drawn on the screen's device context would be painted over by any window that repaints
// while the drag runs. Static windows answer HTTRANSPARENT, so the drag's search for the control
// under the mouse sees through them.
constexpr int previewEdge = 4;

HWND NewPreviewEdge() {
  return CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "STATIC", "", WS_POPUP | SS_GRAYRECT, 0, 0,
                         0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

void PlacePreviewEdge(HWND edge, int x, int y, int width, int height) {
  if (edge) SetWindowPos(edge, HWND_TOPMOST, x, y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}
}  // namespace

void TDragDockObject::ShowDockImage() {
  if (DockImageShown() && shownRect_ == DockRect) return;
  const TRect& r = DockRect;
  if (r.Width() <= 2 * previewEdge || r.Height() <= 2 * previewEdge) return HideDockImage();
  for (HWND& edge : edges_)
    if (!edge) edge = NewPreviewEdge();
  PlacePreviewEdge(edges_[0], r.Left, r.Top, r.Width(), previewEdge);
  PlacePreviewEdge(edges_[1], r.Left, r.Bottom - previewEdge, r.Width(), previewEdge);
  PlacePreviewEdge(edges_[2], r.Left, r.Top + previewEdge, previewEdge, r.Height() - 2 * previewEdge);
  PlacePreviewEdge(edges_[3], r.Right - previewEdge, r.Top + previewEdge, previewEdge, r.Height() - 2 * previewEdge);
  shownRect_ = r;
}

void TDragDockObject::HideDockImage() {
  for (HWND& edge : edges_) {
    if (edge) DestroyWindow(edge);
    edge = nullptr;
  }
  shownRect_ = {};
}

// ---------------------------------------------------------------------------------------------
// The client's side

void TControl::Show() {
  if (parent_) parent_->ShowControl(this);
  SetVisible(true);
}

void TControl::DoStartDock(TDragDockObject*& dragObject) {
  if (OnStartDock) OnStartDock(this, dragObject);
}

void TControl::DoEndDock(TObject* target, int x, int y) {
  if (OnEndDock) OnEndDock(this, target, x, y);
}

void TControl::SendDockNotification(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!hostDockSite_) return;
  TDockNotifyRec rec{msg, wParam, lParam};
  hostDockSite_->Perform(CM_DOCKNOTIFICATION, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&rec));
}

bool TControl::ManualDock(TWinControl* newDockSite, TControl* dropControl, TAlign controlSide) {
  if (newDockSite && !newDockSite->DockSite()) return false;
  TDragDockObject source(this);
  source.DropAlign = controlSide;
  source.DropOnControl = dropControl;
  if (newDockSite) {
    if (newDockSite->UseDockManager() && newDockSite->DockManager())
      newDockSite->DockManager()->PositionDockRect(this, dropControl, controlSide, source.DockRect);
    else
      source.DockRect = ScreenClientRect(newDockSite);
    source.DragPos = {(source.DockRect.Left + source.DockRect.Right) / 2, (source.DockRect.Top + source.DockRect.Bottom) / 2};
  }
  return DockTo(&source, newDockSite);
}

bool TControl::ManualFloat(const TRect& screenRect) {
  TDragDockObject source(this);
  source.DockRect = screenRect;
  return DockTo(&source, nullptr);
}

bool TControl::DockTo(TDragDockObject* source, TWinControl* target) {
  if (hostDockSite_ && !hostDockSite_->DoUnDock(target, this)) return false;
  if (!target) {
    source->Floating = true;
    FloatControl(this, source->DockRect);
    return true;
  }
  const TPoint p = target->ScreenToClient(source->DragPos);
  target->DockDrop(source, p.X, p.Y);
  return true;
}

// The new site takes the client before the old one lets it go: a site may free what held it.
void TControl::Dock(TWinControl* newDockSite, const TRect& rect) {
  TWinControl* old = hostDockSite_;
  state_.Include(csDocking);
  try {
    SetBoundsRect(rect);
    if (newDockSite) newDockSite->DoAddDockClient(this, rect);
    if (old != newDockSite) {
      if (old) std::erase(old->dockClients_, this);
      if (newDockSite) newDockSite->dockClients_.push_back(this);
    }
    hostDockSite_ = newDockSite;
    if (old) old->DoRemoveDockClient(this);
  } catch (...) {
    state_.Exclude(csDocking);
    throw;
  }
  state_.Exclude(csDocking);
}

// ---------------------------------------------------------------------------------------------
// The site's side

void TWinControl::SetDockSite(bool value) {
  if (value == dockSite_) return;
  dockSite_ = value;
  UpdateDockManager();
}

void TWinControl::SetUseDockManager(bool value) {
  if (value == useDockManager_) return;
  useDockManager_ = value;
  UpdateDockManager();
}

void TWinControl::UpdateDockManager() {
  if (!dockSite_ || !useDockManager_) {
    dockManager_.reset();
    return;
  }
  if (!dockManager_) dockManager_ = CreateDockManager();
  if (dockManager_)
    for (TControl* client : dockClients_) dockManager_->InsertControl(client, alNone, nullptr);
}

std::unique_ptr<TDockTree> TWinControl::CreateDockManager() {
  if (dockSite_ && useDockManager_) return std::make_unique<TDockTree>(this);
  return nullptr;
}

void TWinControl::ForgetDockClient(TControl* client) {
  std::erase(dockClients_, client);
  if (dockManager_ && !ComponentState().Contains(csDestroying)) dockManager_->RemoveControl(client);
}

void TWinControl::ShowControl(TControl*) {
  if (Parent()) Parent()->ShowControl(this);
}

void TWinControl::GetSiteInfo(TControl* client, TRect& influenceRect, TPoint mousePos, bool& canDock) {
  RECT r{};
  if (HandleAllocated()) GetWindowRect(WindowHandle(), &r);
  influenceRect = TRect(r);
  influenceRect.Inflate(10, 10);
  if (OnGetSiteInfo) OnGetSiteInfo(this, client, influenceRect, mousePos, canDock);
}

void TWinControl::PositionDockRect(TDragDockObject* source) {
  source->DropOnControl = nullptr;
  source->DropAlign = alClient;
  if (!useDockManager_ || !dockManager_) {
    source->DockRect = ScreenClientRect(this);
    return;
  }
  const TPoint p = ScreenToClient(source->DragPos);
  int hit = HTNOWHERE;
  if (TControl* over = dockManager_->HitTest(p, hit)) {
    TRect zone;
    dockManager_->GetControlBounds(over, zone);
    source->DropOnControl = over;
    source->DropAlign = NearestSide(zone, p);
  }
  dockManager_->PositionDockRect(source->Control(), source->DropOnControl, source->DropAlign, source->DockRect);
}

void TWinControl::DoDockOver(TDragDockObject* source, int x, int y, TDragState state, bool& accept) {
  if (OnDockOver) OnDockOver(this, source, x, y, state, accept);
}

// A client dropped on itself stays where it is.
void TWinControl::DockOver(TDragDockObject* source, int x, int y, TDragState state, bool& accept) {
  PositionDockRect(source);
  accept = source->DropOnControl != source->Control();
  DoDockOver(source, x, y, state, accept);
}

void TWinControl::DockDrop(TDragDockObject* source, int x, int y) {
  if (Perform(CM_DOCKCLIENT, reinterpret_cast<WPARAM>(source), PointToLParam({x, y})) < 0) return;
  if (OnDockDrop) OnDockDrop(this, source, x, y);
}

bool TWinControl::DoUnDock(TWinControl* newTarget, TControl* client) {
  bool allow = true;
  if (OnUnDock) OnUnDock(this, client, newTarget, allow);
  if (!allow) return false;
  if (useDockManager_ && dockManager_ && !ComponentState().Contains(csDestroying)) dockManager_->RemoveControl(client);
  return Perform(CM_UNDOCKCLIENT, reinterpret_cast<WPARAM>(newTarget), reinterpret_cast<LPARAM>(client)) == 0;
}

void TWinControl::DoAddDockClient(TControl* client, const TRect&) { client->SetParent(this); }

void TWinControl::DoRemoveDockClient(TControl*) {}

void TWinControl::CMDockClient(TMessage& m) {
  auto* source = reinterpret_cast<TDragDockObject*>(m.WParam);
  m.Result = 0;
  TRect r = source->DockRect;
  const TPoint origin = ClientOrigin();
  r.Offset(-origin.X, -origin.Y);
  TAlignLock lock(this);
  source->Control()->Dock(this, r);
  if (useDockManager_ && dockManager_)
    dockManager_->InsertControl(source->Control(), source->DropAlign, source->DropOnControl);
}

// A docked client's caption and visibility show in the site's strips.
void TWinControl::CMDockNotification(TMessage& m) {
  const auto* rec = reinterpret_cast<const TDockNotifyRec*>(m.LParam);
  if (!useDockManager_ || !dockManager_) return;
  if (rec->ClientMsg == CM_VISIBLECHANGED) dockManager_->ResetBounds(true);
  if (rec->ClientMsg == WM_SETTEXT || rec->ClientMsg == CM_VISIBLECHANGED) Invalidate();
}

void TWinControl::CMDrag(TMessage& m) {
  auto* rec = reinterpret_cast<TDragRec*>(m.LParam);
  auto* source = rec->Docking ? ObjectAs<TDragDockObject>(rec->Source) : nullptr;
  if (!source) return TControl::CMDrag(m);
  const TPoint local = ScreenToClient(rec->Pos);
  static constexpr TDragState states[] = {dsDragEnter, dsDragLeave, dsDragMove};
  switch (static_cast<TDragMessage>(m.WParam)) {
    case dmDragEnter:
    case dmDragLeave:
    case dmDragMove: {
      bool accept = true;
      DockOver(source, local.X, local.Y, states[m.WParam], accept);
      m.Result = accept;
      break;
    }
    case dmDragDrop: source->Control()->DockTo(source, this); break;
    case dmFindTarget: m.Result = reinterpret_cast<LRESULT>(this); break;
    default: break;
  }
}

// The dock site under a screen point that would take the client: the nearest one up the parent
// chain whose influence rectangle holds the point; never the client itself or a control in it.
TWinControl* FindDockSite(TPoint screenPos, TControl* client) {
  TControl* under = FindDragTarget(screenPos, false);
  TWinControl* site = under ? (ObjectAs<TWinControl>(under) ? static_cast<TWinControl*>(under) : under->Parent()) : nullptr;
  for (; site; site = site->Parent()) {
    if (!site->DockSite() || IsWithin(site, client)) continue;
    TRect influence;
    bool canDock = true;
    site->GetSiteInfo(client, influence, screenPos, canDock);
    if (canDock && influence.Contains(screenPos)) return site;
  }
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Zones

bool TDockZone::Visible() const {
  if (ChildControl) return ChildControl->Visible();
  return std::any_of(Children.begin(), Children.end(), [](const auto& c) { return c->Visible(); });
}

TDockZone* TDockZone::Find(const TControl* control) {
  if (ChildControl == control) return this;
  for (auto& child : Children)
    if (TDockZone* found = child->Find(control)) return found;
  return nullptr;
}

namespace {
size_t IndexOf(TDockZone* parent, TDockZone* child) {
  auto at = std::find_if(parent->Children.begin(), parent->Children.end(), [&](const auto& c) { return c.get() == child; });
  return static_cast<size_t>(at - parent->Children.begin());
}

void Adopt(TDockZone* parent, std::unique_ptr<TDockZone> child, size_t at) {
  child->ParentZone = parent;
  parent->Children.insert(parent->Children.begin() + static_cast<std::ptrdiff_t>(std::min(at, parent->Children.size())),
                          std::move(child));
}

// An inner zone left with one child gives its place to that child.
void Collapse(TDockZone* zone) {
  while (zone && zone->ParentZone && zone->Children.size() == 1) {
    TDockZone* parent = zone->ParentZone;
    const size_t at = IndexOf(parent, zone);
    std::unique_ptr<TDockZone> only = std::move(zone->Children.front());
    only->Weight = zone->Weight;
    parent->Children.erase(parent->Children.begin() + static_cast<std::ptrdiff_t>(at));  // frees `zone`
    Adopt(parent, std::move(only), at);
    zone = parent;
  }
}

int Length(const TRect& r, TDockOrientation o) { return o == doHorizontal ? r.Height() : r.Width(); }
}  // namespace

// ---------------------------------------------------------------------------------------------
// The dock tree

TDockTree::TDockTree(TWinControl* dockSite) : dockSite_(dockSite), root_(std::make_unique<TDockZone>()) {}

TDockTree::~TDockTree() {
  if (sizingZone_ && dockSite_->HandleAllocated() && GetCapture() == dockSite_->WindowHandle()) ReleaseCapture();
}

bool TDockTree::GrabbersOnLeft() const { return dockSite_->Align() == alTop || dockSite_->Align() == alBottom; }

void TDockTree::InsertControl(TControl* control, TAlign insertAt, TControl* dropCtl) {
  if (root_->Find(control)) RemoveControl(control);
  auto leaf = std::make_unique<TDockZone>();
  leaf->ChildControl = control;
  const bool sideways = insertAt == alLeft || insertAt == alRight;
  const bool upright = insertAt == alTop || insertAt == alBottom;
  const bool before = insertAt == alLeft || insertAt == alTop;
  TDockOrientation want = sideways ? doVertical : upright ? doHorizontal : doNoOrient;
  TDockZone* target = dropCtl ? root_->Find(dropCtl) : nullptr;
  TDockZone* parent = target ? target->ParentZone : root_.get();
  if (want == doNoOrient) want = parent->Orientation != doNoOrient ? parent->Orientation : doVertical;
  if (!target) {
    // at the site's edge: the present zones move into one inner zone when they run the other way
    if (root_->Children.size() > 1 && root_->Orientation != want) {
      auto inner = std::make_unique<TDockZone>();
      inner->Orientation = root_->Orientation;
      for (auto& child : root_->Children) Adopt(inner.get(), std::move(child), inner->Children.size());
      root_->Children.clear();
      Adopt(root_.get(), std::move(inner), 0);
    }
    root_->Orientation = want;
    Adopt(root_.get(), std::move(leaf), before ? 0 : root_->Children.size());
  } else if (parent->Children.size() == 1 || parent->Orientation == want) {
    parent->Orientation = want;
    leaf->Weight = target->Weight / 2;
    target->Weight -= leaf->Weight;
    const size_t at = IndexOf(parent, target);
    Adopt(parent, std::move(leaf), before ? at : at + 1);
  } else {
    const size_t at = IndexOf(parent, target);
    auto inner = std::make_unique<TDockZone>();
    inner->Orientation = want;
    inner->Weight = target->Weight;
    std::unique_ptr<TDockZone> old = std::move(parent->Children[at]);
    parent->Children.erase(parent->Children.begin() + static_cast<std::ptrdiff_t>(at));
    old->Weight = 1;
    Adopt(inner.get(), std::move(old), 0);
    Adopt(inner.get(), std::move(leaf), before ? 0 : 1);
    Adopt(parent, std::move(inner), at);
  }
  ResetBounds(true);
}

void TDockTree::RemoveControl(TControl* control) {
  TDockZone* zone = root_->Find(control);
  if (!zone) return;
  sizingZone_ = nullptr;
  if (closePressed_ == control) closePressed_ = nullptr;
  TDockZone* parent = zone->ParentZone;
  parent->Children.erase(parent->Children.begin() + static_cast<std::ptrdiff_t>(IndexOf(parent, zone)));
  Collapse(parent);
  // the root takes over an only inner child
  if (root_->Children.size() == 1 && !root_->Children.front()->ChildControl) {
    std::unique_ptr<TDockZone> only = std::move(root_->Children.front());
    root_->Children.clear();
    root_->Orientation = only->Orientation;
    for (auto& child : only->Children) Adopt(root_.get(), std::move(child), root_->Children.size());
  }
  ResetBounds(true);
}

void TDockTree::ResetBounds(bool) {
  if (dockSite_->ComponentState().Contains(csDestroying)) return;
  dockSite_->Realign();
  dockSite_->Invalidate();
}

void TDockTree::LayoutIn(const TRect& area) { LayoutZone(root_.get(), area); }

void TDockTree::LayoutZone(TDockZone* zone, const TRect& r) {
  zone->Rect = r;
  if (zone->ChildControl) {
    TRect bounds = r;
    AdjustDockRect(zone->ChildControl, bounds);
    zone->ChildControl->SetBoundsRect(bounds);
    return;
  }
  std::vector<TDockZone*> shown;
  double total = 0;
  for (auto& child : zone->Children) {
    child->Rect = {};
    if (child->Visible()) {
      shown.push_back(child.get());
      total += child->Weight;
    }
  }
  if (shown.empty()) return;
  const bool stacked = zone->Orientation == doHorizontal;
  const int length = Length(r, zone->Orientation) - SplitterSize * static_cast<int>(shown.size() - 1);
  const int origin = stacked ? r.Top : r.Left;
  int start = origin;
  double sum = 0;
  for (size_t i = 0; i < shown.size(); ++i) {
    sum += shown[i]->Weight;
    const int stop = origin + static_cast<int>(std::lround(length * sum / total)) + SplitterSize * static_cast<int>(i);
    TRect part = r;
    (stacked ? part.Top : part.Left) = start;
    (stacked ? part.Bottom : part.Right) = stop;
    LayoutZone(shown[i], part);
    start = stop + SplitterSize;
  }
}

void TDockTree::GetControlBounds(TControl* control, TRect& rect) {
  TDockZone* zone = root_->Find(control);
  rect = zone ? zone->Rect : TRect{};
}

void TDockTree::AdjustDockRect(TControl*, TRect& rect) {
  if (GrabbersOnLeft()) rect.Left += grabberSize_;
  else rect.Top += grabberSize_;
}

TRect TDockTree::GrabberRect(const TRect& z) const {
  return GrabbersOnLeft() ? TRect{z.Left, z.Top, z.Left + grabberSize_, z.Bottom}
                          : TRect{z.Left, z.Top, z.Right, z.Top + grabberSize_};
}

TRect TDockTree::CloseButtonRect(const TRect& z) const {
  const int size = grabberSize_ - 2;
  return GrabbersOnLeft() ? Bounds(z.Left + 1, z.Top + 1, size, size) : Bounds(z.Right - size - 1, z.Top + 1, size, size);
}

void TDockTree::PositionDockRect(TControl*, TControl* dropCtl, TAlign dropAlign, TRect& dockRect) {
  TDockZone* zone = dropCtl ? root_->Find(dropCtl) : nullptr;
  TRect r = zone ? zone->Rect : dockSite_->ClientRect();
  if (zone) {
    switch (dropAlign) {
      case alLeft: r.Right = r.Left + r.Width() / 2; break;
      case alRight: r.Left = r.Right - r.Width() / 2; break;
      case alTop: r.Bottom = r.Top + r.Height() / 2; break;
      case alBottom: r.Top = r.Bottom - r.Height() / 2; break;
      default: break;
    }
  }
  const TPoint origin = dockSite_->ClientOrigin();
  r.Offset(origin.X, origin.Y);
  dockRect = r;
}

// ---------------------------------------------------------------------------------------------
// Hit tests and the mouse

TDockZone* TDockTree::ZoneAt(TDockZone* zone, TPoint p, int& htFlag) {
  std::vector<TDockZone*> shown;
  for (auto& child : zone->Children)
    if (child->Visible()) shown.push_back(child.get());
  for (size_t i = 0; i < shown.size(); ++i) {
    TDockZone* child = shown[i];
    if (child->Rect.Contains(p)) {
      if (!child->ChildControl) return ZoneAt(child, p, htFlag);
      htFlag = CloseButtonRect(child->Rect).Contains(p) ? HTCLOSE : GrabberRect(child->Rect).Contains(p) ? HTCAPTION : HTCLIENT;
      return child;
    }
    if (i + 1 == shown.size()) break;
    TRect splitter = zone->Rect;
    if (zone->Orientation == doHorizontal) {
      splitter.Top = child->Rect.Bottom;
      splitter.Bottom = shown[i + 1]->Rect.Top;
    } else {
      splitter.Left = child->Rect.Right;
      splitter.Right = shown[i + 1]->Rect.Left;
    }
    if (splitter.Contains(p)) {
      htFlag = HTBORDER;
      return child;
    }
  }
  htFlag = HTNOWHERE;
  return nullptr;
}

TControl* TDockTree::HitTest(TPoint mousePos, int& htFlag) {
  htFlag = HTNOWHERE;
  TDockZone* zone = ZoneAt(root_.get(), mousePos, htFlag);
  while (zone && !zone->ChildControl && !zone->Children.empty()) zone = zone->Children.front().get();
  return zone ? zone->ChildControl : nullptr;
}

void TDockTree::CloseControl(TControl* control) {
  if (auto* form = ObjectAs<TCustomForm>(control)) form->Close();
  else control->Hide();
}

// The splitter moves the boundary between its two zones; each keeps at least the strip's size.
void TDockTree::ResizeSplit(TPoint p) {
  TDockZone* parent = sizingZone_->ParentZone;
  auto at = IndexOf(parent, sizingZone_);
  TDockZone* next = nullptr;
  for (size_t i = at + 1; i < parent->Children.size() && !next; ++i)
    if (parent->Children[i]->Visible()) next = parent->Children[i].get();
  if (!next) return;
  const bool vertical = parent->Orientation == doHorizontal;
  const int first = vertical ? sizingZone_->Rect.Top : sizingZone_->Rect.Left;
  const int last = vertical ? next->Rect.Bottom : next->Rect.Right;
  const int span = last - first - SplitterSize;
  if (span <= 2 * grabberSize_) return;
  const int size = std::clamp((vertical ? p.Y : p.X) - first, grabberSize_, span - grabberSize_);
  const double weight = sizingZone_->Weight + next->Weight;
  sizingZone_->Weight = weight * size / span;
  next->Weight = weight - sizingZone_->Weight;
  ResetBounds(true);
}

bool TDockTree::HandleSiteMessage(TMessage& m) {
  int hit = HTNOWHERE;
  switch (m.Msg) {
    case WM_LBUTTONDOWN: {
      TDockZone* zone = ZoneAt(root_.get(), m.Pos(), hit);
      if (!zone) return false;
      if (hit == HTBORDER) {
        sizingZone_ = zone;
        SetCapture(dockSite_->Handle());
      } else if (hit == HTCLOSE) {
        closePressed_ = zone->ChildControl;
      } else if (hit == HTCAPTION) {
        zone->ChildControl->BeginDrag(false);
      }
      return hit != HTCLIENT;
    }
    case WM_MOUSEMOVE:
      if (!sizingZone_) return false;
      ResizeSplit(m.Pos());
      return true;
    case WM_LBUTTONUP: {
      if (sizingZone_) {
        sizingZone_ = nullptr;
        ReleaseCapture();
        return true;
      }
      if (!closePressed_) return false;
      TControl* pressed = closePressed_;
      closePressed_ = nullptr;
      if (HitTest(m.Pos(), hit) == pressed && hit == HTCLOSE) CloseControl(pressed);
      return true;
    }
    case WM_SETCURSOR: {
      if (reinterpret_cast<HWND>(m.WParam) != dockSite_->WindowHandle() || LOWORD(m.LParam) != HTCLIENT) return false;
      TDockZone* zone = ZoneAt(root_.get(), dockSite_->ScreenToClient(CursorPos()), hit);
      if (!zone || hit != HTBORDER) return false;
      const bool vertical = zone->ParentZone->Orientation == doHorizontal;
      ::SetCursor(Screen->Cursors(vertical ? crVSplit : crHSplit));
      m.Result = 1;
      return true;
    }
    default: return false;
  }
}

// ---------------------------------------------------------------------------------------------
// Painting

void TDockTree::PaintSite(HDC dc) {
  TCanvas canvas;
  canvas.SetHandle(dc);
  PaintZone(&canvas, root_.get());
  canvas.SetHandle(nullptr);
}

void TDockTree::PaintZone(TCanvas* canvas, TDockZone* zone) {
  if (!zone->Visible()) return;
  if (zone->ChildControl) return PaintDockFrame(canvas, zone->ChildControl, zone->Rect);
  for (auto& child : zone->Children) PaintZone(canvas, child.get());
}

// The classic strip: two raised lines along it and the caption close button.
void TDockTree::PaintDockFrame(TCanvas* canvas, TControl*, const TRect& rect) {
  const TRect grabber = GrabberRect(rect), close = CloseButtonRect(rect);
  RECT line1, line2;
  if (GrabbersOnLeft()) {
    line1 = {grabber.Left + 3, close.Bottom + 2, grabber.Left + 6, grabber.Bottom - 2};
    line2 = {grabber.Left + 7, close.Bottom + 2, grabber.Left + 10, grabber.Bottom - 2};
  } else {
    line1 = {grabber.Left + 2, grabber.Top + 3, close.Left - 2, grabber.Top + 6};
    line2 = {grabber.Left + 2, grabber.Top + 7, close.Left - 2, grabber.Top + 10};
  }
  DrawEdge(canvas->Handle(), &line1, BDR_RAISEDINNER, BF_RECT);
  DrawEdge(canvas->Handle(), &line2, BDR_RAISEDINNER, BF_RECT);
  RECT button = *close.Win();
  DrawFrameControl(canvas->Handle(), &button, DFC_CAPTION, DFCS_CAPTIONCLOSE);
}
