#include "Formats.h"

#include "Classes.h"
#include "Exception.h"
#include "SysUtils.h"

CALDERAN_IMPLEMENT_CLASS(TFormats, TSubject)

namespace {

constexpr int kCatalogueResource = 101;

// One stored list index: where it lives in the selection, how it is read, and how long its list is.
struct TStoredIndex {
  int32_t TFormatSelection::*Field;
  int32_t (TFormatsIni::*Read)() const;
  int (*Count)(TXMLFormatType* P);
};

// In the order the keys are read.
const TStoredIndex kStoredIndexes[] = {
    {&TFormatSelection::VCodec, &TFormatsIni::ReadVCodec,
     [](TXMLFormatType* p) { return p->Video()->Codec()->Count(); }},
    {&TFormatSelection::VBitrate, &TFormatsIni::ReadVBitrate,
     [](TXMLFormatType* p) { return p->Video()->BitRate()->Count(); }},
    {&TFormatSelection::Size, &TFormatsIni::ReadSize, [](TXMLFormatType* p) { return p->Video()->Size()->Count(); }},
    {&TFormatSelection::Fps, &TFormatsIni::ReadFps, [](TXMLFormatType* p) { return p->Video()->Fps()->Count(); }},
    {&TFormatSelection::Aspect, &TFormatsIni::ReadAspect,
     [](TXMLFormatType* p) { return p->Video()->Aspect()->Count(); }},
    {&TFormatSelection::ABitrate, &TFormatsIni::ReadABitrate,
     [](TXMLFormatType* p) { return p->Audio()->BitRate()->Count(); }},
    {&TFormatSelection::SampleRate, &TFormatsIni::ReadSampleRate,
     [](TXMLFormatType* p) { return p->Audio()->SampleRate()->Count(); }},
    {&TFormatSelection::Channels, &TFormatsIni::ReadChannels,
     [](TXMLFormatType* p) { return p->Audio()->Channels()->Count(); }},
};

}  // namespace

TFormats::TFormats(const std::string& DeviceList) {
  LoadCatalogue(DeviceList);
  ini_ = std::make_unique<TFormatsIni>();
  ReadStoredSelection();
}

TFormats::~TFormats() {
  try {
    SaveSelection();
  } catch (...) {
    KeepDestructorError(std::current_exception());
  }
}

void TFormats::LoadCatalogue(const std::string& DeviceList) {
  // A missing resource raises its own error ("Resource 101 not found").
  TResourceStream stream(GetModuleHandleA(nullptr), kCatalogueResource, "XML");
  document_ = std::make_unique<TXMLDocument>(nullptr);
  try {
    document_->LoadFromStream(&stream);
    root_ = BindFormatsDocument(document_.get());
    FilterByDevices(DeviceList);
  } catch (...) {
    root_ = nullptr;
    throw FinalException(Format("Lost or breaken configure file %s", {"XMLFormats.xml"}));
  }
}

// A stored index outside its list (an older catalogue, a profile name typed into the profile box
// and stored as -1) would fail every later start-up or conversion: it gives the default instead.
void TFormats::ReadStoredSelection() {
  const int32_t format = ini_->ReadFormat();
  selection_.Format = format >= 0 && format < root_->Count() ? format : 0;
  SelectDefaults();
  TXMLFormatType* profile = root_->Format(selection_.Format);
  for (const TStoredIndex& key : kStoredIndexes) {
    const int32_t stored = ((*ini_).*key.Read)();
    if (stored >= 0 && stored < key.Count(profile)) selection_.*key.Field = stored;
  }
}

void TFormats::FilterByDevices(const std::string& DeviceList) {
  if (DeviceList.empty()) return;
  int i = 0;
  while (i < root_->Count()) {
    if (Pos(root_->Format(i)->Name(), DeviceList) > 0)
      ++i;
    else
      root_->Delete(i);
  }
}

void TFormats::SetSelection(const TFormatSelection& Selection) {
  selection_ = Selection;
  Notify();
}

void TFormats::SelectDefaults() {
  TXMLFormatType* p = root_->Format(selection_.Format);
  TXMLVideoType* video = p->Video();
  TXMLAudioType* audio = p->Audio();
  selection_.VCodec = 0;
  selection_.Size = video->DefSize();
  selection_.VBitrate = video->DefBitRate();
  selection_.Fps = video->DefFps();
  selection_.Aspect = video->DefAspect();
  selection_.ABitrate = audio->DefBitRate();
  selection_.SampleRate = audio->DefSampleRate();
  selection_.Channels = audio->DefChannels();
  Notify();
}

FormatDetail TFormats::GetOutputParams(const TFormatSelection& S) const {
  TXMLFormatType* p = root_->Format(S.Format);
  TXMLVideoType* video = p->Video();
  TXMLAudioType* audio = p->Audio();
  FormatDetail d;
  d.RecordSize = kFormatDetailRecordSize;
  d.OutFormat = p->General()->OutFormat();
  d.FileExt = p->General()->FileExt();
  d.Width = video->Size()->Items(S.Size)->Width();
  d.Height = video->Size()->Items(S.Size)->Height();
  d.FpsDen = video->Fps()->Items(S.Fps)->Den();
  d.FpsNum = video->Fps()->Items(S.Fps)->Num();
  d.AspectDen = video->Aspect()->Items(S.Aspect)->Den();
  d.AspectNum = video->Aspect()->Items(S.Aspect)->Num();
  d.VCodecID = video->Codec()->Items(S.VCodec)->ID();
  d.VBitrate = video->BitRate()->Items(S.VBitrate) * 1000;  // kbit/s in the catalogue
  d.Channels = audio->Channels()->Items(S.Channels)->Value();
  d.SampleRate = audio->SampleRate()->Items(S.SampleRate);
  d.ACodecID = audio->Codec()->ID();
  d.ABitrate = audio->BitRate()->Items(S.ABitrate);
  return d;
}

void TFormats::SaveSelection() {
  ini_->WriteFormat(selection_.Format);
  ini_->WriteVCodec(selection_.VCodec);
  ini_->WriteVBitrate(selection_.VBitrate);
  ini_->WriteSize(selection_.Size);
  ini_->WriteFps(selection_.Fps);
  ini_->WriteAspect(selection_.Aspect);
  ini_->WriteABitrate(selection_.ABitrate);
  ini_->WriteSampleRate(selection_.SampleRate);
  ini_->WriteChannels(selection_.Channels);
}
