#include "Registry.h"

CALDERAN_IMPLEMENT_CLASS(ERegistryException, Exception)
CALDERAN_IMPLEMENT_CREATABLE0(TRegistry, TObject)
CALDERAN_IMPLEMENT_CLASS(TRegIniFile, TRegistry)

namespace {
bool IsRelative(const std::string& key) { return key.empty() || key[0] != '\\'; }
std::string WithoutRoot(const std::string& key) { return IsRelative(key) ? key : key.substr(1); }

TRegDataType DataTypeOf(DWORD type) {
  switch (type) {
    case REG_SZ: return rdString;
    case REG_EXPAND_SZ: return rdExpandString;
    case REG_DWORD: return rdInteger;
    case REG_BINARY: return rdBinary;
    default: return rdUnknown;
  }
}
}  // namespace

TRegistry::TRegistry() = default;

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY key) {
  if (rootKey_ == key) return;
  rootKey_ = key;
  CloseKey();
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
  const bool relative = IsRelative(key);
  std::string path = WithoutRoot(key);
  HKEY opened = nullptr;
  LONG result;
  if (!canCreate || path.empty())
    result = RegOpenKeyExA(BaseKey(relative), path.c_str(), 0, access_, &opened);
  else
    result = RegCreateKeyExA(BaseKey(relative), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_,
                             nullptr, &opened, nullptr);
  if (result != ERROR_SUCCESS) return false;
  if (currentKey_ && relative) path = currentPath_ + "\\" + path;
  CloseKey();
  currentKey_ = opened;
  currentPath_ = path;
  return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
  REGSAM saved = access_;
  access_ = KEY_READ;
  bool ok = OpenKey(key, false);
  access_ = saved;
  return ok;
}

void TRegistry::CloseKey() {
  if (!currentKey_) return;
  RegCloseKey(currentKey_);
  currentKey_ = nullptr;
  currentPath_.clear();
}

bool TRegistry::CreateKey(const std::string& key) {
  HKEY created = nullptr;
  LONG result = RegCreateKeyExA(BaseKey(IsRelative(key)), WithoutRoot(key).c_str(), 0, nullptr,
                                REG_OPTION_NON_VOLATILE, access_, nullptr, &created, nullptr);
  if (result != ERROR_SUCCESS) throw ERegistryException(Format(SRegCreateFailed, {key}));
  RegCloseKey(created);
  return true;
}

