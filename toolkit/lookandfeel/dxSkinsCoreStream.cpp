// The skin stream: header, colours, property lists, groups, elements, borders and images, read with
// every count and field checked and written always in the current version.
#include "dxSkinsCoreStream.h"

#include <cmath>
#include <cstring>

#include "SysUtils.h"
#include "cxClasses.h"
#include "dxSkinsCore.h"

namespace {

constexpr double dxSkinCurrentVersion = 1.02;
constexpr double dxSkinGradientVersion = 1.02;
constexpr char dxSkinSignature[] = "dxSkin";
constexpr int dxSkinSignatureLength = 6;

// The smallest records the counts announce (strings empty, no PNG data, the 1.01 layout).
constexpr int MinColorRecord = 4 + 4 + 4;
constexpr int MinPropertyRecord = 4 + 4 + 1;
constexpr int MinGroupRecord = 4 + 4 + 4;
constexpr int MinImageRecord = 16 + 1 + 2 + 1 + 4;
constexpr int MinBorderRecord = 4 + 4 + 4 + 4;
constexpr int MinElementRecord = 4 + 4 + 1 + 4 + 16 + 2 * MinImageRecord + 4 * MinBorderRecord + 4 + 8 + 4;

CX_RESOURCESTRING(sdxSkinInvalidStreamFormat, 0xC700, "Invalid stream format")
CX_RESOURCESTRING(sdxSkinOldVersion, 0xC701,
                  "The skin data version is older than the current Quillon Library version.\r\n"
                  "Skins cannot be loaded due to a version mismatch.")

TRect ReadRect(TStream* stream, int32_t low) {
  TRect r;
  r.Left = SkinReadInt32In(stream, low, dxSkinMaxExtent);
  r.Top = SkinReadInt32In(stream, low, dxSkinMaxExtent);
  r.Right = SkinReadInt32In(stream, low, dxSkinMaxExtent);
  r.Bottom = SkinReadInt32In(stream, low, dxSkinMaxExtent);
  return r;
}

void WriteRect(TStream* stream, const TRect& r) {
  for (int value : {r.Left, r.Top, r.Right, r.Bottom}) SkinWriteInt32(stream, value);
}

// Only the registered property classes: any other class the registry knows (an element, a
// border) would be taken for a property and misread.
TClass ReadPropertyClass(TStream* stream) {
  std::string className = SkinReadString(stream);
  TClass cls = FindClass(className);
  if (!IsSkinPropertyClass(cls)) throw EClassNotFound(Format("Class %s not found", {className}));
  return cls;
}

void ReadPropertyList(TStream* stream, TdxSkinPersistent* owner) {
  int32_t count = SkinReadCount(stream, MinPropertyRecord);
  for (int32_t i = 0; i < count; ++i) {
    TClass cls = ReadPropertyClass(stream);
    std::string name = SkinReadString(stream);
    owner->AddProperty(name, cls)->ReadData(stream);
  }
}

void WritePropertyList(TStream* stream, TdxSkinPersistent* owner) {
  SkinWriteInt32(stream, owner->PropertyCount());
  for (int i = 0; i < owner->PropertyCount(); ++i) owner->Properties(i)->WriteToStream(stream);
}

TdxSkinPartStream* PartStream = nullptr;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Primitive fields

void SkinStreamReadError() { throw EReadError(SReadError); }

int64_t SkinStreamRemaining(TStream* stream) { return std::max<int64_t>(stream->Size() - stream->Position(), 0); }

void SkinReadExact(TStream* stream, void* buffer, int32_t count) {
  if (count < 0 || count > SkinStreamRemaining(stream) || stream->Read(buffer, count) != count) SkinStreamReadError();
}

int32_t SkinReadInt32(TStream* stream) {
  int32_t value;
  SkinReadExact(stream, &value, sizeof(value));
  return value;
}

int32_t SkinReadInt32In(TStream* stream, int32_t low, int32_t high) {
  int32_t value = SkinReadInt32(stream);
  if (value < low || value > high) SkinStreamReadError();
  return value;
}

Byte SkinReadByte(TStream* stream) {
  Byte value;
  SkinReadExact(stream, &value, 1);
  return value;
}

Byte SkinReadByteUpTo(TStream* stream, Byte high) {
  Byte value = SkinReadByte(stream);
  if (value > high) SkinStreamReadError();
  return value;
}

TColor SkinReadColor(TStream* stream) { return SkinReadInt32(stream); }

std::string SkinReadString(TStream* stream) {
  int32_t length = SkinReadInt32(stream);
  if (length <= 0) return {};
  if (length > SkinStreamRemaining(stream)) SkinStreamReadError();
  std::string text(static_cast<size_t>(length), '\0');
  SkinReadExact(stream, text.data(), length);
  return text;
}

int32_t SkinReadCount(TStream* stream, int minRecordSize) {
  int32_t count = SkinReadInt32(stream);
  if (count < 0 || count > SkinStreamRemaining(stream) / minRecordSize) SkinStreamReadError();
  return count;
}

void SkinWriteInt32(TStream* stream, int32_t value) { stream->WriteBuffer(&value, sizeof(value)); }

void SkinWriteByte(TStream* stream, Byte value) { stream->WriteBuffer(&value, 1); }

void SkinWriteString(TStream* stream, const std::string& value) {
  SkinWriteInt32(stream, static_cast<int32_t>(value.size()));
  if (!value.empty()) stream->WriteBuffer(value.data(), static_cast<int32_t>(value.size()));
}

// ---------------------------------------------------------------------------------------------
// Property values

void TdxSkinProperty::ReadFromStream(TStream* stream) {
  SetName(SkinReadString(stream));
  ReadData(stream);
}

void TdxSkinProperty::WriteToStream(TStream* stream) {
  SkinWriteString(stream, ClassName());
  SkinWriteString(stream, Name());
  WriteData(stream);
}

void TdxSkinIntegerProperty::ReadData(TStream* stream) { SetValue(SkinReadInt32(stream)); }
void TdxSkinIntegerProperty::WriteData(TStream* stream) { SkinWriteInt32(stream, value_); }
void TdxSkinBooleanProperty::ReadData(TStream* stream) { SetValue(SkinReadByte(stream) != 0); }
void TdxSkinBooleanProperty::WriteData(TStream* stream) { SkinWriteByte(stream, value_ ? 1 : 0); }
void TdxSkinColor::ReadData(TStream* stream) { SetValue(SkinReadColor(stream)); }
void TdxSkinColor::WriteData(TStream* stream) { SkinWriteInt32(stream, value_); }
void TdxSkinStringProperty::ReadData(TStream* stream) { SetValue(SkinReadString(stream)); }
void TdxSkinStringProperty::WriteData(TStream* stream) { SkinWriteString(stream, value_); }

void TdxSkinRectProperty::ReadData(TStream* stream) {
  TRect r;
  r.Left = SkinReadInt32(stream);
  r.Top = SkinReadInt32(stream);
  r.Right = SkinReadInt32(stream);
  r.Bottom = SkinReadInt32(stream);
  value_->SetRect(r);
}

void TdxSkinRectProperty::WriteData(TStream* stream) { WriteRect(stream, value_->GetRect()); }

void TdxSkinSizeProperty::ReadData(TStream* stream) {
  int cx = SkinReadInt32(stream);
  SetValue(cx, SkinReadInt32(stream));
}

void TdxSkinSizeProperty::WriteData(TStream* stream) {
  SkinWriteInt32(stream, cx_);
  SkinWriteInt32(stream, cy_);
}

void TdxSkinBorder::ReadData(TStream* stream) {
  SetColor(SkinReadColor(stream));
  thin_ = SkinReadInt32In(stream, 0, dxSkinMaxExtent);
}

void TdxSkinBorder::WriteData(TStream* stream) {
  SkinWriteInt32(stream, color_);
  SkinWriteInt32(stream, thin_);
}

// ---------------------------------------------------------------------------------------------
// The part stream

void TdxSkinPartStream::Initialize(TStream* source, int64_t start, int64_t end) {
  source_ = source;
  start_ = start;
  end_ = end;
  source_->SetPosition(start);
}

int32_t TdxSkinPartStream::Read(void* buffer, int32_t count) {
  // Never past the window: the next record of the skin is not the picture's.
  int64_t left = end_ - source_->Position();
  if (left <= 0) return 0;
  return source_->Read(buffer, static_cast<int32_t>(std::min<int64_t>(count, left)));
}

int32_t TdxSkinPartStream::Write(const void* buffer, int32_t count) {
  int32_t written = source_->Write(buffer, count);
  end_ = source_->Position();
  return written;
}

int64_t TdxSkinPartStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t target = origin == soBeginning ? start_ + offset : origin == soEnd ? end_ + offset : source_->Position() + offset;
  target = std::clamp(target, start_, end_);
  source_->SetPosition(target);
  return target - start_;
}

