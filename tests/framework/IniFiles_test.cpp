#include "calderan_test.h"

#include <functional>
#include <memory>
#include <string>

#include "IniFiles.h"

namespace {

std::string TempIni(const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string path = std::string(temp) + name;
  DeleteFileA(path.c_str());
  return path;
}

void WriteText(const std::string& path, const std::string& text) {
  TStringList lines;
  lines.SetText(text);
  lines.SaveToFile(path);
}

std::string Lines(TStrings& list) { return list.CommaText(); }

using Factory = std::function<std::unique_ptr<TCustomIniFile>(const std::string&)>;
struct Kind {
  const char* name;
  Factory make;
};
const Kind kKinds[] = {
    {"TIniFile", [](const std::string& f) { return std::unique_ptr<TCustomIniFile>(new TIniFile(f)); }},
    {"TMemIniFile", [](const std::string& f) { return std::unique_ptr<TCustomIniFile>(new TMemIniFile(f)); }},
};

TEST(IniFiles, MissingFileSectionsAndKeysGiveTheDefaults) {
  for (const Kind& kind : kKinds) {
    auto ini = kind.make(TempIni("calderan-missing.ini"));
    EXPECT_EQ(ini->ReadString("Files", "InitDir", "C:\\"), "C:\\") << kind.name;
    EXPECT_EQ(ini->ReadInteger("Formats", "Format", -1), -1) << kind.name;
    EXPECT_TRUE(ini->ReadBool("Formats", "Flag", true)) << kind.name;
    EXPECT_FALSE(ini->SectionExists("Files")) << kind.name;
    EXPECT_FALSE(ini->ValueExists("Files", "InitDir")) << kind.name;
    TStringList sections;
    ini->ReadSections(&sections);
    EXPECT_EQ(sections.Count(), 0) << kind.name;
  }
}

TEST(IniFiles, ValuesOfAWrittenFileReadAlikeThroughBothClasses) {
  std::string path = TempIni("calderan values & \xE9.ini");
  WriteText(path,
            "; settings\r\n"
            "[Formats]\r\n"
            "Format=3\r\n"
            "VCodec = -1 \r\n"
            "Size=abc\r\n"
            "Fps=12abc\r\n"
            "Aspect=0x1F\r\n"
            "ABitrate=$10\r\n"
            "Empty=\r\n"
            "Flag=1\r\n"
            "Off=0\r\n"
            "Word=yes\r\n"
            "[Files]\r\n"
            "OutDir=C:\\out\\\r\n");
  struct Case { const char* key; int32_t expected; };
  const Case ints[] = {{"Format", 3},  {"VCodec", -1}, {"Size", 7},     {"Fps", 7},
                       {"Aspect", 31}, {"ABitrate", 16}, {"Empty", 7},  {"Missing", 7}};
  for (const Kind& kind : kKinds) {
    auto ini = kind.make(path);
    for (const Case& c : ints) EXPECT_EQ(ini->ReadInteger("Formats", c.key, 7), c.expected) << kind.name << " " << c.key;
    EXPECT_TRUE(ini->ReadBool("Formats", "Flag", false)) << kind.name;
    EXPECT_FALSE(ini->ReadBool("Formats", "Off", true)) << kind.name;
    EXPECT_TRUE(ini->ReadBool("Formats", "Word", true)) << kind.name;  // not a number: the default
    EXPECT_EQ(ini->ReadString("files", "outdir", ""), "C:\\out\\") << kind.name;
    EXPECT_EQ(ini->ReadString("Formats", "VCodec", ""), "-1") << kind.name;
    EXPECT_TRUE(ini->SectionExists("Files")) << kind.name;
    EXPECT_TRUE(ini->ValueExists("Formats", "Empty")) << kind.name;
    TStringList list;
    ini->ReadSections(&list);
    EXPECT_EQ(Lines(list), "Formats,Files") << kind.name;
    ini->ReadSection("Files", &list);
    EXPECT_EQ(Lines(list), "OutDir") << kind.name;
    ini->ReadSectionValues("Files", &list);
    EXPECT_EQ(list.Values("OutDir"), "C:\\out\\") << kind.name;
  }
  DeleteFileA(path.c_str());
}

TEST(IniFiles, WritesRoundTripAndErasingRemoves) {
  for (const Kind& kind : kKinds) {
    std::string path = TempIni("calderan-roundtrip.ini");
    {
      auto ini = kind.make(path);
      ini->WriteString("Files", "InitDir", "C:\\My Videos\\");
      ini->WriteInteger("Formats", "Format", -12);
      ini->WriteBool("Formats", "Flag", true);
      ini->WriteInteger("Formats", "Format", 4);  // replaces
      ini->WriteString("Gone", "Key", "x");
      ini->WriteString("Formats", "Temp", "x");
      ini->EraseSection("Gone");
      ini->DeleteKey("Formats", "Temp");
      ini->DeleteKey("Nowhere", "Temp");  // nothing to delete: no error
      ini->UpdateFile();
    }
    TIniFile check(path);  // what is on disk, read by the system
    EXPECT_EQ(check.ReadString("Files", "InitDir", ""), "C:\\My Videos\\") << kind.name;
    EXPECT_EQ(check.ReadInteger("Formats", "Format", 0), 4) << kind.name;
    EXPECT_EQ(check.ReadString("Formats", "Flag", ""), "1") << kind.name;
    EXPECT_FALSE(check.SectionExists("Gone")) << kind.name;
    EXPECT_FALSE(check.ValueExists("Formats", "Temp")) << kind.name;
    TStringList sections;
    check.ReadSections(&sections);
    EXPECT_EQ(Lines(sections), "Files,Formats") << kind.name;
    DeleteFileA(path.c_str());
  }
}

TEST(IniFiles, LongValuesAndLongListsComeBackWhole) {
  std::string value;
  for (int i = 0; i < 5000; ++i) value += char('a' + i % 26);
  const std::string prefix(60, 'k');
  for (const Kind& kind : kKinds) {
    std::string path = TempIni("calderan-long.ini");
    {
      auto ini = kind.make(path);
      ini->WriteString("Long", "Value", value);
      for (int i = 0; i < 400; ++i) ini->WriteString("Keys", prefix + IntToStr(i), "x");
      for (int i = 0; i < 400; ++i) ini->WriteString(prefix + IntToStr(i), "Key", "x");
      ini->UpdateFile();
    }
    auto ini = kind.make(path);
    std::string read = ini->ReadString("Long", "Value", "");
    EXPECT_EQ(read.size(), value.size()) << kind.name;
    EXPECT_TRUE(read == value) << kind.name;
    TStringList list;
    ini->ReadSection("Keys", &list);
    ASSERT_EQ(list.Count(), 400) << kind.name;
    EXPECT_EQ(list[399], prefix + "399") << kind.name;
    ini->ReadSections(&list);
    ASSERT_EQ(list.Count(), 402) << kind.name;
    EXPECT_EQ(list[401], prefix + "399") << kind.name;
    ini->ReadSectionValues("Long", &list);
    EXPECT_TRUE(list.Values("Value") == value) << kind.name;
    DeleteFileA(path.c_str());
  }
}

// Names match in the locale's order, where they can differ in length (a soft hyphen weighs nothing).
TEST(IniFiles, MemoryFileValuesOfNamesThatMatchWithAnotherLength) {
  std::string path = TempIni("calderan-names.ini");
  WriteText(path, "[S]\r\nco\xADlor=red\r\n");
  TMemIniFile ini(path);
  EXPECT_EQ(ini.ReadString("S", "color", ""), "red");
  EXPECT_EQ(ini.ReadString("S", "c\xAD\xAD\xAD\xAD\xAD\xAD\xAD\xAD\xAD\xAD" "olor", ""), "red");
  DeleteFileA(path.c_str());
}

// A list that refuses a line (sorted, duplicates an error) passes the exception on and is not left
// batching its changes.
TEST(IniFiles, ListsThatRefuseALineAreNotLeftInUpdateMode) {
  std::string path = TempIni("calderan-dups.ini");
  WriteText(path, "[A]\r\nk=1\r\nk=1\r\n[B]\r\nx=1\r\n[A]\r\n");
  TMemIniFile ini(path);
  struct Case {
    const char* name;
    std::function<void(TStrings*)> read;
  };
  const Case cases[] = {
      {"ReadSections", [&](TStrings* l) { ini.ReadSections(l); }},
      {"ReadSection", [&](TStrings* l) { ini.ReadSection("A", l); }},
      {"ReadSectionValues", [&](TStrings* l) { ini.ReadSectionValues("A", l); }},
      {"GetStrings", [&](TStrings* l) { ini.GetStrings(l); }},
  };
  for (const Case& c : cases) {
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(dupError);
    EXPECT_THROW(c.read(&list), EStringListError) << c.name;
    EXPECT_EQ(list.UpdateCount(), 0) << c.name;
  }
  DeleteFileA(path.c_str());
}

TEST(IniFiles, MemoryFileWritesNothingBeforeUpdateFile) {
  std::string path = TempIni("calderan-lazy.ini");
  {
    TMemIniFile ini(path);
    ini.WriteString("A", "B", "C");
  }
  EXPECT_FALSE(FileExists(path));
  TMemIniFile ini(path);
  ini.WriteString("A", "B", "C");
  TStringList text;
  ini.GetStrings(&text);
  EXPECT_EQ(text.Text(), "[A]\r\nB=C\r\n\r\n");
}

TEST(IniFiles, WritingWhereNoFileCanBeRaises) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string path = std::string(temp) + "calderan-no-such-folder\\x.ini";
  TIniFile ini(path);
  try {
    ini.WriteString("A", "B", "C");
    ADD_FAILURE();
  } catch (const EIniFileException& e) {
    EXPECT_EQ(e.Message(), "Unable to write to " + path);
  }
}

}  // namespace