bool TRegistry::DeleteKey(const std::string& key) {
  HKEY base = BaseKey(IsRelative(key));
  std::string path = WithoutRoot(key);
  if (path.empty()) return false;
  LONG tree = RegDeleteTreeA(base, path.c_str());
  return tree == ERROR_SUCCESS || RegDeleteKeyA(base, path.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::KeyExists(const std::string& key) {
  HKEY probe = nullptr;
  if (RegOpenKeyExA(BaseKey(IsRelative(key)), WithoutRoot(key).c_str(), 0, KEY_READ, &probe) != ERROR_SUCCESS)
    return false;
  RegCloseKey(probe);
  return true;
}

HKEY TRegistry::GetKey(const std::string& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(BaseKey(IsRelative(key)), WithoutRoot(key).c_str(), 0, access_, &opened) != ERROR_SUCCESS)
    return nullptr;
  return opened;
}

bool TRegistry::HasSubKeys() {
  DWORD subKeys = 0;
  return RegQueryInfoKeyA(currentKey_, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr,
                          nullptr, nullptr, nullptr) == ERROR_SUCCESS && subKeys > 0;
}

void TRegistry::GetKeyNames(TStrings* names) {
  WithinUpdate(*names, [&] {
    names->Clear();
    char name[256];
    for (DWORD i = 0;; ++i) {
      DWORD length = sizeof name;
      if (RegEnumKeyExA(currentKey_, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      names->Add(std::string(name, length));
    }
  });
}

void TRegistry::GetValueNames(TStrings* names) {
  WithinUpdate(*names, [&] {
    names->Clear();
    char name[16384];
    for (DWORD i = 0;; ++i) {
      DWORD length = sizeof name;
      if (RegEnumValueA(currentKey_, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      names->Add(std::string(name, length));
    }
  });
}

bool TRegistry::ValueExists(const std::string& name) {
  return RegQueryValueExA(currentKey_, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool TRegistry::DeleteValue(const std::string& name) {
  return RegDeleteValueA(currentKey_, name.c_str()) == ERROR_SUCCESS;
}

TRegDataType TRegistry::GetDataType(const std::string& name) {
  DWORD type = REG_NONE;
  if (RegQueryValueExA(currentKey_, name.c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS) return rdUnknown;
  return DataTypeOf(type);
}

std::string TRegistry::ReadString(const std::string& name) {
  DWORD type = REG_NONE, size = 0;
  if (RegQueryValueExA(currentKey_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS || size == 0)
    return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ) throw ERegistryException(Format(SInvalidRegType, {name}));
  std::string value(size, '\0');
  if (RegQueryValueExA(currentKey_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size) !=
      ERROR_SUCCESS)
    throw ERegistryException(Format(SRegGetDataFailed, {name}));
  value.resize(strnlen(value.c_str(), size));
  return value;
}

void TRegistry::PutData(const std::string& name, const void* data, DWORD size, DWORD type) {
  if (RegSetValueExA(currentKey_, name.c_str(), 0, type, static_cast<const BYTE*>(data), size) != ERROR_SUCCESS)
    throw ERegistryException(Format(SRegSetDataFailed, {name}));
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  PutData(name, value.c_str(), static_cast<DWORD>(value.size() + 1), REG_SZ);
}

int32_t TRegistry::ReadInteger(const std::string& name) {
  DWORD type = REG_NONE, value = 0, size = sizeof value;
  LONG result = RegQueryValueExA(currentKey_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA) throw ERegistryException(Format(SRegGetDataFailed, {name}));
  if (type != REG_DWORD) throw ERegistryException(Format(SInvalidRegType, {name}));
  return static_cast<int32_t>(value);
}

void TRegistry::WriteInteger(const std::string& name, int32_t value) {
  DWORD v = static_cast<DWORD>(value);
  PutData(name, &v, sizeof v, REG_DWORD);
}

// ---------------------------------------------------------------------------------------------
// TRegIniFile
TRegIniFile::TRegIniFile(const std::string& fileName) : fileName_(fileName) { OpenKey(fileName, true); }

template <class F> bool TRegIniFile::InSection(const std::string& section, bool create, F body) {
  if (create && !section.empty()) CreateKey(section);
  HKEY key = section.empty() ? nullptr : GetKey(section);
  if (!section.empty() && !key) return false;
  HKEY old = CurrentKey();
  if (key) SetCurrentKey(key);
  try {
    body();
  } catch (...) {
    SetCurrentKey(old);
    if (key) RegCloseKey(key);
    throw;
  }
  SetCurrentKey(old);
  if (key) RegCloseKey(key);
  return true;
}

std::string TRegIniFile::ReadString(const std::string& section, const std::string& ident, const std::string& fallback) {
  std::string result = fallback;
  InSection(section, false, [&] {
    if (ValueExists(ident)) result = TRegistry::ReadString(ident);
  });
  return result;
}

void TRegIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  InSection(section, true, [&] { TRegistry::WriteString(ident, value); });
}

int32_t TRegIniFile::ReadInteger(const std::string& section, const std::string& ident, int32_t fallback) {
  int32_t result = fallback;
  InSection(section, false, [&] {
    if (!ValueExists(ident)) return;
    if (GetDataType(ident) == rdString) result = StrToIntDef(TRegistry::ReadString(ident), fallback);
    else result = TRegistry::ReadInteger(ident);
  });
  return result;
}

void TRegIniFile::WriteInteger(const std::string& section, const std::string& ident, int32_t value) {
  WriteString(section, ident, IntToStr(value));
}

bool TRegIniFile::ReadBool(const std::string& section, const std::string& ident, bool fallback) {
  return ReadInteger(section, ident, fallback ? 1 : 0) != 0;
}

void TRegIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

void TRegIniFile::ReadSection(const std::string& section, TStrings* keys) {
  keys->Clear();
  InSection(section, false, [&] { GetValueNames(keys); });
}

void TRegIniFile::ReadSections(TStrings* sections) { GetKeyNames(sections); }

void TRegIniFile::ReadSectionValues(const std::string& section, TStrings* values) {
  TStringList keys;
  ReadSection(section, &keys);
  WithinUpdate(*values, [&] {
    values->Clear();
    for (int i = 0; i < keys.Count(); ++i) values->Add(keys[i] + "=" + ReadString(section, keys[i], ""));
  });
}

void TRegIniFile::EraseSection(const std::string& section) { TRegistry::DeleteKey(section); }

void TRegIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  InSection(section, false, [&] { DeleteValue(ident); });
}
