// The main window's preview player: the right-hand panel that plays the file double-clicked in
// the file list into a black video panel, with a seek bar whose thumb follows the playback every
// 100 ms and seeks where it is released, pause and resume images and the file's name, length and
// resolution. The main window embeds it as a frame and forwards the file list's double click.
//
// A duration of zero never divides (the thumb stays at the bar's left end and a release seeks to
// 0), and at the end of the file the panel goes idle once instead of stopping the player on every
// later tick.
#pragma once
#include <cstdint>

#include "ExtCtrls.h"
#include "Forms.h"
#include "RzPanel.h"
#include "cxLabel.h"

class TFrameFileList;

class TFramePreview : public TFrame {
  CALDERAN_CLASS(TFramePreview)
  explicit TFramePreview(TComponent* Owner) : TFrame(Owner) {}
  // Reads the stored frame, loads the pictures and puts the thumb at the bar's left end.
  void AfterConstruction() override;

  TRzPanel* RzPanelReview = nullptr;
  TPanel* PanelPlay = nullptr;
  TImage* ImagePlayerBG = nullptr;
  TImage* ImageBar = nullptr;
  TImage* ImagePos = nullptr;
  TImage* ImagePlay = nullptr;
  TImage* ImagePause = nullptr;
  TcxLabel* Label3 = nullptr;
  TcxLabel* lblName = nullptr;
  TcxLabel* Label4 = nullptr;
  TcxLabel* lblLength = nullptr;
  TcxLabel* Label7 = nullptr;
  TcxLabel* lblSize = nullptr;
  TTimer* TimerUpdatePos = nullptr;

  // The file list whose selected row a double click plays (set by the main window).
  TFrameFileList* FileListFrame = nullptr;
  int64_t Duration() const { return FDuration; }
  bool Dragging() const { return FDragging; }

  void FrameFileListFileListDblClick(TObject* Sender);
  void TimerUpdatePosTimer(TObject* Sender);
  void ImagePosMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ImagePosMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void ImagePosMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ImagePlayClick(TObject* Sender);
  void ImagePauseClick(TObject* Sender);
  // The player's state callback: 0 playing, 1 paused, 2 idle.
  void PlayerStateChanged(int32_t State);
  // Places the thumb's left edge, kept on the bar.
  void SetSeekThumb(int Left);
  static void Register();

 private:
  int ThumbTravel() const;
  int64_t FDuration = 0;
  bool FDragging = false;
};

extern const TUnitInfo MainPreviewUnit;
