#include "dxBarManagerList.h"

#include "Forms.h"
#include "dxBarDrawRoutines.h"
#include "dxBarHintWindow.h"
#include "dxBarItemRegistry.h"
#include "dxBarNavigation.h"

CALDERAN_IMPLEMENT_CLASS(TdxBarManagerList, TdxObjectList)

namespace {
TdxBarManagerList* managerList = nullptr;
TdxBarHooks hooks;

// The keyboard hook's state: the menu key went down alone; a key was consumed (its release is
// swallowed too); a hosted edit window calls the hook itself; a caption button holds the mouse.
struct TKeyboardState {
  bool MenuKeyPending = false;
  bool KeyConsumed = false;
  WPARAM ConsumedKey = 0;
  bool DirectCall = false;
  bool CaptionButtonCapture = false;
};
TKeyboardState keyboard;

// Activation: the application is active (last WM_ACTIVATEAPP); an activation leaves the process.
struct TActivationState {
  bool ApplicationActive = true;
  bool ActivationLeavesProcess = false;
};
TActivationState activation;

bool IsKeyDown(LPARAM keyData) { return (keyData & 0x80000000) == 0; }

TWinControl* ControlOf(HWND window) { return window ? FindControl(window) : nullptr; }

// The window's top-level ancestor.
HWND TopLevelOf(HWND window) { return window ? GetAncestor(window, GA_ROOT) : nullptr; }

HWND OwnerWindowOf(TdxBarManager* manager) {
  auto* owner = ObjectAs<TWinControl>(manager->Owner());
  return owner && owner->HandleAllocated() ? owner->WindowHandle() : nullptr;
}

// The first window from this one up through its parents whose control has a manager.
TdxBarManager* ManagerFromWindowUp(HWND window) {
  for (; window; window = GetParent(window)) {
    if (TWinControl* control = ControlOf(window)) {
      if (TdxBarManager* manager = FindBarManagerOf(control)) return manager;
    }
  }
  return nullptr;
}

bool IsShiftStateDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// A plain menu key: Alt without Ctrl, or F10 alone where the manager allows it.
bool IsPlainMenuKey(TdxBarManager* manager, WPARAM key) {
  if (key == VK_MENU) return !IsShiftStateDown(VK_CONTROL);
  if (key != VK_F10) return false;
  return manager->UseF10ForMenu() && !IsShiftStateDown(VK_SHIFT) && !IsShiftStateDown(VK_CONTROL) &&
         !IsShiftStateDown(VK_MENU);
}

void StopKeyTipsWaiting() {
  if (TdxBarNavigationController* controller = BarNavigationController()) controller->StopKeyTipsWaiting(false);
}

// The wait starts inside the hook, which must never raise: without a root nothing starts, and a
// root other than the one waited for starts the wait again with the new root.
void StartKeyTipsWaitingFromHook(TdxBarAccessibilityHelper* root) {
  TdxBarNavigationController* controller = BarNavigationController();
  if (!controller || !root) return;
  if (controller->IsKeyTipsWaiting() && controller->KeyTipsWaitingRoot() != root) controller->StopKeyTipsWaiting(false);
  controller->StartKeyTipsWaiting(root);
}

TdxBarAccessibilityHelper* FocusedNavigationRoot() { return GetAccessibilityHelperForWindow(GetFocus()); }

// Menu keys: a plain Alt or F10 going down alone waits for its release (and for the key tips of
// the focused window's navigation root); any other key ends that. The release enters keyboard
// navigation from the root; without one it goes on to the window, so Alt keeps its usual meaning.
bool HandleMenuKeys(WPARAM key, LPARAM keyData) {
  const bool menuKey = key == VK_MENU || key == VK_F10;
  TdxBarManager* manager = GetBarManagerForKey(menuKey);
  if (!manager) return false;
  const bool plain = IsPlainMenuKey(manager, key) && !(keyboard.KeyConsumed && keyboard.ConsumedKey == key);
  TdxBarAccessibilityHelper* root = menuKey ? FocusedNavigationRoot() : nullptr;
  if (IsKeyDown(keyData)) {
    if (!plain) {
      keyboard.MenuKeyPending = false;
      StopKeyTipsWaiting();
      return false;
    }
    SetBarAltKeyDown(true);
    manager->HideHint();
    keyboard.MenuKeyPending = true;
    if (root && root->CanShowKeyTips()) StartKeyTipsWaitingFromHook(root);
    return false;
  }
  const bool enters = (key == VK_MENU && keyboard.MenuKeyPending) || (key == VK_F10 && plain);
  keyboard.MenuKeyPending = false;
  TdxBarNavigationController* controller = BarNavigationController();
  if (!enters || !root || !controller) {
    StopKeyTipsWaiting();
    return false;
  }
  controller->EnterNavigationMode(root);
  if (root->CanShowKeyTips()) controller->StopKeyTipsWaiting(true);
  return true;
}

// Keys the navigation controller wants (navigation is on, or key tips wait or show).
bool HandleNavigationKeys(WPARAM key, LPARAM keyData) {
  TdxBarNavigationController* controller = BarNavigationController();
  if (!controller || !controller->WantsKey(static_cast<Word>(key))) return false;
  if (IsKeyDown(keyData)) {
    keyboard.KeyConsumed = true;
    keyboard.ConsumedKey = key;
    controller->HandleNavigationKey(static_cast<Word>(key));
  }
  if (controller->SelectedObject() || !IsKeyDown(keyData)) keyboard.KeyConsumed = false;
  return true;
}

// The consumed key's release is swallowed with it.
bool HandleBarWindowKeys(WPARAM key, LPARAM keyData) {
  if (keyboard.KeyConsumed && !IsKeyDown(keyData) && keyboard.ConsumedKey == key) {
    keyboard.KeyConsumed = false;
    return true;
  }
  return false;
}

bool KeyboardHookHandles(int code, WPARAM key, LPARAM keyData) {
  if (keyboard.CaptionButtonCapture) return true;
  if (key == VK_PROCESSKEY || code < 0) return false;
  if (HandleBarWindowKeys(key, keyData) || HandleNavigationKeys(key, keyData)) return true;
  return !GetCapture() && HandleMenuKeys(key, keyData);
}

LRESULT CALLBACK BarKeyboardHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_NOREMOVE) return CallNextHookEx(hooks.Keyboard, code, wParam, lParam);
  bool swallowed = false;
  GuardedCall([&] { swallowed = KeyboardHookHandles(code, wParam, lParam); });
  if (keyboard.DirectCall) return swallowed ? 1 : 0;
  LRESULT next = CallNextHookEx(hooks.Keyboard, code, wParam, lParam);
  return swallowed ? 1 : next;
}

