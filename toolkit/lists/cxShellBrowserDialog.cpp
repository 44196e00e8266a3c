#include "cxShellBrowserDialog.h"

#include "TypInfo.h"

CALDERAN_IMPLEMENT_CREATABLE(TcxShellBrowserDlg, TForm, TComponent*)
CALDERAN_IMPLEMENT_CLASS(TcxDlgShellOptions, TPersistent)
CALDERAN_IMPLEMENT_CLASS(TcxDlgShellRoot, TPersistent)
CALDERAN_IMPLEMENT_CREATABLE(TcxCustomShellBrowserDialog, TComponent, TComponent*)
CALDERAN_IMPLEMENT_CREATABLE(TcxShellBrowserDialog, TcxCustomShellBrowserDialog, TComponent*)

CX_RESOURCESTRING(cxSShellBrowserOK, 0xCC50, "OK")
CX_RESOURCESTRING(cxSShellBrowserCancel, 0xCC51, "Cancel")

namespace {

constexpr int minWidth = 250, minHeight = 300;
const std::string ellipsisPart = "...\\";

// Cuts the first directory of a directory part, which then starts with "...\".
void CutFirstDirectory(std::string& part) {
  if (part == "\\") {
    part.clear();
    return;
  }
  const bool leading = !part.empty() && part[0] == '\\';
  if (leading) part.erase(0, 1);
  if (!part.empty() && part[0] == '.') part.erase(0, ellipsisPart.size());
  const size_t next = part.find('\\');
  part = next == std::string::npos ? std::string() : ellipsisPart + part.substr(next + 1);
  if (leading) part.insert(0, "\\");
}

}  // namespace

std::string ShortenFolderText(const std::string& path, int width, const std::function<int(const std::string&)>& measure) {
  std::string drive = path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : std::string();
  const std::string rest = path.substr(drive.size());
  const size_t lastSlash = rest.rfind('\\');
  std::string directory = lastSlash == std::string::npos ? std::string() : rest.substr(0, lastSlash + 1);
  const std::string file = rest.substr(directory.size());
  while (!drive.empty() || !directory.empty()) {
    if (measure(drive + directory + file) <= width) break;
    if (directory == "\\" + ellipsisPart) {
      drive.clear();
      directory = ellipsisPart;
    } else if (!directory.empty()) {
      CutFirstDirectory(directory);
    } else {
      drive.clear();
    }
  }
  return drive + directory + file;
}

// ---------------------------------------------------------------------------------------------
// The form

TcxShellBrowserDlg::TcxShellBrowserDlg(TComponent* owner) : TForm(owner) {
  lookAndFeel_ = std::make_unique<TcxLookAndFeel>(this);
}

TcxShellBrowserDlg::~TcxShellBrowserDlg() {
  BeforeDestruction();
  Destroying();
  DestroyComponents();
}

void TcxShellBrowserDlg::AfterConstruction() {
  TForm::AfterConstruction();
  if (cxStv) cxStv->Style()->LookAndFeel()->SetParentLookAndFeel(lookAndFeel_.get());
  if (cxTeFolder) cxTeFolder->Style()->LookAndFeel()->SetParentLookAndFeel(lookAndFeel_.get());
  for (TcxButton* button : {cxButton1, cxButton2})
    if (button) button->LookAndFeel()->SetParentLookAndFeel(lookAndFeel_.get());
  if (cxButton1) cxButton1->SetCaption(LoadToolkitString(cxSShellBrowserOK));
  if (cxButton2) cxButton2->SetCaption(LoadToolkitString(cxSShellBrowserCancel));
}

void TcxShellBrowserDlg::CreateParams(TCreateParams& params) {
  TForm::CreateParams(params);
  params.ExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
}

void TcxShellBrowserDlg::CreateWnd() {
  TForm::CreateWnd();
  SetWindowLongA(Handle(), GWL_EXSTYLE, WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE);
  SendMessageA(Handle(), WM_SETICON, ICON_BIG, 0);
}

void TcxShellBrowserDlg::Dispatch(TMessage& m) {
  switch (m.Msg) {
    case WM_NCHITTEST: {
      TForm::Dispatch(m);
      POINT point{static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))};
      ::ScreenToClient(Handle(), &point);
      if (PtInRect(gripRect_.Win(), point)) m.Result = HTBOTTOMRIGHT;
      return;
    }
    case WM_GETMINMAXINFO: {
      TForm::Dispatch(m);
      auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
      info->ptMinTrackSize = POINT{minWidth, minHeight};
      return;
    }
    default: TForm::Dispatch(m);
  }
}

void TcxShellBrowserDlg::FormCreate(TObject*) {
  gripWidth_ = GetSystemMetrics(SM_CXVSCROLL);
  gripHeight_ = GetSystemMetrics(SM_CYHSCROLL);
}

void TcxShellBrowserDlg::UpdateFolderText() {
  if (!cxStv || !cxTeFolder) return;
  TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  const std::string text = ShortenFolderText(cxStv->Path(), cxTeFolder->Width(),
                                             [canvas](const std::string& s) { return canvas->TextWidth(s); });
  cxTeFolder->SetText(text);
}

