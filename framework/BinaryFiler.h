// Stored properties in the binary value form of stored form definitions: the writer that
// DefineProperties write procedures write through (the counterpart of TReader), and a reader and a
// writer of one object's properties over a stream.
//
// The form: a property is its name (a length byte and the characters; a sub-object's property is
// named with the path "Image.Data") followed by one value; an object's properties end with an
// empty name (the byte 0). A value is a TValueType byte and its data: vaInt8/vaInt16/vaInt32/
// vaInt64 little-endian, vaExtended the ten bytes of an 80-bit float, vaString a length byte and
// the characters, vaLString a 32-bit length and the characters, vaIdent like vaString, vaFalse/
// vaTrue/vaNil/vaNull nothing, vaBinary a 32-bit size and the bytes, vaSet identifiers ended by an
// empty one, vaList values ended by vaNull, vaCollection items (each vaList, its properties, 0)
// ended by vaNull.
#pragma once
#include <cstdint>
#include <string>

#include "Classes.h"

// What a DefineProperties write procedure may write.
class TWriter : public TFiler {
  CALDERAN_CLASS(TWriter)
  virtual void WriteListBegin() = 0;
  virtual void WriteListEnd() = 0;
  virtual void WriteInteger(int32_t value) = 0;
  virtual void WriteInt64(int64_t value) = 0;
  virtual void WriteBoolean(bool value) = 0;
  virtual void WriteFloat(long double value) = 0;
  virtual void WriteString(const std::string& value) = 0;
  virtual void WriteIdent(const std::string& ident) = 0;
  virtual void WriteCollection(TCollection* collection) = 0;
};

// Writes an object's properties: the published ones that are stored (their stored test) and differ
// from their defaults (sub-objects as their own properties under a path, collections with their
// items; events and component references are the form designer's business and are left out), then
// those the object defines itself, then the end of the list.
class TBinaryFormWriter : public TWriter {
  CALDERAN_CLASS(TBinaryFormWriter)
  explicit TBinaryFormWriter(TStream* stream) : stream_(stream) {}

  void WriteProperties(TPersistent* instance);

  void DefineProperty(const std::string& name, TReaderProc readData, TWriterProc writeData, bool hasData) override;
  void DefineBinaryProperty(const std::string& name, TStreamProc readData, TStreamProc writeData,
                            bool hasData) override;
  void WriteListBegin() override { WriteValue(vaList); }
  void WriteListEnd() override { WriteValue(vaNull); }
  void WriteInteger(int32_t value) override { WriteInt64(value); }
  void WriteInt64(int64_t value) override;
  void WriteBoolean(bool value) override { WriteValue(value ? vaTrue : vaFalse); }
  void WriteFloat(long double value) override;
  void WriteString(const std::string& value) override;
  void WriteIdent(const std::string& ident) override;
  void WriteCollection(TCollection* collection) override;

 private:
  void WriteValue(TValueType type);
  void WriteShortString(const std::string& s);
  void WritePropName(const std::string& name);
  void WriteObjectProperties(TPersistent* instance);
  void WritePublished(TObject* instance, const TPropInfo* prop);
  void WriteOrdinal(const TPropInfo* prop, int64_t value);
  void WriteObjectProperty(TObject* instance, const TPropInfo* prop);
  void WriteSet(const TPropInfo* prop, uint32_t bits);

  TStream* stream_;
  std::string path_;  // the sub-object path of the properties being written ("Image.")
};

// Reads what TBinaryFormWriter wrote into an existing object. A name the object neither defines
// nor publishes, a value of the wrong kind or an unknown value type raises EReadError; a stream
// that ends early raises EReadError "Stream read error".
class TBinaryFormReader : public TReader {
  CALDERAN_CLASS(TBinaryFormReader)
  explicit TBinaryFormReader(TStream* stream) : stream_(stream) {}

  void ReadProperties(TPersistent* instance);

  void DefineProperty(const std::string& name, TReaderProc readData, TWriterProc writeData, bool hasData) override;
  void DefineBinaryProperty(const std::string& name, TStreamProc readData, TStreamProc writeData,
                            bool hasData) override;
  TValueType NextValue() override;
  bool EndOfList() override;
  void ReadListBegin() override { CheckValue(vaList); }
  void ReadListEnd() override { CheckValue(vaNull); }
  int32_t ReadInteger() override;
  int64_t ReadInt64() override;
  bool ReadBoolean() override;
  long double ReadFloat() override;
  std::string ReadString() override;
  std::string ReadIdent() override;
  void ReadCollection(TCollection* collection) override;
  void SkipValue() override;

 private:
  TValueType ReadValue();
  void CheckValue(TValueType expected);
  std::string ReadShortString();
  std::string ReadLongString();
  int64_t ReadIntegerOf(TValueType type);
  void ReadProperty(TPersistent* instance);
  void ReadPublished(TObject* instance, const TPropInfo* prop);
  uint32_t ReadSet(const TPropInfo* prop);
  void SkipBytes(int64_t count);

  TStream* stream_;
  std::string wanted_;  // the property asked of DefineProperties, and whether it answered
  bool found_ = false;
};
