#include "VideoEdit.h"

#include "GlobalFun.h"
#include "RzBmpBtn.h"
#include "RzEdit.h"
#include "RzPanel.h"
#include "RzSpnEdt.h"
#include "RzTabs.h"
#include "RzTrkBar.h"
#include "SkinColours.h"
#include "SysUtils.h"
#include "TypInfo.h"
#include "UserDb.h"
#include "cxButtons.h"

CALDERAN_IMPLEMENT_CLASS(TPlayContext, TObject)
CALDERAN_IMPLEMENT_CREATABLE(TFormVideoEdit, TForm, TComponent*)

TFormVideoEdit* FormVideoEdit = nullptr;

namespace {
constexpr int64_t kTicksPerMs = 10000;  // the task's times are 100-ns counts
constexpr int kEffectPage = 0, kTrimPage = 1, kCropPage = 2;

int64_t RoundedMs(int64_t ticks) { return Round(static_cast<long double>(ticks) / kTicksPerMs); }

}  // namespace

TFormVideoEdit::~TFormVideoEdit() {
  // A timer tick or report arriving while the form is torn down must not reach a half-freed form.
  BeforeDestruction();
}

void TFormVideoEdit::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case WM_CROPRECTCHANGED: CropRectChanged(message); break;
    default: TForm::Dispatch(message);
  }
}

int64_t TFormVideoEdit::DurationMs() const { return FContext ? RoundedMs(FContext->Duration) : 0; }

// ---------------------------------------------------------------------------------------------
// Creation and closing

void TFormVideoEdit::FormCreate(TObject*) {
  FSnapFile = MakeTempFileName("snap");
  HINSTANCE program = GetModuleHandleA(nullptr);
  for (auto [image, name] : {std::pair{ImagePlay, "CLIP_PLAY"}, std::pair{ImagePause, "CLIP_PAUSE"}})
    if (FindResourceA(program, name, reinterpret_cast<LPCSTR>(RT_BITMAP)))
      image->Picture()->Bitmap()->LoadFromResourceName(program, name);
  RangeSlider->SetDoubleBuffered(true);
  RangeSlider->OnPositionDown = MakeEvent(this, &TFormVideoEdit::SliderPositionDown);
  RangeSlider->OnPositionUp = MakeEvent(this, &TFormVideoEdit::SliderPositionUp);
  RangeSlider->OnSelectionDown = MakeEvent(this, &TFormVideoEdit::SliderSelectionDown);
  RangeSlider->OnSelectionMove = MakeEvent(this, &TFormVideoEdit::SliderSelectionMove);
  RangeSlider->OnSelectionUp = MakeEvent(this, &TFormVideoEdit::SliderSelectionUp);
  RangeSlider->OnThumbDown = MakeEvent(this, &TFormVideoEdit::SliderThumbDown);
  RangeSlider->OnThumbMove = MakeEvent(this, &TFormVideoEdit::SliderThumbMove);
  RangeSlider->OnThumbUp = MakeEvent(this, &TFormVideoEdit::SliderThumbUp);
  RangeSlider->SetRange(0, 1000, 0, 1000, 0);
  RangeSlider->SetPartsEnabled(true);
  RangeSlider->FActive = true;
  TakeSkinColours();
}

// The framed controls keep their own light colours whatever the skin: under one, the page
// control, its pages, the group boxes, the track bars (channel included) and the labels on them
// take the skin's content colours, and the time fields, spins and the zoom list its editor
// colours, so a dark skin shows no light page and no light box.
void TFormVideoEdit::TakeSkinColours() {
  TSkinColours skin;
  if (!SkinColoursInUse(skin)) return;
  pgcClip->SetColor(skin.Back);
  pgcClip->SetBackgroundColor(skin.Back);  // the strip beside the tabs
  pgcClip->TabColors()->SetUnselected(skin.Back);
  pgcClip->TabColors()->SetShadow(skin.Editor);  // the far end of an unselected tab's gradient
  pgcClip->TextColors()->SetSelected(skin.Text);
  pgcClip->TextColors()->SetUnselected(skin.Text);
  for (int i = 0; i < ComponentCount(); ++i) {
    TComponent* c = Components(i);
    if (auto* page = dynamic_cast<TRzTabSheet*>(c)) page->SetColor(skin.Back);
    if (auto* group = dynamic_cast<TRzGroupBox*>(c)) TakeSkinColours(group, skin);
    if (auto* bar = dynamic_cast<TRzTrackBar*>(c)) TakeSkinColours(bar, skin);
    if (auto* edit = dynamic_cast<TRzCustomEdit*>(c)) TakeSkinColours(edit, skin);
    if (auto* list = dynamic_cast<TComboBox*>(c)) {
      list->SetColor(skin.Editor);
      FollowSkinText(list->Font(), skin.EditorText);
    }
    if (auto* label = dynamic_cast<TLabel*>(c)) FollowSkinText(label->Font(), skin.Text);
    if (auto* button = dynamic_cast<TRzBmpButton*>(c)) FollowSkinText(button->Font(), skin.Text);
  }
}