void TcxShellBrowserDlg::FormResize(TObject*) {
  UpdateFolderText();
  gripRect_ = TRect(ClientWidth() - gripWidth_, ClientHeight() - gripHeight_, ClientWidth(), ClientHeight());
  Invalidate();
}

void TcxShellBrowserDlg::FormPaint(TObject*) {
  TcxCanvas canvas(Canvas());
  lookAndFeel_->CurrentPainter()->PaintSizeGrip(&canvas, gripRect_, clNone);
}

void TcxShellBrowserDlg::cxStvChange(TObject*, HTREEITEM) { UpdateFolderText(); }

void TcxShellBrowserDlg::Register() {
  static constinit const TPropInfo fields[] = {
      PublishedField<&TcxShellBrowserDlg::cxStv>("cxStv"),
      PublishedField<&TcxShellBrowserDlg::lblFolder>("lblFolder"),
      PublishedField<&TcxShellBrowserDlg::cxTeFolder>("cxTeFolder"),
      PublishedField<&TcxShellBrowserDlg::cxButton1>("cxButton1"),
      PublishedField<&TcxShellBrowserDlg::cxButton2>("cxButton2"),
  };
  static constinit const TMethodInfo methods[] = {
      PublishedMethod<&TcxShellBrowserDlg::FormCreate>("FormCreate"),
      PublishedMethod<&TcxShellBrowserDlg::FormPaint>("FormPaint"),
      PublishedMethod<&TcxShellBrowserDlg::FormResize>("FormResize"),
      PublishedMethod<&TcxShellBrowserDlg::cxStvChange>("cxStvChange"),
  };
  RegisterPublishedProperties(StaticClass(), fields);
  RegisterPublishedMethods(StaticClass(), methods);
  RegisterClass(StaticClass());
}

// ---------------------------------------------------------------------------------------------
// The dialog component

TcxCustomShellBrowserDialog::TcxCustomShellBrowserDialog(TComponent* owner) : TComponent(owner) {
  options_ = std::make_unique<TcxDlgShellOptions>();
  root_ = std::make_unique<TcxDlgShellRoot>();
  lookAndFeel_ = std::make_unique<TcxLookAndFeel>(this);
}

TcxCustomShellBrowserDialog::~TcxCustomShellBrowserDialog() {
  lookAndFeel_.reset();
  root_.reset();
  options_.reset();
}

void TcxCustomShellBrowserDialog::SetLookAndFeel(TcxLookAndFeel* value) { lookAndFeel_->Assign(value); }

TcxShellBrowserDlg* TcxCustomShellBrowserDialog::CreateForm() { return ::CreateForm<TcxShellBrowserDlg>(Application); }

void TcxCustomShellBrowserDialog::Configure(TcxShellBrowserDlg* form) {
  if (!Title.empty()) form->SetCaption(Title);
  if (!FolderLabelCaption.empty()) form->lblFolder->SetCaption(FolderLabelCaption);
  TcxShellTreeView* tree = form->cxStv;
  TcxShellTreeViewOptions* options = tree->Options();
  options->SetShowFolders(options_->ShowFolders);
  options->SetShowToolTip(options_->ShowToolTip);
  options->SetTrackShellChanges(options_->TrackShellChanges);
  options->SetContextMenus(options_->ContextMenus);
  options->SetShowNonFolders(options_->ShowNonFolders);
  options->SetShowHidden(options_->ShowHidden);
  tree->Root()->SetBrowseFolder(root_->BrowseFolder);
  tree->Root()->SetCustomPath(AnsiToWide(root_->CustomPath));
  tree->SetShowButtons(ShowButtons);
  tree->SetShowInfoTips(ShowInfoTips);
  tree->SetShowLines(ShowLines);
  tree->SetShowRoot(ShowRoot);
  tree->SetPath(Path);
  form->LookAndFeel()->SetParentLookAndFeel(lookAndFeel_.get());
}

bool TcxCustomShellBrowserDialog::Execute() {
  const TCursor saved = Screen->Cursor();
  Screen->SetCursor(crHourGlass);
  struct TRestore {
    TCursor cursor;
    ~TRestore() { Screen->SetCursor(cursor); }
  } restore{saved};
  std::unique_ptr<TcxShellBrowserDlg> form(CreateForm());
  Configure(form.get());
  Screen->SetCursor(crDefault);
  const TModalResult result = form->ShowModal();
  Screen->SetCursor(crHourGlass);
  if (result != mrOk) return false;
  Path = form->cxStv->Path();
  return true;
}

namespace {

void StartShellBrowserDialog() {
  TcxShellBrowserDlg::Register();
  RegisterClass(TcxShellBrowserDialog::StaticClass());
}

void StopShellBrowserDialog() {
  UnRegisterClass(TcxShellBrowserDialog::StaticClass());
  UnRegisterClass(TcxShellBrowserDlg::StaticClass());
}

}  // namespace

constinit const TUnitInfo cxShellBrowserDialogUnit{"cxShellBrowserDialog", StartShellBrowserDialog,
                                                   StopShellBrowserDialog};
