#include "FormatsIni.h"

#include <shlobj.h>
#include <windows.h>

#include "IniFiles.h"
#include "SysUtils.h"

CALDERAN_IMPLEMENT_CLASS(TConfIni, TObject)
CALDERAN_IMPLEMENT_CLASS(TFormatsIni, TObject)

namespace {
constexpr const char* kFilesSection = "Files";
}  // namespace

std::string ConfigureFileName() { return ProgramFolder() + "configure.ini"; }

// ---------------------------------------------------------------------------------------------
std::string TConfIni::GetDefaultDir() {
  char path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path))) return "C:\\";
  return IncludeTrailingPathDelimiter(path);
}

std::string TConfIni::ReadDir(const char* Key) const {
  TIniFile ini(ConfigureFileName());
  const std::string dir = ini.ReadString(kFilesSection, Key, "");
  if (dir.empty() || !DirectoryExists(dir)) return GetDefaultDir();
  return dir;
}

void TConfIni::WriteDir(const char* Key, const std::string& Dir) const {
  TIniFile ini(ConfigureFileName());
  ini.WriteString(kFilesSection, Key, Dir);
}

// ---------------------------------------------------------------------------------------------
TFormatsIni::TFormatsIni() : ini_(std::make_unique<TIniFile>(ConfigureFileName())) {}

TFormatsIni::~TFormatsIni() = default;

int32_t TFormatsIni::Read(const char* Key, int32_t Default) const { return ini_->ReadInteger(section_, Key, Default); }

void TFormatsIni::Write(const char* Key, int32_t Value) { ini_->WriteInteger(section_, Key, Value); }
