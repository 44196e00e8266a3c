// The item-class registry (which item control shows an item of a class, and which kinds a user may
// create in customizing) and the bar system's process-wide state: the live bar windows, the layered
// window functions looked up at run time and the drag cursors.
#pragma once
#include <windows.h>

#include "Classes.h"
#include "System.h"

struct TRegItemRecord {
  TClass ItemClass;
  TClass ItemControlClass;
  bool Listed;  // offered among the kinds a user can create
};

class TdxBarItemList : public TList {
  CALDERAN_CLASS(TdxBarItemList)
  TdxBarItemList() = default;
  ~TdxBarItemList() override;

  // Also registers the item class for stored forms.
  void Register(TClass itemClass, TClass controlClass, bool listed);
  // Removes the first record of the class.
  void Unregister(TClass itemClass);
  void DeleteRecord(int index);
  TRegItemRecord* GetRecord(int index) const { return static_cast<TRegItemRecord*>(Get(index)); }
  TClass GetItemClass(int index) const { return GetRecord(index)->ItemClass; }
  int GetListedCount() const;
  // The item class of the n-th listed record; nil when there are fewer.
  TClass GetListedEntry(int n) const;
};

// Nil after the bar units stopped.
TdxBarItemList* BarItemClassList();
void RegisterBarItemClass(TClass itemClass, TClass controlClass, bool listed);
void UnregisterBarItemClass(TClass itemClass);
// The control class registered for exactly this item class (not for its ancestors); nil when none.
TClass BarItemControlClassOf(TClass itemClass);
// Set while the bar units stop: the shared objects are not made again.
bool IsBarUnitFinalizing();

// The layered-window functions, nil when the system lacks them.
using TUpdateLayeredWindowFunc = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
using TAnimateWindowFunc = BOOL(WINAPI*)(HWND, DWORD, DWORD);
using TSetLayeredWindowAttributesFunc = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
TUpdateLayeredWindowFunc UpdateLayeredWindowFunc();
TAnimateWindowFunc AnimateWindowFunc();
TSetLayeredWindowAttributesFunc SetLayeredWindowAttributesFunc();

// The screen cursors of item dragging and edit sizing.
constexpr int crdxBarDrag = 1041, crdxBarDragCopy = 1042, crdxBarDragNoDrop = 1043, crdxBarEditSizing = 1044;

// The live bar windows (each registers itself while it exists).
class TCustomdxBarControl;
void AddLiveBarControl(TCustomdxBarControl* control);
void RemoveLiveBarControl(TCustomdxBarControl* control);
bool IsBarControlAlive(TCustomdxBarControl* control);

extern const TUnitInfo dxBarUnit;
