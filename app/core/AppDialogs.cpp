#include "AppDialogs.h"

#include "Dialogs.h"

constinit TMessageBoxHook GlobalMessageBoxHook = nullptr;
constinit TFileDialogHook GlobalFileDialogHook = nullptr;

int AppMessageBox(const std::string& Text, const std::string& Caption, UINT Flags) {
  if (GlobalMessageBoxHook) return GlobalMessageBoxHook(Text, Caption, Flags);
  return MessageBoxA(GetActiveWindow(), Text.c_str(), Caption.c_str(), Flags);
}

bool ExecuteFileDialog(TOpenDialog* Dialog) {
  if (GlobalFileDialogHook) return GlobalFileDialogHook(Dialog);
  return Dialog->Execute();
}
