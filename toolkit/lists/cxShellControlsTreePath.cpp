// The shell tree's Path: texts resolved to identifier lists (drive, root-relative, UNC and class
// paths, display-name walks, names below the root and the special-folder table) and back.
#include <cctype>

#include "SysUtils.h"
#include "cxShellControls.h"

namespace {

constexpr int filterNonFolders = 1, filterFolders = 2, filterHidden = 4;
const char desktopMarker[] = "::{9C211B58-E6F1-456A-9F22-7B3B418A7BB1}";
const char rootMarker[] = "::{63BE9ADB-E4B5-4623-96AA-57440B4EF5A8}";
constexpr size_t markerLength = 40;

struct TcxShellSpecialFolderInfoTableItem {
  SFGAOF Attributes = 0;
  PItemIDList Id = nullptr;
  std::u16string DisplayName;
  std::string UpperDisplayName;
};
std::vector<TcxShellSpecialFolderInfoTableItem>* specialFolders = nullptr;

DWORD EnumFlagsOf(int filter) {
  return (filter & filterNonFolders ? SHCONTF_NONFOLDERS : 0) | (filter & filterFolders ? SHCONTF_FOLDERS : 0) |
         (filter & filterHidden ? SHCONTF_INCLUDEHIDDEN : 0);
}

bool PassesFilter(SFGAOF attributes, int filter) {
  if ((attributes & SFGAO_HIDDEN) && !(filter & filterHidden)) return false;
  return (attributes & SFGAO_FOLDER) ? (filter & filterFolders) != 0 : (filter & filterNonFolders) != 0;
}

SFGAOF AttributesOf(PItemIDList absolute) {
  SHFILEINFOW info{};
  info.dwAttributes = SFGAO_FOLDER | SFGAO_HIDDEN;
  if (!SHGetFileInfoW(reinterpret_cast<LPCWSTR>(absolute), 0, &info, sizeof(info),
                      SHGFI_PIDL | SHGFI_ATTRIBUTES | SHGFI_ATTR_SPECIFIED))
    return 0;
  return info.dwAttributes;
}

bool IsDriveLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

// Finds the child of a folder whose in-folder name is the text (case ignored); a new relative list.
PItemIDList FindChildByName(IShellFolder* folder, const std::string& upperName, int filter) {
  TcxComPtr<IEnumIDList> items;
  if (!folder || folder->EnumObjects(nullptr, EnumFlagsOf(filter), items.Out()) != S_OK || !items) return nullptr;
  for (;;) {
    PITEMID_CHILD child = nullptr;
    ULONG fetched = 0;
    if (items->Next(1, &child, &fetched) != S_OK || !fetched || !child) return nullptr;
    if (AnsiUpperCase(WideToAnsi(GetItemDisplayName(folder, child))) == upperName) return child;
    FreeItemIdList(child);
  }
}

std::vector<std::string> SplitParts(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t at; (at = text.find('\\', start)) != std::string::npos; start = at + 1)
    parts.push_back(text.substr(start, at - start));
  parts.push_back(text.substr(start));
  return parts;
}

}  // namespace

// The special folders 0 to 34 as their parents name them. Built when a typed path is first
// resolved, not when the module starts: asking the shell for 35 folders costs the program's start-up
// tens of milliseconds that most runs never need.
void BuildShellSpecialFolders() {
  if (specialFolders) return;
  specialFolders = new std::vector<TcxShellSpecialFolderInfoTableItem>(35);
  for (int csidl = 0; csidl < 35; ++csidl) {
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &list)) || !list) continue;
    TcxShellSpecialFolderInfoTableItem& entry = (*specialFolders)[csidl];
    entry.Id = list;
    TcxShellFolder folder(list);
    if (!folder.ParentFolder) continue;
    entry.DisplayName = GetItemDisplayName(folder.ParentFolder, folder.ChildId, SHGDN_NORMAL);
    entry.UpperDisplayName = AnsiUpperCase(WideToAnsi(entry.DisplayName));
    LPCITEMIDLIST child = folder.ChildId;
    SFGAOF attributes = SFGAO_FOLDER | SFGAO_HIDDEN;
    if (FAILED(folder.ParentFolder->GetAttributesOf(1, &child, &attributes))) throw EcxEditError("");
    entry.Attributes = attributes;
  }
}

void FreeShellSpecialFolders() {
  if (!specialFolders) return;
  for (auto& entry : *specialFolders) FreeItemIdList(entry.Id);
  delete specialFolders;
  specialFolders = nullptr;
}

std::string TcxCustomInnerShellTreeView::Path() {
  HTREEITEM node = Selected();
  if (!node) return {};
  TItemIdListHolder list(NodeAbsoluteId(node));
  return ItemIdListToPath(list.get());
}

void TcxCustomInnerShellTreeView::SetPath(const std::string& value) {
  if (!HandleAllocated() || value == Path()) return;
  TItemIdListHolder list(ResolvePath(value, FilterFlags() | filterHidden));
  if (!list) return;
  SendMessageA(Handle(), CXSM_SELECTBYID, reinterpret_cast<WPARAM>(list.get()), 0);
  ShowInLinkedList(Selected());
}

