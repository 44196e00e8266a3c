// The common file dialogs.
#include "Dialogs.h"

#include <commdlg.h>

#include <cstring>
#include <vector>

#include "Forms.h"
#include "SysUtils.h"

CALDERAN_IMPLEMENT_CLASS(TCommonDialog, TComponent)
CALDERAN_IMPLEMENT_CREATABLE(TOpenDialog, TCommonDialog, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TSaveDialog, TOpenDialog, TComponent*)

namespace {
constexpr DWORD optionFlags[] = {
    OFN_READONLY,          OFN_OVERWRITEPROMPT,   OFN_HIDEREADONLY,       OFN_NOCHANGEDIR,   OFN_SHOWHELP,
    OFN_NOVALIDATE,        OFN_ALLOWMULTISELECT,  OFN_EXTENSIONDIFFERENT, OFN_PATHMUSTEXIST, OFN_FILEMUSTEXIST,
    OFN_CREATEPROMPT,      OFN_SHAREAWARE,        OFN_NOREADONLYRETURN,   OFN_NOTESTFILECREATE, OFN_NONETWORKBUTTON,
    OFN_NOLONGNAMES,       0,                     OFN_NODEREFERENCELINKS, OFN_ENABLEINCLUDENOTIFY, OFN_ENABLESIZING,
    OFN_DONTADDTORECENT,   OFN_FORCESHOWHIDDEN,
};
constexpr size_t fileBufferSize = 64 * 1024;
}  // namespace

std::string FilterToNulSeparated(const std::string& filter) {
  if (filter.empty()) return std::string(2, '\0');
  std::string s = filter;
  for (char& c : s)
    if (c == '|') c = '\0';
  s.append(2, '\0');
  return s;
}

void SplitSelectedFiles(const char* buffer, TStrings* files) {
  files->Clear();
  std::string first = buffer;
  const char* p = buffer + first.size() + 1;
  if (!*p) {
    if (!first.empty()) files->Add(first);
    return;
  }
  std::string folder = IncludeTrailingPathDelimiter(first);
  for (; *p; p += std::strlen(p) + 1) files->Add(folder + p);
}

// The explorer dialog's hook: OnShow once it is ready, OnClose when it goes (under the guard).
UINT_PTR CALLBACK DialogHook(HWND window, UINT msg, WPARAM, LPARAM lParam) {
  GuardedCall([&] {
    if (msg == WM_INITDIALOG) {
      auto* ofn = reinterpret_cast<OPENFILENAMEA*>(lParam);
      auto* dialog = reinterpret_cast<TCommonDialog*>(ofn->lCustData);
      SetPropA(window, "CalderanDialog", dialog);
      dialog->handle_ = GetParent(window);
      return;
    }
    auto* dialog = static_cast<TCommonDialog*>(GetPropA(window, "CalderanDialog"));
    if (!dialog) return;
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == CDN_INITDONE) {
      if (dialog->OnShow) dialog->OnShow(dialog);
    } else if (msg == WM_DESTROY) {
      RemovePropA(window, "CalderanDialog");
      if (dialog->OnClose) dialog->OnClose(dialog);
      dialog->handle_ = nullptr;
    }
  });
  return 0;
}

TOpenDialog::TOpenDialog(TComponent* owner) : TCommonDialog(owner), files_(std::make_unique<TStringList>()) {}
TOpenDialog::~TOpenDialog() = default;

bool TOpenDialog::Execute() { return DoExecute(false); }
bool TSaveDialog::Execute() { return DoExecute(true); }

bool TOpenDialog::DoExecute(bool save) {
  std::vector<char> file(fileBufferSize, '\0');
  fileName_.copy(file.data(), std::min(fileName_.size(), fileBufferSize - 2));
  std::string filter = FilterToNulSeparated(filter_);
  std::string ext = defaultExt_.size() && defaultExt_[0] == '.' ? defaultExt_.substr(1) : defaultExt_;
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  HWND owner = GetActiveWindow();
  if (!owner && Application && Application->MainForm() && Application->MainForm()->HandleAllocated())
    owner = Application->MainForm()->WindowHandle();
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter_.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(filterIndex_);
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = initialDir_.empty() ? nullptr : initialDir_.c_str();
  ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
  ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK;
  for (int i = 0; i <= ofForceShowHidden; ++i)
    if (options_.Contains(static_cast<TOpenOption>(i))) ofn.Flags |= optionFlags[i];
  ofn.lpfnHook = DialogHook;
  ofn.lCustData = reinterpret_cast<LPARAM>(this);
  if (Application) Application->ModalStarted();
  BOOL ok = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (Application) Application->ModalFinished();
  handle_ = nullptr;
  if (!ok) {
    if (DWORD error = CommDlgExtendedError()) throw EInvalidOperation(Format("The file dialog failed (error %x)", {error}));
    return false;
  }
  if (options_.Contains(ofAllowMultiSelect)) SplitSelectedFiles(file.data(), files_.get());
  else {
    files_->Clear();
    files_->Add(file.data());
  }
  fileName_ = files_->Count() ? files_->Get(0) : std::string();
  filterIndex_ = static_cast<int>(ofn.nFilterIndex);
  return true;
}
