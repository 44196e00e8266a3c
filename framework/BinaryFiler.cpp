// The binary value form of stored properties (see BinaryFiler.h).
#include "BinaryFiler.h"

#include <cstring>
#include <utility>

CALDERAN_IMPLEMENT_CLASS(TWriter, TFiler)
CALDERAN_IMPLEMENT_CLASS(TBinaryFormWriter, TWriter)
CALDERAN_IMPLEMENT_CLASS(TBinaryFormReader, TReader)

namespace {

constexpr const char* SUnknownProperty = "Property %s does not exist";
constexpr const char* SInvalidPropertyPath = "Invalid property path %s";
constexpr const char* SInvalidStreamFormat = "Invalid stream format";
constexpr const char* SInvalidPropertyValueOf = "Invalid property value of %s";
constexpr int ExtendedSize = 10;  // the bytes of an 80-bit float

bool IsIntegerValue(TValueType type) { return type == vaInt8 || type == vaInt16 || type == vaInt32 || type == vaInt64; }

// The published property of one segment of a path ("Image" of "Image.Data") as an object.
TPersistent* SubObject(TPersistent* instance, const std::string& segment, const std::string& path) {
  const TPropInfo* prop = FindPublishedProperty(instance->ClassType(), segment);
  TPersistent* object = prop && prop->Kind == tkClass && prop->GetObj ? ObjectAs<TPersistent>(prop->GetObj(instance)) : nullptr;
  if (!object) throw EReadError(Format(SInvalidPropertyPath, {path}));
  return object;
}

// Extends the property path for a sub-object's properties and restores it afterwards.
class TWriterPath {
 public:
  TWriterPath(std::string& path, const std::string& segment) : path_(path), saved_(path) { path_ += segment + "."; }
  ~TWriterPath() { path_ = saved_; }

