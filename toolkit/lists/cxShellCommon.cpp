#include "cxShellCommon.h"

#include <algorithm>
#include <cstring>

#include "SysUtils.h"
#include "cxStandardMask.h"

CALDERAN_IMPLEMENT_CLASS(TcxShellFolder, TObject)
CALDERAN_IMPLEMENT_CLASS(TcxShellItemInfo, TObject)
CALDERAN_IMPLEMENT_CLASS(TcxShellDetails, TObject)

namespace {

constexpr int maxItemIdCount = 260;
constexpr int copyRetries = 3;

IMalloc* shellMalloc = nullptr;
IShellFolder* desktop = nullptr;
int dummyFile = -1, dummyFolder = -1, dummyOpenFolder = -1;

using TPathFromIdW = BOOL(WINAPI*)(LPCITEMIDLIST, LPWSTR);
using TPathFromIdA = BOOL(WINAPI*)(LPCITEMIDLIST, LPSTR);

}  // namespace

// Shared with the producers' module: the shell library and its optional entry points.
HMODULE cxShellLibrary = nullptr;
void* cxSHGetFolderLocation = nullptr;
void* cxSHChangeNotifyRegister = nullptr;
void* cxSHChangeNotifyDeregister = nullptr;
static TPathFromIdA pathFromIdA = nullptr;
static TPathFromIdW pathFromIdW = nullptr;

IMalloc* ShellMalloc() {
  if (!shellMalloc) SHGetMalloc(&shellMalloc);
  return shellMalloc;
}

IShellFolder* DesktopFolder() {
  if (!desktop) SHGetDesktopFolder(&desktop);
  return desktop;
}

// ---------------------------------------------------------------------------------------------
// Identifier lists

namespace {

USHORT ItemSize(PItemIDList id) { return id->mkid.cb; }

PItemIDList AllocList(int bytes) {
  auto* list = static_cast<PItemIDList>(ShellMalloc()->Alloc(bytes));
  if (list) std::memset(list, 0, bytes);
  return list;
}

}  // namespace

PItemIDList NextItemId(PItemIDList id) {
  if (!id || ItemSize(id) == 0) return nullptr;
  return reinterpret_cast<PItemIDList>(reinterpret_cast<BYTE*>(id) + ItemSize(id));
}

int ItemIdListSize(PItemIDList list) {
  int size = 0;
  for (PItemIDList id = list; id && ItemSize(id) != 0; id = NextItemId(id)) size += ItemSize(id);
  return size;
}

int ItemIdCount(PItemIDList list) {
  int count = 0;
  for (PItemIDList id = list; id && ItemSize(id) != 0; id = NextItemId(id))
    if (++count > maxItemIdCount) return -1;
  return count;
}

PItemIDList CopyItemIdList(PItemIDList list) {
  const int size = ItemIdListSize(list);
  PItemIDList copy = AllocList(size + 4);  // the terminator and one spare word
  if (copy && size) std::memcpy(copy, list, size);
  return copy;
}

PItemIDList CopyFirstItemId(PItemIDList list) {
  const int size = list ? ItemSize(list) : 0;
  PItemIDList copy = AllocList(size + 2);
  if (copy && size) std::memcpy(copy, list, size);
  return copy;
}

PItemIDList LastItemId(PItemIDList list) {
  PItemIDList last = list;
  for (PItemIDList id = list; id && ItemSize(id) != 0; id = NextItemId(id)) last = id;
  return last;
}

PItemIDList ParentItemIdList(PItemIDList list) {
  PItemIDList last = LastItemId(list);
  const int size = last && list ? static_cast<int>(reinterpret_cast<BYTE*>(last) - reinterpret_cast<BYTE*>(list)) : 0;
  PItemIDList copy = AllocList(size + 2);
  if (copy && size) std::memcpy(copy, list, size);
  return copy;
}

PItemIDList ConcatItemIdLists(PItemIDList a, PItemIDList b) {
  if (!a && !b) return nullptr;
  if (!a) return CopyItemIdList(b);
  if (!b) return CopyItemIdList(a);
  const int sizeA = ItemIdListSize(a), sizeB = ItemIdListSize(b);
  PItemIDList result = AllocList(sizeA + sizeB + 2);
  if (!result) return nullptr;
  std::memcpy(result, a, sizeA);
  std::memcpy(reinterpret_cast<BYTE*>(result) + sizeA, b, sizeB);
  return result;
}

