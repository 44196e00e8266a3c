#include "dxBarAccessibility.h"

#include <cctype>
#include <cmath>
#include <unordered_map>

#include "dxBarButtonControl.h"
#include "dxBarButtons.h"
#include "dxBarControl.h"
#include "dxBarItem.h"
#include "dxBarItemControl.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxBarNavigation.h"
#include "dxBarRoutines.h"

CALDERAN_IMPLEMENT_CLASS(TdxBarAccessibilityHelper, TcxAccessibilityHelper)
CALDERAN_IMPLEMENT_CLASS(TCustomdxBarControlAccessibilityHelper, TdxBarAccessibilityHelper)
CALDERAN_IMPLEMENT_CLASS(TdxBarControlAccessibilityHelper, TCustomdxBarControlAccessibilityHelper)
CALDERAN_IMPLEMENT_CLASS(TdxBarItemControlAccessibilityHelper, TdxBarAccessibilityHelper)
CALDERAN_IMPLEMENT_CLASS(TdxBarButtonLikeControlAccessibilityHelper, TdxBarItemControlAccessibilityHelper)
CALDERAN_IMPLEMENT_CLASS(TdxBarButtonControlAccessibilityHelper, TdxBarButtonLikeControlAccessibilityHelper)

namespace {
// The helpers made so far, by owner; an owner's destructor drops its entry.
std::unordered_map<const TObject*, TdxBarAccessibilityHelperRef>& Helpers() {
  static std::unordered_map<const TObject*, TdxBarAccessibilityHelperRef> helpers;
  return helpers;
}

TdxBarAccessibilityRootHook rootHook = nullptr;

TdxBarAccessibilityHelper* AsBarHelper(TcxAccessibilityHelper* helper) {
  return ObjectAs<TdxBarAccessibilityHelper>(helper);
}

bool Overlaps(const TRect& r, const TRect& from, int direction) {
  if (direction == bndLeft || direction == bndRight) return r.Top < from.Bottom && from.Top < r.Bottom;
  return r.Left < from.Right && from.Left < r.Right;
}

// Lies in the direction: above for up, below for down; for left and right anything but the very
// same column.
bool LiesInDirection(const TRect& r, const TRect& from, int direction) {
  if (!Overlaps(r, from, direction)) return false;
  switch (direction) {
    case bndUp: return r.Bottom <= from.Top;
    case bndDown: return r.Top >= from.Bottom;
    default: return !(r.Left == from.Left && r.Right == from.Right);
  }
}

TRect ScreenRectOf(TCustomdxBarControl* bar, const TRect& client) {
  return {bar->ClientToScreen(client.TopLeft()), bar->ClientToScreen(client.BottomRight())};
}
}  // namespace

// ---------------------------------------------------------------------------------------------
TdxBarAccessibilityHelperRef TdxBarAccessibilityHelper::Ref() {
  return std::static_pointer_cast<TdxBarAccessibilityHelper>(shared_from_this());
}

void TdxBarAccessibilityHelper::NotifyOwnerDestroyed() {
  TcxAccessibilityHelper::NotifyOwnerDestroyed();
  if (TdxBarNavigationController* controller = BarNavigationController()) controller->RemoveHelper(this);
}

IdxBarKeyTipWindowsManager* TdxBarAccessibilityHelper::GetKeyTipWindowsManager() {
  TdxBarAccessibilityHelper* parent = GetParentForKeyTip();
  return parent ? parent->GetKeyTipWindowsManager() : nullptr;
}

TdxBarManager* TdxBarAccessibilityHelper::GetRootBarManager() { throw Exception(); }

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::GetDefaultSelectableObject() { throw Exception(); }

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::GetBarHelperParent() const { return AsBarHelper(GetParent()); }

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::GetNavigationChild(int index) {
  return AsBarHelper(GetChild(index));
}

bool TdxBarAccessibilityHelper::IsSelected() {
  TdxBarNavigationController* controller = BarNavigationController();
  return controller && controller->SelectedObject() == this;
}

