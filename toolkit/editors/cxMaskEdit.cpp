// The mode base, the factory of modes and the masked editor's key routing.
#include "cxMaskEdit.h"

CALDERAN_IMPLEMENT_CLASS(EcxMaskEditError, EcxEditError)
CALDERAN_IMPLEMENT_CLASS(TcxMaskEditCustomMode, TObject)

bool IsBlankMaskText(const std::string& mask) {
  for (char ch : mask)
    if (!(ch == '\0' || ch == '\t' || ch == '\n' || ch == '\f' || ch == '\r' || ch == ' ')) return false;
  return true;
}

void TcxMaskEditCustomMode::BeepOnError() const {
  if (host_->BeepOnError()) MessageBeep(MB_OK);
}

void TcxMaskEditCustomMode::RefreshEditValue() {
  if (!HasEditor()) return;
  host_->ShowDisplayValue(host_->ModifiedAfterEnter() ? FormatForDisplay(host_->DisplayText(), true)
                                                      : host_->EditValueToDisplay());
}

std::unique_ptr<TcxMaskEditCustomMode> CreateMaskEditMode(TcxEditMaskKind kind, IcxMaskEditModeHost* host) {
  switch (kind) {
    case emkStandard: return std::make_unique<TcxMaskEditStandardMode>(host);
    case emkRegExpr: return std::make_unique<TcxMaskEditRegExprMode>(host);
    default: return std::make_unique<TcxMaskEditRegExprExMode>(host);
  }
}

bool MaskEditKeyDown(TcxMaskEditCustomMode& mode, IcxMaskEditModeHost& host, uint16_t key, bool shift, bool ctrl) {
  host.SetShiftDown(shift);
  switch (key) {
    case VK_LEFT:
      if (!ctrl) return mode.KeyLeft();
      host.SendKeyInternal(VK_HOME);
      return mode.KeyHome();
    case VK_RIGHT:
      if (!ctrl) return mode.KeyRight();
      host.SendKeyInternal(VK_END);
      return mode.KeyEnd();
    case VK_DELETE:
      if (!shift) return mode.KeyDelete();
      // Shift+Delete cuts a selection; with nothing selected it deletes backwards.
      return host.SelLength() > 0 ? true : mode.KeyBackspace();
    case VK_HOME: return mode.KeyHome();
    case VK_END: return mode.KeyEnd();
    default: return true;
  }
}

bool MaskEditKeyPress(TcxMaskEditCustomMode& mode, char& ch) {
  switch (ch) {
    case '\t': case '\x1B': return false;
    case '\r': case '\x03': case '\x16': case '\x18': return true;  // Enter, Ctrl+C, Ctrl+V, Ctrl+X
    case '\b': return mode.KeyBackspace();
    default: return mode.KeyCharacter(ch);
  }
}