bool SameItemIdLists(PItemIDList a, PItemIDList b) {
  if (a == b) return true;
  if (!a || !b) return false;
  const int size = ItemIdListSize(a);
  return size == ItemIdListSize(b) && std::memcmp(a, b, size) == 0;
}

bool IsItemIdListPrefix(PItemIDList a, PItemIDList b) {
  const int sizeA = ItemIdListSize(a);
  if (sizeA == 0) return true;
  return ItemIdListSize(b) >= sizeA && std::memcmp(a, b, sizeA) == 0;
}

PItemIDList EmptyItemIdList() { return AllocList(2); }

bool SameShellIds(PItemIDList a, PItemIDList b) {
  if (SameItemIdLists(a, b)) return true;
  if (!a || !b || ItemIdCount(a) != ItemIdCount(b)) return false;
  return HRESULT_CODE(DesktopFolder()->CompareIDs(0, a, b)) == 0;
}

bool IsShellIdPrefix(PItemIDList a, PItemIDList b) {
  const int count = ItemIdCount(a);
  if (count == 0) return true;
  if (ItemIdCount(b) < count) return false;
  TItemIdListHolder head(CopyItemIdList(b));
  PItemIDList end = head.get();
  for (int i = 0; i < count; ++i) end = NextItemId(end);
  end->mkid.cb = 0;
  return SameShellIds(a, head.get());
}

PItemIDList* ItemIdListArray(const std::vector<PItemIDList>& lists) {
  auto* array = static_cast<PItemIDList*>(ShellMalloc()->Alloc(sizeof(PItemIDList) * std::max<size_t>(lists.size(), 1)));
  if (array) std::copy(lists.begin(), lists.end(), array);
  return array;
}

void FreeItemIdList(PItemIDList list) {
  if (list) ShellMalloc()->Free(list);
}

std::string ItemIdListToPath(PItemIDList list) {
  if (!list) return {};
  if (pathFromIdW) {
    WCHAR path[261] = {};
    if (!pathFromIdW(list, path)) return {};
    return WideToAnsi(std::u16string(reinterpret_cast<const char16_t*>(path)));
  }
  char path[261] = {};
  if (!pathFromIdA || !pathFromIdA(list, path)) return {};
  return path;
}

std::u16string StrRetToText(STRRET& value, PItemIDList list) {
  switch (value.uType) {
    case STRRET_WSTR: {
      std::u16string text = value.pOleStr ? reinterpret_cast<const char16_t*>(value.pOleStr) : u"";
      if (value.pOleStr) ShellMalloc()->Free(value.pOleStr);
      value.pOleStr = nullptr;
      return text;
    }
    case STRRET_OFFSET: {
      // Never beyond the first item: a text without its zero ends with the item.
      if (!list || value.uOffset >= ItemSize(list)) return {};
      const char* start = reinterpret_cast<const char*>(list) + value.uOffset;
      const size_t room = ItemSize(list) - value.uOffset;
      return AnsiToWide(std::string(start, strnlen(start, room)));
    }
    default: return AnsiToWide(std::string(value.cStr, strnlen(value.cStr, sizeof(value.cStr))));
  }
}

std::u16string GetItemDisplayName(IShellFolder* folder, PItemIDList child, DWORD flags) {
  STRRET name{};
  if (!folder || FAILED(folder->GetDisplayNameOf(child, flags, &name))) return {};
  return StrRetToText(name, child);
}

SHORT CompareIds(IShellFolder* folder, PItemIDList a, PItemIDList b) {
  return static_cast<SHORT>(HRESULT_CODE(folder->CompareIDs(0, a, b)));
}

// ---------------------------------------------------------------------------------------------
// One folder

TcxShellFolder::TcxShellFolder(PItemIDList fullId) : FullId(fullId) {
  if (ItemIdCount(fullId) > 1) {
    TItemIdListHolder parent(ParentItemIdList(fullId));
    if (FAILED(DesktopFolder()->BindToObject(parent.get(), nullptr, IID_IShellFolder,
                                            reinterpret_cast<void**>(&ParentFolder))))
      ParentFolder = nullptr;
    ChildId = CopyItemIdList(LastItemId(fullId));
  } else {
    ParentFolder = DesktopFolder();
    ParentFolder->AddRef();
    ChildId = CopyItemIdList(fullId);
  }
}