// The themed group frame writes its caption in the theme's dark text: under a skin the group draws
// its own frame, a line in the skin's border colour, and its caption in the skin's text.
void TFormVideoEdit::TakeSkinColours(TRzGroupBox* group, const TSkinColours& skin) {
  group->SetVisualStyle(vsClassic);
  group->SetBorderOuter(fsFlat);
  group->SetFlatColor(skin.Border);
  group->SetFlatColorAdjustment(0);
  group->SetColor(skin.Back);
  FollowSkinText(group->Font(), skin.Text);
}

void TFormVideoEdit::TakeSkinColours(TRzTrackBar* bar, const TSkinColours& skin) {
  bar->SetColor(skin.Back);
  bar->SetTickColor(skin.Text);
  bar->SetTrackColor(skin.Editor);
  bar->SetTrackFrame(fsFlat);  // the sunken frame is drawn in the system's light colours
  bar->SetTrackFrameColor(skin.Border);
}

void TFormVideoEdit::TakeSkinColours(TRzCustomEdit* edit, const TSkinColours& skin) {
  edit->SetColor(skin.Editor);
  edit->SetFocusColor(skin.Editor);
  edit->SetReadOnlyColor(skin.Editor);
  edit->SetDisabledColor(skin.DisabledEditor);
  // The themed and the platform's sunken edges are drawn in light colours: a flat frame of our own.
  edit->SetFramingPreference(fpCustomFraming);
  edit->SetFrameVisible(true);
  edit->SetFrameStyle(fsFlat);
  edit->SetFrameHotStyle(fsFlat);
  edit->SetFrameColor(skin.Border);
  edit->SetFrameHotColor(skin.Selection);
  FollowSkinText(edit->Font(), skin.EditorText);
  if (auto* spin = dynamic_cast<TRzSpinEdit*>(edit)) {  // flat buttons wear the edit's colour
    spin->SetFlatButtons(true);
    spin->SetFlatButtonColor(skin.Selection);
  }
}

void TFormVideoEdit::FormDestroy(TObject*) {
  delete[] FSnapBits;
  FSnapBits = nullptr;
  FSnapCapacity = 0;
  if (!FSnapFile.empty()) DeleteFileA(FSnapFile.c_str());
}

void TFormVideoEdit::FormClose(TObject*, TCloseAction&) {
  TimerUpdatePos->SetEnabled(false);
  tmrUpdateCrop->SetEnabled(false);
  if (FPlayer) FPlayer->Stop();
  if (FCropWindow) SCDestroySelrectWnd();
  FCropWindow = false;
  // The snapshot is only the crop window's background: nothing of it outlives the dialog.
  DeleteFileA(FSnapFile.c_str());
}

// ---------------------------------------------------------------------------------------------
// Opening a clip

