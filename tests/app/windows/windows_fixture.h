// Shared by the application windows' tests: the windows' modules and the conversion core started
// as the program entry starts them (real engine), and answers to the program's questions given
// through the dialog service's hooks instead of a user.
#pragma once
#include "calderan_test.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AppDialogs.h"
#include "AppWindowsUnits.h"
#include "Dialogs.h"
#include "Forms.h"
#include "Global.h"
#include "message_pump.h"

// Answers every message box and file dialog of the process while it lives, and records them.
class TDialogAnswers {
 public:
  struct TBox {
    std::string Text, Caption;
    UINT Flags;
  };
  TDialogAnswers() {
    Active() = this;
    GlobalMessageBoxHook = &AnswerBox;
    GlobalFileDialogHook = &AnswerFileDialog;
  }
  ~TDialogAnswers() {
    GlobalMessageBoxHook = nullptr;
    GlobalFileDialogHook = nullptr;
    Active() = nullptr;
  }
  std::deque<int> Answers;  // the next boxes' answers, in order; IDOK once used up
  std::vector<TBox> Boxes;
  std::function<void(const TBox&)> OnBox;  // runs while the box would be open
  std::string SaveAs;                      // the file dialogs' choice; empty cancels them
  std::vector<std::string> OpenFiles;      // an open dialog's choice (before SaveAs), in order
  int FileDialogs = 0;
  // The last file dialog's settings, as the program set them.
  std::string Title, InitialDir, Filter;
  TOpenOptions Options;

 private:
  static TDialogAnswers*& Active() {
    static TDialogAnswers* active = nullptr;
    return active;
  }
  static int AnswerBox(const std::string& text, const std::string& caption, UINT flags) {
    TDialogAnswers* self = Active();
    self->Boxes.push_back({text, caption, flags});
    if (self->OnBox) self->OnBox(self->Boxes.back());
    if (self->Answers.empty()) return IDOK;
    const int answer = self->Answers.front();
    self->Answers.pop_front();
    return answer;
  }
  static bool AnswerFileDialog(TOpenDialog* dialog) {
    TDialogAnswers* self = Active();
    ++self->FileDialogs;
    self->Title = dialog->Title(), self->InitialDir = dialog->InitialDir(), self->Filter = dialog->Filter();
    self->Options = dialog->Options();
    if (!self->OpenFiles.empty()) {
      dialog->Files()->Clear();
      for (const std::string& file : self->OpenFiles) dialog->Files()->Add(file);
      dialog->SetFileName(self->OpenFiles.front());
      return true;
    }
    if (self->SaveAs.empty()) return false;
    dialog->SetFileName(self->SaveAs);
    return true;
  }
};

// The program's start-up around the tests of one program: modules, global strings, the global
// service object with the engine and the five global objects (no settings file: defaults).
struct AppWindowsFixture : ::testing::Test {
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartAppWindowUnits();
    SetGlobalStrings();
    DeleteFileA("configure.ini");
    Application->Initialize();
    Globals() = std::make_unique<TInitGlobal>();
  }
  static void TearDownTestSuite() {
    Globals()->FreeGlobals();
    Globals().reset();
    DeleteFileA("configure.ini");
  }
  static std::unique_ptr<TInitGlobal>& Globals() {
    static std::unique_ptr<TInitGlobal> globals;
    return globals;
  }
  TDialogAnswers answers;
};

// Runs `body` at the first message of the next message loop (a modal window's loop, when the test
// shows one next), so a test can act on a modally shown window and end it.
inline std::function<void()>& PendingModalBody() {
  static std::function<void()> body;
  return body;
}
inline void CALLBACK RunPendingModalBody(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  std::function<void()> body = std::move(PendingModalBody());
  PendingModalBody() = nullptr;
  if (body) body();
}
inline void WhenModal(std::function<void()> body) {
  PendingModalBody() = std::move(body);
  SetTimer(nullptr, 0, 0, &RunPendingModalBody);
}
// Shows `form` modally with `body` running inside its loop; returns the modal result.
inline TModalResult WhileModal(TCustomForm* form, std::function<void()> body) {
  WhenModal(std::move(body));
  return form->ShowModal();
}

// The windows' modules alone, for the tests that bring their own engine (the recording stand-in)
// and make the objects they need themselves.
class WindowsFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    UsePrivateDesktop();
    StartAppWindowUnits();
  }
};
