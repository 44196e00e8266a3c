#include "ClipWindowsShow.h"

#include "ExtCtrls.h"
#include "FormatsAdvance.h"
#include "Global.h"
#include "NxInspector.h"
#include "NxItemClasses.h"
#include "VideoEdit.h"

namespace {

// Opens the clip (as the main window would: the first row of the input list) on one page.
void ShowClipEditor(const std::string& page, const std::string& clip) {
  GlobalVideoList->AddVideo(GlobalMediaInfo, clip);
  TVideoInfo* info = GlobalVideoList->GetVideoInfo(0);
  auto* context = new TPlayContext;  // lives as long as the program shows the editor
  context->Path = GlobalVideoList->GetFileName(0);
  context->HasVideo = info->HasVideo;
  context->Width = info->Width;
  context->Height = info->Height;
  context->Duration = info->Duration;
  context->TaskInfo = info->TaskInfo;
  info->TaskInfo->Brightness = -20;
  info->TaskInfo->CropRect = {80, 60, 560, 420};
  TFormVideoEdit* editor = nullptr;
  Application->CreateForm(editor);
  editor->OpenFile(GlobalMediaPlayer, context);
  if (page == "edit-effect") editor->ShowEffectPage();
  else if (page == "edit-trim") editor->ShowTrimPage();
  else editor->ShowCropPage();
  editor->Show();
}

struct TDropper : TObject {
  TFormOSetting* dialog = nullptr;
  TTimer* timer = nullptr;
  void Drop(TObject*) {
    timer->SetEnabled(false);
    TNxComboBoxItem* row = dialog->OFormat->Size;
    dialog->OFormat->OFormat->Select(row);
    row->ComboEditor()->SetDroppedDown(true);
  }
} dropper;

void ShowSettings() {
  TFormOSetting* dialog = nullptr;
  Application->CreateForm(dialog);
  dialog->OFormat->SetFormats(GlobalFormats);
  GlobalFormats->Attach(dialog->OFormat);
  dialog->Show();
  dropper.dialog = dialog;
  dropper.timer = new TTimer(dialog);
  dropper.timer->SetInterval(1500);
  dropper.timer->SetOnTimer(MakeEvent(&dropper, &TDropper::Drop));
}

}  // namespace

bool ShowClipWindow(const std::string& name, const std::string& clip) {
  if (name.rfind("edit-", 0) == 0) ShowClipEditor(name, clip);
  else if (name == "settings") ShowSettings();
  else return false;
  return true;
}
