// Stored forms in tests: an object's properties as the binary writer writes them, and read back.
#pragma once
#include <string>

#include "BinaryFiler.h"

inline std::string WrittenForm(TPersistent* object) {
  TMemoryStream stream;
  TBinaryFormWriter(&stream).WriteProperties(object);
  return std::string(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

inline void ReadForm(TPersistent* object, const std::string& bytes) {
  TMemoryStream stream;
  if (!bytes.empty()) stream.WriteBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
  stream.SetPosition(0);
  TBinaryFormReader(&stream).ReadProperties(object);
}
