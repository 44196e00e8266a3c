// Report columns and detail texts, drag settings and the drop source, the shell's context menu
// and change notification.
#include "Controls.h"
#include "SysUtils.h"
#include "cxClasses.h"
#include "cxControls.h"
#include "cxShellCommon.h"

CALDERAN_IMPLEMENT_CLASS(TcxDragDropSettings, TPersistent)

CX_RESOURCESTRING(cxSShellNameColumn, 0xCC40, "Name")
CX_RESOURCESTRING(cxSShellSizeColumn, 0xCC41, "Size")
CX_RESOURCESTRING(cxSShellTypeColumn, 0xCC42, "Type")
CX_RESOURCESTRING(cxSShellModifiedColumn, 0xCC43, "Modified")

extern void* cxSHChangeNotifyRegister;
extern void* cxSHChangeNotifyDeregister;

namespace {

constexpr int colStateOnByDefault = 0x10, colStateHidden = 0x100;

TcxDetailAlignment AlignmentOf(int format) {
  switch (format & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT: return cxdaRight;
    case LVCFMT_CENTER: return cxdaCenter;
    default: return cxdaLeft;
  }
}

bool IsBeforeXP() {
  OSVERSIONINFOA version{sizeof(version)};
  GetVersionExA(&version);
  return version.dwMajorVersion < 5 || (version.dwMajorVersion == 5 && version.dwMinorVersion == 0);
}

// A details provider of the folder, asked in the order the shell offers one.
TcxComPtr<IShellDetails> DetailsProvider(IShellFolder* folder, HWND window, PItemIDList item) {
  TcxComPtr<IShellDetails> details;
  if (SUCCEEDED(folder->QueryInterface(IID_IShellDetails, details.OutVoid())) && details) return details;
  if (SUCCEEDED(folder->GetUIObjectOf(window, 0, nullptr, IID_IShellDetails, nullptr, details.OutVoid())) && details)
    return details;
  if (SUCCEEDED(folder->CreateViewObject(window, IID_IShellDetails, details.OutVoid())) && details) return details;
  LPCITEMIDLIST child = item;
  if (item && SUCCEEDED(folder->GetUIObjectOf(window, 1, &child, IID_IShellDetails, nullptr, details.OutVoid())))
    return details;
  return {};
}

void AddColumn(TcxShellDetails& columns, const SHELLDETAILS& header, int charWidth, int column) {
  TcxDetailItem& item = columns.Add();
  STRRET text = header.str;
  item.Caption = WideToAnsi(StrRetToText(text, nullptr));
  item.PixelWidth = header.cxChar * charWidth;
  item.TextAlignment = AlignmentOf(header.fmt);
  item.SourceColumn = column;
}

}  // namespace

TcxDetailItem& TcxShellDetails::Add() { return items_.emplace_back(); }

bool TcxShellDetails::BuildFromFolder2(int charWidth, IShellFolder* folder) {
  TcxComPtr<IShellFolder2> folder2;
  if (FAILED(folder->QueryInterface(IID_IShellFolder2, folder2.OutVoid())) || !folder2) return false;
  bool anyDefault = false;
  for (UINT column = 0;; ++column) {
    SHELLDETAILS header{};
    if (FAILED(folder2->GetDetailsOf(nullptr, column, &header))) break;
    SHCOLSTATEF state = 0;
    if (SUCCEEDED(folder2->GetDefaultColumnState(column, &state))) {
      const bool shown = state & colStateOnByDefault;
      if (!shown && anyDefault && IsBeforeXP()) break;
      anyDefault = anyDefault || shown;
      if (!shown || (state & colStateHidden)) {
        StrRetToText(header.str, nullptr);  // frees a wide text
        continue;
      }
    }
    AddColumn(*this, header, charWidth, static_cast<int>(column));
  }
  return true;
}

bool TcxShellDetails::BuildFromDetails(int charWidth, IShellFolder* folder) {
  TcxComPtr<IShellDetails> details = DetailsProvider(folder, nullptr, nullptr);
  if (!details) return false;
  for (UINT column = 0;; ++column) {
    SHELLDETAILS header{};
    if (FAILED(details->GetDetailsOf(nullptr, column, &header))) break;
    AddColumn(*this, header, charWidth, static_cast<int>(column));
  }
  return true;
}