LRESULT CALLBACK BarMouseHookProc(int code, WPARAM wParam, LPARAM lParam) {
  return CallNextHookEx(hooks.Mouse, code, wParam, lParam);
}

// --- The owner window's messages.
void SystemColorsChanged(TdxBarManager* manager) {
  RefreshDeviceConsts();
  FreeCheckerBrush();
  CreateCheckerBrush();
  manager->RecreateBrushes();
}

void OwnerWindowMessage(TdxBarManager* manager, const CWPSTRUCT& message) {
  if (manager->IsBarManagerDestroying()) return;
  switch (message.message) {
    case WM_SYSCOLORCHANGE: SystemColorsChanged(manager); break;
    case WM_SETTINGCHANGE:
      if (message.wParam == SPI_SETNONCLIENTMETRICS) manager->LoadSystemFont();
      break;
    default: break;
  }
}

bool IsWindowOfAnotherProcess(HWND window) {
  DWORD process = 0;
  if (window) GetWindowThreadProcessId(window, &process);
  return window && process != GetCurrentProcessId();
}

void NoteActivation(const CWPSTRUCT& message) {
  if (message.message == WM_ACTIVATE && LOWORD(message.wParam) == WA_INACTIVE &&
      IsWindowOfAnotherProcess(reinterpret_cast<HWND>(message.lParam)))
    activation.ActivationLeavesProcess = true;
  if (message.message == WM_ACTIVATEAPP) {
    activation.ActivationLeavesProcess = false;
    activation.ApplicationActive = message.wParam != 0;
  }
}

// Messages that every manager whose owner lies inside the window hears too.
bool IsBroadcastToInnerManagers(UINT msg) {
  switch (msg) {
    case WM_ACTIVATE: case WM_SYSCOLORCHANGE: case WM_SETTINGCHANGE: case WM_ACTIVATEAPP: case WM_CHILDACTIVATE:
    case WM_WINDOWPOSCHANGING: case WM_WINDOWPOSCHANGED: case WM_SYSCOMMAND: case WM_MDIACTIVATE: return true;
    default: return false;
  }
}

void DispatchToManagers(const CWPSTRUCT& message) {
  TdxBarManager* own = FindBarManagerOf(ControlOf(message.hwnd));
  if (own) OwnerWindowMessage(own, message);
  if (!IsBroadcastToInnerManagers(message.message)) return;
  for (int i = 0; i < managerList->Count(); ++i) {
    TdxBarManager* manager = managerList->GetManager(i);
    HWND owner = OwnerWindowOf(manager);
    if (manager != own && owner && owner != message.hwnd && IsChild(message.hwnd, owner))
      OwnerWindowMessage(manager, message);
  }
}

