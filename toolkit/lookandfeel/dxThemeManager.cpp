#include "dxThemeManager.h"

#include <string>
#include <vector>

#include "Controls.h"
#include "dxUxTheme.h"

CALDERAN_IMPLEMENT_CLASS(TdxThemeChangedNotificator, TObject)

namespace {

const WCHAR* const defaultClassNames[dxThemedObjectTypeCount] = {
    L"Button", L"Clock", L"ComboBox", L"Edit", L"ExplorerBar", L"Header", L"ListBox", L"ListView", L"Menu",
    L"Page", L"Progress", L"Rebar", L"ScrollBar", L"Spin", L"StartPanel", L"Status", L"Tab", L"TaskBand",
    L"TaskBar", L"ToolBar", L"ToolTip", L"TrackBar", L"TrayNotify", L"TreeView", L"Window"};

struct TdxThemeData {
  HTHEME Handle = nullptr;
  std::u16string ClassList;  // the list the handle was opened with; kept after CloseAllThemes
};

TdxThemeData* themeCache = nullptr;  // dxThemedObjectTypeCount entries while the unit runs
bool themesActive = false;
std::vector<TdxThemeChangedNotificator*>* subscribers = nullptr;  // exists only with the library loaded
HWND receiverWindow = nullptr;

const WCHAR* AsWide(const std::u16string& s) { return reinterpret_cast<const WCHAR*>(s.c_str()); }

std::u16string UpperCaseInUserLocale(const WCHAR* s) {
  int length = lstrlenW(s);
  if (length == 0) return {};
  std::u16string result(length, u'\0');
  LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, s, length, reinterpret_cast<WCHAR*>(result.data()), length);
  return result;
}

void NotifySubscribers() {
  if (!subscribers) return;
  // Walked by index: a subscriber may join others while its handler runs.
  for (size_t i = 0; i < subscribers->size(); ++i) {
    TdxThemeChangedNotificator* n = (*subscribers)[i];
    if (n->OnThemeChanged) n->OnThemeChanged();
  }
}

LRESULT CALLBACK ReceiverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_THEMECHANGED) return DefWindowProcA(window, message, wParam, lParam);
  GuardedCall([&] {
    CloseAllThemes();
    DefWindowProcA(window, message, wParam, lParam);
    themesActive = UxIsThemeActive() != 0;
    NotifySubscribers();
  });
  return 0;
}

void CreateReceiver() { receiverWindow = CreateBroadcastWindow(dxThemeChangedReceiverClassName, ReceiverWindowProc); }

void DestroyReceiver() {
  themesActive = false;
  DestroyBroadcastWindow(receiverWindow, dxThemeChangedReceiverClassName);
  receiverWindow = nullptr;
}

void StartThemeManager() {
  themeCache = new TdxThemeData[dxThemedObjectTypeCount];
  if (!IsVisualStylesLibraryLoaded()) return;
  themesActive = UxIsThemeActive() != 0;
  CreateReceiver();
  subscribers = new std::vector<TdxThemeChangedNotificator*>();
}

void StopThemeManager() {
  if (IsVisualStylesLibraryLoaded()) {
    DestroyReceiver();
    CloseAllThemes();
    delete subscribers;
    subscribers = nullptr;
  }
  themesActive = false;
  delete[] themeCache;
  themeCache = nullptr;
}

}  // namespace

constinit const TUnitInfo dxThemeManagerUnit{"dxThemeManager", StartThemeManager, StopThemeManager};

bool ThemesActive() { return themesActive; }

bool AreThemeKindsAvailable(TdxThemedObjectTypes kinds) {
  if (!themesActive || !IsVisualStylesLibraryLoaded()) return false;
  for (int k = 0; k < dxThemedObjectTypeCount; ++k) {
    auto kind = static_cast<TdxThemedObjectType>(k);
    if (kinds.Contains(kind) && !OpenThemeByKind(kind)) return false;
  }
  return true;
}

bool IsThemeKindAvailable(TdxThemedObjectType kind) {
  return themesActive && IsVisualStylesLibraryLoaded() && OpenThemeByKind(kind) != nullptr;
}

HTHEME OpenThemeByKind(TdxThemedObjectType kind, const WCHAR* classList) {
  if (!AreThemeKindsAvailable({}) || !themeCache) return nullptr;
  TdxThemeData& entry = themeCache[kind];
  if (entry.Handle) {
    if (!classList || SameClassList(AsWide(entry.ClassList), classList)) return entry.Handle;
    CloseThemeOfKind(kind);
  }
  std::u16string list;
  if (classList)
    list = reinterpret_cast<const char16_t*>(classList);
  else if (!entry.ClassList.empty())
    list = entry.ClassList;
  else
    list = reinterpret_cast<const char16_t*>(defaultClassNames[kind]);
  entry.Handle = UxOpenThemeData(nullptr, AsWide(list));
  if (entry.Handle)
    entry.ClassList = list;
  else
    entry.ClassList.clear();
  return entry.Handle;
}

HRESULT CloseThemeOfKind(TdxThemedObjectType kind) {
  if (!AreThemeKindsAvailable({}) || !themeCache) return 1;
  TdxThemeData& entry = themeCache[kind];
  if (!entry.Handle) return 0;
  HRESULT result = UxCloseThemeData(entry.Handle);
  entry.Handle = nullptr;
  entry.ClassList.clear();
  return result;
}

void CloseAllThemes() {
  if (!themeCache) return;
  for (int k = 0; k < dxThemedObjectTypeCount; ++k) {
    if (!themeCache[k].Handle) continue;
    UxCloseThemeData(themeCache[k].Handle);
    themeCache[k].Handle = nullptr;
  }
}

bool SameClassList(const WCHAR* a, const WCHAR* b) { return UpperCaseInUserLocale(a) == UpperCaseInUserLocale(b); }

TdxThemeChangedNotificator::TdxThemeChangedNotificator() {
  if (IsVisualStylesLibraryLoaded() && subscribers) subscribers->push_back(this);
}

TdxThemeChangedNotificator::~TdxThemeChangedNotificator() {
  if (!subscribers) return;
  for (auto it = subscribers->begin(); it != subscribers->end(); ++it)
    if (*it == this) {
      subscribers->erase(it);
      break;
    }
}
