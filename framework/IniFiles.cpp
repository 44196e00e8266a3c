#include "IniFiles.h"

#include <vector>

CALDERAN_IMPLEMENT_CLASS(EIniFileException, Exception)
CALDERAN_IMPLEMENT_CLASS(TCustomIniFile, TObject)
CALDERAN_IMPLEMENT_CLASS(TIniFile, TCustomIniFile)
CALDERAN_IMPLEMENT_CLASS(TMemIniFile, TCustomIniFile)

// ---------------------------------------------------------------------------------------------
// TCustomIniFile
int32_t TCustomIniFile::ReadInteger(const std::string& section, const std::string& ident, int32_t fallback) {
  std::string text = ReadString(section, ident, "");
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text = "$" + text.substr(2);
  return StrToIntDef(text, fallback);
}

void TCustomIniFile::WriteInteger(const std::string& section, const std::string& ident, int32_t value) {
  WriteString(section, ident, IntToStr(value));
}

bool TCustomIniFile::ReadBool(const std::string& section, const std::string& ident, bool fallback) {
  return ReadInteger(section, ident, fallback ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

bool TCustomIniFile::SectionExists(const std::string& section) {
  TStringList keys;
  ReadSection(section, &keys);
  return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(const std::string& section, const std::string& ident) {
  TStringList keys;
  ReadSection(section, &keys);
  return keys.IndexOf(ident) >= 0;
}

// ---------------------------------------------------------------------------------------------
// TIniFile
namespace {
// The profile functions answer lists as texts separated by NULs.
void AddNulSeparated(const char* buffer, DWORD length, TStrings* list) {
  WithinUpdate(*list, [&] {
    list->Clear();
    for (DWORD p = 0; p < length && buffer[p];) {
      std::string item(buffer + p);
      list->Add(item);
      p += static_cast<DWORD>(item.size()) + 1;
    }
  });
}

// The profile function's answer, in a buffer grown until it holds the whole of it: a value or a
// list that did not fit comes back cut, its length then within two of the buffer's size.
std::vector<char> ProfileString(const char* section, const char* ident, const char* fallback,
                                const std::string& fileName, DWORD& length) {
  std::vector<char> buffer(2048);
  for (;;) {
    length = GetPrivateProfileStringA(section, ident, fallback, buffer.data(), static_cast<DWORD>(buffer.size()),
                                      fileName.c_str());
    if (length + 2 < buffer.size()) return buffer;
    buffer.resize(buffer.size() * 2);
  }
}
}  // namespace

TIniFile::~TIniFile() {
  try {
    UpdateFile();
  } catch (...) {
  }
}

std::string TIniFile::ReadString(const std::string& section, const std::string& ident, const std::string& fallback) {
  DWORD n;
  std::vector<char> buffer = ProfileString(section.c_str(), ident.c_str(), fallback.c_str(), FileName(), n);
  return std::string(buffer.data(), n);
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  if (!WritePrivateProfileStringA(section.c_str(), ident.c_str(), value.c_str(), FileName().c_str()))
    throw EIniFileException(Format(SIniFileWriteError, {FileName()}));
}

void TIniFile::ReadSections(TStrings* sections) {
  DWORD n;
  std::vector<char> buffer = ProfileString(nullptr, nullptr, nullptr, FileName(), n);
  AddNulSeparated(buffer.data(), n, sections);
}

void TIniFile::ReadSection(const std::string& section, TStrings* keys) {
  DWORD n;
  std::vector<char> buffer = ProfileString(section.c_str(), nullptr, nullptr, FileName(), n);
  AddNulSeparated(buffer.data(), n, keys);
}

void TIniFile::ReadSectionValues(const std::string& section, TStrings* values) {
  TStringList keys;
  ReadSection(section, &keys);
  WithinUpdate(*values, [&] {
    values->Clear();
    for (int i = 0; i < keys.Count(); ++i) values->Add(keys[i] + "=" + ReadString(section, keys[i], ""));
  });
}

void TIniFile::EraseSection(const std::string& section) {
  if (!WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, FileName().c_str()))
    throw EIniFileException(Format(SIniFileWriteError, {FileName()}));
}

void TIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  WritePrivateProfileStringA(section.c_str(), ident.c_str(), nullptr, FileName().c_str());
}

// Asks the system to write out whatever it still holds for the file.
void TIniFile::UpdateFile() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, FileName().c_str()); }

