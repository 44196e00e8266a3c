#include "dxBarPopupMenuLinks.h"

#include "dxBarManager.h"
#include "dxBarPopupMenu.h"

CALDERAN_IMPLEMENT_CREATABLE(TdxBarPopupMenuLink, TCollectionItem, TCollection*)
CALDERAN_IMPLEMENT_CLASS(TdxBarPopupMenuLinks, TCollection)

namespace {
bool Contains(TControl* outer, TControl* inner) {
  for (TControl* control = inner; control; control = control->Parent())
    if (control == outer) return true;
  return false;
}
}  // namespace

TdxBarPopupMenuLink::TdxBarPopupMenuLink(TCollection* collection) : TCollectionItem(collection) {}

// The control gets its window procedure back.
TdxBarPopupMenuLink::~TdxBarPopupMenuLink() { SetControl(nullptr); }

TdxBarManager* TdxBarPopupMenuLink::Manager() const {
  auto* links = ObjectAs<TdxBarPopupMenuLinks>(Collection());
  return links ? links->BarManager() : nullptr;
}

bool TdxBarPopupMenuLink::LiesInManagerOwner(TControl* control) const {
  TdxBarManager* manager = Manager();
  auto* owner = manager ? ObjectAs<TControl>(manager->Owner()) : nullptr;
  return owner && Contains(owner, control);
}

void TdxBarPopupMenuLink::SetControl(TControl* value) {
  if (value && !LiesInManagerOwner(value)) value = nullptr;
  if (value == control_) return;
  if (control_) control_->SetWindowProc(savedWindowProc_);
  control_ = value;
  if (!control_) return;
  savedWindowProc_ = control_->WindowProc();
  control_->SetWindowProc(MakeEvent(this, &TdxBarPopupMenuLink::LinkWindowProc));
}

// The control raises its context-popup event inside its own handling; the link's handler stands
// in for it meanwhile. A request inside that (nested) is dropped.
void TdxBarPopupMenuLink::LinkWindowProc(TMessage& message) {
  if (message.Msg != WM_CONTEXTMENU || control_->ComponentState().Contains(csDesigning))
    return savedWindowProc_(message);
  if (inContextMenu_) return;
  inContextMenu_ = true;
  savedContextPopup_ = control_->OnContextPopup;
  control_->OnContextPopup = MakeEvent(this, &TdxBarPopupMenuLink::ContextPopup);
  TControl* control = control_;
  struct TRestore {
    TdxBarPopupMenuLink* Link;
    TControl* Control;
    ~TRestore() {
      Control->OnContextPopup = Link->savedContextPopup_;
      Link->savedContextPopup_ = nullptr;
      Link->inContextMenu_ = false;
    }
  } restore{this, control};
  savedWindowProc_(message);
}

void TdxBarPopupMenuLink::ContextPopup(TObject* sender, TPoint mousePos, bool& handled) {
  if (savedContextPopup_) savedContextPopup_(sender, mousePos, handled);
  TControl* child = nullptr;
  if (auto* window = ObjectAs<TWinControl>(control_)) child = window->ControlAtPos(mousePos, true, true);
  if (handled) return;
  if (processChildren_ || !child) handled = Popup(mousePos);
}

bool TdxBarPopupMenuLink::Popup(const TPoint& point) {
  int x = point.X, y = point.Y;
  const bool byMouse = !(x == -1 && y == -1);
  bool allow = popupMenu_ != nullptr;
  if (OnAction) OnAction(this, x, y, byMouse, allow);
  if (allow && popupMenu_ && control_) {
    const TPoint screen = control_->ClientToScreen(TPoint(x, y));
    popupMenu_->Popup(screen.X, screen.Y);
  }
  return allow;
}

bool TdxBarPopupMenuLink::IsShortCut(uint16_t shortCut) {
  bool allow = popupMenu_ != nullptr;
  if (OnAction) {
    int x = -1, y = -1;
    OnAction(this, x, y, false, allow);
  }
  return allow && popupMenu_ && popupMenu_->ItemLinks()->IsShortCut(shortCut);
}

// ---------------------------------------------------------------------------------------------

TdxBarPopupMenuLinks::TdxBarPopupMenuLinks(TdxBarManager* manager)
    : TCollection(TdxBarPopupMenuLink::StaticClass()), manager_(manager) {}

TPersistent* TdxBarPopupMenuLinks::GetOwner() { return manager_; }

bool TdxBarPopupMenuLinks::IsShortCut(TControl* control, uint16_t shortCut) {
  for (int i = 0; i < Count(); ++i)
    if (Link(i)->Control() == control && Link(i)->IsShortCut(shortCut)) return true;
  for (int i = 0; i < Count(); ++i) {
    TdxBarPopupMenuLink* link = Link(i);
    if (link->ProcessChildren() && link->Control() && link->Control() != control &&
        Contains(link->Control(), control) && link->IsShortCut(shortCut))
      return true;
  }
  return false;
}
