#include "dxBarPopupMenu.h"

#include "Forms.h"
#include "SysUtils.h"
#include "dxBarButtons.h"
#include "dxBarItem.h"
#include "dxBarItemRegistry.h"
#include "dxBarManager.h"
#include "dxBarRoutines.h"

CALDERAN_IMPLEMENT_CLASS(TdxBarCustomPopupMenu, TdxBarComponent)
CALDERAN_IMPLEMENT_CREATABLE(TdxBarPopupMenu, TdxBarCustomPopupMenu, TComponent*)

namespace {
TdxBarManager* PopupMenuManagerFor(TComponent* owner) {
  if (BarManagerCount() == 0) throw Exception("There are no TdxBarManagers available");
  if (TdxBarManager* manager = FindBarManagerOf(owner)) return manager;
  return BarManagerAt(0);
}

bool IsMousePress(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN: return true;
    default: return false;
  }
}

bool IsKeyMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

bool IsWindowOf(TCustomdxBarControl* bar, HWND window) {
  return bar->HandleAllocated() && (bar->WindowHandle() == window || IsChild(bar->WindowHandle(), window));
}
}  // namespace

bool IsPressOutsideMenus(const MSG& message, TCustomdxBarControl* rootMenu) {
  if (!IsMousePress(message.message) || !rootMenu) return false;
  for (TCustomdxBarControl* bar = rootMenu; bar; bar = bar->ChildBar())
    if (IsWindowOf(bar, message.hwnd)) return false;
  for (TCustomdxBarControl* bar = rootMenu->ParentBar(); bar; bar = bar->ParentBar())
    if (IsWindowOf(bar, message.hwnd)) return false;
  return true;
}

// ---------------------------------------------------------------------------------------------

TdxBarCustomPopupMenu::TdxBarCustomPopupMenu(TComponent* owner) : TdxBarComponent(owner), itemLinks_(nullptr) {
  SetBarManagerField(PopupMenuManagerFor(owner));
  itemLinks_ = new TdxBarSubMenuControlItemLinks(BarManager(), this);
  SetUseRecentItems(false);
}

TdxBarCustomPopupMenu::~TdxBarCustomPopupMenu() {
  Destroying();
  if (TdxBarSubMenuControl* menu = GetBarControl()) {
    menu->OnCloseUp = {};
    menu->OnPopup = {};
    menu->HideWindow();
  }
  delete itemLinks_;
}

TdxBarSubMenuControl* TdxBarCustomPopupMenu::GetBarControl() const {
  return ObjectAs<TdxBarSubMenuControl>(itemLinks_->BarControl());
}

bool TdxBarCustomPopupMenu::CanContainItem(TdxBarItem* item, std::string& text) {
  text.clear();
  if (!item->CanBePlacedOn(1, this, text)) return false;
  TdxBarItemLinks* nested = item->GetOwnItemLinks();
  if (nested && nested->ContainsLinksOwner(this)) {
    text = "You cannot create recursive menus";
    return false;
  }
  return true;
}

TCustomdxBarControl* TdxBarCustomPopupMenu::CreateBarControl() { return CreateMenuWindow(); }

TdxBarSubMenuControl* TdxBarCustomPopupMenu::CreateMenuWindow() { return new TdxBarSubMenuControl(nullptr, BarManager()); }

void TdxBarCustomPopupMenu::DoPaintBar(TCanvas* canvas, const TRect& rect) {
  if (OnPaintBar) OnPaintBar(this, canvas, rect);
}

bool TdxBarCustomPopupMenu::IsShortCutKey(const MSG& message) {
  const uint16_t shortCut = KeyMessageToShortCut(message.wParam, message.lParam);
  return shortCut != 0 && itemLinks_->IsShortCut(shortCut);
}

void TdxBarCustomPopupMenu::MenuPopup(TObject*) {
  popupVisible_ = true;
  if (OnPopup) OnPopup(this);
}

void TdxBarCustomPopupMenu::MenuCloseUp(TObject*) {
  popupVisible_ = false;
  if (OnCloseUp) OnCloseUp(this);
}

void TdxBarCustomPopupMenu::PopupFromCursorPos() {
  POINT cursor;
  GetCursorPos(&cursor);
  Popup(cursor.x, cursor.y);
}

