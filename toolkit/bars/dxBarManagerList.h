// The process-wide list of live bar managers and the three thread hooks it keeps while it is not
// empty: instead of subclassing the forms it serves, the bar system watches the thread's keys
// (WH_KEYBOARD), mouse (WH_MOUSE) and window messages (WH_CALLWNDPROC). The first manager installs
// them for its thread and the shared hint window; the last one removes both.
//
// Here: the list and its walks, the hooks' life, the keyboard state (menu key pending, consumed
// key, direct calls, caption-button capture), the serving manager of a key, and the owner-window
// reactions that need no toolbars (activation flags, system colours and fonts, the work area).
// Left for the parts that bring what they act on: shortcuts and accelerators (toolbars, popup
// menus), keys and outside clicks of open bar windows, keyboard navigation and key tips, the
// customizing redirects, showing and hiding floating toolbars, the layout save on WM_DESTROY and
// WM_HELP. Until then the hooks pass those messages on unhandled.
#pragma once
#include <windows.h>

#include "dxBarComponents.h"
#include "dxBarManager.h"

class TdxBarManagerList : public TdxObjectList {
  CALDERAN_CLASS(TdxBarManagerList)
  TdxBarManagerList() = default;
  // Removes the hooks and frees the shared hint window.
  ~TdxBarManagerList() override;

  // Nil outside the range.
  TdxBarManager* GetManager(int index) const { return static_cast<TdxBarManager*>(ItemAt(index)); }
  // The first manager in customizing mode; nil when none.
  TdxBarManager* GetCustomizingManager() const;
  // The next manager (cyclic, either way) that serves From's top-level form; From when none does.
  TdxBarManager* NextManager(TdxBarManager* from, bool forward) const;
};

// Nil before the bar unit started and after it stopped.
TdxBarManagerList* BarManagerList();
void CreateBarManagerList();
void FreeBarManagerList();

// Called by the manager's constructor and destructor.
void AddBarManager(TdxBarManager* manager);
void RemoveBarManager(TdxBarManager* manager);

// The hooks as installed (nil while no manager lives).
struct TdxBarHooks {
  HHOOK Keyboard = nullptr;
  HHOOK Mouse = nullptr;
  HHOOK CallWndProc = nullptr;
};
TdxBarHooks BarHooks();

// The keyboard hook's state.
bool IsBarMenuKeyPending();
// A caption button of a floating toolbar holds the mouse: keys are swallowed meanwhile.
void SetBarCaptionButtonCapture(bool value);
// A hosted edit window passes a key to the keyboard hook itself: 1 means handled.
LRESULT CallBarKeyboardHookDirectly(WPARAM key, LPARAM keyData);
// The last WM_ACTIVATEAPP said the application is active.
bool IsBarApplicationActive();

// The manager that serves a key typed in the focused window (nil when none).
TdxBarManager* GetBarManagerForKey(bool menuKey);
