// The hint timers of the bar managers: one hint at a time for the whole application. A request
// waits the show delay (shown at once while a hint is visible or just after one went), a shown
// hint hides after the hide delay, and moving to an empty area opens a 400 ms follow-up window.
// The timers are thread timers (no window), so they fire through the thread's message loop.
#include "Controls.h"
#include "Forms.h"
#include "dxBarManager.h"

namespace {
constexpr UINT HintShowDelay = 1000, ScreenTipShowDelay = 900;
constexpr UINT HintHideDelay = 10000, ScreenTipHideDelay = 200000;
constexpr UINT HintFollowUpDelay = 400;

// The shared state of all managers.
struct THintState {
  IdxBarHintWindow* Window = nullptr;
  UINT_PTR Timer = 0;  // the show or the hide timer: at most one of them runs
  UINT_PTR FollowUpTimer = 0;
  bool FollowUp = false;
  bool Requested = false;
  bool Shown = false;
  std::string PendingText;
  TObject* HintObject = nullptr;
  TdxBarManager* Manager = nullptr;
};
THintState hint;

void KillHintTimer() {
  if (hint.Timer) KillTimer(nullptr, hint.Timer);
  hint.Timer = 0;
}

void KillFollowUpTimer() {
  if (hint.FollowUpTimer) KillTimer(nullptr, hint.FollowUpTimer);
  hint.FollowUpTimer = 0;
}

bool ScreenTipMode() { return hint.Window && hint.Window->IsScreenTipMode(); }

void CALLBACK HintShowTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  GuardedCall([] { TdxBarManager::HintShowTimerExpired(); });
}

void CALLBACK HintHideTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  GuardedCall([] { TdxBarManager::HintHideTimerExpired(); });
}

void CALLBACK HintFollowUpTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  GuardedCall([] { TdxBarManager::HintFollowUpTimerExpired(); });
}

bool IsLiveManager(TdxBarManager* manager) {
  for (int i = 0; i < BarManagerCount(); ++i) {
    if (BarManagerAt(i) == manager) return !manager->IsBarManagerDestroying();
  }
  return false;
}
}  // namespace

void SetBarHintWindow(IdxBarHintWindow* window) { hint.Window = window; }
IdxBarHintWindow* BarHintWindow() { return hint.Window; }
TObject* BarHintObject() { return hint.HintObject; }

void TdxBarManager::UpdateHint(bool show, const std::string& text, TObject* hintObject) {
  if (IsCustomizing() || !showHint_) return;
  if (show && ScreenTipMode()) InternalUpdateHint(false, "", nullptr);
  InternalUpdateHint(show, text, hintObject);
}

void TdxBarManager::InternalUpdateHint(bool show, const std::string& text, TObject* hintObject) {
  if (!show && !hint.Requested) return;
  hint.Requested = show;
  hint.PendingText = text;
  hint.Shown = false;
  const bool something = show && (selectedItemControl_ || !text.empty() || hintObject);
  KillHintTimer();
  hint.HintObject = hintObject;
  if (something) {
    if ((hint.Window && hint.Window->IsVisible()) || hint.FollowUp) return ShowHintNow();
    hint.Manager = this;
    hint.Timer = SetTimer(nullptr, 0, ScreenTipMode() ? ScreenTipShowDelay : HintShowDelay, HintShowTimerProc);
    return;
  }
  if (hint.Window && hint.Window->IsVisible()) hint.Window->Hide();
  if (show) {
    KillFollowUpTimer();
    hint.FollowUp = true;
    hint.FollowUpTimer = SetTimer(nullptr, 0, HintFollowUpDelay, HintFollowUpTimerProc);
  }
}

void TdxBarManager::ShowHintNow() {
  std::string text = hint.PendingText, shortCut;
  bool has = !text.empty();
  if (!has) {
    auto* source = dynamic_cast<IdxBarHintSource*>(hint.HintObject);
    if (source && source->GetHintInfo(text, shortCut) && (source->IsHintEnabled() || showHintForDisabledItems_)) {
      has = true;
      if (!showShortCutInHint_) shortCut.clear();
    }
  }
  if (has && hint.Window && hint.Window->Activate(this, text, shortCut)) {
    hint.Shown = true;
    hint.Manager = this;
    KillHintTimer();
    hint.Timer = SetTimer(nullptr, 0, ScreenTipMode() ? ScreenTipHideDelay : HintHideDelay, HintHideTimerProc);
    return;
  }
  HideHint();
}

void TdxBarManager::HintShowTimerExpired() {
  KillHintTimer();
  if (IsLiveManager(hint.Manager)) hint.Manager->ShowHintNow();
}

void TdxBarManager::HintHideTimerExpired() {
  KillHintTimer();
  if (IsLiveManager(hint.Manager)) hint.Manager->HideHint();
}

void TdxBarManager::HintFollowUpTimerExpired() {
  KillFollowUpTimer();
  hint.FollowUp = false;
}

bool TdxBarManager::IsHintFollowUpOpen() { return hint.FollowUp; }

void TdxBarManager::HintManagerDestroyed(TdxBarManager* manager) {
  hint.HintObject = nullptr;
  KillFollowUpTimer();
  hint.FollowUp = false;
  if (hint.Manager != manager) return;
  if (hint.Timer && hint.Window && hint.Window->IsVisible()) hint.Window->Hide();
  KillHintTimer();
  hint.Manager = nullptr;
  hint.Requested = false;
}
