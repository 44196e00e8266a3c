// The one road by which the windows ask the user: message boxes and the common file dialogs.
// A test (or any harness) installs a hook that answers in place of the user, so modal questions
// never block a run and no test has to wait for a box to appear.
#pragma once
#include <windows.h>

#include <string>

class TOpenDialog;

// Answers a message box: the result is what MessageBox would return (IDOK, IDCANCEL ...).
using TMessageBoxHook = int (*)(const std::string& Text, const std::string& Caption, UINT Flags);
// Answers a file dialog: may set the dialog's FileName; true stands for the dialog's OK.
using TFileDialogHook = bool (*)(TOpenDialog* Dialog);

// Null (the default) shows the real box or dialog.
extern TMessageBoxHook GlobalMessageBoxHook;
extern TFileDialogHook GlobalFileDialogHook;

// A modal message box over the active window, or the hook's answer.
int AppMessageBox(const std::string& Text, const std::string& Caption, UINT Flags);
// Runs an open or save dialog (its own Execute), or asks the hook.
bool ExecuteFileDialog(TOpenDialog* Dialog);