TcxShellFolder::~TcxShellFolder() {
  FreeItemIdList(ChildId);
  if (ParentFolder) ParentFolder->Release();
}

// ---------------------------------------------------------------------------------------------
// Items

TcxShellItemInfo::TcxShellItemInfo(TcxCustomItemProducer* producer, IShellFolder* parentFolder,
                                   PItemIDList parentList, PItemIDList relative)
    : Producer(producer) {
  for (int attempt = 0; !RelativeId; ++attempt) {
    RelativeId = CopyItemIdList(relative);
    if (!RelativeId && attempt + 1 >= copyRetries) throw EOutOfResources("Out of memory");
  }
  LoadBasics(parentFolder, RelativeId);
  AbsoluteId = ConcatItemIdLists(parentList, RelativeId);
  FolderInfo = new TcxShellFolder(AbsoluteId);
}

TcxShellItemInfo::~TcxShellItemInfo() {
  delete FolderInfo;
  FreeItemIdList(AbsoluteId);
  FreeItemIdList(RelativeId);
}

void TcxShellItemInfo::LoadBasics(IShellFolder* folder, PItemIDList relative) {
  if (BasicsKnown) return;
  SFGAOF attributes = SFGAO_FOLDER;
  LPCITEMIDLIST child = relative;
  if (folder && SUCCEEDED(folder->GetAttributesOf(1, &child, &attributes))) {
    IsContainer = attributes & SFGAO_FOLDER;
  } else {
    IsContainer = InFileSystem = false;
    AcceptsDrops = Renamable = true;
  }
  MayHaveChildren = IsContainer;
  DisplayName = GetItemDisplayName(folder, relative);
  ImageIndex = IsContainer ? DummyFolderImageIndex() : DummyFileImageIndex();
  OpenImageIndex = IsContainer ? DummyOpenFolderImageIndex() : DummyFileImageIndex();
  BasicsKnown = true;
}

void TcxShellItemInfo::QueryAttributes(IShellFolder* folder) {
  LPCITEMIDLIST child = RelativeId;
  SFGAOF a = SFGAO_FILESYSTEM;
  if (SUCCEEDED(folder->GetAttributesOf(1, &child, &a))) InFileSystem = a & SFGAO_FILESYSTEM;
  a = 0x20B0000;
  if (SUCCEEDED(folder->GetAttributesOf(1, &child, &a))) {
    IsHiddenItem = a & SFGAO_HIDDEN;
    IsShared = a & SFGAO_SHARE;
    IsShortcut = a & SFGAO_LINK;
    IsRemovableMedia = a & SFGAO_REMOVABLE;
  }
  a = 0x177;
  if (SUCCEEDED(folder->GetAttributesOf(1, &child, &a))) {
    AcceptsDrops = a & SFGAO_DROPTARGET;
    Renamable = a & SFGAO_CANRENAME;
  }
}

void TcxShellItemInfo::QueryIcons(PItemIDList full) {
  SHFILEINFOW info{};
  if (SHGetFileInfoW(reinterpret_cast<LPCWSTR>(full), 0, &info, sizeof(info),
                     SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_TYPENAME))
    ImageIndex = info.iIcon;
  if (!IsContainer) {
    OpenImageIndex = ImageIndex;
    return;
  }
  if (SHGetFileInfoW(reinterpret_cast<LPCWSTR>(full), 0, &info, sizeof(info),
                     SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_TYPENAME | SHGFI_OPENICON))
    OpenImageIndex = info.iIcon;
}

void TcxShellItemInfo::FetchInfo(IShellFolder* folder, PItemIDList folderList) {
  if (Fetched || Fetching.exchange(true)) return;
  struct TClear {
    std::atomic<bool>& flag;
    ~TClear() { flag = false; }
  } clear{Fetching};
  if (!RelativeId) throw EAssertionFailed("Item object not initialized (cxShellCommon, line 2353)");
  TItemIdListHolder full(ConcatItemIdLists(folderList, RelativeId));
  LoadBasics(folder, RelativeId);
  if (folder) QueryAttributes(folder);
  QueryIcons(full.get());
  Fetched = true;
}

