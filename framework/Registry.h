// The system registry: TRegistry opens one key at a time under a root key and reads and writes its
// values; TRegIniFile presents a key as an INI file whose sections are sub-keys.
#pragma once
#include <string>

#include "Classes.h"

inline constexpr const char* SRegCreateFailed = "Failed to create key %s";
inline constexpr const char* SRegGetDataFailed = "Failed to get data for '%s'";
inline constexpr const char* SRegSetDataFailed = "Failed to set data for '%s'";
inline constexpr const char* SInvalidRegType = "Invalid data type for '%s'";
CALDERAN_EXCEPTION(ERegistryException, Exception)

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

class TRegistry : public TObject {
  CALDERAN_CLASS(TRegistry)
  TRegistry();  // root HKEY_CURRENT_USER, no key open
  ~TRegistry() override;

  HKEY RootKey() const { return rootKey_; }
  void SetRootKey(HKEY key);  // closes the open key
  HKEY CurrentKey() const { return currentKey_; }
  const std::string& CurrentPath() const { return currentPath_; }

  // A key name starting with '\' is taken from the root, any other from the open key (or the
  // root when none is open). False when the key is missing (and not created) or refused.
  bool OpenKey(const std::string& key, bool canCreate);
  bool OpenKeyReadOnly(const std::string& key);
  void CloseKey();
  bool CreateKey(const std::string& key);  // ERegistryException "Failed to create key %s"
  bool DeleteKey(const std::string& key);  // with everything under it
  bool KeyExists(const std::string& key);
  bool HasSubKeys();
  void GetKeyNames(TStrings* names);
  void GetValueNames(TStrings* names);

  bool ValueExists(const std::string& name);
  bool DeleteValue(const std::string& name);
  TRegDataType GetDataType(const std::string& name);
  // A missing value reads as ""; a value that is not text raises "Invalid data type for '%s'".
  std::string ReadString(const std::string& name);
  void WriteString(const std::string& name, const std::string& value);
  // A missing value raises "Failed to get data for '%s'", one of another type "Invalid data type".
  int32_t ReadInteger(const std::string& name);
  void WriteInteger(const std::string& name, int32_t value);
  bool ReadBool(const std::string& name) { return ReadInteger(name) != 0; }
  void WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }

 protected:
  // Makes `key` the open key for a while (TRegIniFile's sections); the caller restores it.
  void SetCurrentKey(HKEY key) { currentKey_ = key; }
  HKEY GetKey(const std::string& key);  // opened for reading and writing, or 0; caller closes

 private:
  HKEY BaseKey(bool relative) const { return currentKey_ && relative ? currentKey_ : rootKey_; }
  void PutData(const std::string& name, const void* data, DWORD size, DWORD type);

  HKEY rootKey_ = HKEY_CURRENT_USER;
  HKEY currentKey_ = nullptr;
  std::string currentPath_;
  REGSAM access_ = KEY_ALL_ACCESS;
};

class TRegIniFile : public TRegistry {
  CALDERAN_CLASS(TRegIniFile)
  // Opens (creating) `fileName` as a key under HKEY_CURRENT_USER.
  explicit TRegIniFile(const std::string& fileName);
  const std::string& FileName() const { return fileName_; }

  using TRegistry::ReadString;
  using TRegistry::WriteString;
  using TRegistry::ReadInteger;
  using TRegistry::WriteInteger;
  using TRegistry::ReadBool;
  using TRegistry::WriteBool;
  using TRegistry::DeleteKey;
  std::string ReadString(const std::string& section, const std::string& ident, const std::string& fallback);
  void WriteString(const std::string& section, const std::string& ident, const std::string& value);
  // Integers are written as text; reading takes text or a number, and falls back on bad text.
  int32_t ReadInteger(const std::string& section, const std::string& ident, int32_t fallback);
  void WriteInteger(const std::string& section, const std::string& ident, int32_t value);
  bool ReadBool(const std::string& section, const std::string& ident, bool fallback);
  void WriteBool(const std::string& section, const std::string& ident, bool value);
  void ReadSection(const std::string& section, TStrings* keys);
  void ReadSections(TStrings* sections);
  void ReadSectionValues(const std::string& section, TStrings* values);
  void EraseSection(const std::string& section);
  void DeleteKey(const std::string& section, const std::string& ident);

 private:
  // Runs `body` with the section's key open; false when the section does not exist.
  template <class F> bool InSection(const std::string& section, bool create, F body);
  std::string fileName_;
};