void TFormVideoEdit::OpenFile(TMediaPlayer* Player, TPlayContext* Context) {
  FPlayer = Player;
  FContext = Context;
  const TTaskInfo& task = *Context->TaskInfo;
  FPlayer->Play(Context->Path, PanelPlay->Handle(), MakeEvent(this, &TFormVideoEdit::PlayerStateChanged));
  FPlayer->Seek(task.StartTime, task.EndTime - task.StartTime);
  // A track bar raises its change only when its position moves; the preview must play with this
  // clip's effects even when the bars already stand there, so an unmoved bar is handled directly.
  const std::pair<TRzTrackBar*, void (TFormVideoEdit::*)(TObject*)> effects[] = {
      {trbVolume, &TFormVideoEdit::trbVolumeChange},
      {trbBrightness, &TFormVideoEdit::trbBrightnessChange},
      {trbContrast, &TFormVideoEdit::trbContrastChange}};
  const int32_t values[] = {task.Volume, task.Brightness, task.Contrast};
  for (int i = 0; i < 3; ++i) {
    TRzTrackBar* bar = effects[i].first;
    if (bar->Position() == values[i]) (this->*effects[i].second)(bar);
    else bar->SetPosition(values[i]);
  }
  edtStart->SetText(FormatRefTime(true, task.StartTime));
  edtEnd->SetText(FormatRefTime(true, task.EndTime));
  edtLength->SetText(FormatRefTime(true, task.EndTime - task.StartTime));
  const int64_t start = RoundedMs(task.StartTime);
  RangeSlider->SetRange(0, DurationMs(), start, RoundedMs(task.EndTime), start);
  if (Context->HasVideo) PrepareCropPage();
  EnableVideoPages(Context->HasVideo);
  cbLetterBox->SetItemIndex(task.LetterBox);
}

void TFormVideoEdit::EnableVideoPages(bool Enabled) {
  for (TRzTabSheet* page : {tabEffect, tabCrop}) {
    page->SetTabEnabled(Enabled);
    page->SetEnabled(Enabled);
  }
}

void TFormVideoEdit::ShowEffectPage() {
  pgcClip->SetActivePageIndex(FContext && FContext->HasVideo ? kEffectPage : kTrimPage);
}

void TFormVideoEdit::ShowTrimPage() { pgcClip->SetActivePageIndex(kTrimPage); }

void TFormVideoEdit::ShowCropPage() {
  if (!FContext || !FContext->HasVideo) return pgcClip->SetActivePageIndex(kTrimPage);
  pgcClip->SetActivePageIndex(kCropPage);
  tmrUpdateCrop->SetEnabled(true);
}

// ---------------------------------------------------------------------------------------------
// Playing

void TFormVideoEdit::PlayerStateChanged(int32_t State) {
  if (State != 0 && State != 1) return;
  const bool playing = State == 0;
  TimerUpdatePos->SetEnabled(playing);
  ImagePlay->SetVisible(!playing);
  ImagePause->SetVisible(playing);
}

void TFormVideoEdit::ImagePlayClick(TObject*) { FPlayer->Resume(); }
void TFormVideoEdit::ImagePauseClick(TObject*) { FPlayer->Pause(); }

// Moves the marker and loops the selection: at the end field the selection plays again.
void TFormVideoEdit::TimerUpdatePosTimer(TObject*) {
  const int64_t position = FPlayer->GetPosition();
  RangeSlider->SetPosition(static_cast<double>(position) / kTicksPerMs);
  const int64_t end = ParseTime(edtEnd->Text()) * kTicksPerMs;
  if (position >= end) btnStartEndApplyClick(nullptr);
}

void TFormVideoEdit::btnStartEndApplyClick(TObject*) {
  const int64_t s = ParseTime(edtStart->Text()), e = ParseTime(edtEnd->Text());
  edtLength->SetText(FormatMsTime(true, e - s));
  RangeSlider->SetStart(static_cast<double>(s));
  RangeSlider->SetEnd(static_cast<double>(e));
  FPlayer->Seek(s * kTicksPerMs, (e - s) * kTicksPerMs);
}

void TFormVideoEdit::btnResetTrimClick(TObject*) {
  const int64_t duration = FContext ? FContext->Duration : 0;
  edtStart->SetText("00:00:00.000");
  edtEnd->SetText(FormatRefTime(true, duration));
  edtLength->SetText(FormatRefTime(true, duration));
  RangeSlider->SetStart(0);
  RangeSlider->SetEnd(static_cast<double>(duration) / kTicksPerMs);
  FPlayer->Seek(0, duration);
}

void TFormVideoEdit::edtStartValidateError(TObject*, std::string& ErrorMsg) {
  ErrorMsg = "Invalid input time, xx:xx:xx.xxx";
  edtStart->Undo();
}

// ---------------------------------------------------------------------------------------------
// Range slider