void TcxShellItemInfo::ReplaceId(IShellFolder* folder, PItemIDList folderList, PItemIDList newRelative) {
  if (!newRelative) return;
  PItemIDList copy = CopyItemIdList(newRelative);
  if (!copy) return;
  FreeItemIdList(RelativeId);
  RelativeId = copy;
  FreeItemIdList(AbsoluteId);
  AbsoluteId = ConcatItemIdLists(folderList, RelativeId);
  delete FolderInfo;
  FolderInfo = new TcxShellFolder(AbsoluteId);
  BasicsKnown = false;
  LoadBasics(folder, RelativeId);
  Fetched = false;
  FetchInfo(folder, folderList);
}

// ---------------------------------------------------------------------------------------------
// Placeholder icons and small routines

namespace {

int CachedIconIndex(int& cache, const char* path, DWORD attributes, UINT flags) {
  if (cache == -1) {
    SHFILEINFOA info{};
    if (SHGetFileInfoA(path, attributes, &info, sizeof(info), flags)) cache = info.iIcon;
  }
  return cache;
}

}  // namespace

int DummyFileImageIndex() {
  return CachedIconIndex(dummyFile, "C:\\CXDUMMYFILE.TXT", FILE_ATTRIBUTE_NORMAL, 0x4010);
}
int DummyFolderImageIndex() {
  return CachedIconIndex(dummyFolder, "C:\\CXDUMMYFOLDER", FILE_ATTRIBUTE_DIRECTORY, 0x4010);
}
int DummyOpenFolderImageIndex() {
  return CachedIconIndex(dummyOpenFolder, "C:\\CXDUMMYFOLDER", FILE_ATTRIBUTE_DIRECTORY, 0x4012);
}

// Sizes are shown in thousands groups through the standard edit mask; blank positions vanish.
std::string FormatSizeKB(const std::string& digits) {
  TcxStandardMask mask;
  mask.CompileMask("!### ### ### KB;0;*");
  std::string text = digits;
  mask.PlaceText(text, false, false);
  std::replace(text.begin(), text.end(), mask.BlankChar(), ' ');
  text.erase(0, text.find_first_not_of(' '));
  return text;
}

std::string FileSizeKBText(uint64_t bytes) { return FormatSizeKB(std::to_string((bytes + 1023) / 1024)); }

namespace {

std::string ClassesDefaultValue(const std::string& key) {
  char value[256] = {};
  LONG size = sizeof(value);
  if (RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), value, &size) != ERROR_SUCCESS) return {};
  return std::string(value, strnlen(value, sizeof(value)));
}

}  // namespace

std::string FileTypeName(const std::string& fileName) {
  const std::string extension = ExtractFileExt(fileName);
  if (extension.empty()) return {};
  const std::string type = ClassesDefaultValue(extension);
  return type.empty() ? std::string() : ClassesDefaultValue(type);
}

TDateTime LocalFileTimeToDateTime(const FILETIME& time) {
  FILETIME local;
  SYSTEMTIME system;
  if (!FileTimeToLocalFileTime(&time, &local) || !FileTimeToSystemTime(&local, &system)) return -1;
  try {
    return EncodeDate(system.wYear, system.wMonth, system.wDay) +
           (system.wHour * 3600000.0 + system.wMinute * 60000.0 + system.wSecond * 1000.0 + system.wMilliseconds) /
               86400000.0;
  } catch (const Exception&) {
    return -1;
  }
}

// ---------------------------------------------------------------------------------------------
// Children probe

