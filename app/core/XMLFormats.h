// Typed binding of the profile catalogue document: one node class per element, one list class per
// repeated element. Every read and write goes to the document; the classes hold no data of their
// own besides their lists.
#pragma once
#include <cstdint>
#include <string>

#include "XMLDoc.h"

class TXMLFormatType;
class TXMLGeneralType;
class TXMLVideoType;
class TXMLAudioType;
class TXMLCodecType;
class TXMLSizeType;
class TXMLFpsType;
class TXMLAspectType;
class TXMLChannelsType;

// The repeated elements of one tag under one parent, by position. Index errors raise EListError
// "List index out of bounds (%d)".
template <class TItem>
class TXMLTypedList : public TXMLNodeCollection {
 public:
  TItem* Items(int Index) const { return static_cast<TItem*>(Nodes(Index)); }
  TItem* operator[](int Index) const { return Items(Index); }
  TItem* Add() { return static_cast<TItem*>(AddItem(-1)); }
  TItem* Insert(int Index) { return static_cast<TItem*>(AddItem(Index)); }
};

// Repeated integer-text elements ("BitRate", "SampleRate").
class TXMLIntegerList : public TXMLNodeCollection {
  CALDERAN_CLASS(TXMLIntegerList)
  int32_t Items(int Index) const;
  int32_t operator[](int Index) const { return Items(Index); }
  void Add(int32_t Value);
  void Insert(int Index, int32_t Value);
};

class TXMLCodecTypeList : public TXMLTypedList<TXMLCodecType> {
  CALDERAN_CLASS(TXMLCodecTypeList)
};
class TXMLSizeTypeList : public TXMLTypedList<TXMLSizeType> {
  CALDERAN_CLASS(TXMLSizeTypeList)
};
class TXMLFpsTypeList : public TXMLTypedList<TXMLFpsType> {
  CALDERAN_CLASS(TXMLFpsTypeList)
};
class TXMLAspectTypeList : public TXMLTypedList<TXMLAspectType> {
  CALDERAN_CLASS(TXMLAspectTypeList)
};
class TXMLChannelsTypeList : public TXMLTypedList<TXMLChannelsType> {
  CALDERAN_CLASS(TXMLChannelsTypeList)
};

// "Formats": the root, a list of "Format" elements.
class TXMLFormatsType : public TXMLTypedList<TXMLFormatType> {
  CALDERAN_CLASS(TXMLFormatsType)
  std::string Version() const { return Attribute("version"); }
  void SetVersion(const std::string& Value) { SetAttribute("version", Value); }
  TXMLFormatType* Format(int Index) const { return Items(Index); }

 protected:
  void AfterConstruction() override;
};

class TXMLFormatType : public TXMLNode {
  CALDERAN_CLASS(TXMLFormatType)
  int32_t ID() const;
  void SetID(int32_t Value);
  std::string Name() const { return Attribute("Name"); }
  void SetName(const std::string& Value) { SetAttribute("Name", Value); }
  std::string Description() { return ChildValue("Description"); }
  void SetDescription(const std::string& Value) { ChildNode("Description")->SetText(Value); }
  TXMLGeneralType* General();
  TXMLVideoType* Video();
  TXMLAudioType* Audio();

 protected:
  void AfterConstruction() override;
};

class TXMLGeneralType : public TXMLNode {
  CALDERAN_CLASS(TXMLGeneralType)
  std::string OutFormat() { return ChildValue("OutFormat"); }
  void SetOutFormat(const std::string& Value) { ChildNode("OutFormat")->SetText(Value); }
  std::string FileExt() { return ChildValue("FileExt"); }
  void SetFileExt(const std::string& Value) { ChildNode("FileExt")->SetText(Value); }
};

class TXMLVideoType : public TXMLNode {
  CALDERAN_CLASS(TXMLVideoType)
  int32_t DefSize() const;
  void SetDefSize(int32_t Value);
  int32_t DefBitRate() const;
  void SetDefBitRate(int32_t Value);
  int32_t DefFps() const;
  void SetDefFps(int32_t Value);
  int32_t DefAspect() const;
  void SetDefAspect(int32_t Value);
  TXMLCodecTypeList* Codec() const { return codec_; }
  TXMLSizeTypeList* Size() const { return size_; }
  TXMLIntegerList* BitRate() const { return bitRate_; }
  TXMLFpsTypeList* Fps() const { return fps_; }
  TXMLAspectTypeList* Aspect() const { return aspect_; }

 protected:
  void AfterConstruction() override;

 private:
  TXMLCodecTypeList* codec_ = nullptr;
  TXMLSizeTypeList* size_ = nullptr;
  TXMLIntegerList* bitRate_ = nullptr;
  TXMLFpsTypeList* fps_ = nullptr;
  TXMLAspectTypeList* aspect_ = nullptr;
};

class TXMLAudioType : public TXMLNode {
  CALDERAN_CLASS(TXMLAudioType)
  int32_t DefBitRate() const;
  void SetDefBitRate(int32_t Value);
  int32_t DefSampleRate() const;
  void SetDefSampleRate(int32_t Value);
  int32_t DefChannels() const;
  void SetDefChannels(int32_t Value);
  TXMLCodecType* Codec();
  TXMLIntegerList* BitRate() const { return bitRate_; }
  TXMLIntegerList* SampleRate() const { return sampleRate_; }
  TXMLChannelsTypeList* Channels() const { return channels_; }

 protected:
  void AfterConstruction() override;

 private:
  TXMLIntegerList* bitRate_ = nullptr;
  TXMLIntegerList* sampleRate_ = nullptr;
  TXMLChannelsTypeList* channels_ = nullptr;
};

class TXMLCodecType : public TXMLNode {
  CALDERAN_CLASS(TXMLCodecType)
  int32_t ID() const;
  void SetID(int32_t Value);
  std::string Name() const { return Attribute("Name"); }
  void SetName(const std::string& Value) { SetAttribute("Name", Value); }
};

class TXMLSizeType : public TXMLNode {
  CALDERAN_CLASS(TXMLSizeType)
  std::string Name() const { return Attribute("Name"); }
  void SetName(const std::string& Value) { SetAttribute("Name", Value); }
  int32_t Width() const;
  void SetWidth(int32_t Value);
  int32_t Height() const;
  void SetHeight(int32_t Value);
};

// An element that holds a named ratio in its "Den" and "Num" attributes.
class TXMLRatioType : public TXMLNode {
  CALDERAN_CLASS(TXMLRatioType)
  std::string Name() const { return Attribute("Name"); }
  void SetName(const std::string& Value) { SetAttribute("Name", Value); }
  int32_t Den() const;
  void SetDen(int32_t Value);
  int32_t Num() const;
  void SetNum(int32_t Value);
};

// A frame rate of Den / Num frames per second.
class TXMLFpsType : public TXMLRatioType {
  CALDERAN_CLASS(TXMLFpsType)
};

// An aspect of Den:Num.
class TXMLAspectType : public TXMLRatioType {
  CALDERAN_CLASS(TXMLAspectType)
};

class TXMLChannelsType : public TXMLNode {
  CALDERAN_CLASS(TXMLChannelsType)
  std::string Name() const { return Attribute("Name"); }
  void SetName(const std::string& Value) { SetAttribute("Name", Value); }
  int32_t Value() const;
  void SetValue(int32_t Value);
};

// Binds the loaded document's root element "Formats".
TXMLFormatsType* BindFormatsDocument(TXMLDocument* Document);
