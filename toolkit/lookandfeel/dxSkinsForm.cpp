// The skin controller component, the process-wide registries of skin controllers and window
// controllers, the call-window hook, the helper window and the unit's start-up.
#include "dxSkinsForm.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "SysUtils.h"
#include "TypInfo.h"

CALDERAN_IMPLEMENT_CREATABLE(TdxSkinController, TcxLookAndFeelController, TComponent*)

UINT WM_POSTREDRAW = 0, WM_CHILDCHANGED = 0, WM_POSTCREATE = 0, WM_POSTCHECKRGN = 0;
TdxGetControllerClass GetControllerClass = nullptr;
TFlatSBSetScrollPos FlatSBSetScrollPosProc = FlatSB_SetScrollPos;
TFlatSBSetScrollInfo FlatSBSetScrollInfoProc = FlatSB_SetScrollInfo;

namespace {

std::vector<TdxSkinController*>* skinControllers = nullptr;  // in order of creation, not owned
TcxObjectList* windowControllers = nullptr;                  // owned, in order of attachment
HWND helperWindow = nullptr;
HHOOK hook = nullptr;
TFlatSBSetScrollPos savedSetScrollPos = nullptr;
TFlatSBSetScrollInfo savedSetScrollInfo = nullptr;

TdxSkinWinController* WindowController(int index) {
  return static_cast<TdxSkinWinController*>(windowControllers->Get(index));
}

bool IsDestroying(TComponent* component) { return component->ComponentState().Contains(csDestroying); }

bool AnswersOwnSkin(TCustomForm* form) {
  return CXM_QUERYOWNSKIN && form->HandleAllocated() && SendMessageA(form->WindowHandle(), CXM_QUERYOWNSKIN, 0, 0) == 1;
}

// The registered name of a skin painter and whether it has one.
bool RegisteredName(TdxSkinPainterClass painter, std::string& name) {
  name.clear();
  return painter && ExtendedStylePainters() && ExtendedStylePainters()->FindNameByPainter(painter, name);
}

std::string WindowClassName(HWND handle) {
  char name[256] = {};
  if (!GetClassNameA(handle, name, sizeof(name))) return {};
  return name;
}

void NotifyMDIFrame(HWND window) {
  HWND parent = GetParent(window);
  if (parent && TdxSkinWinController::IsMDIClient(parent))
    if (HWND frame = GetParent(parent)) SendMessageA(frame, WM_CHILDCHANGED, 0, 0);
}

void AttachWindowController(const TdxSkinWinControllerClass* controllerClass, HWND handle) {
  TdxSkinWinController* controller = FindControllerByHandle(handle);
  if (controller) return;
  if ((controller = FindControllerByControl(FindControl(handle)))) {
    controller->SetHandle(handle);  // the control's window was made again
  } else {
    controller = controllerClass->Create(handle);
    controller->SetOwner(controller->GetOwner(handle));
    windowControllers->Add(controller);
  }
  controller->ChooseSkin();
  controller->Refresh();
}

void DetachWindowController(HWND handle) {
  if (TdxSkinWinController* controller = FindControllerByHandle(handle)) {
    windowControllers->Remove(controller);
    delete controller;
  }
}

// Attachment of a window whose creation the hook saw; answers 0 when the window is not skinned.
LRESULT PostCreate(HWND handle) {
  DWORD process = 0;
  if (!handle || !GetWindowThreadProcessId(handle, &process) || process != GetCurrentProcessId()) return 0;
  const TdxSkinWinControllerClass* controllerClass = GetControllerClass ? GetControllerClass(handle) : nullptr;
  if (!controllerClass) return 0;
  GetSystemMenu(handle, TRUE);
  AttachWindowController(controllerClass, handle);
  PostMessageA(handle, WM_POSTCHECKRGN, 0, 0);
  return 0;
}

void HelperWndProc(TMessage& m) {
  if (m.Msg == WM_POSTCREATE) m.Result = PostCreate(reinterpret_cast<HWND>(m.LParam));
  else m.Result = DefWindowProcA(helperWindow, m.Msg, m.WParam, m.LParam);
}
struct THelper {
  void WndProc(TMessage& m) { HelperWndProc(m); }
} helper;

void HookMessage(const CWPSTRUCT& message) {
  switch (message.message) {
    case WM_CREATE:
    case WM_MDICREATE:
      PostMessageA(helperWindow, WM_POSTCREATE, 0, reinterpret_cast<LPARAM>(message.hwnd));
      break;
    case WM_DESTROY:
    case WM_MDIDESTROY:
      if (message.wParam != 0) break;
      DetachWindowController(message.hwnd);
      NotifyMDIFrame(message.hwnd);
      break;
    case WM_CHILDACTIVATE:
    case WM_MDIACTIVATE: NotifyMDIFrame(message.hwnd); break;
  }
}

LRESULT CALLBACK CallWndHook(int code, WPARAM wParam, LPARAM lParam) {
  LRESULT result = CallNextHookEx(hook, code, wParam, lParam);
  if (code == HC_ACTION && helperWindow)
    GuardedCall([&] { HookMessage(*reinterpret_cast<const CWPSTRUCT*>(lParam)); });
  return result;
}

// A skinned form's scroll bars are painted by its controller, never by the system.
int WINAPI SkinnedSetScrollPos(HWND window, int bar, int position, BOOL redraw) {
  return savedSetScrollPos(window, bar, position, redraw && !IsActiveSkinnedForm(window));
}
int WINAPI SkinnedSetScrollInfo(HWND window, int bar, LPSCROLLINFO info, BOOL redraw) {
  return savedSetScrollInfo(window, bar, info, redraw && !IsActiveSkinnedForm(window));
}

// What a stored form sets on its skin controller; the look-and-feel settings (Kind, NativeStyle,
// SkinName) come from the controller's base class.
constinit const TPropInfo skinControllerProperties[] = {
    Published<&TdxSkinController::UseSkins, &TdxSkinController::SetUseSkins>("UseSkins").WithDefault(1),
    PublishedEvent<&TdxSkinController::OnSkinForm>("OnSkinForm"),
    PublishedEvent<&TdxSkinController::OnSkinControl>("OnSkinControl"),
};

void StartSkinsForm() {
  RegisterPublishedProperties(TdxSkinController::StaticClass(), skinControllerProperties);
  RegisterClass(TdxSkinController::StaticClass());
  GetControllerClass = DefaultGetControllerClass;
  savedSetScrollPos = FlatSBSetScrollPosProc;
  savedSetScrollInfo = FlatSBSetScrollInfoProc;
  FlatSBSetScrollPosProc = SkinnedSetScrollPos;
  FlatSBSetScrollInfoProc = SkinnedSetScrollInfo;
  skinControllers = new std::vector<TdxSkinController*>;
  helperWindow = AllocateHWnd(MakeEvent(&helper, &THelper::WndProc));
  hook = SetWindowsHookExA(WH_CALLWNDPROC, CallWndHook, nullptr, GetCurrentThreadId());
  WM_POSTREDRAW = RegisterWindowMessageA("WM_POSTREDRAW");
  WM_CHILDCHANGED = RegisterWindowMessageA("WM_CHILDCHANGED");
  WM_POSTCREATE = RegisterWindowMessageA("WM_POSTCREATE");
  WM_POSTCHECKRGN = RegisterWindowMessageA("WM_POSTCHECKRGN");
  windowControllers = new TcxObjectList;
}

void StopSkinsForm() {
  UnRegisterClass(TdxSkinController::StaticClass());
  FlatSBSetScrollPosProc = savedSetScrollPos;
  FlatSBSetScrollInfoProc = savedSetScrollInfo;
  if (hook) UnhookWindowsHookEx(hook);
  hook = nullptr;
  windowControllers->Clear();
  delete skinControllers;
  skinControllers = nullptr;
  delete windowControllers;
  windowControllers = nullptr;
  DeallocateHWnd(helperWindow);
  helperWindow = nullptr;
}

}  // namespace

