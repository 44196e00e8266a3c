// A reader for tests that hand a DefineProperties read procedure its values directly: it defines
// nothing and reads nothing; a test's reader overrides what its values need.
#pragma once
#include <string>

#include "Classes.h"

class TStubReader : public TReader {
 public:
  void DefineProperty(const std::string&, TReaderProc, TWriterProc, bool) override {}
  void DefineBinaryProperty(const std::string&, TStreamProc, TStreamProc, bool) override {}
  TValueType NextValue() override { return vaNull; }
  bool EndOfList() override { return true; }
  void ReadListBegin() override {}
  void ReadListEnd() override {}
  int32_t ReadInteger() override { return 0; }
  int64_t ReadInt64() override { return 0; }
  bool ReadBoolean() override { return false; }
  long double ReadFloat() override { return 0; }
  std::string ReadString() override { return {}; }
  std::string ReadIdent() override { return {}; }
  void ReadCollection(TCollection*) override {}
  void SkipValue() override {}
};
