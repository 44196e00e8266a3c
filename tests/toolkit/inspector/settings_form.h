// A form read from the stored definition Settings.form (resource TFORMSETTINGS): an inspector like
// the output settings dialog's, with two categories and nine combo rows. Shared by the inspector's
// tests and the gallery page.
#pragma once
#include <string>
#include <vector>

#include "Forms.h"
#include "NxInspector.h"
#include "NxItemClasses.h"
#include "TypInfo.h"

class TFormSettings : public TForm {
  CALDERAN_CLASS(TFormSettings)
  using TForm::TForm;

  TNxInspector* Inspector = nullptr;
  TNxTextItem* VideoCategory = nullptr;
  TNxComboBoxItem* VideoCodec = nullptr;
  TNxComboBoxItem* VideoBitRate = nullptr;
  TNxComboBoxItem* VideoSize = nullptr;
  TNxComboBoxItem* VideoFrameRate = nullptr;
  TNxComboBoxItem* VideoAspect = nullptr;
  TNxTextItem* AudioCategory = nullptr;
  TNxComboBoxItem* AudioCodec = nullptr;
  TNxComboBoxItem* AudioBitRate = nullptr;
  TNxComboBoxItem* AudioSampleRate = nullptr;
  TNxComboBoxItem* AudioChannels = nullptr;

  // What the dialog does: every row shows the current choice.
  void FormCreate(TObject*) {
    for (TNxComboBoxItem* row : Rows()) row->SetItemIndex(0);
    changes.clear();
  }
  void InspectorChange(TObject*, TNxPropertyItem* item, const std::u16string& value) {
    changes.push_back(item->Name() + "=" + WideToAnsi(value));
  }
  std::vector<TNxComboBoxItem*> Rows() const {
    return {VideoCodec, VideoBitRate, VideoSize, VideoFrameRate, VideoAspect,
            AudioCodec, AudioBitRate, AudioSampleRate, AudioChannels};
  }
  std::vector<std::string> changes;

  static void Register() {
    static constinit const TPropInfo fields[] = {
        PublishedField<&TFormSettings::Inspector>("Inspector"),
        PublishedField<&TFormSettings::VideoCategory>("VideoCategory"),
        PublishedField<&TFormSettings::VideoCodec>("VideoCodec"),
        PublishedField<&TFormSettings::VideoBitRate>("VideoBitRate"),
        PublishedField<&TFormSettings::VideoSize>("VideoSize"),
        PublishedField<&TFormSettings::VideoFrameRate>("VideoFrameRate"),
        PublishedField<&TFormSettings::VideoAspect>("VideoAspect"),
        PublishedField<&TFormSettings::AudioCategory>("AudioCategory"),
        PublishedField<&TFormSettings::AudioCodec>("AudioCodec"),
        PublishedField<&TFormSettings::AudioBitRate>("AudioBitRate"),
        PublishedField<&TFormSettings::AudioSampleRate>("AudioSampleRate"),
        PublishedField<&TFormSettings::AudioChannels>("AudioChannels"),
    };
    static constinit const TMethodInfo methods[] = {
        PublishedMethod<&TFormSettings::FormCreate>("FormCreate"),
        PublishedMethod<&TFormSettings::InspectorChange>("InspectorChange"),
    };
    RegisterPublishedProperties(StaticClass(), fields);
    RegisterPublishedMethods(StaticClass(), methods);
    RegisterClass(StaticClass());
  }
};

inline constinit const TMetaClass TFormSettings::ClassRecord{
    "TFormSettings", &TForm::ClassRecord, [](TObject* owner) -> TObject* {
      return new TFormSettings(static_cast<TComponent*>(owner));
    }};