void TdxBarAccessibilityHelper::CollectNavigationCandidates(const TRect& from, int direction,
                                                            std::vector<TdxBarAccessibilityHelper*>& list) {
  if (!IsObjectVisible()) return;
  if (IsSelectable() && LiesInDirection(GetScreenRect(), from, direction)) list.push_back(this);
  for (int i = 0; i < GetNavigationChildCount(); ++i) {
    TdxBarAccessibilityHelper* child = GetNavigationChild(i);
    if (child) child->CollectNavigationCandidates(from, direction, list);
  }
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::GetNextAccessibleObject(int direction) {
  auto* root = AsBarHelper(GetRootHelper());
  if (!root) return nullptr;
  std::vector<TdxBarAccessibilityHelper*> candidates;
  root->CollectNavigationCandidates(GetScreenRect(), direction, candidates);
  std::erase(candidates, this);
  TdxBarNavigationController* controller = BarNavigationController();
  TdxBarAccessibilityHelper* from = controller ? controller->SelectedObject() : nullptr;
  return FindNeighbourHelperInDirection(from ? from : this, candidates, direction, true);
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::GetFirstSelectableObject() {
  if (!IsObjectVisible()) return nullptr;
  if (IsSelectable()) return this;
  for (int i = 0; i < GetNavigationChildCount(); ++i) {
    TdxBarAccessibilityHelper* child = GetNavigationChild(i);
    if (TdxBarAccessibilityHelper* found = child ? child->GetFirstSelectableObject() : nullptr) return found;
  }
  return nullptr;
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::GetLastSelectableObject() {
  if (!IsObjectVisible()) return nullptr;
  if (IsSelectable()) return this;
  for (int i = GetNavigationChildCount() - 1; i >= 0; --i) {
    TdxBarAccessibilityHelper* child = GetNavigationChild(i);
    if (TdxBarAccessibilityHelper* found = child ? child->GetLastSelectableObject() : nullptr) return found;
  }
  return nullptr;
}

// Siblings first, then the parent's siblings; at the top the whole tree from its other end.
TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::GetNextTabObject(bool forward) {
  TdxBarAccessibilityHelper* child = this;
  for (TdxBarAccessibilityHelper* parent = GetBarHelperParent(); parent; parent = parent->GetBarHelperParent()) {
    const int count = parent->GetNavigationChildCount();
    for (int i = parent->GetNavigationChildIndex(child) + (forward ? 1 : -1); i >= 0 && i < count;
         i += forward ? 1 : -1) {
      TdxBarAccessibilityHelper* sibling = parent->GetNavigationChild(i);
      if (!sibling) continue;
      TdxBarAccessibilityHelper* found =
          forward ? sibling->GetFirstSelectableObject() : sibling->GetLastSelectableObject();
      if (found) return found;
    }
    child = parent;
  }
  return forward ? child->GetFirstSelectableObject() : child->GetLastSelectableObject();
}

void TdxBarAccessibilityHelper::Select(bool) {
  if (TdxBarNavigationController* controller = BarNavigationController())
    controller->SetSelection(this, GetBarHelperParent());
}

void TdxBarAccessibilityHelper::Unselect(TdxBarAccessibilityHelper*) {
  if (TdxBarNavigationController* controller = BarNavigationController()) controller->SetSelection(nullptr, nullptr);
}

std::string TdxBarAccessibilityHelper::GetKeyTip() {
  std::string keyTip = GetAssignedKeyTip();
  if (keyTip.empty()) keyTip = GetDefaultKeyTip();
  return keyTip.substr(0, 3);
}

TdxBarKeyTipData* TdxBarAccessibilityHelper::CreateKeyTipData() {
  TdxBarKeyTipInfo info;
  GetKeyTipInfo(info);
  return new TdxBarKeyTipData(info);
}

void TdxBarAccessibilityHelper::GetKeyTipInfo(TdxBarKeyTipInfo& info) {
  info = TdxBarKeyTipInfo{};
  info.KeyTip = GetKeyTip();
  info.Visible = IsObjectVisible();
  info.Enabled = false;
  info.OnExecute = MakeEvent(this, &TdxBarAccessibilityHelper::KeyTipHandler);
}

void TdxBarAccessibilityHelper::AddKeyTip(TdxBarKeyTipDataList& list) { list.emplace_back(CreateKeyTipData()); }

void TdxBarAccessibilityHelper::CollectKeyTips(TdxBarKeyTipDataList& list) {
  if (!IsObjectVisible()) return;
  for (int i = 0; i < GetNavigationChildCount(); ++i) {
    TdxBarAccessibilityHelper* child = GetNavigationChild(i);
    if (!child) continue;
    if (child->IsSelectable()) child->AddKeyTip(list);
    else child->CollectKeyTips(list);
  }
}

TdxBarAccessibilityHelper* TdxBarAccessibilityHelper::GetParentForKeyTip() { return GetBarHelperParent(); }

void TdxBarAccessibilityHelper::KeyTipHandler(TObject*) {}

void TdxBarAccessibilityHelper::KeyTipsEscapeHandler() {
  TdxBarNavigationController* controller = BarNavigationController();
  if (!controller) return;
  if (TdxBarAccessibilityHelper* ancestor = FindNavigableAncestorHelper(this)) {
    controller->SetKeyTipsShowingState(ancestor, "");
    controller->ChangeSelectedObject(true, ancestor);
  } else {
    controller->StopNavigation();
  }
}

// ---------------------------------------------------------------------------------------------
TdxBarAccessibilityHelper* FindNeighbourHelperInDirection(TdxBarAccessibilityHelper* helper,
                                                          const std::vector<TdxBarAccessibilityHelper*>& candidates,
                                                          int direction, bool wrap) {
  if (!helper || direction < bndLeft || direction > bndDown) return nullptr;
  std::vector<TRect> rects;
  for (TdxBarAccessibilityHelper* candidate : candidates) rects.push_back(candidate->GetScreenRect());
  const int found = FindNeighbourInDirection(helper->GetScreenRect(), rects, direction, wrap);
  return found < 0 ? nullptr : candidates[found];
}

TdxBarAccessibilityHelper* FindNavigableAncestorHelper(TdxBarAccessibilityHelper* helper) {
  TdxBarAccessibilityHelper* ancestor = helper ? helper->GetBarHelperParent() : nullptr;
  if (!ancestor) return nullptr;
  for (TdxBarAccessibilityHelper* up = ancestor; up; up = up->GetBarHelperParent()) {
    if (up->IsKeyTipContainer()) return up;
    ancestor = up;
  }
  return ancestor;
}

TdxBarAccessibilityHelper* GetBarAccessibilityHelper(TObject* owner) {
  if (!owner) return nullptr;
  auto& helpers = Helpers();
  if (auto found = helpers.find(owner); found != helpers.end()) return found->second.get();
  // A dying owner gets no new helper (its children may still ask for their parent's).
  if (auto* component = ObjectAs<TComponent>(owner); component && component->ComponentState().Contains(csDestroying))
    return nullptr;
  TdxBarAccessibilityHelperRef helper;
  if (auto* bar = ObjectAs<TCustomdxBarControl>(owner)) helper = bar->CreateAccessibilityHelper();
  else if (auto* control = ObjectAs<TdxBarItemControl>(owner)) helper = control->CreateAccessibilityHelper();
  if (!helper) return nullptr;
  helpers[owner] = helper;
  return helper.get();
}

void ReleaseAccessibilityHelper(TObject* owner) {
  auto& helpers = Helpers();
  auto found = helpers.find(owner);
  if (found == helpers.end()) return;
  TdxBarAccessibilityHelperRef helper = found->second;
  helpers.erase(found);
  helper->OwnerObjectDestroyed();
}

void SetBarAccessibilityRootHook(TdxBarAccessibilityRootHook hook) { rootHook = hook; }

TdxBarAccessibilityHelper* GetAccessibilityHelperForWindow(HWND window) {
  return rootHook ? rootHook(window) : nullptr;
}

TdxBarAccessibilityHelperRef TCustomdxBarControl::CreateAccessibilityHelper() {
  return std::make_shared<TCustomdxBarControlAccessibilityHelper>(this);
}

TdxBarAccessibilityHelperRef TdxBarControl::CreateAccessibilityHelper() {
  return std::make_shared<TdxBarControlAccessibilityHelper>(this);
}

TdxBarAccessibilityHelperRef TdxBarItemControl::CreateAccessibilityHelper() {
  return std::make_shared<TdxBarItemControlAccessibilityHelper>(this);
}

TdxBarAccessibilityHelperRef TdxBarButtonControl::CreateAccessibilityHelper() {
  return std::make_shared<TdxBarButtonControlAccessibilityHelper>(this);
}

// ---------------------------------------------------------------------------------------------
TCustomdxBarControlAccessibilityHelper::TCustomdxBarControlAccessibilityHelper(TCustomdxBarControl* bar)
    : TdxBarAccessibilityHelper(bar) {}

TCustomdxBarControl* TCustomdxBarControlAccessibilityHelper::BarControl() const {
  return IsOwnerObjectLive() ? static_cast<TCustomdxBarControl*>(OwnerObject()) : nullptr;
}

int TCustomdxBarControlAccessibilityHelper::GetChildCount() const {
  TCustomdxBarControl* bar = BarControl();
  return bar ? bar->ViewInfo()->GetItemControlViewInfoCount() : 0;
}

TcxAccessibilityHelper* TCustomdxBarControlAccessibilityHelper::GetChild(int index) const {
  if (index < 0 || index >= GetChildCount()) return nullptr;
  return GetBarAccessibilityHelper(BarControl()->ViewInfo()->GetItemControlViewInfo(index)->Control());
}

int TCustomdxBarControlAccessibilityHelper::IndexOfChild(const TcxAccessibilityHelper* child) const {
  auto* item = ObjectAs<TdxBarItemControlAccessibilityHelper>(const_cast<TcxAccessibilityHelper*>(child));
  TCustomdxBarControl* bar = BarControl();
  if (!item || !bar || !item->ItemControl()) return -1;
  return bar->ViewInfo()->IndexOfItemControl(item->ItemControl());
}

HWND TCustomdxBarControlAccessibilityHelper::GetOwnerWindow() const {
  TCustomdxBarControl* bar = BarControl();
  return bar && bar->HandleAllocated() ? bar->WindowHandle() : nullptr;
}

TRect TCustomdxBarControlAccessibilityHelper::GetScreenRect() const {
  if (!IsObjectVisible()) return {};
  RECT r;
  GetWindowRect(GetOwnerWindow(), &r);
  return {r.left, r.top, r.right, r.bottom};
}

int TCustomdxBarControlAccessibilityHelper::GetStateFlags() const {
  HWND window = GetOwnerWindow();
  return window && IsWindowVisible(window) ? 0 : cxAccessibilityInvisible;
}

TdxBarManager* TCustomdxBarControlAccessibilityHelper::GetRootBarManager() {
  TCustomdxBarControl* bar = BarControl();
  return bar ? bar->BarManager() : nullptr;
}

void TCustomdxBarControlAccessibilityHelper::GetItemKeyTipPosition(TdxBarItemControl* control, TPoint& basePoint,
                                                                   Byte& horzAlign, Byte& vertAlign) {
  const TRect r = ScreenRectOf(BarControl(), control->ViewInfo()->Bounds());
  basePoint = {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  horzAlign = 2;
  vertAlign = 2;
}

TdxBarAccessibilityHelper* TCustomdxBarControlAccessibilityHelper::GetNextItemObject(TdxBarItemControl* control,
                                                                                     int direction) {
  TdxBarAccessibilityHelper* from = GetBarAccessibilityHelper(control);
  if (!from) return nullptr;
  std::vector<TdxBarAccessibilityHelper*> candidates;
  CollectNavigationCandidates(from->GetScreenRect(), direction, candidates);
  std::erase(candidates, from);
  return FindNeighbourHelperInDirection(from, candidates, direction, false);
}

void TCustomdxBarControlAccessibilityHelper::ResetBarSelection() {
  TCustomdxBarControl* bar = BarControl();
  if (!bar) return;
  if (bar->IsFocusedBar()) bar->Deactivate();
  else bar->SetSelectedItemControl(nullptr);
}

// ---------------------------------------------------------------------------------------------
// On a vertical toolbar the arrows turn: along the toolbar is down and up.
bool TdxBarControlAccessibilityHelper::HandleNavigationKey(Word& key) {
  if (TCustomdxBarControlAccessibilityHelper::HandleNavigationKey(key)) return true;
  TCustomdxBarControl* bar = BarControl();
  if (!bar) return false;
  if (bar->IsVertical()) {
    static const Word turned[] = {VK_UP, VK_LEFT, VK_DOWN, VK_RIGHT};  // for VK_LEFT .. VK_DOWN
    if (key >= VK_LEFT && key <= VK_DOWN) key = turned[key - VK_LEFT];
  }
  return bar->KeyDownToSelectedItem(key, KeyboardStateToShiftState());
}

void TdxBarControlAccessibilityHelper::Select(bool byTab) {
  TCustomdxBarControlAccessibilityHelper::Select(byTab);
  if (TCustomdxBarControl* bar = BarControl()) bar->ActivateWithControl(nullptr);
}

void TdxBarControlAccessibilityHelper::Unselect(TdxBarAccessibilityHelper* next) {
  TCustomdxBarControlAccessibilityHelper::Unselect(next);
  if (TCustomdxBarControl* bar = BarControl()) bar->Close();
}

TdxBarAccessibilityHelper* TdxBarControlAccessibilityHelper::GetNextItemObject(TdxBarItemControl* control,
                                                                               int direction) {
  TCustomdxBarControl* bar = BarControl();
  if (!bar || !bar->ItemLinks()) return nullptr;
  int turned = direction;
  if (bar->IsVertical()) {
    static const int swapped[] = {bndUp, bndLeft, bndDown, bndRight};
    turned = swapped[direction];
  }
  if (turned == bndUp || turned == bndDown)
    return TCustomdxBarControlAccessibilityHelper::GetNextItemObject(control, direction);
  TdxBarItemLinks* links = bar->ItemLinks();
  TdxBarItemLink* link = turned == bndLeft ? links->PrevSelectableLink(control->Link(), false)
                                           : links->NextSelectableLink(control->Link(), false);
  return link && link->Control() ? GetBarAccessibilityHelper(link->Control()) : nullptr;
}

// ---------------------------------------------------------------------------------------------
TdxBarItemControlAccessibilityHelper::TdxBarItemControlAccessibilityHelper(TdxBarItemControl* control)
    : TdxBarAccessibilityHelper(control) {}

TdxBarItemControl* TdxBarItemControlAccessibilityHelper::ItemControl() const {
  return IsOwnerObjectLive() ? static_cast<TdxBarItemControl*>(OwnerObject()) : nullptr;
}

TCustomdxBarControlAccessibilityHelper* TdxBarItemControlAccessibilityHelper::ParentBarHelper() const {
  return ObjectAs<TCustomdxBarControlAccessibilityHelper>(GetParent());
}

TcxAccessibilityHelper* TdxBarItemControlAccessibilityHelper::GetParent() const {
  TdxBarItemControl* control = ItemControl();
  return control ? GetBarAccessibilityHelper(control->Parent()) : nullptr;
}

HWND TdxBarItemControlAccessibilityHelper::GetOwnerWindow() const {
  TdxBarItemControl* control = ItemControl();
  TCustomdxBarControl* bar = control ? control->Parent() : nullptr;
  return bar && bar->HandleAllocated() ? bar->WindowHandle() : nullptr;
}

TRect TdxBarItemControlAccessibilityHelper::GetScreenRect() const {
  if (!IsObjectVisible()) return {};
  TdxBarItemControl* control = ItemControl();
  return ScreenRectOf(control->Parent(), control->ViewInfo()->Bounds());
}

bool TdxBarItemControlAccessibilityHelper::IsSelectable() const {
  TdxBarItemControl* control = ItemControl();
  return control && IsObjectVisible() && control->CanSelect();
}

int TdxBarItemControlAccessibilityHelper::GetStateFlags() const {
  HWND window = GetOwnerWindow();
  TCustomdxBarControlAccessibilityHelper* parent = ParentBarHelper();
  const bool shown =
      window && IsWindowVisible(window) && ItemControl()->ViewInfo() && !(parent && parent->AreItemsHidden());
  return shown ? 0 : cxAccessibilityInvisible;
}

TdxBarAccessibilityHelper* TdxBarItemControlAccessibilityHelper::GetNextAccessibleObject(int direction) {
  TCustomdxBarControlAccessibilityHelper* parent = ParentBarHelper();
  return parent ? parent->GetNextItemObject(ItemControl(), direction) : nullptr;
}

bool TdxBarItemControlAccessibilityHelper::HandleNavigationKey(Word& key) {
  if (TdxBarAccessibilityHelper::HandleNavigationKey(key)) return true;
  TCustomdxBarControlAccessibilityHelper* parent = ParentBarHelper();
  return parent && parent->HandleNavigationKey(key);
}

// The bar window selects the control (activating itself first when it must); an edit item starts
// editing when Tab reached it or the window does not wait for Tab to enter edits.
void TdxBarItemControlAccessibilityHelper::Select(bool byTab) {
  TdxBarAccessibilityHelper::Select(byTab);
  TdxBarItemControl* control = ItemControl();
  TCustomdxBarControl* bar = control ? control->Parent() : nullptr;
  if (!bar) return;
  TcxObjectLinkGuard alive(control);
  if (bar->IsActive()) bar->SetSelectedItemControl(control);
  else bar->ActivateWithControl(control);
  if (!alive.Alive() || !control->HostsWindow()) return;
  if (byTab || !(bar->GetBehaviourFlags() & bbfSelectOnEditExit)) control->Click(false);
}

void TdxBarItemControlAccessibilityHelper::Unselect(TdxBarAccessibilityHelper* next) {
  TdxBarAccessibilityHelper::Unselect(next);
  auto* nextItem = ObjectAs<TdxBarItemControlAccessibilityHelper>(next);
  TCustomdxBarControlAccessibilityHelper* parent = ParentBarHelper();
  if (nextItem && nextItem->GetParent() == parent) return;
  if (parent) parent->ResetBarSelection();
}

std::string TdxBarItemControlAccessibilityHelper::GetAssignedKeyTip() {
  TdxBarItemControl* control = ItemControl();
  TdxBarItem* item = control ? control->Item() : nullptr;
  return item ? item->KeyTip() : "";
}

std::string TdxBarItemControlAccessibilityHelper::GetDefaultKeyTip() {
  TdxBarItemControl* control = ItemControl();
  if (!control) return "Y";
  const uint16_t shortCut = control->GetShortCut();
  if (shortCut >= (scCtrl | 'A') && shortCut <= (scCtrl | 'Z'))
    return std::string(1, static_cast<char>(shortCut & 0xFF));
  std::string caption = control->GetCaption();
  const int position = FindAccelCharPos(caption, true);
  if (position > 0 && position <= static_cast<int>(caption.size()))
    return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(caption[position - 1]))));
  return "Y";
}

void TdxBarItemControlAccessibilityHelper::GetKeyTipInfo(TdxBarKeyTipInfo& info) {
  TdxBarAccessibilityHelper::GetKeyTipInfo(info);
  TdxBarItemControl* control = ItemControl();
  if (!control) return;
  if (info.Visible && ParentBarHelper())
    ParentBarHelper()->GetItemKeyTipPosition(control, info.BasePoint, info.HorzAlign, info.VertAlign);
  info.Enabled = control->GetEnabled();
}

// ---------------------------------------------------------------------------------------------
void TdxBarButtonLikeControlAccessibilityHelper::ClickByKeyTip() {
  if (TdxBarNavigationController* controller = BarNavigationController()) controller->StopNavigation();
  TdxBarItemControl* control = ItemControl();
  if (!control) return;
  TdxBarItem* item = control->Item();
  TcxObjectLinkGuard itemAlive(item);
  const bool unclick = item && item->UnclickAfterDoing();
  if (item) item->SetUnclickAfterDoing(false);
  struct TRestore {
    TdxBarItem* Item;
    TcxObjectLinkGuard& Alive;
    bool Value;
    ~TRestore() {
      if (Item && Alive.Alive()) Item->SetUnclickAfterDoing(Value);
    }
  } restore{item, itemAlive, unclick};
  control->Click(false);
}

void TdxBarButtonLikeControlAccessibilityHelper::KeyTipHandler(TObject*) {
  TdxBarNavigationController* controller = BarNavigationController();
  if (!IsDropDownKind() || !controller) return ClickByKeyTip();
  controller->ChangeSelectedObject(true, this);
  if (!DropDownByKeyTip()) return;
  controller->SetKeyTipsShowingState(nullptr, "");
  if (TCustomdxBarControl* menu = ActiveBarControl())
    controller->SetKeyTipsShowingState(GetBarAccessibilityHelper(menu), "");
}

bool TdxBarButtonControlAccessibilityHelper::IsDropDownKind() {
  auto* button = ObjectAs<TdxBarButton>(ItemControl() ? ItemControl()->Item() : nullptr);
  return button && (button->ButtonStyle() == bsDropDown || button->ButtonStyle() == bsCheckedDropDown);
}

bool TdxBarButtonControlAccessibilityHelper::DropDownByKeyTip() {
  auto* control = ObjectAs<TdxBarButtonControl>(ItemControl());
  if (!control) return false;
  control->DropDown(false);
  return control->IsDroppedDown();
}