LRESULT CALLBACK BarCallWndProcHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && managerList) {
    const CWPSTRUCT message = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    GuardedCall([&] {
      NoteActivation(message);
      DispatchToManagers(message);
    });
  }
  return CallNextHookEx(hooks.CallWndProc, code, wParam, lParam);
}

void InstallHooks() {
  const DWORD thread = GetCurrentThreadId();
  hooks.Keyboard = SetWindowsHookExA(WH_KEYBOARD, BarKeyboardHookProc, nullptr, thread);
  hooks.Mouse = SetWindowsHookExA(WH_MOUSE, BarMouseHookProc, nullptr, thread);
  hooks.CallWndProc = SetWindowsHookExA(WH_CALLWNDPROC, BarCallWndProcHookProc, nullptr, thread);
}

void Unhook(HHOOK& hook) {
  if (hook) UnhookWindowsHookEx(hook);
  hook = nullptr;
}

void RemoveHooks() {
  Unhook(hooks.CallWndProc);
  Unhook(hooks.Mouse);
  Unhook(hooks.Keyboard);
}
}  // namespace

// ---------------------------------------------------------------------------------------------
TdxBarManagerList::~TdxBarManagerList() {
  RemoveHooks();
  FreeBarHintWindow();
}

TdxBarManager* TdxBarManagerList::GetCustomizingManager() const {
  for (int i = 0; i < Count(); ++i) {
    if (GetManager(i)->IsCustomizing()) return GetManager(i);
  }
  return nullptr;
}

TdxBarManager* TdxBarManagerList::NextManager(TdxBarManager* from, bool forward) const {
  const int start = IndexOf(from);
  if (start < 0) return from;
  HWND form = TopLevelOf(OwnerWindowOf(from));
  for (int step = 1; step < Count(); ++step) {
    const int index = ((forward ? start + step : start - step) % Count() + Count()) % Count();
    TdxBarManager* manager = GetManager(index);
    HWND owner = OwnerWindowOf(manager);
    if (form && owner && TopLevelOf(owner) == form) return manager;
  }
  return from;
}

TdxBarManagerList* BarManagerList() { return managerList; }

void CreateBarManagerList() {
  if (!managerList) managerList = new TdxBarManagerList;
}

void FreeBarManagerList() {
  delete managerList;
  managerList = nullptr;
}

void AddBarManager(TdxBarManager* manager) {
  if (!managerList && !IsBarUnitFinalizing()) CreateBarManagerList();
  if (!managerList || managerList->IndexOf(manager) >= 0) return;
  if (managerList->Count() == 0) InstallHooks();
  managerList->Add(manager);
  if (!manager->IsBarManagerDesigning()) CreateBarHintWindow();
}

void RemoveBarManager(TdxBarManager* manager) {
  if (!managerList || !managerList->Extract(manager)) return;
  if (managerList->Count() > 0) return;
  RemoveHooks();
  FreeBarHintWindow();
}

TdxBarHooks BarHooks() { return hooks; }
bool IsBarMenuKeyPending() { return keyboard.MenuKeyPending; }
void SetBarCaptionButtonCapture(bool value) { keyboard.CaptionButtonCapture = value; }
bool IsBarApplicationActive() { return activation.ApplicationActive; }

LRESULT CallBarKeyboardHookDirectly(WPARAM key, LPARAM keyData) {
  keyboard.DirectCall = true;
  LRESULT result = 0;
  try {
    result = BarKeyboardHookProc(HC_ACTION, key, keyData);
  } catch (...) {
    keyboard.DirectCall = false;
    throw;
  }
  keyboard.DirectCall = false;
  return result;
}

// From the focused window up, then the active form, then the main form (only when it lets other
// forms call it); a manager in customizing mode serves no keys.
TdxBarManager* GetBarManagerForKey(bool menuKey) {
  TdxBarManager* manager = ManagerFromWindowUp(GetFocus());
  if (!manager && Screen && Screen->ActiveCustomForm() && Screen->ActiveCustomForm()->Enabled())
    manager = ManagerFromWindowUp(Screen->ActiveCustomForm()->Handle());
  if (!manager && Application && Application->MainForm() && Application->MainForm()->Enabled()) {
    manager = ManagerFromWindowUp(Application->MainForm()->Handle());
    if (manager && !manager->AllowCallFromAnotherForm()) manager = nullptr;
  }
  if (!manager && !menuKey) manager = ManagerFromWindowUp(GetActiveWindow());
  if (manager && manager->IsCustomizing()) return nullptr;
  return manager;
}
