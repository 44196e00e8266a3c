#include "OFormat.h"

#include "NxInspector.h"
#include "NxItemClasses.h"
#include "SkinColours.h"
#include "SysUtils.h"
#include "TypInfo.h"
#include "XMLFormats.h"

CALDERAN_IMPLEMENT_CREATABLE(TFrameOFormat, TFrame, TComponent*)

namespace {

// Fills a row's lines with the names of a list's elements, in the catalogue's order.
template <class TList>
void FillNames(TNxComboBoxItem* row, TList* list) {
  row->Lines()->Clear();
  for (int i = 0; i < list->Count(); ++i) row->Lines()->Add(list->Items(i)->Name());
}

void FillNumbers(TNxComboBoxItem* row, TXMLIntegerList* list) {
  row->Lines()->Clear();
  for (int i = 0; i < list->Count(); ++i) row->Lines()->Add(IntToStr(list->Items(i)));
}

}  // namespace

// The gradient styles paint the categories and the selected row in the system's light colours:
// under a skin the plain style paints them in the colours given here.
void TFrameOFormat::TakeSkinColours() {
  TSkinColours skin;
  if (!SkinColoursInUse(skin)) return;
  OFormat->SetStyle(psDefault);
  OFormat->SetColor(skin.Editor);
  OFormat->SetCategoriesColor(skin.Back);
  OFormat->SetMarginColor(skin.Back);
  OFormat->SetGridColor(skin.Border);
  OFormat->SetSelectionColor(skin.Selection);
  FollowSkinText(OFormat->Font(), skin.EditorText);
  for (int i = 0; i < ComponentCount(); ++i) {
    auto* row = ObjectAs<TNxPropertyItem>(Components(i));
    if (!row) continue;
    row->SetColor(skin.Editor);
    FollowSkinText(row->Font(), row->Level() == 0 ? skin.Text : skin.EditorText);
    FollowSkinText(row->ValueFont(), skin.EditorText);
  }
}

void TFrameOFormat::SetFormats(TObject* Formats) { FFormats = ObjectAs<TFormats>(Formats); }

void TFrameOFormat::FillVideoLists(TXMLVideoType* video) {
  FillNames(VCodec, video->Codec());
  // Sound-only profiles list one video codec with id 0.
  const bool hasVideo = video->Codec()->Count() > 0 && video->Codec()->Items(0)->ID() != 0;
  for (TNxComboBoxItem* row : {Aspect, Fps, Size, VBitRate, VCodec}) row->SetEnabled(hasVideo);
  FillNames(Size, video->Size());
  FillNames(Fps, video->Fps());
  FillNames(Aspect, video->Aspect());
  FillNumbers(VBitRate, video->BitRate());
}

void TFrameOFormat::FillAudioLists(TXMLAudioType* audio) {
  ACodec->Lines()->Clear();
  ACodec->Lines()->Add(audio->Codec()->Name());
  ACodec->SetItemIndex(0);
  FillNumbers(Sample, audio->SampleRate());
  FillNames(Channels, audio->Channels());
  FillNumbers(ABitRate, audio->BitRate());
}

void TFrameOFormat::FillLists(int FormatIndex) {
  TXMLFormatType* format = FFormats->XMLFormats()->Format(FormatIndex);
  TXMLVideoType* video = format->Video();
  TXMLAudioType* audio = format->Audio();
  FillVideoLists(video);
  FillAudioLists(audio);
  VCodec->SetItemIndex(0);
  Size->SetItemIndex(video->DefSize());
  Fps->SetItemIndex(video->DefFps());
  Aspect->SetItemIndex(video->DefAspect());
  VBitRate->SetItemIndex(video->DefBitRate());
  Sample->SetItemIndex(audio->DefSampleRate());
  Channels->SetItemIndex(audio->DefChannels());
  ABitRate->SetItemIndex(audio->DefBitRate());
}

void TFrameOFormat::Update() {
  if (!FFormats) return;
  const TFormatSelection sel = FFormats->GetSelection();
  FillLists(sel.Format);
  VCodec->SetItemIndex(sel.VCodec);
  Size->SetItemIndex(sel.Size);
  Fps->SetItemIndex(sel.Fps);
  Aspect->SetItemIndex(sel.Aspect);
  VBitRate->SetItemIndex(sel.VBitrate);
  Sample->SetItemIndex(sel.SampleRate);
  Channels->SetItemIndex(sel.Channels);
  ABitRate->SetItemIndex(sel.ABitrate);
}

void TFrameOFormat::ApplySelection() {
  TFormatSelection sel = FFormats->GetSelection();
  sel.VCodec = VCodec->ItemIndex();
  sel.VBitrate = VBitRate->ItemIndex();
  sel.Size = Size->ItemIndex();
  sel.Fps = Fps->ItemIndex();
  sel.Aspect = Aspect->ItemIndex();
  sel.ABitrate = ABitRate->ItemIndex();
  sel.SampleRate = Sample->ItemIndex();
  sel.Channels = Channels->ItemIndex();
  FFormats->SetSelection(sel);
}

void TFrameOFormat::ResetDefaults() { FFormats->SelectDefaults(); }

void TFrameOFormat::Register() {
  using F = TFrameOFormat;
  static constinit const TPropInfo fields[] = {
      PublishedField<&F::OFormat>("OFormat"),   PublishedField<&F::Video>("Video"),
      PublishedField<&F::Audio>("Audio"),       PublishedField<&F::VCodec>("VCodec"),
      PublishedField<&F::Size>("Size"),         PublishedField<&F::Fps>("Fps"),
      PublishedField<&F::Aspect>("Aspect"),     PublishedField<&F::VBitRate>("VBitRate"),
      PublishedField<&F::ACodec>("ACodec"),     PublishedField<&F::Sample>("Sample"),
      PublishedField<&F::Channels>("Channels"), PublishedField<&F::ABitRate>("ABitRate"),
  };
  RegisterPublishedProperties(StaticClass(), fields);
  RegisterClass(StaticClass());
}

const TUnitInfo OFormatUnit{"OFormat", &TFrameOFormat::Register, nullptr};
