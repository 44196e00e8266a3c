#include "FormatsIni.h"

#include <string>

#include "CoreTestSupport.h"
#include "SysUtils.h"
#include "calderan_test.h"

namespace {

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override { RemoveSettings(); }
  void TearDown() override { RemoveSettings(); }
};

struct TIndexes {
  int32_t v[9];
};
TIndexes ReadAll(const TFormatsIni& ini) {
  return {{ini.ReadFormat(), ini.ReadVCodec(), ini.ReadVBitrate(), ini.ReadSize(), ini.ReadFps(), ini.ReadAspect(),
           ini.ReadABitrate(), ini.ReadSampleRate(), ini.ReadChannels()}};
}

TEST_F(SettingsFile, BothSectionsLiveInOneFileBesideTheProgram) {
  EXPECT_EQ(ConfigureFileName(), ProgramFolder() + "configure.ini");
  EXPECT_EQ(ConfigureFileName(), SettingsPath());
}

TEST_F(SettingsFile, ValuesAndTheirDefaults) {
  struct Case {
    const char* name;
    const char* text;
    TIndexes expected;
  } cases[] = {
      {"missing file", nullptr, {{0, -1, -1, -1, -1, -1, -1, -1, -1}}},
      {"empty file", "", {{0, -1, -1, -1, -1, -1, -1, -1, -1}}},
      {"garbled values",
       "[Formats]\r\nFormat=x\r\nVCodec=\r\nVBitrate=abc\r\nSize=2.5\r\nFps=7\r\nAspect=$1\r\nABitrate= 3 \r\n"
       "SampleRate=-1\r\nChannels=99999999999\r\n",
       {{0, -1, -1, -1, 7, 1, 3, -1, -1}}},
      {"not an INI file at all", "\x01\x02 garbage \xff\r\n=\r\n[[[\r\n", {{0, -1, -1, -1, -1, -1, -1, -1, -1}}},
      {"stored selection",
       "[Formats]\r\nFormat=3\r\nVCodec=0\r\nVBitrate=0\r\nSize=1\r\nFps=2\r\nAspect=1\r\nABitrate=4\r\n"
       "SampleRate=5\r\nChannels=0\r\n",
       {{3, 0, 0, 1, 2, 1, 4, 5, 0}}},
  };
  for (const Case& c : cases) {
    if (c.text)
      WriteSettings(c.text);
    else
      RemoveSettings();
    TFormatsIni ini;
    const TIndexes got = ReadAll(ini);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(got.v[i], c.expected.v[i]) << c.name << ", key " << i;
  }
}

TEST_F(SettingsFile, IndexesWrittenAreReadBack) {
  {
    TFormatsIni ini;
    ini.WriteFormat(4);
    ini.WriteVCodec(-1);
    ini.WriteVBitrate(0);
    ini.WriteSize(1);
    ini.WriteFps(2);
    ini.WriteAspect(3);
    ini.WriteABitrate(5);
    ini.WriteSampleRate(6);
    ini.WriteChannels(7);
  }
  TFormatsIni ini;
  const TIndexes got = ReadAll(ini);
  const TIndexes want{{4, -1, 0, 1, 2, 3, 5, 6, 7}};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(got.v[i], want.v[i]) << "key " << i;
  EXPECT_NE(ReadSettings().find("[Formats]"), std::string::npos);
}

TEST_F(SettingsFile, FoldersFallBackToTheDocumentsFolder) {
  const std::string documents = TConfIni::GetDefaultDir();
  ASSERT_FALSE(documents.empty());
  EXPECT_EQ(documents.back(), '\\');
  EXPECT_TRUE(DirectoryExists(documents)) << documents;

  TConfIni conf;
  EXPECT_EQ(conf.GetInitDir(), documents);  // no file
  EXPECT_EQ(conf.GetOutDir(), documents);

  const std::string existing = ExcludeTrailingPathDelimiter(ProgramFolder());
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string removed = std::string(temp) + "calderan-removed-folder";
  CreateDirectoryA(removed.c_str(), nullptr);
  conf.SetInitDir(existing);
  conf.SetOutDir(removed);
  RemoveDirectoryA(removed.c_str());
  EXPECT_EQ(conf.GetInitDir(), existing);  // returned as stored, no delimiter added
  EXPECT_EQ(conf.GetOutDir(), documents);  // the folder is gone
  conf.SetOutDir("");
  EXPECT_EQ(conf.GetOutDir(), documents);
  EXPECT_NE(ReadSettings().find("[Files]"), std::string::npos);
}

}  // namespace
