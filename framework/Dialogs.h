// The common file dialogs (open and save) over comdlg32.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "Classes.h"
#include "Controls.h"

enum TOpenOption : uint8_t {
  ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp, ofNoValidate, ofAllowMultiSelect,
  ofExtensionDifferent, ofPathMustExist, ofFileMustExist, ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn,
  ofNoTestFileCreate, ofNoNetworkButton, ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify,
  ofEnableSizing, ofDontAddToRecent, ofForceShowHidden
};
using TOpenOptions = TSet<TOpenOption>;

// "Text|*.txt|All|*.*" as comdlg32 wants it: pairs separated by NUL, ending with two NULs.
std::string FilterToNulSeparated(const std::string& filter);
// The names a multi-selection answers ("folder\0name\0name\0\0", or one full path) as full paths.
void SplitSelectedFiles(const char* buffer, TStrings* files);

class TCommonDialog : public TComponent {
  CALDERAN_CLASS(TCommonDialog)
  explicit TCommonDialog(TComponent* owner) : TComponent(owner) {}
  // The dialog's window while it is shown (for OnShow handlers), else null.
  HWND Handle() const { return handle_; }
  TNotifyEvent OnShow;
  TNotifyEvent OnClose;

 protected:
  friend UINT_PTR CALLBACK DialogHook(HWND, UINT, WPARAM, LPARAM);
  HWND handle_ = nullptr;
};

class TOpenDialog : public TCommonDialog {
  CALDERAN_CLASS(TOpenDialog)
  explicit TOpenDialog(TComponent* owner);
  ~TOpenDialog() override;
  // Shows the dialog modally; true when it was closed with OK (FileName and Files then hold the
  // choice).
  virtual bool Execute();

  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& value) { fileName_ = value; }
  TStrings* Files() { return files_.get(); }
  const std::string& Filter() const { return filter_; }
  void SetFilter(const std::string& value) { filter_ = value; }
  int FilterIndex() const { return filterIndex_; }
  void SetFilterIndex(int value) { filterIndex_ = value; }
  const std::string& InitialDir() const { return initialDir_; }
  void SetInitialDir(const std::string& value) { initialDir_ = value; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& value) { title_ = value; }
  const std::string& DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const std::string& value) { defaultExt_ = value; }
  TOpenOptions Options() const { return options_; }
  void SetOptions(TOpenOptions value) { options_ = value; }

 protected:
  bool DoExecute(bool save);

 private:
  std::string fileName_;
  std::unique_ptr<TStrings> files_;
  std::string filter_;
  int filterIndex_ = 1;
  std::string initialDir_;
  std::string title_;
  std::string defaultExt_;
  TOpenOptions options_{ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
  CALDERAN_CLASS(TSaveDialog)
  using TOpenDialog::TOpenDialog;
  bool Execute() override;
};
