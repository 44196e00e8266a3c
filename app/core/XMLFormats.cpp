#include "XMLFormats.h"

#include "SysUtils.h"

CALDERAN_IMPLEMENT_CREATABLE0(TXMLIntegerList, TXMLNodeCollection)
CALDERAN_IMPLEMENT_CREATABLE0(TXMLCodecTypeList, TXMLNodeCollection)
CALDERAN_IMPLEMENT_CREATABLE0(TXMLSizeTypeList, TXMLNodeCollection)
CALDERAN_IMPLEMENT_CREATABLE0(TXMLFpsTypeList, TXMLNodeCollection)
CALDERAN_IMPLEMENT_CREATABLE0(TXMLAspectTypeList, TXMLNodeCollection)
CALDERAN_IMPLEMENT_CREATABLE0(TXMLChannelsTypeList, TXMLNodeCollection)
CALDERAN_IMPLEMENT_CREATABLE0(TXMLFormatsType, TXMLNodeCollection)
CALDERAN_IMPLEMENT_CREATABLE0(TXMLFormatType, TXMLNode)
CALDERAN_IMPLEMENT_CREATABLE0(TXMLGeneralType, TXMLNode)
CALDERAN_IMPLEMENT_CREATABLE0(TXMLVideoType, TXMLNode)
CALDERAN_IMPLEMENT_CREATABLE0(TXMLAudioType, TXMLNode)
CALDERAN_IMPLEMENT_CREATABLE0(TXMLCodecType, TXMLNode)
CALDERAN_IMPLEMENT_CREATABLE0(TXMLSizeType, TXMLNode)
CALDERAN_IMPLEMENT_CLASS(TXMLRatioType, TXMLNode)
CALDERAN_IMPLEMENT_CREATABLE0(TXMLFpsType, TXMLRatioType)
CALDERAN_IMPLEMENT_CREATABLE0(TXMLAspectType, TXMLRatioType)
CALDERAN_IMPLEMENT_CREATABLE0(TXMLChannelsType, TXMLNode)

namespace {
int32_t IntAttribute(const TXMLNode* node, const char* name) { return StrToInt(node->Attribute(name)); }
void SetIntAttribute(TXMLNode* node, const char* name, int32_t value) { node->SetAttribute(name, IntToStr(value)); }
}  // namespace

// Integer attributes, read and written as decimal text.
#define CALDERAN_INT_ATTRIBUTE(Class, Property, Tag)                  \
  int32_t Class::Property() const { return IntAttribute(this, Tag); } \
  void Class::Set##Property(int32_t Value) { SetIntAttribute(this, Tag, Value); }

CALDERAN_INT_ATTRIBUTE(TXMLFormatType, ID, "ID")
CALDERAN_INT_ATTRIBUTE(TXMLVideoType, DefSize, "DefSize")
CALDERAN_INT_ATTRIBUTE(TXMLVideoType, DefBitRate, "DefBitRate")
CALDERAN_INT_ATTRIBUTE(TXMLVideoType, DefFps, "DefFps")
CALDERAN_INT_ATTRIBUTE(TXMLVideoType, DefAspect, "DefAspect")
CALDERAN_INT_ATTRIBUTE(TXMLAudioType, DefBitRate, "DefBitRate")
CALDERAN_INT_ATTRIBUTE(TXMLAudioType, DefSampleRate, "DefSampleRate")
CALDERAN_INT_ATTRIBUTE(TXMLAudioType, DefChannels, "DefChannels")
CALDERAN_INT_ATTRIBUTE(TXMLCodecType, ID, "ID")
CALDERAN_INT_ATTRIBUTE(TXMLSizeType, Width, "Width")
CALDERAN_INT_ATTRIBUTE(TXMLSizeType, Height, "Height")
CALDERAN_INT_ATTRIBUTE(TXMLRatioType, Den, "Den")
CALDERAN_INT_ATTRIBUTE(TXMLRatioType, Num, "Num")
CALDERAN_INT_ATTRIBUTE(TXMLChannelsType, Value, "Value")
#undef CALDERAN_INT_ATTRIBUTE

int32_t TXMLIntegerList::Items(int Index) const { return StrToInt(Nodes(Index)->Text()); }
void TXMLIntegerList::Add(int32_t Value) { AddItem(-1)->SetText(IntToStr(Value)); }
void TXMLIntegerList::Insert(int Index, int32_t Value) { AddItem(Index)->SetText(IntToStr(Value)); }

void TXMLFormatsType::AfterConstruction() {
  RegisterChildNode("Format", TXMLFormatType::StaticClass());
  SetItemTag("Format");
}

void TXMLFormatType::AfterConstruction() {
  RegisterChildNode("General", TXMLGeneralType::StaticClass());
  RegisterChildNode("Video", TXMLVideoType::StaticClass());
  RegisterChildNode("Audio", TXMLAudioType::StaticClass());
}

TXMLGeneralType* TXMLFormatType::General() { return static_cast<TXMLGeneralType*>(ChildNode("General")); }
TXMLVideoType* TXMLFormatType::Video() { return static_cast<TXMLVideoType*>(ChildNode("Video")); }
TXMLAudioType* TXMLFormatType::Audio() { return static_cast<TXMLAudioType*>(ChildNode("Audio")); }

void TXMLVideoType::AfterConstruction() {
  RegisterChildNode("Codec", TXMLCodecType::StaticClass());
  RegisterChildNode("Size", TXMLSizeType::StaticClass());
  RegisterChildNode("Fps", TXMLFpsType::StaticClass());
  RegisterChildNode("Aspect", TXMLAspectType::StaticClass());
  codec_ = CreateCollection<TXMLCodecTypeList>("Codec");
  size_ = CreateCollection<TXMLSizeTypeList>("Size");
  bitRate_ = CreateCollection<TXMLIntegerList>("BitRate");
  fps_ = CreateCollection<TXMLFpsTypeList>("Fps");
  aspect_ = CreateCollection<TXMLAspectTypeList>("Aspect");
}

void TXMLAudioType::AfterConstruction() {
  RegisterChildNode("Codec", TXMLCodecType::StaticClass());
  RegisterChildNode("Channels", TXMLChannelsType::StaticClass());
  bitRate_ = CreateCollection<TXMLIntegerList>("BitRate");
  sampleRate_ = CreateCollection<TXMLIntegerList>("SampleRate");
  channels_ = CreateCollection<TXMLChannelsTypeList>("Channels");
}

TXMLCodecType* TXMLAudioType::Codec() { return static_cast<TXMLCodecType*>(ChildNode("Codec")); }

TXMLFormatsType* BindFormatsDocument(TXMLDocument* Document) {
  return static_cast<TXMLFormatsType*>(Document->GetDocBinding("Formats", TXMLFormatsType::StaticClass()));
}
