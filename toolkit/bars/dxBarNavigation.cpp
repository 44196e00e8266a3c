#include "dxBarNavigation.h"

#include <algorithm>
#include <cctype>

#include "dxBarControl.h"
#include "dxBarItemControl.h"
#include "dxBarManager.h"

CALDERAN_IMPLEMENT_CLASS(TdxBarNavigationController, TObject)

namespace {
constexpr uint32_t KeyTipsWaitingTime = 500;

TdxBarNavigationController* controller = nullptr;
bool altKeyDown = false;

std::string UpperCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

bool IsMovementKey(Word key) {
  return (key >= VK_LEFT && key <= VK_DOWN) || (key == VK_TAB && GetKeyState(VK_CONTROL) >= 0);
}

int KeyDirection(Word key) {
  switch (key) {
    case VK_UP: return bndUp;
    case VK_RIGHT: return bndRight;
    case VK_DOWN: return bndDown;
    default: return bndLeft;
  }
}

// The manager at the root of an object's tree; nil when its root is no root object.
TdxBarManager* RootManagerOf(TdxBarAccessibilityHelper* helper) {
  auto* root = helper ? ObjectAs<TdxBarAccessibilityHelper>(helper->GetRootHelper()) : nullptr;
  if (!root) return nullptr;
  try {
    return root->GetRootBarManager();
  } catch (const Exception&) {
    return nullptr;
  }
}

TdxBarAccessibilityHelperRef RefOf(TdxBarAccessibilityHelper* helper) { return helper ? helper->Ref() : nullptr; }
}  // namespace

TdxBarNavigationController* BarNavigationController() { return controller; }

void CreateBarNavigationController() {
  if (!controller) controller = new TdxBarNavigationController;
}

void FreeBarNavigationController() {
  delete controller;
  controller = nullptr;
}

bool IsBarAltKeyDown() { return altKeyDown; }
void SetBarAltKeyDown(bool value) { altKeyDown = value; }

TdxBarNavigationController::~TdxBarNavigationController() {
  StopKeyTipsWaiting(false);
  HideKeyTipWindows();
}

// ---------------------------------------------------------------------------------------------
// The wait for key tips.

void TdxBarNavigationController::StartKeyTipsWaiting(TdxBarAccessibilityHelper* root) {
  if (!root || (waitingRoot_ && waitingRoot_.get() != root)) throw Exception();
  if (IsKeyTipsShowing() || (waitingTimer_ && waitingTimer_->Enabled())) return;
  waitingRoot_ = root->Ref();
  waitingTimer_ = std::make_unique<TcxTimer>(nullptr);
  waitingTimer_->SetInterval(KeyTipsWaitingTime);
  waitingTimer_->SetOnTimer(MakeEvent(this, &TdxBarNavigationController::OnWaitingTimer));
}

void TdxBarNavigationController::OnWaitingTimer(TObject*) { KeyTipsWaitingTimerExpired(); }

// Alt still held: the key tips appear now; released: the wait goes on until the release shows them.
void TdxBarNavigationController::KeyTipsWaitingTimerExpired() {
  if (altKeyDown) return StopKeyTipsWaiting(true);
  if (waitingTimer_) waitingTimer_->SetEnabled(false);
}

void TdxBarNavigationController::StopKeyTipsWaiting(bool show) {
  altKeyDown = false;
  if (!waitingRoot_) return;
  TdxBarAccessibilityHelperRef root = TakeWaitingRoot();
  if (show) SetKeyTipsShowingState(root.get(), "");
}

TdxBarAccessibilityHelperRef TdxBarNavigationController::TakeWaitingRoot() {
  if (waitingTimer_) waitingTimer_->SetEnabled(false);
  retiredTimer_ = std::move(waitingTimer_);  // the tick that ends the wait may still be running
  return std::move(waitingRoot_);
}

// ---------------------------------------------------------------------------------------------
// Navigation mode and the selection.