const TUnitInfo dxSkinsFormUnit{"dxSkinsForm", StartSkinsForm, StopSkinsForm};

// ---------------------------------------------------------------------------------------------
// Registries
TdxSkinWinController* FindControllerByHandle(HWND handle) {
  if (!windowControllers) return nullptr;
  for (int i = 0; i < windowControllers->Count(); ++i)
    if (WindowController(i)->Handle() == handle) return WindowController(i);
  return nullptr;
}

TdxSkinWinController* FindControllerByControl(TControl* control) {
  if (!control || !windowControllers) return nullptr;
  for (int i = 0; i < windowControllers->Count(); ++i)
    if (WindowController(i)->Control() == control) return WindowController(i);
  return nullptr;
}

bool IsActiveSkinnedForm(HWND handle) {
  TdxSkinWinController* controller = FindControllerByHandle(handle);
  return controller && controller->IsSkinActive();
}

void RequeryFormPainter(TdxSkinFormController* controller) {
  TCustomForm* form = controller->Form();
  if (!skinControllers || !form) return;
  for (auto it = skinControllers->rbegin(); it != skinControllers->rend(); ++it) {
    TdxSkinController* skinController = *it;
    if (IsDestroying(skinController)) continue;
    if (!controller->Painter()) {
      controller->SetPainter(skinController->GetFormPainter(form));
    } else if (AnswersOwnSkin(form)) {
      controller->SetPainter(nullptr);
    } else {
      std::string name;
      bool useSkin = RegisteredName(controller->Painter(), name);
      controller->SetPainter(skinController->DoSkinForm(form, name, useSkin));
    }
  }
}

void RefreshSkinnedWindows() {
  if (!windowControllers) return;
  for (int i = 0; i < windowControllers->Count(); ++i) {
    TdxSkinWinController* controller = WindowController(i);
    controller->SetPainter(nullptr);
    if (!controller->Owner())
      if (auto* formController = ObjectAs<TdxSkinFormController>(controller)) RequeryFormPainter(formController);
  }
  for (int i = 0; i < windowControllers->Count(); ++i) WindowController(i)->Refresh();
}

