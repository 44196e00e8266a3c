#include "MainPreview.h"

#include <cmath>

#include "FormReader.h"
#include "Global.h"
#include "GlobalFun.h"
#include "SysUtils.h"
#include "TypInfo.h"
#include "VideoListVw.h"

CALDERAN_IMPLEMENT_CREATABLE(TFramePreview, TFrame, TComponent*)

namespace {

// Round to nearest, halves to even.
int64_t RoundEven(long double value) { return static_cast<int64_t>(std::nearbyint(value)); }

void LoadPicture(TImage* image, const char* resource) {
  TBitmap bitmap;
  bitmap.LoadFromResourceName(GetModuleHandleA(nullptr), resource);
  image->Picture()->SetGraphic(&bitmap);
}

}  // namespace

void TFramePreview::AfterConstruction() {
  TFrame::AfterConstruction();
  LoadPicture(ImagePlayerBG, "PREVIEW_IDLE");
  LoadPicture(ImageBar, "PREVIEW_BAR");
  LoadPicture(ImagePos, "PREVIEW_THUMB");
  LoadPicture(ImagePlay, "PREVIEW_PLAY");
  LoadPicture(ImagePause, "PREVIEW_PAUSE");
  ImagePos->SetTop(static_cast<int>(RoundEven(ImageBar->Height() / 2.0L)) + ImageBar->Top() -
                   static_cast<int>(RoundEven(ImagePos->Height() / 2.0L)));
  ImagePos->SetLeft(ImageBar->Left());
}

int TFramePreview::ThumbTravel() const { return ImageBar->Width() - ImagePos->Width(); }

void TFramePreview::SetSeekThumb(int Left) {
  const int last = ImageBar->Left() + ThumbTravel();
  if (Left > last) Left = last;
  if (Left < ImageBar->Left()) Left = ImageBar->Left();
  ImagePos->SetLeft(Left);
}

void TFramePreview::FrameFileListFileListDblClick(TObject*) {
  TListItem* row = FileListFrame ? FileListFrame->FileList->GetSelectedItem() : nullptr;
  if (!row) return;
  const int index = row->Index();
  TVideoInfo* info = GlobalVideoList->GetVideoInfo(index);
  FDuration = info->Duration;
  lblName->SetCaption(ExtractFileName(GlobalVideoList->GetFileName(index)));
  lblLength->SetCaption(FormatRefTime(true, FDuration));
  lblSize->SetCaption(Format("%d x %d", {info->Width, info->Height}));
  GlobalMediaPlayer->Play(GlobalVideoList->GetFileName(index), PanelPlay->Handle(),
                          MakeEvent(this, &TFramePreview::PlayerStateChanged));
}

// At the end of the file the panel goes idle once: the timer stops with it.
void TFramePreview::TimerUpdatePosTimer(TObject*) {
  const int64_t pos = GlobalMediaPlayer->GetPosition();
  if (pos >= FDuration) {
    GlobalMediaPlayer->Stop();
    PlayerStateChanged(2);
    return;
  }
  SetSeekThumb(static_cast<int>(RoundEven(static_cast<long double>(pos) / FDuration * ThumbTravel())) +
               ImageBar->Left());
}

void TFramePreview::ImagePosMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  TimerUpdatePos->SetEnabled(false);
  FDragging = true;
}

void TFramePreview::ImagePosMouseMove(TObject*, TShiftState, int X, int) {
  if (FDragging) SetSeekThumb(ImagePos->Left() + X);
}

void TFramePreview::ImagePosMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  FDragging = false;
  const int travel = ThumbTravel();
  const int64_t target =
      travel > 0 ? RoundEven(static_cast<long double>(ImagePos->Left() - ImageBar->Left()) / travel * FDuration) : 0;
  GlobalMediaPlayer->Seek(target, 0);
  TimerUpdatePos->SetEnabled(true);
}

void TFramePreview::ImagePlayClick(TObject*) { GlobalMediaPlayer->Resume(); }

void TFramePreview::ImagePauseClick(TObject*) { GlobalMediaPlayer->Pause(); }

void TFramePreview::PlayerStateChanged(int32_t State) {
  switch (State) {
    case 0:
      PanelPlay->SetVisible(true), ImagePlayerBG->SetVisible(false);
      TimerUpdatePos->SetEnabled(true);
      ImagePos->SetEnabled(true);
      ImagePlay->SetVisible(false), ImagePlay->SetEnabled(false);
      ImagePause->SetVisible(true), ImagePause->SetEnabled(true);
      break;
    case 1:
      TimerUpdatePos->SetEnabled(false);
      ImagePlay->SetVisible(true), ImagePlay->SetEnabled(true);
      ImagePause->SetVisible(false), ImagePause->SetEnabled(false);
      break;
    case 2:
      PanelPlay->SetVisible(false), ImagePlayerBG->SetVisible(true);
      TimerUpdatePos->SetEnabled(false);
      ImagePos->SetEnabled(false), ImagePos->SetLeft(ImageBar->Left());
      ImagePlay->SetVisible(true), ImagePlay->SetEnabled(false);
      ImagePause->SetVisible(false), ImagePause->SetEnabled(false);
      lblName->SetCaption(""), lblLength->SetCaption(""), lblSize->SetCaption("");
      break;
    default: break;
  }
}

void TFramePreview::Register() {
  using F = TFramePreview;
  static constinit const TPropInfo fields[] = {
      PublishedField<&F::RzPanelReview>("RzPanelReview"), PublishedField<&F::PanelPlay>("PanelPlay"),
      PublishedField<&F::ImagePlayerBG>("ImagePlayerBG"), PublishedField<&F::ImageBar>("ImageBar"),
      PublishedField<&F::ImagePos>("ImagePos"),           PublishedField<&F::ImagePlay>("ImagePlay"),
      PublishedField<&F::ImagePause>("ImagePause"),       PublishedField<&F::Label3>("Label3"),
      PublishedField<&F::lblName>("lblName"),             PublishedField<&F::Label4>("Label4"),
      PublishedField<&F::lblLength>("lblLength"),         PublishedField<&F::Label7>("Label7"),
      PublishedField<&F::lblSize>("lblSize"),             PublishedField<&F::TimerUpdatePos>("TimerUpdatePos"),
  };
  static constinit const TMethodInfo methods[] = {
      PublishedMethod<&F::FrameFileListFileListDblClick>("FrameFileListFileListDblClick"),
      PublishedMethod<&F::TimerUpdatePosTimer>("TimerUpdatePosTimer"),
      PublishedMethod<&F::ImagePosMouseDown>("ImagePosMouseDown"),
      PublishedMethod<&F::ImagePosMouseMove>("ImagePosMouseMove"),
      PublishedMethod<&F::ImagePosMouseUp>("ImagePosMouseUp"),
      PublishedMethod<&F::ImagePlayClick>("ImagePlayClick"),
      PublishedMethod<&F::ImagePauseClick>("ImagePauseClick"),
  };
  RegisterPublishedProperties(StaticClass(), fields);
  RegisterPublishedMethods(StaticClass(), methods);
  RegisterClass(StaticClass());
}

namespace {
void StartMainPreview() { TFramePreview::Register(); }
void StopMainPreview() { UnRegisterClass(TFramePreview::StaticClass()); }
}  // namespace

constinit const TUnitInfo MainPreviewUnit{"MainPreview", StartMainPreview, StopMainPreview};