 private:
  std::string& path_;
  std::string saved_;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// TBinaryFormWriter

void TBinaryFormWriter::WriteValue(TValueType type) {
  const Byte b = static_cast<Byte>(type);
  stream_->WriteBuffer(&b, 1);
}

void TBinaryFormWriter::WriteShortString(const std::string& s) {
  if (s.size() > 255) throw EWriteError(Format("Name too long for a stored form: %s", {s}));
  const Byte length = static_cast<Byte>(s.size());
  stream_->WriteBuffer(&length, 1);
  stream_->WriteBuffer(s.data(), length);
}

void TBinaryFormWriter::WritePropName(const std::string& name) { WriteShortString(path_ + name); }

void TBinaryFormWriter::WriteInt64(int64_t value) {
  if (value >= INT8_MIN && value <= INT8_MAX) {
    WriteValue(vaInt8);
    const int8_t v = static_cast<int8_t>(value);
    stream_->WriteBuffer(&v, 1);
  } else if (value >= INT16_MIN && value <= INT16_MAX) {
    WriteValue(vaInt16);
    const int16_t v = static_cast<int16_t>(value);
    stream_->WriteBuffer(&v, 2);
  } else if (value >= INT32_MIN && value <= INT32_MAX) {
    WriteValue(vaInt32);
    const int32_t v = static_cast<int32_t>(value);
    stream_->WriteBuffer(&v, 4);
  } else {
    WriteValue(vaInt64);
    stream_->WriteBuffer(&value, 8);
  }
}

void TBinaryFormWriter::WriteFloat(long double value) {
  static_assert(sizeof(long double) >= ExtendedSize, "long double must be the 80-bit float");
  Byte bytes[sizeof(long double)] = {};
  std::memcpy(bytes, &value, sizeof value);
  WriteValue(vaExtended);
  stream_->WriteBuffer(bytes, ExtendedSize);
}

void TBinaryFormWriter::WriteString(const std::string& value) {
  if (value.size() <= 255) {
    WriteValue(vaString);
    WriteShortString(value);
    return;
  }
  WriteValue(vaLString);
  const int32_t length = static_cast<int32_t>(value.size());
  stream_->WriteBuffer(&length, 4);
  stream_->WriteBuffer(value.data(), length);
}

void TBinaryFormWriter::WriteIdent(const std::string& ident) {
  static const struct {
    const char* Name;
    TValueType Type;
  } special[] = {{"False", vaFalse}, {"True", vaTrue}, {"nil", vaNil}, {"Null", vaNull}};
  for (const auto& s : special)
    if (SameText(ident, s.Name)) return WriteValue(s.Type);
  WriteValue(vaIdent);
  WriteShortString(ident);
}

void TBinaryFormWriter::WriteCollection(TCollection* collection) {
  // An item's properties are named from the item: the path of the sub-object that holds the
  // collection would make them unreadable ("Properties.Caption" for an item's "Caption").
  struct TOuterPath {
    std::string& path;
    std::string saved = std::exchange(path, std::string());
    ~TOuterPath() { path = std::move(saved); }
  } outer{path_};
  WriteValue(vaCollection);
  for (int i = 0; i < collection->Count(); ++i) {
    WriteListBegin();
    WriteProperties(collection->Items(i));
  }
  WriteListEnd();
}

void TBinaryFormWriter::DefineProperty(const std::string& name, TReaderProc, TWriterProc writeData, bool hasData) {
  if (!hasData || !writeData) return;
  WritePropName(name);
  writeData(this);
}

// The size goes in front of the data: it is filled in once the procedure has written.
void TBinaryFormWriter::DefineBinaryProperty(const std::string& name, TStreamProc, TStreamProc writeData,
                                             bool hasData) {
  if (!hasData || !writeData) return;
  WritePropName(name);
  WriteValue(vaBinary);
  const int64_t sizeAt = stream_->Position();
  int32_t size = 0;
  stream_->WriteBuffer(&size, 4);
  writeData(stream_);
  const int64_t end = stream_->Position();
  size = static_cast<int32_t>(end - sizeAt - 4);
  stream_->SetPosition(sizeAt);
  stream_->WriteBuffer(&size, 4);
  stream_->SetPosition(end);
}

void TBinaryFormWriter::WriteProperties(TPersistent* instance) {
  WriteObjectProperties(instance);
  WriteListEnd();
}

void TBinaryFormWriter::WriteObjectProperties(TPersistent* instance) {
  for (const TPropInfo* prop : GetPublishedProperties(instance->ClassType())) WritePublished(instance, prop);
  instance->DefineProperties(this);
}

void TBinaryFormWriter::WriteSet(const TPropInfo* prop, uint32_t bits) {
  WriteValue(vaSet);
  for (int bit = 0; bit < 32; ++bit)
    if (bits & (1u << bit)) WriteShortString(GetEnumName(prop->EnumInfo, bit));
  WriteShortString("");
}

// What is not stored, or equals its default, is left out; events and component references are the
// form designer's business.
void TBinaryFormWriter::WritePublished(TObject* instance, const TPropInfo* prop) {
  if (!IsStoredProp(instance, prop) || IsDefaultPropertyValue(instance, prop)) return;
  switch (prop->Kind) {
    case tkInteger:
    case tkInt64:
    case tkChar:
    case tkEnumeration:
    case tkSet:
      if (prop->GetOrd) WriteOrdinal(prop, prop->GetOrd(instance));
      return;
    case tkFloat:
      WritePropName(prop->Name);
      WriteFloat(prop->GetFloat(instance));
      return;
    case tkString:
      WritePropName(prop->Name);
      WriteString(prop->GetStr(instance));
      return;
    case tkClass: WriteObjectProperty(instance, prop); return;
    case tkMethod:
    case tkField: return;
  }
}

void TBinaryFormWriter::WriteOrdinal(const TPropInfo* prop, int64_t value) {
  WritePropName(prop->Name);
  if (prop->Kind == tkChar) WriteString(std::string(1, static_cast<char>(value)));
  else if (prop->Kind == tkEnumeration) WriteIdent(GetEnumName(prop->EnumInfo, static_cast<int>(value)));
  else if (prop->Kind == tkSet) WriteSet(prop, static_cast<uint32_t>(value));
  else WriteInt64(value);
}

// A collection is written as one value; another sub-object as its own properties under a path.
void TBinaryFormWriter::WriteObjectProperty(TObject* instance, const TPropInfo* prop) {
  TObject* object = prop->GetObj ? prop->GetObj(instance) : nullptr;
  if (auto* collection = ObjectAs<TCollection>(object)) {
    WritePropName(prop->Name);
    WriteCollection(collection);
  } else if (auto* persistent = ObjectAs<TPersistent>(object); persistent && !ObjectAs<TComponent>(object)) {
    TWriterPath path(path_, prop->Name);
    WriteObjectProperties(persistent);
  }
}

// ---------------------------------------------------------------------------------------------
// TBinaryFormReader

TValueType TBinaryFormReader::ReadValue() {
  Byte b = 0;
  stream_->ReadBuffer(&b, 1);
  if (b > vaUTF8String) throw EReadError(SInvalidStreamFormat);
  return static_cast<TValueType>(b);
}

// The end of a list is the byte 0 whether a value or a property name would follow: a name's first
// byte is its length, which may be any number, so it is not checked as a value type here.
bool TBinaryFormReader::EndOfList() {
  Byte b = 0;
  stream_->ReadBuffer(&b, 1);
  stream_->Seek(-1, soCurrent);
  return b == vaNull;
}

TValueType TBinaryFormReader::NextValue() {
  const TValueType type = ReadValue();
  stream_->Seek(-1, soCurrent);
  return type;
}

void TBinaryFormReader::CheckValue(TValueType expected) {
  if (ReadValue() != expected) throw EReadError(SInvalidPropertyValue);
}

std::string TBinaryFormReader::ReadShortString() {
  Byte length = 0;
  stream_->ReadBuffer(&length, 1);
  std::string s(length, '\0');
  stream_->ReadBuffer(s.data(), length);
  return s;
}

std::string TBinaryFormReader::ReadLongString() {
  int32_t length = 0;
  stream_->ReadBuffer(&length, 4);
  if (length < 0 || length > stream_->Size() - stream_->Position()) throw EReadError(SReadError);
  std::string s(static_cast<size_t>(length), '\0');
  if (length) stream_->ReadBuffer(s.data(), length);
  return s;
}

int64_t TBinaryFormReader::ReadIntegerOf(TValueType type) {
  switch (type) {
    case vaInt8: {
      int8_t v;
      stream_->ReadBuffer(&v, 1);
      return v;
    }
    case vaInt16: {
      int16_t v;
      stream_->ReadBuffer(&v, 2);
      return v;
    }
    case vaInt32: {
      int32_t v;
      stream_->ReadBuffer(&v, 4);
      return v;
    }
    case vaInt64: {
      int64_t v;
      stream_->ReadBuffer(&v, 8);
      return v;
    }
    default: throw EReadError(SInvalidPropertyValue);
  }
}

int32_t TBinaryFormReader::ReadInteger() {
  const TValueType type = ReadValue();
  if (type == vaInt64) throw EReadError(SInvalidPropertyValue);
  return static_cast<int32_t>(ReadIntegerOf(type));
}

int64_t TBinaryFormReader::ReadInt64() { return ReadIntegerOf(ReadValue()); }

bool TBinaryFormReader::ReadBoolean() {
  const TValueType type = ReadValue();
  if (type != vaFalse && type != vaTrue) throw EReadError(SInvalidPropertyValue);
  return type == vaTrue;
}

long double TBinaryFormReader::ReadFloat() {
  const TValueType type = ReadValue();
  if (IsIntegerValue(type)) return static_cast<long double>(ReadIntegerOf(type));
  if (type != vaExtended) throw EReadError(SInvalidPropertyValue);
  Byte bytes[sizeof(long double)] = {};
  stream_->ReadBuffer(bytes, ExtendedSize);
  long double value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

std::string TBinaryFormReader::ReadString() {
  const TValueType type = ReadValue();
  if (type == vaString) return ReadShortString();
  if (type == vaLString) return ReadLongString();
  throw EReadError(SInvalidPropertyValue);
}

std::string TBinaryFormReader::ReadIdent() {
  switch (ReadValue()) {
    case vaIdent: return ReadShortString();
    case vaFalse: return "False";
    case vaTrue: return "True";
    case vaNil: return "nil";
    case vaNull: return "Null";
    default: throw EReadError(SInvalidPropertyValue);
  }
}

// Items may carry an index before their list (written by older writers); it is not used.
void TBinaryFormReader::ReadCollection(TCollection* collection) {
  CheckValue(vaCollection);
  WithinUpdate(*collection, [&] {
    collection->Clear();
    while (!EndOfList()) {
      if (IsIntegerValue(NextValue())) ReadInt64();
      ReadListBegin();
      ReadProperties(collection->Add());
    }
    ReadListEnd();
  });
}

void TBinaryFormReader::SkipBytes(int64_t count) {
  if (count < 0 || count > stream_->Size() - stream_->Position()) throw EReadError(SReadError);
  stream_->Seek(count, soCurrent);
}

void TBinaryFormReader::SkipValue() {
  const TValueType type = ReadValue();
  int32_t count = 0;
  switch (type) {
    case vaNull: case vaFalse: case vaTrue: case vaNil: return;
    case vaInt8: case vaInt16: case vaInt32: case vaInt64: ReadIntegerOf(type); return;
    case vaExtended: SkipBytes(ExtendedSize); return;
    case vaSingle: SkipBytes(4); return;
    case vaCurrency: case vaDate: SkipBytes(8); return;
    case vaString: case vaIdent: ReadShortString(); return;
    case vaLString: case vaBinary: case vaUTF8String:
      stream_->ReadBuffer(&count, 4);
      SkipBytes(count);
      return;
    case vaWString:
      stream_->ReadBuffer(&count, 4);
      SkipBytes(int64_t{count} * 2);
      return;
    case vaSet:
      while (!ReadShortString().empty()) {}
      return;
    case vaList:
      while (!EndOfList()) SkipValue();
      ReadListEnd();
      return;
    case vaCollection:
      while (!EndOfList()) {
        if (IsIntegerValue(NextValue())) ReadInt64();
        ReadListBegin();
        while (!EndOfList()) {
          ReadShortString();
          SkipValue();
        }
        ReadListEnd();
      }
      ReadListEnd();
      return;
  }
}

void TBinaryFormReader::ReadProperties(TPersistent* instance) {
  while (!EndOfList()) ReadProperty(instance);
  ReadListEnd();
}

// The object first asks for the names it stores itself; what it does not claim must be published.
void TBinaryFormReader::ReadProperty(TPersistent* instance) {
  const std::string path = ReadShortString();
  std::string name = path;
  for (size_t dot; (dot = name.find('.')) != std::string::npos; name.erase(0, dot + 1))
    instance = SubObject(instance, name.substr(0, dot), path);
  wanted_ = name;
  found_ = false;
  instance->DefineProperties(this);
  wanted_.clear();
  if (found_) return;
  const TPropInfo* prop = FindPublishedProperty(instance->ClassType(), name);
  if (!prop) throw EReadError(Format(SUnknownProperty, {path}));
  ReadPublished(instance, prop);
}

void TBinaryFormReader::DefineProperty(const std::string& name, TReaderProc readData, TWriterProc, bool) {
  if (found_ || wanted_.empty() || !SameText(name, wanted_) || !readData) return;
  found_ = true;
  readData(this);
}

// The procedure reads from a stream that holds exactly the property's bytes.
void TBinaryFormReader::DefineBinaryProperty(const std::string& name, TStreamProc readData, TStreamProc, bool) {
  if (found_ || wanted_.empty() || !SameText(name, wanted_) || !readData) return;
  found_ = true;
  CheckValue(vaBinary);
  int32_t size = 0;
  stream_->ReadBuffer(&size, 4);
  if (size < 0 || size > stream_->Size() - stream_->Position()) throw EReadError(SReadError);
  TMemoryStream data;
  data.CopyFrom(stream_, size);
  data.SetPosition(0);
  readData(&data);
}

uint32_t TBinaryFormReader::ReadSet(const TPropInfo* prop) {
  CheckValue(vaSet);
  uint32_t bits = 0;
  for (std::string ident; !(ident = ReadShortString()).empty();) {
    const int value = GetEnumValue(prop->EnumInfo, ident);
    if (value < 0 || value >= 32) throw EReadError(Format(SInvalidPropertyValueOf, {prop->Name}));
    bits |= 1u << value;
  }
  return bits;
}

void TBinaryFormReader::ReadPublished(TObject* instance, const TPropInfo* prop) {
  const std::string name = prop->Name;
  auto invalid = [&] { return EReadError(Format(SInvalidPropertyValueOf, {name})); };
  switch (prop->Kind) {
    case tkInteger: if (prop->SetOrd) return prop->SetOrd(instance, ReadInteger()); break;
    case tkInt64: if (prop->SetOrd) return prop->SetOrd(instance, ReadInt64()); break;
    case tkChar: {
      const std::string s = ReadString();
      if (prop->SetOrd && s.size() == 1) return prop->SetOrd(instance, static_cast<unsigned char>(s[0]));
      break;
    }
    case tkEnumeration: {
      const int value = GetEnumValue(prop->EnumInfo, ReadIdent());
      if (prop->SetOrd && value >= 0) return prop->SetOrd(instance, value);
      break;
    }
    case tkSet: {
      const uint32_t bits = ReadSet(prop);
      if (prop->SetOrd) return prop->SetOrd(instance, bits);
      break;
    }
    case tkFloat: if (prop->SetFloat) return prop->SetFloat(instance, ReadFloat()); break;
    case tkString: if (prop->SetStr) return prop->SetStr(instance, ReadString()); break;
    case tkClass: {
      auto* collection = prop->GetObj ? ObjectAs<TCollection>(prop->GetObj(instance)) : nullptr;
      if (collection && NextValue() == vaCollection) return ReadCollection(collection);
      break;
    }
    case tkMethod:
    case tkField: break;
  }
  throw invalid();
}