void TcxShellDetails::BuildColumns(int charWidth, IShellFolder* folder, bool inFileSystem) {
  Clear();
  if (folder && (BuildFromFolder2(charWidth, folder) || BuildFromDetails(charWidth, folder))) return;
  struct TFixed {
    const TcxResourceString* Caption;
    int Chars;
    TcxDetailAlignment Alignment;
  };
  static constexpr TFixed fixed[] = {{&cxSShellNameColumn, 25, cxdaLeft},
                                     {&cxSShellSizeColumn, 10, cxdaRight},
                                     {&cxSShellTypeColumn, 10, cxdaLeft},
                                     {&cxSShellModifiedColumn, 14, cxdaLeft}};
  const int count = inFileSystem ? 4 : 1;
  for (int i = 0; i < count; ++i) {
    TcxDetailItem& item = Add();
    item.Caption = LoadToolkitString(*fixed[i].Caption);
    item.PixelWidth = fixed[i].Chars * charWidth;
    item.TextAlignment = fixed[i].Alignment;
    item.SourceColumn = i;
  }
}

namespace {

template <class TProvider>
void AddProviderTexts(TcxShellItemInfo* item, TProvider* provider, const TcxShellDetails& columns) {
  for (int i = 0; i < columns.Count(); ++i) {
    const int source = columns.Item(i).SourceColumn;
    if (source == 0) continue;
    SHELLDETAILS details{};
    if (SUCCEEDED(provider->GetDetailsOf(item->RelativeId, source, &details)))
      item->DetailTexts.push_back(WideToAnsi(StrRetToText(details.str, item->RelativeId)));
    else
      item->DetailTexts.emplace_back();
  }
}

void AddFileTexts(TcxShellItemInfo* item, IShellFolder* folder) {
  const std::string path = WideToAnsi(GetItemDisplayName(folder, item->RelativeId, SHGDN_FORPARSING));
  WIN32_FIND_DATAA data;
  HANDLE found = FindFirstFileA(path.c_str(), &data);
  if (found == INVALID_HANDLE_VALUE) return;
  FindClose(found);
  const uint64_t size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  item->DetailTexts.push_back(FileSizeKBText(size));
  item->DetailTexts.push_back(FileTypeName(data.cFileName));
  item->DetailTexts.push_back(DateTimeToStr(LocalFileTimeToDateTime(data.ftLastWriteTime)));
}

}  // namespace

void LoadItemDetailTexts(TcxShellItemInfo* item, HWND window, IShellFolder* folder, const TcxShellDetails& columns) {
  item->DetailTexts.clear();
  if (!folder) return;
  TcxComPtr<IShellFolder2> folder2;
  if (SUCCEEDED(folder->QueryInterface(IID_IShellFolder2, folder2.OutVoid())) && folder2)
    return AddProviderTexts(item, folder2.Get(), columns);
  if (TcxComPtr<IShellDetails> details = DetailsProvider(folder, window, item->RelativeId))
    return AddProviderTexts(item, details.Get(), columns);
  if (item->InFileSystem) AddFileTexts(item, folder);
}

// ---------------------------------------------------------------------------------------------
// Drag settings and the drop source

void TcxDragDropSettings::SetAllowDragObjects(bool value) {
  if (value == allowDragObjects_) return;
  allowDragObjects_ = value;
  if (OnChange) OnChange(this);
}

namespace {
constexpr DWORD effectValues[] = {DROPEFFECT_COPY, DROPEFFECT_MOVE, DROPEFFECT_LINK};
}

DWORD TcxDragDropSettings::DefaultDropEffectValue() const { return effectValues[defaultDropEffect_]; }

DWORD TcxDragDropSettings::AllowedEffects() const {
  DWORD mask = 0;
  for (TcxDropEffect effect : {deCopy, deMove, deLink})
    if (dropEffect_.Contains(effect)) mask |= effectValues[effect];
  return mask;
}

