// The folder-browse dialog: the component a program configures and executes, and its form, read
// from the stored definition TCXSHELLBROWSERDLG (resources/lists/ShellBrowser.form).
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "Forms.h"
#include "StdCtrls.h"
#include "cxButtons.h"
#include "cxLabel.h"
#include "cxTextEdit.h"
#include "cxShellTreeView.h"

// Shortens a path to fit a width, directories first: C:\Program Files\Foo\Bar becomes
// C:\...\Foo\Bar, C:\...\Bar, ...\Bar and finally Bar.
std::string ShortenFolderText(const std::string& path, int width, const std::function<int(const std::string&)>& measure);

class TcxShellBrowserDlg : public TForm {
  CALDERAN_CLASS(TcxShellBrowserDlg)
  explicit TcxShellBrowserDlg(TComponent* owner);
  ~TcxShellBrowserDlg() override;
  void AfterConstruction() override;
  void Dispatch(TMessage& message) override;

  TcxShellTreeView* cxStv = nullptr;
  TcxLabel* lblFolder = nullptr;
  TcxTextEdit* cxTeFolder = nullptr;
  TcxButton* cxButton1 = nullptr;
  TcxButton* cxButton2 = nullptr;

  void FormCreate(TObject*);
  void FormPaint(TObject*);
  void FormResize(TObject*);
  void cxStvChange(TObject*, HTREEITEM);
  TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_.get(); }
  TRect GripRect() const { return gripRect_; }
  static void Register();

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;

 private:
  void UpdateFolderText();
  std::unique_ptr<TcxLookAndFeel> lookAndFeel_;
  int gripWidth_ = 0, gripHeight_ = 0;
  TRect gripRect_;
};

class TcxDlgShellOptions : public TPersistent {
  CALDERAN_CLASS(TcxDlgShellOptions)
  bool ContextMenus = true;
  bool ShowFolders = true;
  bool ShowHidden = false;
  bool ShowNonFolders = false;
  bool ShowToolTip = true;
  bool TrackShellChanges = true;
};

class TcxDlgShellRoot : public TPersistent {
  CALDERAN_CLASS(TcxDlgShellRoot)
  std::string CustomPath;
  TcxBrowseFolder BrowseFolder = bfDesktop;
};

class TcxCustomShellBrowserDialog : public TComponent {
  CALDERAN_CLASS(TcxCustomShellBrowserDialog)
  explicit TcxCustomShellBrowserDialog(TComponent* owner);
  ~TcxCustomShellBrowserDialog() override;

  bool Execute();
  virtual TcxShellBrowserDlg* CreateForm();

  std::string FolderLabelCaption;
  std::string Path;
  bool ShowButtons = true;
  bool ShowInfoTips = false;
  bool ShowLines = true;
  bool ShowRoot = true;
  std::string Title;
  TcxLookAndFeel* LookAndFeel() const { return lookAndFeel_.get(); }
  void SetLookAndFeel(TcxLookAndFeel* value);
  TcxDlgShellOptions* Options() const { return options_.get(); }
  TcxDlgShellRoot* Root() const { return root_.get(); }

 private:
  void Configure(TcxShellBrowserDlg* form);
  std::unique_ptr<TcxDlgShellOptions> options_;
  std::unique_ptr<TcxDlgShellRoot> root_;
  std::unique_ptr<TcxLookAndFeel> lookAndFeel_;
};

class TcxShellBrowserDialog : public TcxCustomShellBrowserDialog {
  CALDERAN_CLASS(TcxShellBrowserDialog)
  using TcxCustomShellBrowserDialog::TcxCustomShellBrowserDialog;
};

extern const TUnitInfo cxShellBrowserDialogUnit;
