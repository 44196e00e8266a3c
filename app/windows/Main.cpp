#include "Main.h"

#include <shellapi.h>

#include <cstdio>
#include <memory>

#include "About.h"
#include "AppDialogs.h"
#include "Dialogs.h"
#include "FormatsAdvance.h"
#include "Global.h"
#include "GlobalFun.h"
#include "MainPreview.h"
#include "Progress.h"
#include "RzPanel.h"
#include "SysUtils.h"
#include "TypInfo.h"
#include "VideoEdit.h"
#include "VideoListVw.h"
#include "XMLFormats.h"
#include "cxButtons.h"
#include "cxDropDownEdit.h"
#include "cxGraphics.h"
#include "cxLabel.h"
#include "cxListView.h"
#include "cxShellBrowserDialog.h"
#include "cxTextEdit.h"
#include "dxSkinsForm.h"

CALDERAN_IMPLEMENT_CREATABLE(TFormMain, TForm, TComponent*)

TFormMain* FormMain = nullptr;
TFormOSetting* FormOSetting = nullptr;

namespace {

constexpr const char* kMediaFilter =
    "All supported media format|*.avi;*.mp4;*.mpg;*.mpeg;*.3gp;*.wmv;*.asf;*.rm;*.rmvb;*.dat;*.mov;*.flv;*.mp3;"
    "*.wav;*.m4a;*.wma|All files|*.*";
constexpr int kTrimmedLengthCell = 1;  // sub-item of "Trimmed Length"
constexpr int kCommandPictures = 9;
constexpr int kWideLayoutMajorVersion = 6;

void ShellExecuteOpen(HWND owner, const std::string& file, const std::string& parameters) {
  ShellExecuteA(owner, "open", file.c_str(), parameters.empty() ? nullptr : parameters.c_str(), nullptr,
                SW_SHOWNORMAL);
}

bool ExecuteFolderDialog(TcxCustomShellBrowserDialog* dialog) { return dialog->Execute(); }

bool ReadPlatformMajorVersion(DWORD& major) {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA(&info)) return false;
  major = info.dwMajorVersion;
  return true;
}

std::string RunningProgram() {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, n);
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string LowerHex(HWND handle) {
  char text[32];
  std::snprintf(text, sizeof text, "%llx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(handle)));
  return text;
}

// Pictures of the program's resources; a missing one leaves the button or list without it.
void LoadBitmap(TBitmap& bitmap, const std::string& name) {
  bitmap.LoadFromResourceName(GetModuleHandleA(nullptr), name);
}

}  // namespace

TShellExecuteProc GlobalShellExecute = &ShellExecuteOpen;
TFolderDialogProc GlobalFolderDialog = &ExecuteFolderDialog;
TPlatformMajorVersionProc GlobalPlatformMajorVersion = &ReadPlatformMajorVersion;

void TMainObserver::Update() { form_->UpdateFromList(); }

TFormMain::~TFormMain() { BeforeDestruction(); }

// ---------------------------------------------------------------------------------------------
// Creation and closing

void TFormMain::FormCreate(TObject*) {
  Application->SetTitle(GlobalProductTitle);
  FormOSetting = CreateForm<TFormOSetting>(this);
  LoadPictures();
  FillProfiles();
  // The preview plays the row double-clicked in the file list.
  FramePreview->FileListFrame = FrameFileList;
  FrameFileList->FileList->OnDblClick = MakeEvent(FramePreview, &TFramePreview::FrameFileListFileListDblClick);
  GlobalVideoList->Attach(FrameFileList->Observer());
  GlobalVideoList->Attach(&FObserver);
  FormOSetting->OFormat->SetFormats(GlobalFormats);
  GlobalFormats->Attach(FormOSetting->OFormat);
  LaunchUpdater();
}

// The global objects may already be gone when the program ends: they are freed before the forms.
void TFormMain::FormDestroy(TObject*) {
  if (GlobalVideoList) {
    GlobalVideoList->Detach(&FObserver);
    GlobalVideoList->Detach(FrameFileList->Observer());
  }
  if (GlobalFormats && FormOSetting) GlobalFormats->Detach(FormOSetting->OFormat);
  delete FormOSetting;
  FormOSetting = nullptr;
}

void TFormMain::FormShow(TObject*) {
  DWORD major = 0;
  if (!GlobalPlatformMajorVersion(major) || major < kWideLayoutMajorVersion) return;
  constexpr int grow = 18;
  SetWidth(Width() + grow);
  SetHeight(Height() + 19);
  for (TControl* field : {static_cast<TControl*>(cbProfile), static_cast<TControl*>(edtOutDir)})
    field->SetWidth(field->Width() + grow);
  for (TControl* button : {Browse, Advance, Convert}) button->SetLeft(button->Left() + grow);
}

