#include "dxBarItemRegistry.h"

#include <algorithm>
#include <vector>

#include "Forms.h"
#include "dxBarCanvas.h"
#include "dxBarDrawRoutines.h"
#include "dxBarManagerList.h"
#include "dxBarNavigation.h"

CALDERAN_IMPLEMENT_CLASS(TdxBarItemList, TList)

namespace {
// The process-wide state lives on the heap and is freed only by the unit's shut-down.
TdxBarItemList* itemClassList = nullptr;
bool finalizing = false;
std::vector<TCustomdxBarControl*>* liveBarControls = nullptr;
HMODULE user32 = nullptr;
TUpdateLayeredWindowFunc updateLayeredWindow = nullptr;
TAnimateWindowFunc animateWindow = nullptr;
TSetLayeredWindowAttributesFunc setLayeredWindowAttributes = nullptr;

struct TBarCursor {
  int Id;
  const char* Name;
};
constexpr TBarCursor barCursors[] = {{crdxBarDrag, "DXBARDRAGCURSOR"},
                                     {crdxBarDragCopy, "DXBARDRAGCOPYCURSOR"},
                                     {crdxBarDragNoDrop, "DXBARDRAGNODROPCURSOR"},
                                     {crdxBarEditSizing, "DXBAREDITSIZINGCURSOR"}};

template <class F> F LookUp(const char* name) {
  return user32 ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

void BindLayeredWindowFunctions() {
  user32 = LoadLibraryA("USER32");
  updateLayeredWindow = LookUp<TUpdateLayeredWindowFunc>("UpdateLayeredWindow");
  animateWindow = LookUp<TAnimateWindowFunc>("AnimateWindow");
  setLayeredWindowAttributes = LookUp<TSetLayeredWindowAttributesFunc>("SetLayeredWindowAttributes");
}

void LoadBarCursors() {
  if (!Screen) return;
  for (const TBarCursor& cursor : barCursors) {
    if (HCURSOR handle = LoadCursorA(GetModuleHandleA(nullptr), cursor.Name)) Screen->SetCursors(cursor.Id, handle);
  }
}

void StartBarUnit() {
  finalizing = false;
  BindLayeredWindowFunctions();
  CreateBarManagerList();
  RefreshDeviceConsts();
  CreateCheckerBrush();
  liveBarControls = new std::vector<TCustomdxBarControl*>;
  LoadBarCursors();
  StopMenuSound();
  CreateBarSystemController();
  CreateBarNavigationController();
}

void StopBarUnit() {
  finalizing = true;
  FreeBarNavigationController();
  FreeBarSystemController();
  delete liveBarControls;
  liveBarControls = nullptr;
  delete itemClassList;
  itemClassList = nullptr;
  FreeBarCanvas();
  FreeCheckerBrush();
  FreeBarManagerList();
  if (user32) FreeLibrary(user32);
  user32 = nullptr;
  updateLayeredWindow = nullptr;
  animateWindow = nullptr;
  setLayeredWindowAttributes = nullptr;
}
}  // namespace

const TUnitInfo dxBarUnit{"dxBar", StartBarUnit, StopBarUnit};

// ---------------------------------------------------------------------------------------------
TdxBarItemList::~TdxBarItemList() {
  for (int i = Count() - 1; i >= 0; --i) DeleteRecord(i);
}

void TdxBarItemList::Register(TClass itemClass, TClass controlClass, bool listed) {
  Add(new TRegItemRecord{itemClass, controlClass, listed});
  RegisterClass(itemClass);
}

void TdxBarItemList::Unregister(TClass itemClass) {
  for (int i = 0; i < Count(); ++i) {
    if (GetItemClass(i) == itemClass) return DeleteRecord(i);
  }
}

void TdxBarItemList::DeleteRecord(int index) {
  TRegItemRecord* record = GetRecord(index);
  UnRegisterClass(record->ItemClass);
  Delete(index);
  delete record;
}

int TdxBarItemList::GetListedCount() const {
  int count = 0;
  for (int i = 0; i < Count(); ++i) count += GetRecord(i)->Listed ? 1 : 0;
  return count;
}

TClass TdxBarItemList::GetListedEntry(int n) const {
  for (int i = 0; i < Count(); ++i) {
    if (GetRecord(i)->Listed && n-- == 0) return GetItemClass(i);
  }
  return nullptr;
}

TdxBarItemList* BarItemClassList() {
  if (!itemClassList && !finalizing) itemClassList = new TdxBarItemList;
  return itemClassList;
}

void RegisterBarItemClass(TClass itemClass, TClass controlClass, bool listed) {
  if (TdxBarItemList* list = BarItemClassList()) list->Register(itemClass, controlClass, listed);
}

// A module that stops after the bar unit finds no registry: there is nothing left to remove.
void UnregisterBarItemClass(TClass itemClass) {
  if (itemClassList) itemClassList->Unregister(itemClass);
}

TClass BarItemControlClassOf(TClass itemClass) {
  if (!itemClassList) return nullptr;
  for (int i = 0; i < itemClassList->Count(); ++i) {
    if (itemClassList->GetItemClass(i) == itemClass) return itemClassList->GetRecord(i)->ItemControlClass;
  }
  return nullptr;
}

bool IsBarUnitFinalizing() { return finalizing; }

TUpdateLayeredWindowFunc UpdateLayeredWindowFunc() { return updateLayeredWindow; }
TAnimateWindowFunc AnimateWindowFunc() { return animateWindow; }
TSetLayeredWindowAttributesFunc SetLayeredWindowAttributesFunc() { return setLayeredWindowAttributes; }

// ---------------------------------------------------------------------------------------------
void AddLiveBarControl(TCustomdxBarControl* control) {
  if (liveBarControls) liveBarControls->push_back(control);
}

// Checked: a bar window freed after the unit stopped finds no list.
void RemoveLiveBarControl(TCustomdxBarControl* control) {
  if (!liveBarControls) return;
  auto& list = *liveBarControls;
  list.erase(std::remove(list.begin(), list.end(), control), list.end());
}

bool IsBarControlAlive(TCustomdxBarControl* control) {
  return liveBarControls && std::find(liveBarControls->begin(), liveBarControls->end(), control) !=
                                liveBarControls->end();
}