// A text inside a folder: parsed by the folder when it can, else the first child of that name.
PItemIDList TcxCustomInnerShellTreeView::ResolveChild(IShellFolder* folder, PItemIDList folderList,
                                                      const std::u16string& text, int filter) {
  if (!folder) return nullptr;
  std::u16string name = text;
  LPITEMIDLIST parsed = nullptr;
  if (SUCCEEDED(folder->ParseDisplayName(nullptr, nullptr, reinterpret_cast<LPWSTR>(name.data()), nullptr, &parsed,
                                         nullptr)) &&
      parsed) {
    PItemIDList absolute = ConcatItemIdLists(folderList, parsed);
    FreeItemIdList(parsed);
    if (PassesFilter(AttributesOf(absolute), filter)) return absolute;
    FreeItemIdList(absolute);
    return nullptr;
  }
  TItemIdListHolder child(FindChildByName(folder, AnsiUpperCase(WideToAnsi(text)), filter));
  return child ? ConcatItemIdLists(folderList, child.get()) : nullptr;
}

// Walks display names from the desktop or the root; a part that names no child ends the walk with
// no result (looking the next part up in the same folder would select an unrelated folder).
PItemIDList TcxCustomInnerShellTreeView::DisplayNameWalk(const std::string& rest, bool fromRoot, int filter) {
  TItemIdListHolder current(fromRoot ? CopyItemIdList(root_->RootId()) : EmptyItemIdList());
  if (rest.empty()) return current.release();
  TcxComPtr<IShellFolder> folder;
  if (ItemIdCount(current.get()) == 0) {
    DesktopFolder()->AddRef();
    folder.Reset(DesktopFolder());
  } else if (FAILED(DesktopFolder()->BindToObject(current.get(), nullptr, IID_IShellFolder, folder.OutVoid()))) {
    return nullptr;
  }
  const std::vector<std::string> parts = SplitParts(rest);
  for (size_t i = 0; i < parts.size(); ++i) {
    TItemIdListHolder child(FindChildByName(folder.Get(), AnsiUpperCase(parts[i]), filter));
    if (!child) return nullptr;
    TItemIdListHolder next(ConcatItemIdLists(current.get(), child.get()));
    if (i + 1 == parts.size()) return next.release();
    LPCITEMIDLIST one = child.get();
    SFGAOF attributes = SFGAO_FOLDER;
    if (FAILED(folder->GetAttributesOf(1, &one, &attributes)) || !(attributes & SFGAO_FOLDER)) return nullptr;
    TcxComPtr<IShellFolder> inner;
    if (FAILED(folder->BindToObject(child.get(), nullptr, IID_IShellFolder, inner.OutVoid()))) return nullptr;
    folder = inner;
    current = std::move(next);
  }
  return nullptr;
}

PItemIDList TcxCustomInnerShellTreeView::SpecialFolderMatch(const std::string& upper, int filter) {
  BuildShellSpecialFolders();
  for (const auto& entry : *specialFolders)
    if (entry.Id && entry.UpperDisplayName == upper && PassesFilter(entry.Attributes, filter))
      return CopyItemIdList(entry.Id);
  return nullptr;
}

PItemIDList TcxCustomInnerShellTreeView::ResolvePath(const std::string& value, int filter) {
  if (!root_->Resolved()) root_->CheckRoot();
  std::string text = AnsiUpperCase(value);
  const std::string reference = AnsiUpperCase(root_->RootDisplayPath());
  if (text.size() > 1 && text.back() == '\\' && text[text.size() - 2] != ':') text.pop_back();
  const bool referenceIsDrive = reference.size() >= 2 && IsDriveLetter(reference[0]) && reference[1] == ':';
  TItemIdListHolder result;
  auto desktopResolves = [&](const std::string& t) {
    result.reset(ResolveChild(DesktopFolder(), nullptr, AnsiToWide(t), filter));
  };
  if (text.empty()) return nullptr;
  if (text.size() >= 3 && IsDriveLetter(text[0]) && text[1] == ':' && text[2] == '\\') {
    desktopResolves(text);
  } else if (text.size() >= 2 && IsDriveLetter(text[0]) && text[1] == ':') {
    return nullptr;  // drive-relative: no folder to take it from
  } else if (text.size() > 2 && text.compare(0, 2, "\\\\") == 0) {
    desktopResolves(text);
  } else if (text[0] == '\\') {
    if (!referenceIsDrive) return nullptr;
    desktopResolves(reference.substr(0, 2) + text);
  } else if (text.size() >= markerLength && text.compare(0, markerLength, desktopMarker) == 0) {
    result.reset(DisplayNameWalk(text.size() > markerLength ? text.substr(markerLength + 1) : "", false, filter));
  } else if (text.size() >= markerLength && text.compare(0, markerLength, rootMarker) == 0) {
    result.reset(DisplayNameWalk(text.size() > markerLength ? text.substr(markerLength + 1) : "", true, filter));
  } else if (text.size() >= markerLength && text.compare(0, 3, "::{") == 0) {
    desktopResolves(text);
  } else {
    result.reset(ResolveChild(root_->RootFolder(), root_->RootId(), AnsiToWide(text), filter));
    if (!result) result.reset(SpecialFolderMatch(text, filter));
  }
  if (result && !IsShellIdPrefix(root_->RootId(), result.get())) return nullptr;
  return result.release();
}