namespace {

bool IsFolderItem(IShellFolder* parent, PItemIDList absolute) {
  LPCITEMIDLIST last = LastItemId(absolute);
  SFGAOF attributes = SFGAO_FOLDER;
  return parent && SUCCEEDED(parent->GetAttributesOf(1, &last, &attributes)) && (attributes & SFGAO_FOLDER);
}

// Answers -1 when the folder has no path the desktop parses back.
int ProbeFileSystem(PItemIDList absolute, DWORD enumFlags) {
  std::string path = ItemIdListToPath(absolute);
  if (path.empty()) return -1;
  LPITEMIDLIST parsed = nullptr;
  const std::u16string wide = AnsiToWide(path);
  if (FAILED(DesktopFolder()->ParseDisplayName(nullptr, nullptr, reinterpret_cast<LPWSTR>(const_cast<char16_t*>(wide.c_str())),
                                              nullptr, &parsed, nullptr)))
    return -1;
  FreeItemIdList(parsed);
  if (path.back() == '\\') path.pop_back();
  DWORD filter = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
  if (enumFlags & SHCONTF_FOLDERS) filter |= FILE_ATTRIBUTE_DIRECTORY;
  if (enumFlags & SHCONTF_INCLUDEHIDDEN) filter |= FILE_ATTRIBUTE_HIDDEN;
  constexpr DWORD special = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY | 8 /* volume label */;
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((path + "\\*.*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return 0;
  bool found = false;
  do {
    if (entry.dwFileAttributes & special & ~filter) continue;
    found = std::strcmp(entry.cFileName, ".") != 0 && std::strcmp(entry.cFileName, "..") != 0;
  } while (!found && FindNextFileA(search, &entry));
  FindClose(search);
  return found ? 1 : 0;
}

}  // namespace

bool ProbeForChildren(IShellFolder* parent, PItemIDList absolute, DWORD enumFlags) {
  if (!IsFolderItem(parent, absolute)) return false;
  LPCITEMIDLIST last = LastItemId(absolute);
  if (!(enumFlags & SHCONTF_NONFOLDERS)) {
    SFGAOF attributes = SFGAO_HASSUBFOLDER;
    return SUCCEEDED(parent->GetAttributesOf(1, &last, &attributes)) && (attributes & SFGAO_HASSUBFOLDER);
  }
  const int probe = ProbeFileSystem(absolute, enumFlags);
  if (probe >= 0) return probe == 1;
  TcxComPtr<IShellFolder> folder;
  if (FAILED(parent->BindToObject(last, nullptr, IID_IShellFolder, folder.OutVoid()))) return false;
  TcxComPtr<IEnumIDList> items;
  if (folder->EnumObjects(nullptr, enumFlags, items.Out()) != S_OK || !items) return false;
  PITEMID_CHILD child = nullptr;
  ULONG fetched = 0;
  const bool any = items->Next(1, &child, &fetched) == S_OK && fetched == 1;
  FreeItemIdList(child);
  return any;
}

// ---------------------------------------------------------------------------------------------
// Unit start-up

namespace {

void StartShellCommon() {
  OleInitialize(nullptr);
  cxShellLibrary = LoadLibraryA("shell32.dll");
  if (cxShellLibrary) {
    cxSHGetFolderLocation = reinterpret_cast<void*>(GetProcAddress(cxShellLibrary, "SHGetFolderLocation"));
    cxSHChangeNotifyRegister = reinterpret_cast<void*>(GetProcAddress(cxShellLibrary, MAKEINTRESOURCEA(2)));
    cxSHChangeNotifyDeregister = reinterpret_cast<void*>(GetProcAddress(cxShellLibrary, MAKEINTRESOURCEA(4)));
    pathFromIdA = reinterpret_cast<TPathFromIdA>(GetProcAddress(cxShellLibrary, "SHGetPathFromIDListA"));
    pathFromIdW = reinterpret_cast<TPathFromIdW>(GetProcAddress(cxShellLibrary, "SHGetPathFromIDListW"));
  }
}

}  // namespace

void StopAllGatherers();

static void StopShellCommon() {
  StopAllGatherers();
  if (desktop) desktop->Release();
  desktop = nullptr;
  if (shellMalloc) shellMalloc->Release();
  shellMalloc = nullptr;
  dummyFile = dummyFolder = dummyOpenFolder = -1;
  if (cxShellLibrary) FreeLibrary(cxShellLibrary);
  cxShellLibrary = nullptr;
  cxSHGetFolderLocation = cxSHChangeNotifyRegister = cxSHChangeNotifyDeregister = nullptr;
  pathFromIdA = nullptr;
  pathFromIdW = nullptr;
  OleUninitialize();
}

constinit const TUnitInfo cxShellCommonUnit{"cxShellCommon", StartShellCommon, StopShellCommon};
