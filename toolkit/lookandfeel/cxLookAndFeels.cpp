#include "cxLookAndFeels.h"

#include <vector>

#include "dxOffice11.h"

CALDERAN_IMPLEMENT_CLASS(TcxSystemPaletteChangedNotifier, TObject)

namespace {

// ---------------------------------------------------------------------------------------------
// The shared listener window of the palette notifiers.
struct TcxSystemPaletteChangedListener {
  HWND Window = nullptr;
  std::vector<TcxSystemPaletteChangedNotifier*> Ordinary;
  std::vector<TcxSystemPaletteChangedNotifier*> Primary;
};

TcxSystemPaletteChangedListener* paletteListener = nullptr;
int notifierCount = 0;

// Last joined first; a notifier destroyed by an earlier one's handler leaves the list shorter.
void CallColorsChanged(std::vector<TcxSystemPaletteChangedNotifier*>& list) {
  for (size_t i = list.size(); i > 0; --i) {
    if (i > list.size()) i = list.size();
    if (i == 0) break;
    list[i - 1]->ColorsChanged();
  }
}

LRESULT CALLBACK PaletteListenerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSCOLORCHANGE && paletteListener) {
    try {
      RefreshOffice11Colors();
      CallColorsChanged(paletteListener->Primary);
      CallColorsChanged(paletteListener->Ordinary);
    } catch (...) {
      // No exception may cross into Win32; the message still reaches the default procedure.
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void CreatePaletteListener() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA wc{};
  wc.lpfnWndProc = PaletteListenerWindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = cxSystemPaletteChangedListenerClassName;
  RegisterClassA(&wc);
  paletteListener = new TcxSystemPaletteChangedListener;
  // A hidden top-level window: message-only windows never see the broadcast WM_SYSCOLORCHANGE.
  paletteListener->Window = CreateWindowExA(WS_EX_TOOLWINDOW, cxSystemPaletteChangedListenerClassName, "",
                                            WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  AcquireOffice11Colors();
}

void DestroyPaletteListener() {
  ReleaseOffice11Colors();
  if (paletteListener->Window) DestroyWindow(paletteListener->Window);
  UnregisterClassA(cxSystemPaletteChangedListenerClassName, GetModuleHandleA(nullptr));
  delete paletteListener;
  paletteListener = nullptr;
}

void RemoveFrom(std::vector<TcxSystemPaletteChangedNotifier*>& list, TcxSystemPaletteChangedNotifier* n) {
  for (auto it = list.begin(); it != list.end(); ++it)
    if (*it == n) {
      list.erase(it);
      return;
    }
}

void StartLookAndFeels() {}
void StopLookAndFeels() {}

}  // namespace

constinit const TUnitInfo cxLookAndFeelsUnit{"cxLookAndFeels", StartLookAndFeels, StopLookAndFeels};

TcxSystemPaletteChangedNotifier::TcxSystemPaletteChangedNotifier(bool isPrimary) : isPrimary_(isPrimary) {
  if (notifierCount++ == 0) CreatePaletteListener();
  (isPrimary ? paletteListener->Primary : paletteListener->Ordinary).push_back(this);
}

TcxSystemPaletteChangedNotifier::~TcxSystemPaletteChangedNotifier() {
  RemoveFrom(isPrimary_ ? paletteListener->Primary : paletteListener->Ordinary, this);
  if (--notifierCount == 0) DestroyPaletteListener();
}

void TcxSystemPaletteChangedNotifier::ColorsChanged() {
  if (OnSystemColorsChanged) OnSystemColorsChanged();
}