// ---------------------------------------------------------------------------------------------
// Images, elements, groups

void TdxSkinImage::ReadFromStream(TStream* stream, double version) {
  margins_->SetRect(ReadRect(stream, 0));
  imageLayout_ = static_cast<TdxSkinImageLayout>(SkinReadByteUpTo(stream, ilVertical));
  Word states = static_cast<Word>(SkinReadByte(stream) | SkinReadByte(stream) << 8);
  if (states >> dxSkinElementStateCount) SkinStreamReadError();
  states_ = SkinStatesFromBits(states);
  stretch_ = static_cast<TdxSkinStretchMode>(SkinReadByteUpTo(stream, smNoResize));
  if (version >= dxSkinGradientVersion) {
    gradientBeginColor_ = SkinReadColor(stream);
    gradientEndColor_ = SkinReadColor(stream);
    gradient_ = static_cast<TdxSkinGradientMode>(SkinReadByteUpTo(stream, gmBackwardDiagonal));
  }
  int32_t size = SkinReadInt32(stream);
  int64_t start = stream->Position();
  if (size > 0) {
    if (size > SkinStreamRemaining(stream)) SkinStreamReadError();
    PartStream->Initialize(stream, start, start + size);
    texture_->LoadFromStream(PartStream);
  }
  stream->SetPosition(start + std::max(size, 0));
  layoutDirty_ = true;
}

