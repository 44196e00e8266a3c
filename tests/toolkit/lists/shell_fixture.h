// Shared by the shell tests: the units of the shell views and a folder tree made on the Wine
// prefix's drive C: (names with spaces and accented letters, hidden items, an empty folder, a
// folder of 2,000 files and files of 1, 1024 and 1025 bytes), removed again at the end.
#pragma once
#include <shellapi.h>

#include <string>

#include "SysUtils.h"
#include "cxShellCommon.h"
#include "toolkit/editors/editors_fixture.h"

class TShellTestTree {
 public:
  TShellTestTree() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    root_ = std::string(temp) + "Shell tree " + std::to_string(GetCurrentProcessId());
    MakeFolder("");
    MakeFolder("\\Folder with spaces");
    MakeFolder("\\Folder with spaces\\Inner");
    MakeFile("\\Folder with spaces\\Inner\\deep.txt", 3);
    MakeFolder("\\Dossier \xE9t\xE9");  // accented letters of the ANSI code page
    MakeFile("\\Dossier \xE9t\xE9\\caf\xE9.txt", 10);
    MakeFolder("\\Empty");
    MakeFolder("\\Hidden folder");
    SetFileAttributesA(Path("\\Hidden folder").c_str(), FILE_ATTRIBUTE_HIDDEN);
    MakeFolder("\\Only files");
    MakeFile("\\Only files\\a.txt", 1);
    MakeFile("\\hidden.txt", 5);
    SetFileAttributesA(Path("\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    MakeFile("\\one byte.txt", 1);
    MakeFile("\\kilo.bin", 1024);
    MakeFile("\\kilo plus.bin", 1025);
    MakeFolder("\\Many");
    for (int i = 0; i < 2000; ++i) MakeFile("\\Many\\file " + std::to_string(10000 + i) + ".dat", 0);
  }
  ~TShellTestTree() {
    std::string from = root_ + std::string(1, '\0');
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    SHFileOperationA(&op);
  }
  // The path of a part of the tree ("" for its root, else starting with "\").
  std::string Path(const std::string& part = "") const { return root_ + part; }
  // A new absolute list of a path, or null.
  static PItemIDList Parse(const std::string& path) {
    std::u16string wide = AnsiToWide(path);
    LPITEMIDLIST list = nullptr;
    if (FAILED(DesktopFolder()->ParseDisplayName(nullptr, nullptr, reinterpret_cast<LPWSTR>(wide.data()), nullptr,
                                                 &list, nullptr)))
      return nullptr;
    return list;
  }
  PItemIDList ParsePart(const std::string& part) const { return Parse(Path(part)); }

 private:
  void MakeFolder(const std::string& part) const { CreateDirectoryA(Path(part).c_str(), nullptr); }
  void MakeFile(const std::string& part, int size) const {
    HANDLE file = CreateFileA(Path(part).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    std::string bytes(size, 'x');
    DWORD written = 0;
    if (size) WriteFile(file, bytes.data(), size, &written, nullptr);
    CloseHandle(file);
  }
  std::string root_;
};

struct ShellFixture : EditorsFixture {
  static void SetUpTestSuite() {
    EditorsFixture::SetUpTestSuite();
    StartUnits({&cxShellCommonUnit});
    if (!tree) tree = new TShellTestTree;
  }
  static void TearDownTestSuite() {
    delete tree;
    tree = nullptr;
  }
  static std::string TreePath(const std::string& part = "") { return tree->Path(part); }
  static inline TShellTestTree* tree = nullptr;
};
