// The main window on real windows with the real engine: its stored form, the profile box, the
// commands as the command strip's buttons call them, the layout on newer systems and the updater's
// command line (seen through the shell service, nothing is started).
#include "windows_fixture.h"

#include "About.h"
#include "FormatsAdvance.h"
#include "GlobalFun.h"
#include "Log.h"
#include "Main.h"
#include "MainPreview.h"
#include "Progress.h"
#include "SysUtils.h"
#include "VideoEdit.h"
#include "VideoListVw.h"
#include "RzEdit.h"
#include "RzTabs.h"
#include "cxButtons.h"
#include "cxDropDownEdit.h"
#include "cxGraphics.h"
#include "cxListView.h"
#include "cxLookAndFeels.h"
#include "cxShellBrowserDialog.h"
#include "cxTextEdit.h"
#include "windows_media.h"

namespace {

struct TShellCall {
  HWND Owner;
  std::string File, Parameters;
};
std::vector<TShellCall>& ShellCalls() {
  static std::vector<TShellCall> calls;
  return calls;
}
void RecordShell(HWND owner, const std::string& file, const std::string& parameters) {
  ShellCalls().push_back({owner, file, parameters});
}

// The platform's major version as the test sets it; 0 stands for "cannot be read".
DWORD& MajorVersion() {
  static DWORD major = 6;
  return major;
}
bool StubMajorVersion(DWORD& major) {
  major = MajorVersion();
  return major != 0;
}

std::string& ChosenFolder() {
  static std::string folder;
  return folder;
}
bool AnswerFolderDialog(TcxCustomShellBrowserDialog* dialog) {
  if (ChosenFolder().empty()) return false;
  dialog->Path = ChosenFolder();
  return true;
}

std::string ProgramFile() {
  char path[MAX_PATH] = {};
  return std::string(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
}

// The windows the program entry creates, the main window last here so that it finds the others.
struct MainWindow : MediaWindowsFixture {
  void SetUp() override {
    GlobalVideoList->Clear();
    SelectProfile("iPhone");
    GlobalFormats->SelectDefaults();
    ShellCalls().clear();
    MajorVersion() = 6;
    ChosenFolder().clear();
    GlobalShellExecute = &RecordShell;
    GlobalPlatformMajorVersion = &StubMajorVersion;
    GlobalFolderDialog = &AnswerFolderDialog;
    about.reset(CreateForm<TFormAbout>(nullptr));
    editor.reset(CreateForm<TFormVideoEdit>(nullptr));
    progress.reset(CreateForm<TFormProgress>(nullptr));
    FormAbout = about.get(), FormVideoEdit = editor.get(), FormProgress = progress.get();
    CreateMain();
  }
  void TearDown() override {
    GlobalMediaPlayer->Stop();
    main.reset();
    FormMain = nullptr;
    progress.reset(), editor.reset(), about.reset();
    FormAbout = nullptr, FormVideoEdit = nullptr, FormProgress = nullptr;
    GlobalVideoList->Clear();
    GlobalShellExecute = nullptr;
  }
  void CreateMain() {
    main.reset();
    main.reset(CreateForm<TFormMain>(nullptr));
    FormMain = main.get();
  }
  TListItem* Row(int index) { return main->FrameFileList->FileList->Items()->Item(index); }
  void Select(int index) { Row(index)->SetSelected(true); }
  void Unselect() {
    if (TListItem* row = main->FrameFileList->FileList->GetSelectedItem()) row->SetSelected(false);
  }
  std::string TrimmedCell(int index) { return Row(index)->SubItems()->Get(1); }
  // Adds files through "Add" as the file dialog would hand them over.
  void AddThroughDialog(const std::vector<std::string>& unixPaths) {
    answers.OpenFiles.clear();
    for (const std::string& path : unixPaths) answers.OpenFiles.push_back(enginetest::WinPath(path));
    main->AddVideo(nullptr);
    answers.OpenFiles.clear();
  }

  std::unique_ptr<TFormAbout> about;
  std::unique_ptr<TFormVideoEdit> editor;
  std::unique_ptr<TFormProgress> progress;
  std::unique_ptr<TFormMain> main;
};

TEST_F(MainWindow, TheStoredFormAsTheProgramShowsIt) {
  EXPECT_EQ(main->Caption(), "Video Converter");
  EXPECT_EQ(Application->Title(), "Calderan Studio");
  EXPECT_EQ(main->ClientWidth(), 741);
  EXPECT_EQ(main->ClientHeight(), 436);
  EXPECT_EQ(main->BorderStyle(), bsSingle);
  EXPECT_EQ(main->FrameFileList->Width(), 468);
  EXPECT_EQ(main->FrameFileList->Height(), 256);
  EXPECT_EQ(main->FramePreview->RzPanelReview->Width(), 253);
  const char* columns[][2] = {{"Source video", "150"}, {"Original Length", "100"}, {"Trimmed Length", "100"},
                              {"Destination File", "110"}};
  for (int c = 0; c < 4; ++c) {
    EXPECT_EQ(main->FrameFileList->FileList->Column(c)->Caption(), columns[c][0]);
    EXPECT_EQ(IntToStr(main->FrameFileList->FileList->Column(c)->Width()), columns[c][1]);
  }
  EXPECT_EQ(main->Label1->Caption(), "Output:");
  EXPECT_EQ(main->Label2->Caption(), "Format:");
  EXPECT_EQ(main->Browse->Caption(), "Browse");
  EXPECT_EQ(main->Advance->Caption(), "Advance");
  EXPECT_EQ(main->Convert->Caption(), "");
  for (TcxButton* button : {main->Browse, main->Advance, main->Convert}) EXPECT_FALSE(button->Glyph()->Empty());
  auto* skins = ObjectAs<TcxLookAndFeelController>(main->FindComponent("dxSkinController"));
  ASSERT_NE(skins, nullptr);
  EXPECT_EQ(skins->ClassName(), "TdxSkinController");
  EXPECT_EQ(skins->SkinName(), "Harbor");
  EXPECT_TRUE(GlobalUseSkins);
  EXPECT_EQ(main->cxImageList->Count(), 9);
  EXPECT_EQ(main->cxImageList->Width(), 32);
  EXPECT_EQ(main->cxImageList->Height(), 32);
  EXPECT_EQ(main->FramePreview->TimerUpdatePos->Interval(), 100u);
  EXPECT_FALSE(main->FramePreview->TimerUpdatePos->Enabled());
  ASSERT_NE(FormOSetting, nullptr);
  EXPECT_EQ(FormOSetting->Owner(), main.get());
  EXPECT_EQ(FormOSetting->OFormat->Formats(), GlobalFormats);
}

TEST_F(MainWindow, TheProfileBoxListsTheCatalogueAndShowsTheSelection) {
  TStrings* items = main->cbProfile->Properties()->Items();
  TXMLFormatsType* catalogue = GlobalFormats->XMLFormats();
  ASSERT_EQ(items->Count(), catalogue->Count());
  EXPECT_EQ(items->Get(0), "iPhone (*.mp4)");
  for (int i = 0; i < items->Count(); ++i)
    EXPECT_EQ(items->Get(i), catalogue->Format(i)->Name() + " (*." + catalogue->Format(i)->General()->FileExt() + ")");
  EXPECT_EQ(main->cbProfile->ItemIndex(), 0);

  // Filling and the first selection change nothing: a stored selection with its own bit rate stays.
  SelectProfile("MP3");
  TFormatSelection stored = GlobalFormats->GetSelection();
  stored.ABitrate = 0;
  GlobalFormats->SetSelection(stored);
  CreateMain();
  EXPECT_EQ(main->cbProfile->ItemIndex(), stored.Format);
  EXPECT_EQ(GlobalFormats->GetSelection(), stored);
}

TEST_F(MainWindow, ChangingTheProfileSelectsItsDefaultsAndTheSettingsDialogFollows) {
  SelectProfile("MP3");
  const int mp3 = GlobalFormats->GetSelection().Format;
  SelectProfile("iPhone");
  GlobalFormats->SelectDefaults();
  main->cbProfile->SetItemIndex(mp3);
  TFormatSelection selection = GlobalFormats->GetSelection();
  EXPECT_EQ(selection.Format, mp3);
  TXMLAudioType* audio = GlobalFormats->XMLFormats()->Format(mp3)->Audio();
  EXPECT_EQ(selection.ABitrate, audio->DefBitRate());
  EXPECT_EQ(selection.SampleRate, audio->DefSampleRate());
  // The settings dialog's frame is one of the catalogue's observers (detaching a stranger raises).
  EXPECT_NO_THROW(GlobalFormats->Detach(FormOSetting->OFormat));
  GlobalFormats->Attach(FormOSetting->OFormat);
}

// The box takes only its own items: a typed name can never become a selection of -1 that the
// settings file keeps and every later start-up fails on.
TEST_F(MainWindow, TheProfileBoxTakesOnlyItsItems) {
  EXPECT_EQ(main->cbProfile->Properties()->DropDownListStyle(), lsFixedList);
  const TFormatSelection before = GlobalFormats->GetSelection();
  main->cbProfile->SetItemIndex(-1);
  main->cbProfileChange(main->cbProfile);
  EXPECT_EQ(GlobalFormats->GetSelection(), before);
}

// A stale or damaged settings file starts with the defaults and is written back whole.
TEST_F(MainWindow, AStaleStoredProfileStartsWithTheDefaultsAndIsWrittenBackWhole) {
  main.reset();
  delete GlobalFormats;
  GlobalFormats = nullptr;
  {
    TStringList settings;
    settings.Add("[Formats]");
    settings.Add("Format=7");
    settings.Add("VCodec=banana");
    settings.Add("Size=-3");
    settings.SaveToFile(ProgramFolder() + "configure.ini");
  }
  GlobalFormats = new TFormats(GlobalDeviceList);
  CreateMain();
  EXPECT_EQ(main->cbProfile->ItemIndex(), 0);
  EXPECT_EQ(main->cbProfile->Text(), "iPhone (*.mp4)");
  main.reset();
  delete GlobalFormats;  // writes the selection
  GlobalFormats = nullptr;
  TStringList written;
  written.LoadFromFile(ProgramFolder() + "configure.ini");
  for (const char* key : {"Format", "VCodec", "VBitrate", "Size", "Fps", "Aspect", "ABitrate", "SampleRate", "Channels"})
    EXPECT_NE(written.IndexOfName(key), -1) << key;
  EXPECT_EQ(written.Values("Format"), "0");
  EXPECT_EQ(written.Values("Size"), IntToStr(TFormats(GlobalDeviceList).GetSelection().Size));
  GlobalFormats = new TFormats(GlobalDeviceList);
  DeleteFileA((ProgramFolder() + "configure.ini").c_str());
  CreateMain();
}

TEST_F(MainWindow, AddingFiveFilesOfWhichTheThirdCannotBeProbed) {
  enginetest::TempFolder folder;
  const std::string broken = folder / "broken & bad.mp4";
  enginetest::Sh("echo 'not a medium' > " + enginetest::Quote(broken));
  AddThroughDialog({media->Short, media->Long, broken, media->Audio, media->Short});
  EXPECT_EQ(answers.Filter,
            "All supported media format|*.avi;*.mp4;*.mpg;*.mpeg;*.3gp;*.wmv;*.asf;*.rm;*.rmvb;*.dat;*.mov;*.flv;*.mp3;"
            "*.wav;*.m4a;*.wma|All files|*.*");
  EXPECT_EQ(answers.Title, "Calderan Studio");
  EXPECT_EQ(answers.Options, TOpenOptions{ofAllowMultiSelect});
  EXPECT_EQ(GlobalVideoList->Count(), 4);
  EXPECT_EQ(main->FrameFileList->FileList->Items()->Count(), 4);
  EXPECT_EQ(Row(2)->Caption(), "tone.mp3");
  ASSERT_EQ(answers.Boxes.size(), 1u);
  EXPECT_EQ(answers.Boxes[0].Text, "Failed to create decoder, file broken & bad.mp4 cannot be imported.");
  EXPECT_EQ(answers.Boxes[0].Caption, "Information");

  // The dialog opens where the last file came from.
  AddThroughDialog({});
  EXPECT_EQ(answers.InitialDir, GlobalVideoList->InitDir());
  EXPECT_EQ(GlobalVideoList->Count(), 4);  // cancelled: nothing added
}

TEST_F(MainWindow, DeleteNeedsASelectedRowAndClearAsksNothing) {
  AddThroughDialog({media->Short, media->Long, media->Audio});
  Unselect();
  main->DeleteVideo(nullptr);
  ASSERT_EQ(answers.Boxes.size(), 1u);
  EXPECT_EQ(answers.Boxes[0].Text, "Please select a item");
  EXPECT_EQ(GlobalVideoList->Count(), 3);
  Select(1);
  main->DeleteVideo(nullptr);
  ASSERT_EQ(GlobalVideoList->Count(), 2);
  EXPECT_EQ(ExtractFileName(GlobalVideoList->GetFileName(1)), "tone.mp3");
  main->ClearVideo(nullptr);
  EXPECT_EQ(GlobalVideoList->Count(), 0);
  EXPECT_EQ(main->FrameFileList->FileList->Items()->Count(), 0);
  EXPECT_EQ(answers.Boxes.size(), 1u);
}

// Only "Browse" sets the output folder; the field is read-only, so no typed folder is ignored.
TEST_F(MainWindow, TheOutputFolderComesOnlyFromBrowse) {
  EXPECT_TRUE(main->edtOutDir->Properties()->ReadOnly());
  EXPECT_EQ(main->edtOutDir->Text(), GlobalVideoList->OutDir());
  const std::string before = GlobalVideoList->OutDir();
  main->BrowseOutDir(nullptr);  // cancelled
  EXPECT_EQ(GlobalVideoList->OutDir(), before);
  const std::string chosen = media->OutDir("browsed");
  ChosenFolder() = chosen.substr(0, chosen.size() - 1);
  main->BrowseOutDir(nullptr);
  EXPECT_EQ(GlobalVideoList->OutDir(), chosen);
  EXPECT_EQ(main->edtOutDir->Text(), ChosenFolder());
  // Adding files tells the window again: the field shows the list's folder.
  AddThroughDialog({media->Short});
  EXPECT_EQ(main->edtOutDir->Text(), chosen);
}

TEST_F(MainWindow, ConvertWithAnEmptyListDoesNothingNotEvenStoppingThePreview) {
  AddThroughDialog({media->Long});
  main->FramePreview->FrameFileListFileListDblClick(main->FrameFileList->FileList);
  ASSERT_TRUE(main->FramePreview->TimerUpdatePos->Enabled());
  GlobalVideoList->Clear();
  bool shown = false;
  WhenModal([&] {
    shown = true;
    progress->Close();
  });
  main->ConvertVideo(nullptr);
  EXPECT_TRUE(main->FramePreview->PanelPlay->Visible());
  const int64_t first = GlobalMediaPlayer->GetPosition();
  EXPECT_TRUE(PumpUntil([&] { return GlobalMediaPlayer->GetPosition() > first; })) << "the preview still plays";
  EXPECT_FALSE(shown);
  PendingModalBody() = nullptr;
}

TEST_F(MainWindow, ConvertQueuesEveryFileIntoTheFolderLastBrowsed) {
  AddThroughDialog({media->Short, media->Audio});
  const std::string out = media->OutDir("converted");
  ChosenFolder() = out.substr(0, out.size() - 1);
  main->BrowseOutDir(nullptr);
  SelectProfile("MP3");
  GlobalFormats->SelectDefaults();
  int tasks = 0;
  WhenModal([&] {
    tasks = progress->TaskCount();
    EXPECT_EQ(progress->FOutDir, out);
    EXPECT_TRUE(PumpUntil([&] { return progress->btnCancel->Caption() == "Close"; }));
    progress->btnCancel->Click();
  });
  main->ConvertVideo(nullptr);
  EXPECT_EQ(tasks, 2);
  for (const char* name : {"short clip_mp4.mp3", "tone_mp3.mp3"})
    EXPECT_TRUE(FileExists(out + name)) << name;
}

TEST_F(MainWindow, TheClipEditorRewritesTheTrimmedLengthOnlyOnOK) {
  AddThroughDialog({media->Short, media->Long});
  bool opened = false;
  WhenModal([&] { opened = true; });
  Unselect();
  main->ShowTrimEdit(nullptr);  // no row: nothing happens
  EXPECT_FALSE(opened);
  PendingModalBody() = nullptr;

  Select(1);
  Row(1)->SubItems()->Put(1, "as it was");
  WhenModal([&] {
    EXPECT_EQ(editor->pgcClip->ActivePageIndex(), 1);  // the Trim page
    editor->edtStart->SetText("00:00:02.000");
    editor->edtEnd->SetText("00:00:05.000");
    editor->btnStartEndApplyClick(nullptr);
    editor->ButtonCancel->Click();
  });
  main->ShowTrimEdit(nullptr);
  EXPECT_EQ(TrimmedCell(1), "as it was");
  EXPECT_FALSE(main->FramePreview->PanelPlay->Visible());  // the preview was set idle

  // OK rewrites the cell from the task even when nothing changed.
  TTaskInfo* task = GlobalVideoList->GetVideoInfo(1)->TaskInfo;
  WhenModal([&] {
    EXPECT_EQ(editor->pgcClip->ActivePageIndex(), 2);  // the Crop page
    editor->ButtonOK->Click();
  });
  main->ShowCropEdit(nullptr);
  EXPECT_EQ(TrimmedCell(1), FormatRefTime(true, task->EndTime - task->StartTime));
}

TEST_F(MainWindow, NewerSystemsGrowTheWindowAndShiftTheOutputRow) {
  struct Case {
    DWORD major;
    int width, height, fieldWidth, browseLeft;
  } cases[] = {{6, 759, 455, 486, 547}, {10, 759, 455, 486, 547}, {5, 741, 436, 468, 529}, {0, 741, 436, 468, 529}};
  for (const Case& c : cases) {
    MajorVersion() = c.major;
    CreateMain();
    main->Show();
    EXPECT_EQ(main->ClientWidth(), c.width) << c.major;
    EXPECT_EQ(main->ClientHeight(), c.height) << c.major;
    EXPECT_EQ(main->cbProfile->Width(), c.fieldWidth) << c.major;
    EXPECT_EQ(main->edtOutDir->Width(), c.fieldWidth) << c.major;
    EXPECT_EQ(main->Browse->Left(), c.browseLeft) << c.major;
    EXPECT_EQ(main->Advance->Left(), c.browseLeft) << c.major;
    EXPECT_EQ(main->Convert->Left(), c.browseLeft + 102) << c.major;
  }
}

TEST_F(MainWindow, TheUpdaterIsLaunchedAtEveryStartWithItsCommandLine) {
  ASSERT_EQ(ShellCalls().size(), 1u);
  const TShellCall& call = ShellCalls()[0];
  EXPECT_EQ(call.File, ProgramFolder() + "update.exe");
  EXPECT_EQ(call.Owner, main->Handle());
  char handle[32];
  std::snprintf(handle, sizeof handle, "%llx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(main->Handle())));
  const std::string expected = "-url\"" + GlobalUpdateUrl + "\" -product\"Brennow\" -ver\"" +
                               GetFileVersionString(ProgramFile()) + "\" -mainwnd\"$" + handle +
                               "\" -msg\"Calderan Studio Update Wizard\"";
  EXPECT_EQ(call.Parameters, expected);  // ends with -msg: no uninstaller beside the program

  const std::string uninstaller = ProgramFolder() + "unins000.exe";
  { TStringList empty; empty.SaveToFile(uninstaller); }
  const std::string withUninstaller = main->UpdaterParameters();
  DeleteFileA(uninstaller.c_str());
  EXPECT_EQ(withUninstaller, expected + " -uninstall\"" + uninstaller + "/SILENT /VERYSILENT\"");
}

TEST_F(MainWindow, HelpAboutAndSettingsOpenTheirWindows) {
  ShellCalls().clear();
  main->HelpClick(nullptr);
  ASSERT_EQ(ShellCalls().size(), 1u);
  EXPECT_EQ(ShellCalls()[0].File, ProgramFolder() + "help.chm");
  EXPECT_EQ(ShellCalls()[0].Parameters, "");
  EXPECT_EQ(ShellCalls()[0].Owner, main->Handle());

  bool aboutShown = false, settingsShown = false;
  WhenModal([&] {
    aboutShown = about->Visible();
    about->Close();
  });
  main->ShowAbout(nullptr);
  WhenModal([&] {
    settingsShown = FormOSetting->Visible();
    FormOSetting->Close();
  });
  main->ShowAdvance(nullptr);
  EXPECT_TRUE(aboutShown);
  EXPECT_TRUE(settingsShown);
}

TEST_F(MainWindow, ClosingStopsThePreview) {
  AddThroughDialog({media->Long});
  main->FramePreview->FrameFileListFileListDblClick(main->FrameFileList->FileList);
  ASSERT_TRUE(main->FramePreview->TimerUpdatePos->Enabled());
  TCloseAction action = caHide;
  main->FormClose(main.get(), action);
  EXPECT_FALSE(main->FramePreview->TimerUpdatePos->Enabled());
  const int64_t stopped = GlobalMediaPlayer->GetPosition();
  PumpWhileBusy();
  EXPECT_EQ(GlobalMediaPlayer->GetPosition(), stopped);
}

}  // namespace
