// INI files: TIniFile reads and writes through the system's profile functions (so it follows
// their rules: values trimmed, one pair of quotes removed, the file written at once); TMemIniFile
// holds the whole file in memory and writes it back on UpdateFile.
#pragma once
#include <memory>
#include <string>

#include "Classes.h"

inline constexpr const char* SIniFileWriteError = "Unable to write to %s";
CALDERAN_EXCEPTION(EIniFileException, Exception)

class TCustomIniFile : public TObject {
  CALDERAN_CLASS(TCustomIniFile)
  explicit TCustomIniFile(const std::string& fileName) : fileName_(fileName) {}
  const std::string& FileName() const { return fileName_; }

  virtual std::string ReadString(const std::string& section, const std::string& ident, const std::string& fallback) = 0;
  virtual void WriteString(const std::string& section, const std::string& ident, const std::string& value) = 0;
  // A value that does not read as an integer ("$1F" and "0x1F" do) gives the fallback.
  int32_t ReadInteger(const std::string& section, const std::string& ident, int32_t fallback);
  void WriteInteger(const std::string& section, const std::string& ident, int32_t value);
  // Read as an integer: any value other than 0 is true. Written as "1" or "0".
  bool ReadBool(const std::string& section, const std::string& ident, bool fallback);
  void WriteBool(const std::string& section, const std::string& ident, bool value);

  virtual void ReadSection(const std::string& section, TStrings* keys) = 0;
  virtual void ReadSections(TStrings* sections) = 0;
  virtual void ReadSectionValues(const std::string& section, TStrings* values) = 0;
  virtual void EraseSection(const std::string& section) = 0;
  virtual void DeleteKey(const std::string& section, const std::string& ident) = 0;
  virtual void UpdateFile() = 0;
  // A section exists when it holds at least one key.
  bool SectionExists(const std::string& section);
  virtual bool ValueExists(const std::string& section, const std::string& ident);

 private:
  std::string fileName_;
};

class TIniFile : public TCustomIniFile {
  CALDERAN_CLASS(TIniFile)
  using TCustomIniFile::TCustomIniFile;
  ~TIniFile() override;

  std::string ReadString(const std::string& section, const std::string& ident, const std::string& fallback) override;
  // EIniFileException "Unable to write to %s" when the system refuses.
  void WriteString(const std::string& section, const std::string& ident, const std::string& value) override;
  void ReadSection(const std::string& section, TStrings* keys) override;
  void ReadSections(TStrings* sections) override;
  void ReadSectionValues(const std::string& section, TStrings* values) override;
  void EraseSection(const std::string& section) override;
  void DeleteKey(const std::string& section, const std::string& ident) override;
  void UpdateFile() override;
};

class TMemIniFile : public TCustomIniFile {
  CALDERAN_CLASS(TMemIniFile)
  // Loads the file when it exists.
  explicit TMemIniFile(const std::string& fileName);
  ~TMemIniFile() override;

  std::string ReadString(const std::string& section, const std::string& ident, const std::string& fallback) override;
  void WriteString(const std::string& section, const std::string& ident, const std::string& value) override;
  void ReadSection(const std::string& section, TStrings* keys) override;
  void ReadSections(TStrings* sections) override;
  void ReadSectionValues(const std::string& section, TStrings* values) override;
  void EraseSection(const std::string& section) override;
  void DeleteKey(const std::string& section, const std::string& ident) override;
  // Writes every section back to the file (nothing is written before).
  void UpdateFile() override;
  void Clear();
  // The file's text form, and replacing the content from one: "[Section]" lines, key=value lines
  // with blanks around the name and the value removed, ';' comment lines dropped.
  void GetStrings(TStrings* list);
  void SetStrings(const TStrings* list);

 private:
  TStrings* Section(const std::string& name) const;  // null when absent
  TStrings* AddSection(const std::string& name);

  TStringList sections_;  // names, each with its TStringList of key=value lines as the object
};
