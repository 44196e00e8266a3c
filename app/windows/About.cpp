#include "About.h"

#include <shellapi.h>

#include "FormReader.h"
#include "GlobalFun.h"
#include "SkinColours.h"
#include "SysUtils.h"
#include "TypInfo.h"

CALDERAN_IMPLEMENT_CREATABLE(TFormAbout, TForm, TComponent*)

TFormAbout* FormAbout = nullptr;

namespace {
void ShellOpen(const std::string& Target) {
  ShellExecuteA(nullptr, nullptr, Target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::string RunningProgram() {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, n);
}
}  // namespace

void (*GlobalShellOpen)(const std::string& Target) = &ShellOpen;

void TFormAbout::FormCreate(TObject*) {
  Label2->SetCaption("Version " + GetFileVersionString(RunningProgram()));
  // The link's blue cannot be read on a dark skin: there it turns a blue that can.
  if (TSkinColours skin; SkinColoursInUse(skin))
    lblHome->Style()->SetTextColor(ReadableTextColor(lblHome->Style()->TextColor(), skin.Back));
}

void TFormAbout::FormClick(TObject*) { Close(); }

void TFormAbout::lblHomeClick(TObject*) {
  GlobalShellOpen(lblHome->Caption());
  Close();
}

void TFormAbout::Register() {
  static constinit const TPropInfo fields[] = {
      PublishedField<&TFormAbout::Label1>("Label1"),   PublishedField<&TFormAbout::Label2>("Label2"),
      PublishedField<&TFormAbout::lblHome>("lblHome"), PublishedField<&TFormAbout::Label5>("Label5"),
  };
  static constinit const TMethodInfo methods[] = {
      PublishedMethod<&TFormAbout::FormCreate>("FormCreate"),
      PublishedMethod<&TFormAbout::FormClick>("FormClick"),
      PublishedMethod<&TFormAbout::lblHomeClick>("lblHomeClick"),
  };
  RegisterPublishedProperties(StaticClass(), fields);
  RegisterPublishedMethods(StaticClass(), methods);
  RegisterClass(StaticClass());
}

namespace {
void StartAbout() { TFormAbout::Register(); }
void StopAbout() { UnRegisterClass(TFormAbout::StaticClass()); }
}  // namespace

constinit const TUnitInfo AboutUnit{"About", StartAbout, StopAbout};
