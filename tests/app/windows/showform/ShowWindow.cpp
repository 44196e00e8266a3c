// Shows one application window on a display, in the state worth looking at, for
// scripts/screenshot-form: start-up as the program's, the look and skin chosen on the command line,
// the window made from its stored form, then closed after the given time.
//   app_windows_showform.exe NAME LOOK SKIN CLOSE_MS [MEDIA...]
// NAME: log, about, progress (converts the media but the last into the last, a folder), filelist
// (the media as rows, the editor open), preview (plays the first medium), main (the main window
// with the program's other windows, the media in its list and the second row selected), edit-effect,
// edit-trim, edit-crop (the clip editor on that page), settings (the output settings dialog, a row
// dropped down). LOOK: standard, flat, ultra-flat, office-11. SKIN: a skin name or "-" for none.
// MEDIA are Unix paths.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "About.h"
#include "AppDialogs.h"
#include "AppWindowsUnits.h"
#include "ExtCtrls.h"
#include "Global.h"
#include "Log.h"
#include "Main.h"
#include "VideoEdit.h"
#include "MainPreview.h"
#include "Progress.h"
#include "VideoListVw.h"
#include "ClipWindowsShow.h"
#include "cxLookAndFeels.h"
#include "dxSkinsForm.h"

namespace {

std::string WinPath(const std::string& unixPath) {
  WCHAR* wide = wine_get_dos_file_name(unixPath.c_str());
  if (!wide) return unixPath;
  char text[1024] = {};
  WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  HeapFree(GetProcessHeap(), 0, wide);
  return text;
}

// Nobody answers boxes on the virtual display: every question is answered OK and reported.
int AnswerOk(const std::string& text, const std::string&, UINT) {
  std::fprintf(stderr, "showform: box \"%s\"\n", text.c_str());
  return IDOK;
}

struct TCloser : TObject {
  void Close(TObject*) { Application->Terminate(); }
  void Report(TObject*, Exception* e) {
    std::fprintf(stderr, "showform: %s\n", e ? e->Message().c_str() : "error");
  }
} closer;

void ApplyLook(const std::string& look, const std::string& skin) {
  struct TKindName {
    const char* Name;
    TcxLookAndFeelKind Kind;
  } const kinds[] = {{"flat", lfFlat}, {"standard", lfStandard}, {"ultra-flat", lfUltraFlat}, {"office-11", lfOffice11}};
  for (const TKindName& k : kinds)
    if (look == k.Name) RootLookAndFeel()->SetKind(k.Kind);
  if (skin != "-") RootLookAndFeel()->SetSkinName(skin);
}

TForm* HostForm(const char* caption, int width, int height) {
  auto* host = new TForm(Application, 0);
  host->SetCaption(caption);
  host->SetBounds(30, 30, width, height);
  return host;
}

void ShowFileList(const std::vector<std::string>& media) {
  TForm* host = HostForm("Files", 760, 260);
  auto* frame = CreateForm<TFrameFileList>(host);
  frame->SetParent(host);
  frame->SetBounds(10, 10, 714, 200);
  host->Show();
  GlobalVideoList->Attach(frame->Observer());
  for (const std::string& path : media) GlobalVideoList->AddVideo(GlobalMediaInfo, WinPath(path));
  TcxCustomInnerListView* inner = frame->FileList->InnerListView();
  TListItem* row = frame->FileList->Items()->Item(1);
  const TRect bounds = row->DisplayRect(TListItem::drSelectBounds);
  int left = row->Position().X;
  for (int c = 0; c < 3; ++c) left += frame->FileList->Column(c)->Width();
  frame->FileListMouseDown(frame->FileList, mbLeft, {}, left + 10 + inner->Left(), bounds.Top + 3 + inner->Top());
}

void ShowPreview(const std::vector<std::string>& media) {
  TForm* host = HostForm("Preview", 300, 310);
  auto* files = CreateForm<TFrameFileList>(host);
  files->SetParent(host);
  files->SetVisible(false);
  auto* preview = CreateForm<TFramePreview>(host);
  preview->SetParent(host);
  preview->SetBounds(10, 10, 253, 256);
  preview->FileListFrame = files;
  host->Show();
  GlobalVideoList->Attach(files->Observer());
  GlobalVideoList->AddVideo(GlobalMediaInfo, WinPath(media.at(0)));
  preview->FrameFileListFileListDblClick(files->FileList);
}

// Every medium but the last is a task; the last is the output folder.
void ShowProgress(const std::vector<std::string>& media) {
  if (media.size() < 2) throw Exception("progress needs media and an output folder");
  TFormProgress* progress = nullptr;
  Application->CreateForm(progress);
  for (int i = 0; i + 1 < static_cast<int>(media.size()); ++i) {
    GlobalVideoList->AddVideo(GlobalMediaInfo, WinPath(media[i]));
    progress->AddTask(GlobalVideoList->GetFileName(i), GlobalVideoList->GetVideoInfo(i)->TaskInfo);
  }
  progress->FOutDir = WinPath(media.back()) + "\\";
  progress->Show();
}

// As the program entry creates them; the main window's own skin controller is the one in force.
void ShowMain(const std::vector<std::string>& media) {
  Application->CreateForm(FormMain);
  Application->CreateForm(FormAbout);
  Application->CreateForm(FormVideoEdit);
  Application->CreateForm(FormProgress);
  Application->CreateForm(FormLog);
  for (const std::string& path : media) GlobalVideoList->AddVideo(GlobalMediaInfo, WinPath(path));
  FormMain->FrameFileList->FileList->Items()->Item(1)->SetSelected(true);
  FormMain->Show();
}

void ShowNamed(const std::string& name, const std::vector<std::string>& media) {
  if (name == "log") {
    TFormLog* log = nullptr;
    Application->CreateForm(log);
    for (const char* line : {"engine: opening input", "engine: stream 0: video 320x240", "engine: could not open codec"})
      log->MemoLog->Lines()->Add(line);
    log->Show();
  } else if (name == "about") {
    TFormAbout* about = nullptr;
    Application->CreateForm(about);
    about->Show();
  } else if (name == "progress") {
    ShowProgress(media);
  } else if (name == "filelist") {
    ShowFileList(media);
  } else if (name == "main") {
    ShowMain(media);
  } else if (name == "preview") {
    ShowPreview(media);
  } else if (ShowClipWindow(name, WinPath(media.at(0)))) {
  } else {
    throw Exception("no window named " + name);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: app_windows_showform NAME LOOK SKIN CLOSE_MS [MEDIA...]\n");
    return 2;
  }
  StartAppWindowUnits();
  SetGlobalStrings();
  GlobalMessageBoxHook = &AnswerOk;
  int code = 0;
  try {
    Application->Initialize();
    TInitGlobal globals;
    Application->OnException = MakeEvent(&closer, &TCloser::Report);
    ApplyLook(argv[2], argv[3]);
    std::unique_ptr<TdxSkinController> skins;
    if (std::strcmp(argv[3], "-") != 0) skins = std::make_unique<TdxSkinController>(nullptr);
    ShowNamed(argv[1], std::vector<std::string>(argv + 5, argv + argc));
    TTimer timer(nullptr);
    timer.SetInterval(static_cast<uint32_t>(std::atoi(argv[4])));
    timer.SetOnTimer(MakeEvent(&closer, &TCloser::Close));
    // The frames stand on a plain host form, which is no main form: run the loop here.
    if (Application->MainForm())
      Application->Run();
    else
      while (!Application->Terminated()) Application->HandleMessage();
    globals.FreeGlobals();
  } catch (const Exception& e) {
    std::fprintf(stderr, "showform: %s\n", e.Message().c_str());
    code = 1;
  }
  StopUnits();
  return code;
}