void TdxSkinFormController::ChooseSkin() {
  TCustomForm* form = Form();
  if (!form || !skinControllers) return;
  TdxSkinPainterClass painter = nullptr;
  for (size_t i = 0; i < skinControllers->size() && !painter; ++i) {
    TdxSkinController* skinController = (*skinControllers)[i];
    if (i == 0) {
      painter = skinController->GetFormPainter(form);
    } else {
      std::string name;
      bool useSkin = RegisteredName(GetPainter(), name);
      painter = skinController->DoSkinForm(form, name, useSkin);
    }
  }
  SetPainter(painter);
}

const TdxSkinWinControllerClass* DefaultGetControllerClass(HWND handle) {
  const TdxSkinWinControllerClass* result = nullptr;
  if (TdxSkinWinController::IsMDIClient(handle)) return TdxSkinFormController::StaticClassOperations();
  TWinControl* control = FindControl(handle);
  if (!control) return nullptr;
  if (control->Is<TCustomForm>()) result = TdxSkinFormController::StaticClassOperations();
  if (control->Is<TCustomFrame>()) result = TdxSkinFrameController::StaticClassOperations();
  if (SameText(control->ClassName(), "TButton")) result = TdxSkinButtonController::StaticClassOperations();
  if (SameText(control->ClassName(), "TPanel")) result = TdxSkinPanelController::StaticClassOperations();
  for (const char* name : {"TEdit", "TMemo", "TComboBox"})
    if (SameText(control->ClassName(), name)) result = TdxSkinEditController::StaticClassOperations();
  return result;
}

bool TdxSkinWinController::IsMDIClient(HWND handle) { return SameText(WindowClassName(handle), "MDICLIENT"); }
bool TdxSkinWinController::IsMessageForm(HWND handle) { return SameText(WindowClassName(handle), "TMessageForm"); }

bool TdxSkinWinController::CanSkinControl() {
  bool verdict = GlobalUseSkins && control_;
  if (!control_ || !skinControllers || skinControllers->empty()) return verdict;
  for (auto it = skinControllers->rbegin(); it != skinControllers->rend(); ++it)
    if (!IsDestroying(*it) && (*it)->DoSkinControl(static_cast<TWinControl*>(control_))) return true;
  return false;
}

// ---------------------------------------------------------------------------------------------
// TdxSkinController
TdxSkinController::TdxSkinController(TComponent* owner) : TcxLookAndFeelController(owner) {
  if (skinControllers) skinControllers->push_back(this);
  RefreshSkinnedWindows();
}

TdxSkinController::~TdxSkinController() {
  Destroying();
  RefreshSkinnedWindows();
  if (skinControllers) skinControllers->erase(std::remove(skinControllers->begin(), skinControllers->end(), this),
                                              skinControllers->end());
}

void TdxSkinController::SetUseSkins(bool value) {
  if (value == GlobalUseSkins) return;
  GlobalUseSkins = value;
  if (RootLookAndFeel()) RootLookAndFeel()->RaiseFullChange();
  RefreshSkinnedWindows();
}

void TdxSkinController::Loaded() {
  TcxLookAndFeelController::Loaded();
  RefreshSkinnedWindows();
}

void TdxSkinController::LookAndFeelChanged(TcxLookAndFeel* sender, TcxLookAndFeelValues changedValues) {
  TcxLookAndFeelController::LookAndFeelChanged(sender, changedValues);
  RefreshSkinnedWindows();
}

void TdxSkinController::LookAndFeelDestroying(TcxLookAndFeel* sender) {
  TcxLookAndFeelController::LookAndFeelDestroying(sender);
  RefreshSkinnedWindows();
}

bool TdxSkinController::DoSkinControl(TWinControl* control) {
  if (!control) return false;
  bool useSkin = true;
  if (OnSkinControl) OnSkinControl(this, control, useSkin);
  return useSkin;
}

TdxSkinPainterClass TdxSkinController::GetFormPainter(TCustomForm* form) {
  std::string skinName;
  bool useSkin = false;
  if (!form || !AnswersOwnSkin(form)) {
    skinName = SkinName();
    useSkin = GlobalUseSkins;
  }
  return DoSkinForm(form, skinName, useSkin);
}

TdxSkinPainterClass TdxSkinController::DoSkinForm(TCustomForm* form, std::string& skinName, bool& useSkin) {
  if (!form) return nullptr;
  if (OnSkinForm) OnSkinForm(this, form, skinName, useSkin);
  TcxCustomLookAndFeelPainterClass painter = nullptr;
  if (!useSkin || skinName.empty() || !ExtendedStylePainters() ||
      !ExtendedStylePainters()->FindPainterByName(skinName, painter))
    return nullptr;
  return dynamic_cast<TdxSkinPainterClass>(painter);
}