void TdxBarCustomPopupMenu::Popup(int x, int y) {
  if (GetBarControl()) return;
  if (HWND capture = GetCapture(); capture && !(BarManager() && BarManager()->IsCustomizing())) {
    SendMessageA(capture, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
  }
  auto* menu = ObjectAs<TdxBarSubMenuControl>(itemLinks_->CreateBarControl());
  if (!menu) return;
  menu->SetLeft(x);
  menu->SetTop(y);
  if (ownerItemControl_ && ownerItemControl_->Parent()) ownerItemControl_->Parent()->SetChildBar(menu);
  if (hasOwnerBounds_) menu->SetOwnerBounds(ownerBounds_);
  menu->SetOwnerWidth(ownerWidth_);
  menu->SetOwnerHeight(ownerHeight_);
  if (auto* window = ObjectAs<TWinControl>(Owner()); window && window->HandleAllocated())
    menu->SetParentWindowHandle(window->WindowHandle());
  menu->OnCloseUp = MakeEvent(this, &TdxBarCustomPopupMenu::MenuCloseUp);
  menu->OnPopup = MakeEvent(this, &TdxBarCustomPopupMenu::MenuPopup);
  menu->SetShowAnimation(showAnimation_);
  TcxObjectLinkGuard alive(this);
  try {
    menu->Show();
  } catch (...) {
    if (TdxBarSubMenuControl* open = alive.Alive() ? GetBarControl() : nullptr) open->HideWindow();
    throw;
  }
  if (alive.Alive() && useOwnMessageLoop_) RunMessageLoop();
}

// Keys go to the innermost menu window (the menus do not take the focus); a press outside closes
// the menus and is then left to its window; commands and everything else are dispatched.
void TdxBarCustomPopupMenu::RunMessageLoop() {
  TcxObjectLinkGuard alive(this);
  while (alive.Alive() && popupVisible_) {
    MSG message;
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (IsPressOutsideMenus(message, GetBarControl())) {
      GetBarControl()->Close();
      PostMessageA(message.hwnd, message.message, message.wParam, message.lParam);
      break;
    }
    if (IsKeyMessage(message.message)) {
      if (TCustomdxBarControl* active = ActiveBarControl(); active && active->HandleAllocated())
        message.hwnd = active->WindowHandle();
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void TdxBarCustomPopupMenu::PopupEx(int x, int y, int ownerWidth, int ownerHeight, bool showAnimation,
                                    const TRect* ownerBounds, TWinControl* ownerControl, bool useOwnMessageLoop) {
  ownerWidth_ = ownerWidth;
  ownerHeight_ = ownerHeight;
  showAnimation_ = showAnimation;
  hasOwnerBounds_ = ownerBounds != nullptr;
  if (ownerBounds) ownerBounds_ = *ownerBounds;
  ownerControl_ = ownerControl;
  useOwnMessageLoop_ = useOwnMessageLoop;
  TcxObjectLinkGuard alive(this);
  try {
    Popup(x, y);
  } catch (...) {
    if (alive.Alive()) RestoreDefaults();
    throw;
  }
  if (alive.Alive()) RestoreDefaults();
}

void TdxBarCustomPopupMenu::RestoreDefaults() {
  useOwnMessageLoop_ = true;
  showAnimation_ = true;
  ownerControl_ = nullptr;
  hasOwnerBounds_ = false;
  ownerWidth_ = ownerHeight_ = 0;
}

// ---------------------------------------------------------------------------------------------
// A button's drop-down menu is a popup menu opened under (or beside) the button's control.

namespace {
TdxBarItemLinks* PopupMenuLinks(TComponent* menu) {
  auto* popup = ObjectAs<TdxBarCustomPopupMenu>(menu);
  return popup ? popup->ItemLinks() : nullptr;
}

void DropDownButtonMenu(TdxBarButton* button, TdxBarItemControl* control, int x, int y, bool byMouse) {
  auto* popup = ObjectAs<TdxBarCustomPopupMenu>(button->DropDownMenu());
  if (!popup || !control || !control->Parent()) return;
  TCustomdxBarControl* bar = control->Parent();
  const TRect item = control->GetItemRect();
  const TRect bounds(bar->ClientToScreen(item.TopLeft()), bar->ClientToScreen(item.BottomRight()));
  const bool beside = bar->GetKind() == 2 || bar->IsVertical();
  popup->SetOwnerItemControl(control);
  TcxObjectLinkGuard alive(popup);
  popup->PopupEx(x, y, beside ? item.Width() : 0, beside ? 0 : item.Height(), byMouse, &bounds, nullptr, false);
  if (!alive.Alive()) return;
  popup->SetOwnerItemControl(nullptr);
  if (TdxBarSubMenuControl* menu = popup->GetBarControl())
    menu->SetDropDownButton(ObjectAs<TdxBarButtonControl>(control));
}

void RegisterPopupMenus() {
  SetBarPopupMenuLinksFunc(PopupMenuLinks);
  SetBarButtonDropDownHandler(DropDownButtonMenu);
  RegisterClass(TdxBarPopupMenu::StaticClass());
}
void UnregisterPopupMenus() {
  SetBarPopupMenuLinksFunc(nullptr);
  SetBarButtonDropDownHandler(nullptr);
}
}  // namespace

const TUnitInfo dxBarPopupMenuUnit{"dxBarPopupMenu", RegisterPopupMenus, UnregisterPopupMenus};
