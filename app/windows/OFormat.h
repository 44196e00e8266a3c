// The output settings frame: an inspector with a "Video" and an "Audio" category and nine drop-down
// rows, an observer of the profile catalogue. Every notification reloads the rows' lists from the
// selected profile and shows the catalogue's selection; ApplySelection stores the rows' indexes as
// the selection, ResetDefaults asks the catalogue for the profile's defaults.
#pragma once
#include "Formats.h"
#include "Forms.h"
#include "Observer.h"

class TNxInspector;
class TNxTextItem;
class TNxComboBoxItem;

class TFrameOFormat : public TFrame, public IObserver {
  CALDERAN_CLASS(TFrameOFormat)
  using TFrame::TFrame;

  void SetFormats(TObject* Formats);
  TFormats* Formats() const { return FFormats; }
  void Update() override;
  void FillLists(int FormatIndex);
  void ApplySelection();
  void ResetDefaults();
  // Under a skin the inspector takes its colours (its stored ones are those of the light look).
  void TakeSkinColours();

  TNxInspector* OFormat = nullptr;
  TNxTextItem* Video = nullptr;
  TNxTextItem* Audio = nullptr;
  TNxComboBoxItem* VCodec = nullptr;
  TNxComboBoxItem* Size = nullptr;
  TNxComboBoxItem* Fps = nullptr;
  TNxComboBoxItem* Aspect = nullptr;
  TNxComboBoxItem* VBitRate = nullptr;
  TNxComboBoxItem* ACodec = nullptr;
  TNxComboBoxItem* Sample = nullptr;
  TNxComboBoxItem* Channels = nullptr;
  TNxComboBoxItem* ABitRate = nullptr;

  static void Register();

 private:
  void FillVideoLists(class TXMLVideoType* Video);
  void FillAudioLists(class TXMLAudioType* Audio);

  TFormats* FFormats = nullptr;
};

extern const TUnitInfo OFormatUnit;