void TdxBarNavigationController::EnterNavigationMode(TdxBarAccessibilityHelper* root) {
  TdxBarAccessibilityHelper* object = root->GetDefaultSelectableObject();
  if (!object) return;
  navigationMode_ = true;
  object->Select(false);
}

TCustomdxBarControl* TdxBarNavigationController::NavigationBarControl() {
  TCustomdxBarControl* bar = ActiveBarControl();
  if (bar && bar->HandleAllocated() && IsWindowVisible(bar->WindowHandle()) && !bar->IsCustomizing()) return bar;
  return nullptr;
}

bool TdxBarNavigationController::IsNavigationModeFor(TCustomdxBarControl* bar) const {
  return navigationMode_ && bar && bar == NavigationBarControl();
}

TdxBarAccessibilityHelper* TdxBarNavigationController::SelectedObject() const {
  if (TCustomdxBarControl* bar = NavigationBarControl()) return GetBarAccessibilityHelper(bar->SelectedControl());
  return selected_.get();
}

TdxBarAccessibilityHelper* TdxBarNavigationController::SelectedObjectParent() const {
  if (TCustomdxBarControl* bar = NavigationBarControl()) return GetBarAccessibilityHelper(bar);
  return selectedParent_.get();
}

void TdxBarNavigationController::SetSelection(TdxBarAccessibilityHelper* object, TdxBarAccessibilityHelper* parent) {
  selected_ = RefOf(object);
  selectedParent_ = RefOf(parent);
}

void TdxBarNavigationController::ChangeSelectedObject(bool byTab, TdxBarAccessibilityHelper* newObject,
                                                      TdxBarAccessibilityHelper* oldObject) {
  if (!newObject) return;
  if (!oldObject) oldObject = SelectedObject();
  if (oldObject == newObject) return;
  // Both stay alive while they change hands, whatever Select and Unselect free.
  TdxBarAccessibilityHelperRef keepNew = newObject->Ref(), keepOld = RefOf(oldObject);
  if (oldObject) oldObject->Unselect(newObject);
  newObject->Select(byTab);
}

void TdxBarNavigationController::UnselectSelectedObject() {
  if (TdxBarAccessibilityHelperRef object = selected_) object->Unselect(nullptr);
}

void TdxBarNavigationController::StopNavigation() {
  altKeyDown = false;
  if (TdxBarAccessibilityHelper* object = SelectedObject()) {
    if (TdxBarManager* manager = RootManagerOf(object)) manager->HideHint();
  }
  UnselectSelectedObject();
  if (TdxBarAccessibilityHelperRef still = RefOf(SelectedObject())) still->Unselect(nullptr);
  StopKeyTips();
}

void TdxBarNavigationController::StopKeyTips() {
  StopKeyTipsWaiting(false);
  SetKeyTipsShowingState(nullptr, "");
}

// The controller never keeps an object whose owner went.
void TdxBarNavigationController::RemoveHelper(TdxBarAccessibilityHelper* helper) {
  if (selected_.get() == helper) selected_.reset();
  if (selectedParent_.get() == helper) {
    selected_.reset();
    selectedParent_.reset();
  }
  if (waitingRoot_.get() == helper) StopKeyTipsWaiting(false);
  if (container_.get() == helper) SetKeyTipsShowingState(nullptr, "");
}

// ---------------------------------------------------------------------------------------------
// Keys.

bool TdxBarNavigationController::IsNavigationKey(Word key) const {
  bool result = false;
  if (IsMovementKey(key)) {
    result = true;
  } else if (!NavigationBarControl()) {
    if (key == VK_MENU) {
      result = true;
    } else if (key == VK_F10) {
      TdxBarManager* manager = RootManagerOf(SelectedObjectParent());
      result = manager && manager->UseF10ForMenu();
    }
  }
  if (TdxBarAccessibilityHelper* object = SelectedObject()) return result || object->IsNavigationKey(key);
  if (TdxBarAccessibilityHelper* parent = SelectedObjectParent()) return result || parent->IsNavigationKey(key);
  return result;
}