HRESULT STDMETHODCALLTYPE TcxDropSource::QueryInterface(REFIID riid, void** out) {
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropSource)) {
    *out = static_cast<IDropSource*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TcxDropSource::Release() {
  const ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

HRESULT STDMETHODCALLTYPE TcxDropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState) {
  if (escapePressed) return DRAGDROP_S_CANCEL;
  if (keyState & (MK_LBUTTON | MK_RBUTTON)) return S_OK;
  return DRAGDROP_S_DROP;
}

// ---------------------------------------------------------------------------------------------
// Context menus

namespace {

// Passes the menu's drawing and sub-menu messages to the shell's second-level menu interface.
class TcxContextMenuMessageWindow : public TcxMessageWindow {
 public:
  explicit TcxContextMenuMessageWindow(IContextMenu2* menu) : menu_(menu) {}

 protected:
  void WndProc(TMessage& m) override {
    switch (m.Msg) {
      case WM_INITMENUPOPUP:
      case WM_DRAWITEM:
      case WM_MEASUREITEM:
        menu_->HandleMenuMsg(m.Msg, m.WParam, m.LParam);
        m.Result = m.Msg == WM_INITMENUPOPUP ? 0 : 1;
        return;
      default: TcxMessageWindow::WndProc(m);
    }
  }

 private:
  IContextMenu2* menu_;
};

}  // namespace

void ShowShellContextMenu(HWND window, IShellFolder* folder, const std::vector<PItemIDList>& lists, POINT screen) {
  if (!folder || lists.empty()) return;
  std::unique_ptr<PItemIDList, void (*)(PItemIDList*)> array(ItemIdListArray(lists),
                                                             [](PItemIDList* a) { ShellMalloc()->Free(a); });
  TcxComPtr<IContextMenu> menu;
  if (FAILED(folder->GetUIObjectOf(window, static_cast<UINT>(lists.size()), const_cast<LPCITEMIDLIST*>(
                                       reinterpret_cast<LPITEMIDLIST*>(array.get())),
                                   IID_IContextMenu, nullptr, menu.OutVoid())) ||
      !menu)
    return;
  HMENU popup = CreatePopupMenu();
  menu->QueryContextMenu(popup, 0, 1, 0x7FFF, 0);
  TcxComPtr<IContextMenu2> menu2;
  std::unique_ptr<TcxContextMenuMessageWindow> messages;
  if (SUCCEEDED(menu->QueryInterface(IID_IContextMenu2, menu2.OutVoid())) && menu2)
    messages = std::make_unique<TcxContextMenuMessageWindow>(menu2.Get());
  const HWND owner = messages ? messages->Handle() : window;
  const UINT command = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, owner, nullptr);
  if (command != 0) {
    CMINVOKECOMMANDINFO info{};
    info.cbSize = 36;
    info.hwnd = window;
    info.lpVerb = MAKEINTRESOURCEA(command - 1);
    info.nShow = SW_SHOWNORMAL;
    menu->InvokeCommand(&info);
  }
  DestroyMenu(popup);
}

// ---------------------------------------------------------------------------------------------
// Change notification

namespace {

struct TChangeEntry {
  LPCITEMIDLIST List;
  BOOL Recursive;
};
using TRegisterNotify = ULONG(WINAPI*)(HWND, int, LONG, UINT, int, const TChangeEntry*);
using TDeregisterNotify = BOOL(WINAPI*)(ULONG);
constexpr int changeSources = 3;        // interrupt-level and shell-level
constexpr LONG changeEvents = 0x2B81F;  // renames, creations, deletions, attributes, updates, images

}  // namespace

bool ChangeNotificationAvailable() { return cxSHChangeNotifyRegister && cxSHChangeNotifyDeregister; }

void RegisterChangeNotify(PItemIDList folder, HWND window, UINT message, TcxChangeRegistration& state,
                          bool recursive) {
  if (state.List && SameItemIdLists(state.List, folder)) return;
  CancelChangeNotify(state);
  state.List = CopyItemIdList(folder);
  if (!cxSHChangeNotifyRegister) return;
  const TChangeEntry entry{state.List, recursive};
  state.Id = reinterpret_cast<TRegisterNotify>(cxSHChangeNotifyRegister)(window, changeSources, changeEvents,
                                                                          message, 1, &entry);
}

void CancelChangeNotify(TcxChangeRegistration& state) {
  if (state.Id != 0) {
    if (cxSHChangeNotifyDeregister) reinterpret_cast<TDeregisterNotify>(cxSHChangeNotifyDeregister)(state.Id);
    state.Id = 0;
    FreeItemIdList(state.List);
    state.List = nullptr;
  }
}