void TdxSkinImage::WriteToStream(TStream* stream) {
  WriteRect(stream, margins_->GetRect());
  SkinWriteByte(stream, imageLayout_);
  Word states = SkinStatesToBits(states_);
  stream->WriteBuffer(&states, 2);
  SkinWriteByte(stream, stretch_);
  SkinWriteInt32(stream, gradientBeginColor_);
  SkinWriteInt32(stream, gradientEndColor_);
  SkinWriteByte(stream, gradient_);
  TMemoryStream png;
  if (!texture_->Empty()) texture_->SaveToStream(&png);
  SkinWriteInt32(stream, static_cast<int32_t>(png.Size()));
  if (png.Size() > 0) stream->WriteBuffer(png.Memory(), static_cast<int32_t>(png.Size()));
}

void TdxSkinElement::ReadFromStream(TStream* stream, double version) {
  color_ = SkinReadColor(stream);
  alpha_ = SkinReadByte(stream);
  imageCount_ = std::max(SkinReadInt32(stream), 1);
  contentOffset_->SetRect(ReadRect(stream, -dxSkinMaxExtent));
  glyph_->ReadFromStream(stream, version);
  image_->ReadFromStream(stream, version);
  for (TcxBorder side : {bLeft, bTop, bRight, bBottom}) {
    SkinReadString(stream);  // the class name
    borders_->Items(side)->ReadFromStream(stream);
  }
  textColor_ = SkinReadColor(stream);
  int cx = SkinReadInt32In(stream, 0, dxSkinMaxExtent);
  minSize_->SetSize(TSize(cx, SkinReadInt32In(stream, 0, dxSkinMaxExtent)));
  ReadPropertyList(stream, this);
  // A sheet too small for ImageCount images of every state would have them addressed outside it.
  for (TdxSkinImage* sheet : {glyph_.get(), image_.get()})
    if (!sheet->Texture()->Empty() && sheet->StateCount() > 0 && (sheet->Size().cx < 1 || sheet->Size().cy < 1))
      SkinStreamReadError();
  SetColor(color_);
}