bool TdxBarNavigationController::WantsKey(Word key) {
  TdxBarAccessibilityHelper* parent = SelectedObjectParent();
  if (IsNavigationKey(key) && parent && parent->AcceptsNavigationKey(key)) return true;
  if (!IsKeyTipsWaiting() && !IsKeyTipsShowing()) return false;
  bool matched = false;
  TdxBarKeyTipData* exact = nullptr;
  return MatchKeyTipKey(key, matched, exact);
}

void TdxBarNavigationController::HandleNavigationKey(Word key, TdxBarAccessibilityHelper* parent,
                                                     TdxBarAccessibilityHelper* object) {
  struct THandling {
    bool& Flag;
    explicit THandling(bool& flag) : Flag(flag) { Flag = true; }
    ~THandling() { Flag = false; }
  } handling(handlingKey_);
  bool matched = false;
  TdxBarKeyTipData* exact = nullptr;
  if (IsKeyTipsWaiting()) {
    altKeyDown = false;
    if (MatchKeyTipKey(key, matched, exact)) {
      if (matched) {
        ExecuteKeyTipKey(key);
        StopKeyTipsWaiting(false);
      }
      return;
    }
  } else if (IsKeyTipsShowing() && key != VK_ESCAPE) {
    if (MatchKeyTipKey(key, matched, exact)) {
      if (matched) ExecuteKeyTipKey(key);
      return;
    }
    StopKeyTips();
  }
  TdxBarAccessibilityHelperRef keepParent = RefOf(parent ? parent : SelectedObjectParent());
  TdxBarAccessibilityHelperRef keepObject = RefOf(object ? object : SelectedObject());
  TdxBarAccessibilityHelper* target = keepObject ? keepObject.get() : keepParent.get();
  if (key == VK_ESCAPE && IsKeyTipsShowing()) return container_->KeyTipsEscapeHandler();
  Word targetKey = key;  // a window may turn the arrows for itself; the direction stays the key's
  if (key == VK_MENU || key == VK_ESCAPE || key == VK_F10) {
    if (key == VK_ESCAPE && target && target->HandleNavigationKey(targetKey)) return;
    if (target) target->Unselect(nullptr);
    return;
  }
  if (target && target->HandleNavigationKey(targetKey)) return;
  TdxBarAccessibilityHelper* next = nullptr;
  if (!keepObject) {
    auto* root = keepParent ? ObjectAs<TdxBarAccessibilityHelper>(keepParent->GetRootHelper()) : nullptr;
    next = root ? root->GetFirstSelectableObject() : nullptr;
  } else if (key == VK_TAB) {
    next = keepObject->GetNextTabObject(GetKeyState(VK_SHIFT) >= 0);
  } else {
    next = keepObject->GetNextAccessibleObject(KeyDirection(key));
  }
  ChangeSelectedObject(key == VK_TAB, next, keepObject.get());
}

// ---------------------------------------------------------------------------------------------
// Key tips.

void TdxBarNavigationController::HideKeyTipWindows() {
  IdxBarKeyTipWindowsManager* manager = container_ ? container_->GetKeyTipWindowsManager() : nullptr;
  if (manager) {
    for (auto& keyTip : keyTips_) keyTip->HideKeyTipWindow(manager);
  }
  keyTips_.clear();
}

void TdxBarNavigationController::SetKeyTipsShowingState(TdxBarAccessibilityHelper* container,
                                                        const std::string& typed) {
  if (container != container_.get()) {
    if (container_) HideKeyTipWindows();
    container_ = RefOf(container);
    typed_.clear();
    if (!container_) return;
    typed_ = UpperCase(typed);
    container_->CollectKeyTips(keyTips_);
    MakeKeyTipsUnique(keyTips_);
    FilterKeyTips();
  } else if (UpperCase(typed) != typed_) {
    typed_ = UpperCase(typed);
    FilterKeyTips();
  }
}