void TFormVideoEdit::ShowRangeFields(double Start, double End) {
  const int64_t s = static_cast<int64_t>(Start), e = static_cast<int64_t>(End);
  edtStart->SetText(FormatMsTime(true, s));
  edtEnd->SetText(FormatMsTime(true, e));
  edtLength->SetText(FormatMsTime(true, e - s));
}

void TFormVideoEdit::SeekSelection(double Start, double End) {
  FPlayer->Seek(Round(static_cast<long double>(Start) * kTicksPerMs),
                Round(static_cast<long double>(End - Start) * kTicksPerMs));
}

void TFormVideoEdit::SliderPositionDown(double) { TimerUpdatePos->SetEnabled(false); }

void TFormVideoEdit::SliderPositionUp(double Position) {
  const int64_t start = Round(static_cast<long double>(Position));
  const int64_t end = ParseTime(edtEnd->Text());
  FPlayer->Seek(start * kTicksPerMs, (end - start) * kTicksPerMs);
  TimerUpdatePos->SetEnabled(true);
}

void TFormVideoEdit::SliderSelectionDown(double, double, double) {
  TimerUpdatePos->SetEnabled(false);
  if (pgcClip->ActivePageIndex() != kTrimPage) pgcClip->SetActivePageIndex(kTrimPage);
}

void TFormVideoEdit::SliderThumbDown(int, double Start, double End) { SliderSelectionDown(Start, End, 0); }

void TFormVideoEdit::SliderSelectionMove(double Start, double End, double) { ShowRangeFields(Start, End); }
void TFormVideoEdit::SliderThumbMove(int, double Start, double End) { ShowRangeFields(Start, End); }

void TFormVideoEdit::SliderSelectionUp(double Start, double End, double) {
  SeekSelection(Start, End);
  TimerUpdatePos->SetEnabled(true);
  ShowRangeFields(Start, End);
}

// After a thumb the marker stands still until play, a release of the selection or the marker.
void TFormVideoEdit::SliderThumbUp(int, double Start, double End) {
  SeekSelection(Start, End);
  ShowRangeFields(Start, End);
}

// ---------------------------------------------------------------------------------------------
// Effects

void TFormVideoEdit::SetEffectLabel(TLabel* Label, int Value) { Label->SetCaption(Format("%d%%", {Value})); }

void TFormVideoEdit::trbVolumeChange(TObject*) {
  SetEffectLabel(lblVolume, trbVolume->Position());
  if (FPlayer) FPlayer->SetVolume(trbVolume->Position());
}

void TFormVideoEdit::trbBrightnessChange(TObject*) {
  SetEffectLabel(lblBrightness, trbBrightness->Position());
  if (FPlayer) FPlayer->SetBrightness(trbBrightness->Position());
}

void TFormVideoEdit::trbContrastChange(TObject*) {
  SetEffectLabel(lblContrast, trbContrast->Position());
  if (FPlayer) FPlayer->SetContrast(trbContrast->Position());
}

void TFormVideoEdit::btnResetEffectClick(TObject*) {
  trbBrightness->SetPosition(0);
  trbContrast->SetPosition(0);
  trbVolume->SetPosition(100);
}

// ---------------------------------------------------------------------------------------------
// OK

// The range must be one the converter can cut: an end after the start, within the clip.
bool TFormVideoEdit::RangeIsValid() {
  const int64_t s = ParseTime(edtStart->Text()), e = ParseTime(edtEnd->Text());
  std::string problem;
  if (e <= s) problem = "The end time must come after the start time.";
  else if (FContext && e > DurationMs())
    problem = "The end time lies beyond the end of the clip (" + FormatRefTime(true, FContext->Duration) + ").";
  if (problem.empty()) return true;
  pgcClip->SetActivePageIndex(kTrimPage);
  ShowError(problem);
  return false;
}

void TFormVideoEdit::ButtonOKClick(TObject*) {
  if (!RangeIsValid()) return SetModalResult(mrNone);
  TTaskInfo& task = *FContext->TaskInfo;
  task.Volume = trbVolume->Position();
  task.Brightness = trbBrightness->Position();
  task.Contrast = trbContrast->Position();
  // The spins of a clip without video still hold the previous clip's rectangle.
  if (FContext->HasVideo) task.CropRect = OrderedCrop();
  task.LetterBox = cbLetterBox->ItemIndex();
  task.StartTime = ParseTime(edtStart->Text()) * kTicksPerMs;
  task.EndTime = ParseTime(edtEnd->Text()) * kTicksPerMs;
}