void TFormMain::FormClose(TObject*, TCloseAction&) {
  GlobalMediaPlayer->Stop();
  FramePreview->TimerUpdatePos->SetEnabled(false);
}

void TFormMain::LoadPictures() {
  for (int i = 0; i < kCommandPictures; ++i) {
    TBitmap picture;
    LoadBitmap(picture, "MAIN_COMMAND" + IntToStr(i));
    cxImageList->AddMasked(&picture, clFuchsia);
  }
  const std::pair<TcxButton*, const char*> glyphs[] = {
      {Browse, "MAIN_BROWSE"}, {Advance, "MAIN_ADVANCE"}, {Convert, "MAIN_CONVERT"}};
  for (const auto& [button, name] : glyphs) {
    TBitmap glyph;
    LoadBitmap(glyph, name);
    button->SetGlyph(&glyph);
  }
}

// ---------------------------------------------------------------------------------------------
// Profiles and the output folder

void TFormMain::FillProfiles() {
  TXMLFormatsType* catalogue = GlobalFormats->XMLFormats();
  TStrings* items = cbProfile->Properties()->Items();
  items->Clear();
  for (int i = 0; i < catalogue->Count(); ++i) {
    TXMLFormatType* format = catalogue->Format(i);
    items->Add(format->Name() + " (*." + format->General()->FileExt() + ")");
  }
  cbProfile->SetItemIndex(GlobalFormats->GetSelection().Format);
  cbProfile->Properties()->OnChange = MakeEvent(this, &TFormMain::cbProfileChange);
}

void TFormMain::cbProfileChange(TObject*) {
  const int index = cbProfile->ItemIndex();
  if (index < 0) return;  // the box holds only its items; nothing else may become a selection
  TFormatSelection selection = GlobalFormats->GetSelection();
  selection.Format = index;
  GlobalFormats->SetSelection(selection);
  GlobalFormats->SelectDefaults();
}

void TFormMain::UpdateFromList() { edtOutDir->SetText(GlobalVideoList->OutDir()); }

void TFormMain::BrowseOutDir(TObject*) {
  TcxShellBrowserDialog dialog(nullptr);
  if (!GlobalFolderDialog(&dialog)) return;
  GlobalVideoList->SetOutDir(dialog.Path);
  edtOutDir->SetText(dialog.Path);
}

// ---------------------------------------------------------------------------------------------
// The input list

void TFormMain::AddVideo(TObject*) {
  TOpenDialog dialog(nullptr);
  dialog.SetOptions({ofAllowMultiSelect});
  dialog.SetTitle(Application->Title());
  dialog.SetInitialDir(GlobalVideoList->InitDir());
  dialog.SetFilter(kMediaFilter);
  if (!ExecuteFileDialog(&dialog)) return;
  for (int i = 0; i < dialog.Files()->Count(); ++i) {
    const std::string file = dialog.Files()->Get(i);
    try {
      GlobalVideoList->AddVideo(GlobalMediaInfo, file);
    } catch (const Exception&) {
      ShowInfo(Format("Failed to create decoder, file %s cannot be imported.", {ExtractFileName(file)}));
    }
  }
}

void TFormMain::DeleteVideo(TObject*) {
  TListItem* row = FrameFileList->FileList->GetSelectedItem();
  if (!row) {
    ShowInfo("Please select a item");
    return;
  }
  GlobalVideoList->Delete(row->Index());
}

void TFormMain::ClearVideo(TObject*) { GlobalVideoList->Clear(); }

// ---------------------------------------------------------------------------------------------
// The clip editor

void TFormMain::FillPlayContext(int Index, TPlayContext* Context) {
  TVideoInfo* info = GlobalVideoList->GetVideoInfo(Index);
  Context->Path = GlobalVideoList->GetFileName(Index);
  Context->HasVideo = info->HasVideo;
  Context->Width = info->Width;
  Context->Height = info->Height;
  Context->Duration = info->Duration;
  Context->TaskInfo = info->TaskInfo;
}

void TFormMain::ShowClipEditor(TClipPage Page) {
  TListItem* row = FrameFileList->FileList->GetSelectedItem();
  if (!row) return;
  auto context = std::make_unique<TPlayContext>();
  FramePreview->PlayerStateChanged(2);
  FillPlayContext(row->Index(), context.get());
  FormVideoEdit->OpenFile(GlobalMediaPlayer, context.get());
  switch (Page) {
    case cpEffect: FormVideoEdit->ShowEffectPage(); break;
    case cpTrim: FormVideoEdit->ShowTrimPage(); break;
    case cpCrop: FormVideoEdit->ShowCropPage(); break;
  }
  if (FormVideoEdit->ShowModal() != mrOk) return;
  const TTaskInfo* task = context->TaskInfo;
  row->SubItems()->Put(kTrimmedLengthCell, FormatRefTime(true, task->EndTime - task->StartTime));
}