void TdxSkinElement::WriteToStream(TStream* stream, double) {
  SkinWriteInt32(stream, color_);
  SkinWriteByte(stream, alpha_);
  SkinWriteInt32(stream, imageCount_);
  WriteRect(stream, contentOffset_->GetRect());
  glyph_->WriteToStream(stream);
  image_->WriteToStream(stream);
  for (TcxBorder side : {bLeft, bTop, bRight, bBottom}) borders_->Items(side)->WriteToStream(stream);
  SkinWriteInt32(stream, textColor_);
  SkinWriteInt32(stream, minSize_->Width());
  SkinWriteInt32(stream, minSize_->Height());
  WritePropertyList(stream, this);
}

void TdxSkinControlGroup::ReadFromStream(TStream* stream, double version) {
  int32_t count = SkinReadCount(stream, MinElementRecord);
  for (int32_t i = 0; i < count; ++i) AddElement(SkinReadString(stream))->ReadFromStream(stream, version);
  ReadPropertyList(stream, this);
  Changed();
}

void TdxSkinControlGroup::WriteToStream(TStream* stream) {
  SkinWriteInt32(stream, ElementCount());
  for (int i = 0; i < ElementCount(); ++i) {
    SkinWriteString(stream, Elements(i)->Name());
    Elements(i)->WriteToStream(stream, dxSkinCurrentVersion);
  }
  WritePropertyList(stream, this);
}

// ---------------------------------------------------------------------------------------------
// The skin

void TdxSkin::ReadHeader(TStream* stream) {
  stream->Seek(4, soCurrent);  // the signature's length
  char signature[dxSkinSignatureLength];
  if (stream->Read(signature, dxSkinSignatureLength) != dxSkinSignatureLength ||
      std::memcmp(signature, dxSkinSignature, dxSkinSignatureLength) != 0)
    throw EdxSkin(LoadToolkitString(sdxSkinInvalidStreamFormat));
  double version;
  SkinReadExact(stream, &version, sizeof(version));
  if (!std::isfinite(version)) SkinStreamReadError();
  version_ = version;
  SetName(SkinReadString(stream));
  if (version_ < 1.0) throw EdxSkin(LoadToolkitString(sdxSkinOldVersion));
}

void TdxSkin::ReadContent(TStream* stream) {
  Clear();
  int32_t colors = SkinReadCount(stream, MinColorRecord);
  for (int32_t i = 0; i < colors; ++i) {
    SkinReadString(stream);  // the class name
    std::string name = SkinReadString(stream);
    AddColor(name, SkinReadColor(stream));
  }
  ReadPropertyList(stream, this);
  int32_t groups = SkinReadCount(stream, MinGroupRecord);
  for (int32_t i = 0; i < groups; ++i) AddGroup(SkinReadString(stream))->ReadFromStream(stream, version_);
}

void TdxSkin::LoadFromStream(TStream* stream) {
  if (!IsGdiPlusAvailable()) return;
  ReadHeader(stream);
  BeginUpdate();
  try {
    ReadContent(stream);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TdxSkin::SaveToStream(TStream* stream) {
  SkinWriteString(stream, dxSkinSignature);
  stream->WriteBuffer(&dxSkinCurrentVersion, sizeof(dxSkinCurrentVersion));
  SkinWriteString(stream, Name());
  SkinWriteInt32(stream, ColorCount());
  for (int i = 0; i < ColorCount(); ++i) {
    SkinWriteString(stream, Colors(i)->ClassName());
    SkinWriteString(stream, Colors(i)->Name());
    SkinWriteInt32(stream, Colors(i)->Value());
  }
  WritePropertyList(stream, this);
  SkinWriteInt32(stream, GroupCount());
  for (int i = 0; i < GroupCount(); ++i) {
    SkinWriteString(stream, Groups(i)->Name());
    Groups(i)->WriteToStream(stream);
  }
}

// ---------------------------------------------------------------------------------------------
// Start-up

void CreateSkinPartStream() { PartStream = new TdxSkinPartStream(); }

void FreeSkinPartStream() {
  delete PartStream;
  PartStream = nullptr;
}
