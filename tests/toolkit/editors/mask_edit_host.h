// A masked editor in miniature for the mode tests: a real platform EDIT window whose key-down and
// character messages go through a mode as the masked editor routes them, and then, when the mode
// lets them go on, to the EDIT window's own handling. Selection changes made through the plain
// setters notify the mode, as the editor's inner edit does after every EM_SETSEL.
#pragma once
#include <memory>
#include <string>

#include "calderan_test.h"
#include "cxMaskEdit.h"

class TMaskEditHost : public IcxMaskEditModeHost {
 public:
  TMaskEditHost(TcxEditMaskKind kind, const std::string& mask, bool caseInsensitive = true)
      : caseInsensitive_(caseInsensitive) {
    edit_ = CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_AUTOHSCROLL, 0, 0, 200, 24, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(edit_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TMaskEditHost::WindowProc)));
    mode_ = CreateMaskEditMode(kind, this);
    mode_->CompileEditMask(mask);
  }
  ~TMaskEditHost() override { DestroyWindow(edit_); }

  TcxMaskEditCustomMode& Mode() { return *mode_; }
  HWND Window() const { return edit_; }
  int Beeps() const { return beeps_; }

  // Text and selection as the editor would set them from outside, the mode re-reading the text.
  void Show(const std::string& text, int selStart, int selLength = 0) {
    SetWindowTextA(edit_, text.c_str());
    Select(selStart, selStart + selLength);
    mode_->SyncWithText(text);
    mode_->CaretMovedByUser();
  }
  // Real messages, as the keyboard sends them.
  void Key(uint16_t key) { SendMessageA(edit_, WM_KEYDOWN, key, 0); }
  void Type(const std::string& chars) {
    for (char ch : chars) SendMessageA(edit_, WM_CHAR, static_cast<unsigned char>(ch), 0);
  }
  // The text with the selection marked: "[" and "]" around a selection, "|" for a plain caret.
  std::string State() const {
    std::string text = CurrentText();
    const int start = SelStart(), length = SelLength();
    if (length == 0) return text.insert(start, "|");
    text.insert(start + length, "]");
    return text.insert(start, "[");
  }

  // IcxMaskEditModeHost
  bool CaseInsensitive() const override { return caseInsensitive_; }
  bool IgnoreMaskBlank() const override { return ignoreMaskBlank; }
  bool BeepOnError() const override {
    ++beeps_;  // asked only when the mode beeps
    return false;
  }
  bool CharCaseNormal() const override { return true; }
  bool IsMasked() const override { return true; }
  bool HasEditor() const override { return editorReady; }
  bool HasWindow() const override { return true; }
  std::string Text() const override { return CurrentText(); }
  std::string CurrentText() const override {
    char buffer[1024] = {};
    GetWindowTextA(edit_, buffer, sizeof buffer);
    return buffer;
  }
  std::string DisplayText() const override { return CurrentText(); }
  void SetDisplayText(const std::string& text) override { SetWindowTextA(edit_, text.c_str()); }
  void ShowDisplayValue(const std::string& text) override { SetWindowTextA(edit_, text.c_str()); }
  void AssignEditValue(const std::string& value) override {
    editValue = value;
    SetWindowTextA(edit_, value.c_str());
  }
  bool ModifiedAfterEnter() const override { return false; }
  std::string EditValueToDisplay() const override { return mode_->FormatForDisplay(editValue, true); }
  int SelStart() const override {
    DWORD start = 0, end = 0;
    SendMessageA(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(start);
  }
  int SelLength() const override {
    DWORD start = 0, end = 0;
    SendMessageA(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
  }
  int CaretPosition() const override { return SelLength() == 0 ? SelStart() : caret_; }
  void SetSelStart(int value) override {
    Select(value, value);
    mode_->CaretMovedByUser();
  }
  void SetSelLength(int value) override {
    Select(SelStart(), SelStart() + value);
    mode_->CaretMovedByUser();
  }
  void SetSelStartQuiet(int value) override { Select(value, value); }
  void SetSelLengthQuiet(int value) override { Select(SelStart(), SelStart() + value); }
  void SendKeyInternal(uint16_t key) override { Default(WM_KEYDOWN, key); }
  void SendCharInternal(char ch) override { Default(WM_CHAR, static_cast<unsigned char>(ch)); }
  bool ShiftDown() const override { return shift_; }
  void SetShiftDown(bool value) override { shift_ = value; }
  bool AcceptsTypedChar(char&, int) override { return true; }

  bool ignoreMaskBlank = false;
  bool editorReady = true;  // false: the editor still lacks its inner edit
  std::string editValue;

 private:
  void Select(int start, int end) {
    SendMessageA(edit_, EM_SETSEL, start, end);
    caret_ = end;
  }
  void Default(UINT message, WPARAM wParam) {
    CallWindowProcA(original_, edit_, message, wParam, 0);
    if (SelLength() == 0) caret_ = SelStart();
  }
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* host = reinterpret_cast<TMaskEditHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_KEYDOWN) {
      if (!MaskEditKeyDown(*host->mode_, *host, static_cast<uint16_t>(wParam), GetKeyState(VK_SHIFT) < 0,
                           GetKeyState(VK_CONTROL) < 0))
        return 0;
      host->Default(message, wParam);
      return 0;
    }
    if (message == WM_CHAR) {
      char ch = static_cast<char>(wParam);
      if (!MaskEditKeyPress(*host->mode_, ch)) return 0;
      host->Default(message, static_cast<unsigned char>(ch));
      return 0;
    }
    return CallWindowProcA(host->original_, window, message, wParam, lParam);
  }

  HWND edit_ = nullptr;
  WNDPROC original_ = nullptr;
  std::unique_ptr<TcxMaskEditCustomMode> mode_;
  bool caseInsensitive_;
  bool shift_ = false;
  int caret_ = 0;
  mutable int beeps_ = 0;
};