// ---------------------------------------------------------------------------------------------
// TMemIniFile
TMemIniFile::TMemIniFile(const std::string& fileName) : TCustomIniFile(fileName) {
  if (!FileExists(fileName)) return;
  TStringList lines;
  lines.LoadFromFile(fileName);
  SetStrings(&lines);
}

TMemIniFile::~TMemIniFile() { Clear(); }

void TMemIniFile::Clear() {
  for (int i = 0; i < sections_.Count(); ++i) delete sections_.Objects(i);
  sections_.Clear();
}

TStrings* TMemIniFile::Section(const std::string& name) const {
  int i = sections_.IndexOf(name);
  return i < 0 ? nullptr : static_cast<TStrings*>(sections_.Objects(i));
}

TStrings* TMemIniFile::AddSection(const std::string& name) {
  auto* lines = new TStringList;
  sections_.AddObject(name, lines);
  return lines;
}

std::string TMemIniFile::ReadString(const std::string& section, const std::string& ident, const std::string& fallback) {
  TStrings* lines = Section(section);
  int i = lines ? lines->IndexOfName(ident) : -1;
  return i < 0 ? fallback : lines->ValueFromIndex(i);
}

void TMemIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  TStrings* lines = Section(section);
  if (!lines) lines = AddSection(section);
  std::string line = ident + "=" + value;
  int i = lines->IndexOfName(ident);
  if (i >= 0) lines->Put(i, line);
  else lines->Add(line);
}

void TMemIniFile::ReadSection(const std::string& section, TStrings* keys) {
  WithinUpdate(*keys, [&] {
    keys->Clear();
    if (TStrings* lines = Section(section))
      for (int i = 0; i < lines->Count(); ++i) keys->Add(lines->Names(i));
  });
}

void TMemIniFile::ReadSections(TStrings* sections) {
  WithinUpdate(*sections, [&] {
    sections->Clear();
    for (int i = 0; i < sections_.Count(); ++i) sections->Add(sections_[i]);
  });
}

void TMemIniFile::ReadSectionValues(const std::string& section, TStrings* values) {
  WithinUpdate(*values, [&] {
    values->Clear();
    if (TStrings* lines = Section(section)) values->AddStrings(lines);
  });
}

void TMemIniFile::EraseSection(const std::string& section) {
  int i = sections_.IndexOf(section);
  if (i < 0) return;
  delete sections_.Objects(i);
  sections_.Delete(i);
}

void TMemIniFile::DeleteKey(const std::string& section, const std::string& ident) {
  TStrings* lines = Section(section);
  int i = lines ? lines->IndexOfName(ident) : -1;
  if (i >= 0) lines->Delete(i);
}

void TMemIniFile::GetStrings(TStrings* list) {
  WithinUpdate(*list, [&] {
    list->Clear();
    for (int i = 0; i < sections_.Count(); ++i) {
      list->Add("[" + sections_[i] + "]");
      list->AddStrings(static_cast<TStrings*>(sections_.Objects(i)));
      list->Add("");
    }
  });
}

void TMemIniFile::SetStrings(const TStrings* list) {
  Clear();
  TStrings* current = nullptr;
  for (int i = 0; i < list->Count(); ++i) {
    std::string s = Trim(list->Get(i));
    if (s.empty() || s[0] == ';') continue;
    if (s[0] == '[' && s.back() == ']') {
      current = AddSection(Trim(s.substr(1, s.size() - 2)));
    } else if (current) {
      size_t eq = s.find('=');
      current->Add(eq == std::string::npos ? s : Trim(s.substr(0, eq)) + "=" + Trim(s.substr(eq + 1)));
    }
  }
}

void TMemIniFile::UpdateFile() {
  TStringList lines;
  GetStrings(&lines);
  lines.SaveToFile(FileName());
}
