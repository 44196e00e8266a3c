// The whole road of one clip: a real clip made here, opened in the clip editor, its volume,
// brightness, crop and range set through the editor's controls, OK, then the conversion queue's
// progress window converts it with the real engine and ffprobe reads the output back.
#include "windows_fixture.h"

#include "Progress.h"
#include "RzEdit.h"
#include "RzTrkBar.h"
#include "VideoEdit.h"
#include "StdCtrls.h"
#include "windows_media.h"

namespace {

using enginetest::Probe;
using enginetest::ProbeNumber;

struct ClipEditorRoad : AppWindowsFixture {};

std::string UnixOf(const std::string& winPath) {
  WCHAR wide[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, winPath.c_str(), -1, wide, MAX_PATH);
  char* unix = wine_get_unix_file_name(wide);
  std::string result = unix ? unix : "";
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

TEST_F(ClipEditorRoad, EditedClipConvertsWithItsRangeCropAndEffects) {
  enginetest::TempFolder folder;
  const std::string clip = folder / "road clip & co.avi";
  ASSERT_TRUE(enginetest::MakeClip(clip, 320, 240, 25, 6.0));
  GlobalVideoList->Clear();
  SelectProfile("iPhone");
  GlobalFormats->SelectDefaults();
  TFormatSelection selection = GlobalFormats->GetSelection();
  selection.Size = 0;  // "original": the output keeps the cropped picture's size
  GlobalFormats->SetSelection(selection);
  const int index = AddInput(clip);
  TVideoInfo* info = GlobalVideoList->GetVideoInfo(index);
  ASSERT_TRUE(info->HasVideo);

  TPlayContext context;
  context.Path = GlobalVideoList->GetFileName(index);
  context.HasVideo = info->HasVideo;
  context.Width = info->Width;
  context.Height = info->Height;
  context.Duration = info->Duration;
  context.TaskInfo = info->TaskInfo;
  std::unique_ptr<TFormVideoEdit> editor(CreateForm<TFormVideoEdit>(Application));
  editor->OpenFile(GlobalMediaPlayer, &context);
  editor->ShowCropPage();
  // The spins by name: the spin edit's header and the toolkit button's cannot meet in one file.
  const TModalResult result = WhileModal(editor.get(), [&] {
    editor->trbVolume->SetPosition(150);
    editor->trbBrightness->SetPosition(20);
    ObjectAs<TCustomEdit>(editor->FindComponent("speLeft"))->SetText("32");
    ObjectAs<TCustomEdit>(editor->FindComponent("speTop"))->SetText("24");
    ObjectAs<TCustomEdit>(editor->FindComponent("speRight"))->SetText("288");
    ObjectAs<TCustomEdit>(editor->FindComponent("speBottom"))->SetText("216");
    editor->cbLetterBox->SetItemIndex(1);  // "Keep original": the crop's own shape
    editor->edtStart->SetText("00:00:01.000");
    editor->edtEnd->SetText("00:00:04.000");
    editor->btnStartEndApplyClick(nullptr);  // "Apply"
    ObjectAs<TButton>(editor->FindComponent("ButtonOK"))->Click();
  });
  ASSERT_EQ(result, mrOk);
  const TTaskInfo& task = *info->TaskInfo;
  EXPECT_EQ(task.Volume, 150);
  EXPECT_EQ(task.Brightness, 20);
  EXPECT_EQ(task.StartTime, 10000000);
  EXPECT_EQ(task.EndTime, 40000000);
  EXPECT_EQ(task.CropRect.Right - task.CropRect.Left, 256);

  std::unique_ptr<TFormProgress> progress(CreateForm<TFormProgress>(Application));
  progress->FOutDir = enginetest::WinPath(folder.Path()) + "\\";
  info->TaskInfo->OutName = "road out";
  progress->AddTask(GlobalVideoList->GetFileName(index), info->TaskInfo);
  WhileModal(progress.get(), [&] {
    EXPECT_TRUE(PumpUntil([&] { return progress->btnCancel->Caption() == "Close"; }));
    progress->btnCancel->Click();
  });
  const std::string output = UnixOf(progress->FOutDir + "road out.mp4");
  EXPECT_NEAR(ProbeNumber(output, "format=duration"), 3.0, 0.15) << "the length is the range";
  EXPECT_EQ(Probe(output, "stream=width", "v:0"), "256") << "the crop's width";
  EXPECT_EQ(Probe(output, "stream=height", "v:0"), "192") << "the crop's height";
}

}  // namespace