void TdxBarNavigationController::FilterKeyTips() {
  IdxBarKeyTipWindowsManager* manager = container_->GetKeyTipWindowsManager();
  if (!manager) return;
  for (auto& keyTip : keyTips_) {
    if (!keyTip->KeyTipInfo().Visible) continue;
    if (typed_.empty() || StartsWith(keyTip->GetKeyTipCaption(), typed_)) keyTip->ShowKeyTipWindow(manager);
    else keyTip->HideKeyTipWindow(manager);
  }
  manager->Show();
}

void TdxBarNavigationController::MakeKeyTipsUnique(TdxBarKeyTipDataList& list) {
  constexpr int MaxPasses = 16;  // each pass lengthens texts; real lists settle in two or three
  for (int pass = 0; pass < MaxPasses; ++pass) {
    bool changed = false;
    for (auto& keyTip : list) {
      const std::string text = keyTip->KeyTipInfo().KeyTip;
      std::vector<TdxBarKeyTipData*> same;
      bool isPrefix = false;
      for (auto& other : list) {
        const std::string& otherText = other->KeyTipInfo().KeyTip;
        if (otherText == text) same.push_back(other.get());
        else if (StartsWith(otherText, text)) isPrefix = true;
      }
      if (same.size() > 1) {
        const int digits = static_cast<int>(std::to_string(same.size()).size());
        for (size_t i = 0; i < same.size(); ++i) {
          std::string number = std::to_string(i + 1);
          number.insert(0, digits - number.size(), '0');
          same[i]->SetKeyTip(text + number);
        }
        changed = true;
      } else if (isPrefix) {
        keyTip->SetKeyTip(text + "1");
        changed = true;
      }
    }
    if (!changed) return;
  }
}

bool TdxBarNavigationController::IsKeyTipKey(Word key) {
  const UINT ch = MapVirtualKeyA(key, MAPVK_VK_TO_CHAR);
  return ch < 0x10000 && ch > 31 && ch != ' ';
}

std::string TdxBarNavigationController::KeyTipCharacter(Word key) {
  BYTE state[256] = {};
  GetKeyboardState(state);
  WORD chars[2] = {};
  if (ToAscii(key, MapVirtualKeyA(key, MAPVK_VK_TO_VSC), state, chars, 0) != 1) return "";
  return UpperCase(std::string(1, static_cast<char>(chars[0] & 0xFF)));
}

bool TdxBarNavigationController::MatchKeyTipKey(Word key, bool& matched, TdxBarKeyTipData*& exact) {
  if (key == VK_ESCAPE && IsKeyTipsShowing()) return true;
  if (!IsKeyTipKey(key)) return false;
  matched = false;
  exact = nullptr;
  const TdxBarKeyTipDataList* keyTips = &keyTips_;
  std::string typed = typed_;
  if (!IsKeyTipsShowing() && waitingRoot_) {
    waitingKeyTips_.clear();
    waitingRoot_->CollectKeyTips(waitingKeyTips_);
    MakeKeyTipsUnique(waitingKeyTips_);
    keyTips = &waitingKeyTips_;
    typed.clear();
  }
  const std::string candidate = UpperCase(typed + KeyTipCharacter(key));
  for (const auto& keyTip : *keyTips) {
    const std::string text = keyTip->GetKeyTipCaption();
    if (!StartsWith(text, candidate)) continue;
    matched = true;
    if (text == candidate) exact = keyTip.get();
    break;
  }
  if (handlingKey_ && !matched) MessageBeep(0);
  return true;
}

// A complete key tip runs its command; a beginning narrows the key tips shown.
void TdxBarNavigationController::ExecuteKeyTipKey(Word key) {
  bool matched = false;
  TdxBarKeyTipData* exact = nullptr;
  if (!MatchKeyTipKey(key, matched, exact) || !matched) return;
  if (exact) {
    TakeWaitingRoot();
    const TdxBarKeyTipInfo info = exact->KeyTipInfo();  // running it may free the list
    if (info.Enabled && info.OnExecute) info.OnExecute(nullptr);
    return;
  }
  TdxBarAccessibilityHelperRef container = container_ ? container_ : TakeWaitingRoot();
  if (container) SetKeyTipsShowingState(container.get(), typed_ + KeyTipCharacter(key));
}