void TFormMain::ShowEffectEdit(TObject*) { ShowClipEditor(cpEffect); }
void TFormMain::ShowTrimEdit(TObject*) { ShowClipEditor(cpTrim); }
void TFormMain::ShowCropEdit(TObject*) { ShowClipEditor(cpCrop); }

// ---------------------------------------------------------------------------------------------
// Dialogs, help, conversion

void TFormMain::ShowAdvance(TObject*) { FormOSetting->ShowModal(); }

void TFormMain::ShowAbout(TObject*) { FormAbout->ShowModal(); }

void TFormMain::HelpClick(TObject*) { GlobalShellExecute(Handle(), ProgramFolder() + "help.chm", ""); }

void TFormMain::ConvertVideo(TObject*) {
  if (GlobalVideoList->Count() == 0) return;
  GlobalMediaPlayer->Stop();
  FormProgress->FOutDir = GlobalVideoList->OutDir();
  for (int i = 0; i < GlobalVideoList->Count(); ++i)
    FormProgress->AddTask(GlobalVideoList->GetFileName(i), GlobalVideoList->GetVideoInfo(i)->TaskInfo);
  FormProgress->ShowModal();
}

std::string TFormMain::UpdaterParameters() {
  std::string text = "-url" + Quoted(GlobalUpdateUrl);
  text += " -product" + Quoted(GlobalShortName);
  text += " -ver" + Quoted(GetFileVersionString(RunningProgram()));
  text += " -mainwnd" + Quoted("$" + LowerHex(Handle()));
  text += " -msg" + Quoted(GlobalProductTitle + " Update Wizard");
  const std::string uninstaller = ProgramFolder() + "unins000.exe";
  if (FileExists(uninstaller)) text += " -uninstall\"" + uninstaller + "/SILENT /VERYSILENT\"";
  return text;
}

void TFormMain::LaunchUpdater() { GlobalShellExecute(Handle(), ProgramFolder() + "update.exe", UpdaterParameters()); }

// ---------------------------------------------------------------------------------------------
// Registration

void TFormMain::Register() {
  using F = TFormMain;
  static constinit const TPropInfo fields[] = {
      PublishedField<&F::RzPanelBG>("RzPanelBG"),
      PublishedField<&F::RzPanel1>("RzPanel1"),
      PublishedField<&F::RzPanel2>("RzPanel2"),
      PublishedField<&F::RzPanel3>("RzPanel3"),
      PublishedField<&F::RzPanel4>("RzPanel4"),
      PublishedField<&F::RzPanel5>("RzPanel5"),
      PublishedField<&F::FrameFileList>("FrameFileList"),
      PublishedField<&F::FramePreview>("FramePreview"),
      PublishedField<&F::Label1>("Label1"),
      PublishedField<&F::Label2>("Label2"),
      PublishedField<&F::edtOutDir>("edtOutDir"),
      PublishedField<&F::cbProfile>("cbProfile"),
      PublishedField<&F::Browse>("Browse"),
      PublishedField<&F::Advance>("Advance"),
      PublishedField<&F::Convert>("Convert"),
      PublishedField<&F::dxSkinController>("dxSkinController"),
      PublishedField<&F::cxImageList>("cxImageList"),
  };
  static constinit const TMethodInfo methods[] = {
      PublishedMethod<&F::FormCreate>("FormCreate"),         PublishedMethod<&F::FormDestroy>("FormDestroy"),
      PublishedMethod<&F::FormShow>("FormShow"),             PublishedMethod<&F::FormClose>("FormClose"),
      PublishedMethod<&F::AddVideo>("AddVideo"),             PublishedMethod<&F::DeleteVideo>("DeleteVideo"),
      PublishedMethod<&F::ClearVideo>("ClearVideo"),         PublishedMethod<&F::ShowEffectEdit>("ShowEffectEdit"),
      PublishedMethod<&F::ShowTrimEdit>("ShowTrimEdit"),     PublishedMethod<&F::ShowCropEdit>("ShowCropEdit"),
      PublishedMethod<&F::HelpClick>("HelpClick"),           PublishedMethod<&F::ShowAbout>("ShowAbout"),
      PublishedMethod<&F::ShowAdvance>("ShowAdvance"),       PublishedMethod<&F::BrowseOutDir>("BrowseOutDir"),
      PublishedMethod<&F::ConvertVideo>("ConvertVideo"),     PublishedMethod<&F::cbProfileChange>("cbProfileChange"),
  };
  RegisterPublishedProperties(StaticClass(), fields);
  RegisterPublishedMethods(StaticClass(), methods);
  RegisterClass(StaticClass());
}

namespace {
void StartMain() { TFormMain::Register(); }
void StopMain() { UnRegisterClass(TFormMain::StaticClass()); }
}  // namespace

constinit const TUnitInfo MainUnit{"Main", StartMain, StopMain};
