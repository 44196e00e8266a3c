// The clip editor "Edit": one input file's clip settings with a live preview. The "Effect" page
// holds volume, brightness and contrast, "Trim" the range (time fields and the range slider under
// the preview), "Crop" the crop rectangle on the selection-rectangle window and the letter-box
// mode (VideoEditCrop.cpp). OK writes the settings into the clip's TTaskInfo; Cancel drops them.
// Created once from its stored form and reused; its controls keep their values between openings.
//
// Guarded here: OK refuses a range whose end is not after its start or lies past the clip's length
// (a message, the dialog stays open); OK on a clip without video leaves the task's crop rectangle
// alone; opening a clip always gives the player its volume, brightness and contrast; the crop
// rectangle is kept ordered (left < right, top < bottom) from the spins and from the window; a clip
// of zero length divides nowhere; the snapshot file is deleted when the dialog closes.
#pragma once
#include <cstdint>
#include <string>

#include "Convert.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "RangeSlider.h"
#include "StdCtrls.h"

class TRzPageControl;
class TRzTabSheet;
class TRzTrackBar;
class TRzSpinEdit;
class TRzMaskEdit;
class TRzCustomEdit;
struct TSkinColours;
class TRzBmpButton;
class TRzPanel;
class TRzGroupBox;
class TcxButton;

// What the clip editor is opened on; made by the main window around one opening.
class TPlayContext : public TObject {
  CALDERAN_CLASS(TPlayContext)
  TPlayContext() = default;
  std::string Path;
  bool HasVideo = false;
  int32_t Width = 0, Height = 0;  // source pixels, 0 for sound only
  int64_t Duration = 0;           // 100 ns
  TTaskInfo* TaskInfo = nullptr;  // borrowed from the input list
};

// The report message of the selection-rectangle window.
constexpr UINT WM_CROPRECTCHANGED = WM_USER + 100;

class TFormVideoEdit : public TForm {
  CALDERAN_CLASS(TFormVideoEdit)
  using TForm::TForm;
  ~TFormVideoEdit() override;
  void Dispatch(TMessage& message) override;

  void OpenFile(TMediaPlayer* Player, TPlayContext* Context);
  void ShowEffectPage();
  void ShowTrimPage();
  void ShowCropPage();
  void PlayerStateChanged(int32_t State);

  // Stored-form components.
  TRzPageControl* pgcClip = nullptr;
  TRzTabSheet* tabEffect = nullptr;
  TRzTabSheet* tabTrim = nullptr;
  TRzTabSheet* tabCrop = nullptr;
  TRzTrackBar* trbBrightness = nullptr;
  TRzTrackBar* trbContrast = nullptr;
  TRzTrackBar* trbVolume = nullptr;
  TLabel* lblBrightness = nullptr;
  TLabel* lblContrast = nullptr;
  TLabel* lblVolume = nullptr;
  TRzBmpButton* btnResetEffect = nullptr;
  TRzMaskEdit* edtStart = nullptr;
  TRzMaskEdit* edtEnd = nullptr;
  TRzMaskEdit* edtLength = nullptr;
  TRzBmpButton* btnStartApply = nullptr;
  TRzBmpButton* btnEndApply = nullptr;
  TRzBmpButton* btnResetTrim = nullptr;
  TComboBox* cbLetterBox = nullptr;
  TRzSpinEdit* speTop = nullptr;
  TRzSpinEdit* speLeft = nullptr;
  TRzSpinEdit* speRight = nullptr;
  TRzSpinEdit* speBottom = nullptr;
  TRzBmpButton* btnCropReset = nullptr;
  TRzPanel* PanelPlay = nullptr;
  TRzPanel* PanelCrop = nullptr;
  TImage* ImagePause = nullptr;
  TImage* ImagePlay = nullptr;
  TframSeekBar* RangeSlider = nullptr;
  TcxButton* ButtonOK = nullptr;
  TcxButton* ButtonCancel = nullptr;
  TTimer* TimerUpdatePos = nullptr;
  TTimer* tmrUpdateCrop = nullptr;

  // Handlers bound in the stored form.
  void FormCreate(TObject* Sender);
  // Under a skin, the framed controls of the pages take its content colours (done at creation).
  void TakeSkinColours();
  void TakeSkinColours(TRzGroupBox* Group, const TSkinColours& Skin);
  void TakeSkinColours(TRzTrackBar* Bar, const TSkinColours& Skin);
  void TakeSkinColours(TRzCustomEdit* Edit, const TSkinColours& Skin);
  void FormDestroy(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void TimerUpdatePosTimer(TObject* Sender);
  void btnStartEndApplyClick(TObject* Sender);
  void trbVolumeChange(TObject* Sender);
  void trbBrightnessChange(TObject* Sender);
  void trbContrastChange(TObject* Sender);
  void btnResetEffectClick(TObject* Sender);
  void btnResetTrimClick(TObject* Sender);
  void edtStartValidateError(TObject* Sender, std::string& ErrorMsg);
  void ImagePlayClick(TObject* Sender);
  void ImagePauseClick(TObject* Sender);
  void ButtonOKClick(TObject* Sender);
  // The crop page (VideoEditCrop.cpp).
  void CropChange(TObject* Sender);
  void btnCropResetClick(TObject* Sender);
  void tmrUpdateCropTimer(TObject* Sender);
  void pgcClipChanging(TObject* Sender, int NewIndex, bool& AllowChange);

  // Range-slider handlers, assigned in FormCreate.
  void SliderPositionDown(double Position);
  void SliderPositionUp(double Position);
  void SliderSelectionDown(double Start, double End, double Position);
  void SliderSelectionMove(double Start, double End, double Position);
  void SliderSelectionUp(double Start, double End, double Position);
  void SliderThumbDown(int Kind, double Start, double End);
  void SliderThumbMove(int Kind, double Start, double End);
  void SliderThumbUp(int Kind, double Start, double End);

  double Scale() const { return FScale; }
  // The rectangle last given to the selection-rectangle window, in its pixels.
  TRect CropWindowRect() const { return FCropWindowRect; }
  const std::string& SnapFile() const { return FSnapFile; }

  static void Register();

 private:
  void CropRectChanged(TMessage& Message);
  void PrepareCropPage();
  void CreateCropWindow();
  void SendCropRect();
  TRect OrderedCrop();
  void TakeSnapshot();
  void SaveSnapshot(int32_t Size, int32_t Width, int32_t Height);
  void ShowCropPanel(bool Crop);
  void ShowRangeFields(double Start, double End);
  void SeekSelection(double Start, double End);
  bool RangeIsValid();
  void SetEffectLabel(TLabel* Label, int Value);
  void EnableVideoPages(bool Enabled);
  int64_t DurationMs() const;

  TMediaPlayer* FPlayer = nullptr;
  TPlayContext* FContext = nullptr;
  double FScale = 1;
  uint8_t* FSnapBits = nullptr;
  int32_t FSnapCapacity = 0;
  std::string FSnapFile;
  bool FCropWindow = false;
  TRect FCropWindowRect;
};

// The clip editor of the run, created at start-up.
extern TFormVideoEdit* FormVideoEdit;

extern const TUnitInfo VideoEditUnit;
