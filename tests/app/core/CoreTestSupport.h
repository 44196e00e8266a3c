// Helpers shared by the conversion core's tests.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Answers every message box of this thread with OK as soon as it opens, and records what it showed.
class TMessageBoxCatcher {
 public:
  struct TBox {
    std::string Caption, Text;
    HICON Icon;
  };

  TMessageBoxCatcher() {
    Active() = this;
    hook_ = SetWindowsHookExA(WH_CBT, &TMessageBoxCatcher::CbtProc, nullptr, GetCurrentThreadId());
  }
  ~TMessageBoxCatcher() {
    UnhookWindowsHookEx(hook_);
    Active() = nullptr;
  }
  bool Installed() const { return hook_ != nullptr; }
  const std::vector<TBox>& Boxes() const { return boxes_; }

 private:
  static TMessageBoxCatcher*& Active() {
    static TMessageBoxCatcher* active = nullptr;
    return active;
  }
  static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    TMessageBoxCatcher* self = Active();
    HWND box = reinterpret_cast<HWND>(wParam);
    char cls[32] = {};
    if (code == HCBT_ACTIVATE && self && GetClassNameA(box, cls, sizeof cls) && std::string(cls) == "#32770") {
      char caption[256] = {}, text[1024] = {};
      GetWindowTextA(box, caption, sizeof caption);
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
      HICON icon = reinterpret_cast<HICON>(SendDlgItemMessageA(box, 0x440, STM_GETICON, 0, 0));
      self->boxes_.push_back({caption, text, icon});
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(self ? self->hook_ : nullptr, code, wParam, lParam);
  }

  HHOOK hook_ = nullptr;
  std::vector<TBox> boxes_;
};

// The folder of the running test program, with a trailing delimiter.
inline std::string ProgramFolder() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path, n);
  return s.substr(0, s.find_last_of("\\/") + 1);
}

// The settings file beside the test program (the tests that use it hold a ctest resource lock).
inline std::string SettingsPath() { return ProgramFolder() + "configure.ini"; }
inline void RemoveSettings() { DeleteFileA(SettingsPath().c_str()); }
inline void WriteSettings(const std::string& text) {
  HANDLE f = CreateFileA(SettingsPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(f);
}
inline std::string ReadSettings() {
  HANDLE f = CreateFileA(SettingsPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return "<missing>";
  std::string text(GetFileSize(f, nullptr), '\0');
  DWORD read = 0;
  ReadFile(f, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
  CloseHandle(f);
  return text;
}

// Gives the process a temporary folder of its own while it lives (TMP and TEMP point there), so a
// test sees exactly the temporary files its program leaves behind; the folder goes with the object.
class TPrivateTempFolder {
 public:
  TPrivateTempFolder() {
    char system[MAX_PATH];
    GetTempPathA(MAX_PATH, system);
    path_ = std::string(system) + "calderan-temp-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(path_.c_str(), nullptr);
    for (const char* name : {"TMP", "TEMP"}) SetEnvironmentVariableA(name, path_.c_str());
  }
  ~TPrivateTempFolder() {
    for (const char* name : {"TMP", "TEMP"}) SetEnvironmentVariableA(name, nullptr);
    for (const std::string& file : Files()) DeleteFileA((path_ + file).c_str());
    RemoveDirectoryA(path_.c_str());
  }
  TPrivateTempFolder(const TPrivateTempFolder&) = delete;
  TPrivateTempFolder& operator=(const TPrivateTempFolder&) = delete;

  // The names of the files in the folder.
  std::vector<std::string> Files() const {
    std::vector<std::string> files;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path_ + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
  }

 private:
  std::string path_;
};