// ---------------------------------------------------------------------------------------------

void TFormVideoEdit::Register() {
  using F = TFormVideoEdit;
  static constinit const TPropInfo fields[] = {
      PublishedField<&F::pgcClip>("pgcClip"),           PublishedField<&F::tabEffect>("tabEffect"),
      PublishedField<&F::tabTrim>("tabTrim"),           PublishedField<&F::tabCrop>("tabCrop"),
      PublishedField<&F::trbBrightness>("trbBrightness"), PublishedField<&F::trbContrast>("trbContrast"),
      PublishedField<&F::trbVolume>("trbVolume"),       PublishedField<&F::lblBrightness>("lblBrightness"),
      PublishedField<&F::lblContrast>("lblContrast"),   PublishedField<&F::lblVolume>("lblVolume"),
      PublishedField<&F::btnResetEffect>("btnResetEffect"), PublishedField<&F::edtStart>("edtStart"),
      PublishedField<&F::edtEnd>("edtEnd"),             PublishedField<&F::edtLength>("edtLength"),
      PublishedField<&F::btnStartApply>("btnStartApply"), PublishedField<&F::btnEndApply>("btnEndApply"),
      PublishedField<&F::btnResetTrim>("btnResetTrim"), PublishedField<&F::cbLetterBox>("cbLetterBox"),
      PublishedField<&F::speTop>("speTop"),             PublishedField<&F::speLeft>("speLeft"),
      PublishedField<&F::speRight>("speRight"),         PublishedField<&F::speBottom>("speBottom"),
      PublishedField<&F::btnCropReset>("btnCropReset"), PublishedField<&F::PanelPlay>("PanelPlay"),
      PublishedField<&F::PanelCrop>("PanelCrop"),       PublishedField<&F::ImagePause>("ImagePause"),
      PublishedField<&F::ImagePlay>("ImagePlay"),       PublishedField<&F::RangeSlider>("RangeSlider"),
      PublishedField<&F::ButtonOK>("ButtonOK"),         PublishedField<&F::ButtonCancel>("ButtonCancel"),
      PublishedField<&F::TimerUpdatePos>("TimerUpdatePos"), PublishedField<&F::tmrUpdateCrop>("tmrUpdateCrop"),
  };
  static constinit const TMethodInfo methods[] = {
      PublishedMethod<&F::FormCreate>("FormCreate"),
      PublishedMethod<&F::FormDestroy>("FormDestroy"),
      PublishedMethod<&F::FormClose>("FormClose"),
      PublishedMethod<&F::TimerUpdatePosTimer>("TimerUpdatePosTimer"),
      PublishedMethod<&F::btnStartEndApplyClick>("btnStartEndApplyClick"),
      PublishedMethod<&F::trbVolumeChange>("trbVolumeChange"),
      PublishedMethod<&F::trbBrightnessChange>("trbBrightnessChange"),
      PublishedMethod<&F::trbContrastChange>("trbContrastChange"),
      PublishedMethod<&F::btnResetEffectClick>("btnResetEffectClick"),
      PublishedMethod<&F::btnResetTrimClick>("btnResetTrimClick"),
      PublishedMethod<&F::edtStartValidateError>("edtStartValidateError"),
      PublishedMethod<&F::ImagePlayClick>("ImagePlayClick"),
      PublishedMethod<&F::ImagePauseClick>("ImagePauseClick"),
      PublishedMethod<&F::ButtonOKClick>("ButtonOKClick"),
      PublishedMethod<&F::CropChange>("CropChange"),
      PublishedMethod<&F::btnCropResetClick>("btnCropResetClick"),
      PublishedMethod<&F::tmrUpdateCropTimer>("tmrUpdateCropTimer"),
      PublishedMethod<&F::pgcClipChanging>("pgcClipChanging"),
  };
  RegisterPublishedProperties(StaticClass(), fields);
  RegisterPublishedMethods(StaticClass(), methods);
  RegisterClass(StaticClass());
}

const TUnitInfo VideoEditUnit{"VideoEdit", &TFormVideoEdit::Register, nullptr};
