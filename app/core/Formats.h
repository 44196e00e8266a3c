// The output profiles: the catalogue loaded from the program's resources and filtered by the
// device list, the current selection of nine indexes into the chosen profile's lists, the output
// parameters of a selection, and the selection kept across runs in the settings file.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "FormatsIni.h"
#include "Observer.h"
#include "TaskConf.h"
#include "XMLFormats.h"

// Positions: Format in the filtered catalogue, the others in the chosen profile's lists.
struct TFormatSelection {
  int32_t Format = 0;
  int32_t VCodec = 0;
  int32_t VBitrate = 0;
  int32_t Size = 0;
  int32_t Fps = 0;
  int32_t Aspect = 0;
  int32_t ABitrate = 0;
  int32_t SampleRate = 0;
  int32_t Channels = 0;
  bool operator==(const TFormatSelection&) const = default;
};

// Notifies its observers after every change of the selection.
class TFormats : public TSubject {
  CALDERAN_CLASS(TFormats)
  // Loads the catalogue (resource type "XML", id 101 of the program), keeps the profiles named in
  // DeviceList and reads the stored selection; a stored index outside its list gives the default.
  // A catalogue that cannot be loaded raises FinalException.
  explicit TFormats(const std::string& DeviceList);
  // Writes the selection; an error is kept for the shutdown (KeepDestructorError).
  ~TFormats() override;

  // Removes every profile whose name does not occur in DeviceList (case-sensitive); an empty list
  // keeps them all.
  void FilterByDevices(const std::string& DeviceList);
  TFormatSelection GetSelection() const { return selection_; }
  // Stores the nine indexes as given.
  void SetSelection(const TFormatSelection& Selection);
  // The current profile's default list positions (the first video codec).
  void SelectDefaults();
  // Raises EListError when an index lies outside its list.
  FormatDetail GetOutputParams(const TFormatSelection& S) const;
  FormatDetail GetCurrentOutputParams() const { return GetOutputParams(selection_); }
  // The filtered catalogue, read by the windows.
  TXMLFormatsType* XMLFormats() const { return root_; }
  // Writes the nine indexes to the settings file.
  void SaveSelection();

 private:
  void LoadCatalogue(const std::string& DeviceList);
  void ReadStoredSelection();

  std::unique_ptr<TXMLDocument> document_;
  TXMLFormatsType* root_ = nullptr;
  TFormatSelection selection_;
  std::unique_ptr<TFormatsIni> ini_;
};
