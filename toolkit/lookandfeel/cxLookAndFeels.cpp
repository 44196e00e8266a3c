#include "cxLookAndFeels.h"

#include <vector>

#include "BinaryFiler.h"
#include "Controls.h"
#include "TypInfo.h"
#include "dxOffice11.h"

CALDERAN_IMPLEMENT_CLASS(TcxSystemPaletteChangedNotifier, TObject)
CALDERAN_IMPLEMENT_CLASS(TcxLookAndFeel, TcxInterfacedPersistent)
CALDERAN_IMPLEMENT_CREATABLE(TcxLookAndFeelController, TComponent, TComponent*)

bool GlobalUseSkins = true;

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
  if (message == WM_SYSCOLORCHANGE && paletteListener)
    GuardedCall([] {
      RefreshOffice11Colors();
      CallColorsChanged(paletteListener->Primary);
      CallColorsChanged(paletteListener->Ordinary);
    });
  // Also after a failure above, the message reaches the default procedure.
  return DefWindowProcA(window, message, wParam, lParam);
}

void CreatePaletteListener() {
  paletteListener = new TcxSystemPaletteChangedListener;
  // It listens for the broadcast WM_SYSCOLORCHANGE.
  paletteListener->Window =
      CreateBroadcastWindow(cxSystemPaletteChangedListenerClassName, PaletteListenerWindowProc);
  AcquireOffice11Colors();
}

void DestroyPaletteListener() {
  ReleaseOffice11Colors();
  DestroyBroadcastWindow(paletteListener->Window, cxSystemPaletteChangedListenerClassName);
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

TcxLookAndFeel* rootLookAndFeel = nullptr;

const char* const kindNames[] = {"lfFlat", "lfStandard", "lfUltraFlat", "lfOffice11"};
const char* const valueNames[] = {"lfvKind", "lfvNativeStyle", "lfvSkinName"};
constinit const TEnumInfo kindInfo{kindNames, 4};
constinit const TEnumInfo valuesInfo{valueNames, 3};

// Published properties for stored forms. A look and feel stores a value exactly when it assigns it,
// so one read back still follows its parent in the others; AssignedValues follows from what is
// stored and is never written itself. The skin name is stored once, by the object's own "SkinName"
// (DefineProperties), which writes the resolved name. A controller stores what differs from the
// defaults.
constinit const TPropInfo lookAndFeelProperties[] = {
    Published<&TcxLookAndFeel::AssignedValues, &TcxLookAndFeel::SetAssignedValues>("AssignedValues", &valuesInfo)
        .StoredNever(),
    Published<&TcxLookAndFeel::Kind, &TcxLookAndFeel::SetKind>("Kind", &kindInfo)
        .StoredWhen<&TcxLookAndFeel::IsKindStored>(),
    Published<&TcxLookAndFeel::NativeStyle, &TcxLookAndFeel::SetNativeStyle>("NativeStyle")
        .StoredWhen<&TcxLookAndFeel::IsNativeStyleStored>(),
    Published<&TcxLookAndFeel::SkinName, &TcxLookAndFeel::SetSkinName>("SkinName").StoredNever(),
};
constinit const TPropInfo controllerProperties[] = {
    Published<&TcxLookAndFeelController::Kind, &TcxLookAndFeelController::SetKind>("Kind", &kindInfo)
        .WithDefault(lfUltraFlat),
    Published<&TcxLookAndFeelController::NativeStyle, &TcxLookAndFeelController::SetNativeStyle>("NativeStyle")
        .WithDefault(0),
    Published<&TcxLookAndFeelController::SkinName, &TcxLookAndFeelController::SetSkinName>("SkinName"),
};

void StartLookAndFeels() {
  RegisterPublishedProperties(TcxLookAndFeel::StaticClass(), lookAndFeelProperties);
  RegisterPublishedProperties(TcxLookAndFeelController::StaticClass(), controllerProperties);
  RegisterClass(TcxLookAndFeelController::StaticClass());
  rootLookAndFeel = TcxLookAndFeel::CreateRoot();
}

void StopLookAndFeels() {
  delete rootLookAndFeel;  // its destructor clears the global reference
  rootLookAndFeel = nullptr;
  UnRegisterClass(TcxLookAndFeelController::StaticClass());
}


bool IsController(IcxLookAndFeelListener* listener) {
  TObject* object = listener->GetListenerObject();
  return object && object->Is<TcxLookAndFeelController>();
}

}  // namespace

TcxCustomLookAndFeelPainterClass PainterOfKind(TcxLookAndFeelKind kind) {
  switch (kind) {
    case lfFlat: return TcxFlatLookAndFeelPainter::Instance();
    case lfStandard: return TcxStandardLookAndFeelPainter::Instance();
    case lfOffice11: return TcxOffice11LookAndFeelPainter::Instance();
    case lfUltraFlat: break;
  }
  return TcxUltraFlatLookAndFeelPainter::Instance();
}

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

TcxLookAndFeel* RootLookAndFeel() { return rootLookAndFeel; }

// ---------------------------------------------------------------------------------------------
// TcxLookAndFeel

TcxLookAndFeel::TcxLookAndFeel(TPersistent* owner) : TcxInterfacedPersistent(owner) {
  state_ = assigned_;
  paletteNotifier_ = new TcxSystemPaletteChangedNotifier(false);
  paletteNotifier_->OnSystemColorsChanged = MakeEvent(this, &TcxLookAndFeel::SystemColorsChangedHandler);
  if (rootLookAndFeel) {
    rootLookAndFeel->AddListener(this);
    ResolveState();
    skinPainter_ = state_.NativeStyle ? nullptr : ResolveSkinPainter();
  }
  state_.Painter = PainterForThemeKinds({});
}

TcxLookAndFeel* TcxLookAndFeel::CreateRoot() {
  auto* root = new TcxLookAndFeel(nullptr);
  root->isRoot_ = true;
  return root;
}

TcxLookAndFeel::~TcxLookAndFeel() {
  if (listensToPainters_ && ExtendedStylePainters()) ExtendedStylePainters()->RemovePainterListener(this);
  delete paletteNotifier_;
  destroying_ = true;
  for (IcxLookAndFeelListener* listener : std::vector<IcxLookAndFeelListener*>(listeners_))
    listener->LookAndFeelDestroying(this);
  destroying_ = false;
  listeners_.clear();
  if (TcxLookAndFeel* parent = EffectiveParent()) parent->RemoveListener(this);
  if (isRoot_) {
    if (rootLookAndFeel == this) rootLookAndFeel = nullptr;
    isRoot_ = false;
  }
}

TcxLookAndFeel* TcxLookAndFeel::EffectiveParent() const {
  if (isRoot_) return nullptr;
  return parent_ ? parent_ : rootLookAndFeel;
}

void TcxLookAndFeel::SetAssignedValues(TcxLookAndFeelValues values) {
  if (values == assignedValues_) return;
  RememberState();
  assignedValues_ = values;
  ReportStateChanges();
}

void TcxLookAndFeel::SetKind(TcxLookAndFeelKind value) {
  TcxLookAndFeelKind old = state_.Kind;
  assignedValues_.Include(lfvKind);
  assigned_.Kind = value;
  if (ResolveKind() != old) Changed({lfvKind});
}

void TcxLookAndFeel::SetNativeStyle(bool value) {
  bool old = state_.NativeStyle;
  assignedValues_.Include(lfvNativeStyle);
  assigned_.NativeStyle = value;
  if (ResolveNativeStyle() != old) Changed({lfvNativeStyle});
}

void TcxLookAndFeel::SetSkinName(const TdxSkinName& value) {
  TdxSkinName old = state_.SkinName;
  assignedValues_.Include(lfvSkinName);
  assigned_.SkinName = value;
  if (ResolveSkinName() != old) Changed({lfvSkinName});
}

void TcxLookAndFeel::ApplyStyle(int style) {
  static constexpr TcxLookAndFeelKind kindOfStyle[] = {lfFlat, lfStandard, lfUltraFlat, lfStandard, lfOffice11};
  SetNativeStyle(style == 3);
  if (!NativeStyle() && style >= 0 && style < 5) SetKind(kindOfStyle[style]);
}

void TcxLookAndFeel::SetParentLookAndFeel(TcxLookAndFeel* parent) {
  if (isRoot_ || parent == this || parent == EffectiveParent()) return;
  RememberState();
  MoveToParent(parent);
  ReportStateChanges();
}

void TcxLookAndFeel::MoveToParent(TcxLookAndFeel* parent) {
  if (isRoot_ || parent == this || parent == EffectiveParent()) return;
  if (TcxLookAndFeel* old = EffectiveParent()) old->RemoveListener(this);
  parent_ = parent;
  if (TcxLookAndFeel* now = EffectiveParent()) now->AddListener(this);
}

TcxLookAndFeelKind TcxLookAndFeel::ResolveKind() const {
  if (assignedValues_.Contains(lfvKind)) return assigned_.Kind;
  TcxLookAndFeel* parent = EffectiveParent();
  return parent ? parent->Kind() : lfUltraFlat;
}

bool TcxLookAndFeel::ResolveNativeStyle() const {
  if (assignedValues_.Contains(lfvNativeStyle)) return assigned_.NativeStyle;
  TcxLookAndFeel* parent = EffectiveParent();
  return parent ? parent->NativeStyle() : false;
}

TdxSkinName TcxLookAndFeel::ResolveSkinName() const {
  if (assignedValues_.Contains(lfvSkinName)) return assigned_.SkinName;
  TcxLookAndFeel* parent = EffectiveParent();
  return parent ? parent->SkinName() : TdxSkinName();
}

TcxCustomLookAndFeelPainterClass TcxLookAndFeel::ResolveSkinPainter() const {
  TcxCustomLookAndFeelPainterClass painter = nullptr;
  if (assignedValues_.Contains(lfvSkinName))
    FindSkinPainter(assigned_.SkinName, painter);
  else if (TcxLookAndFeel* parent = EffectiveParent())
    parent->FindSkinPainter(parent->SkinName(), painter);
  return painter;
}

bool TcxLookAndFeel::FindSkinPainter(const TdxSkinName& name, TcxCustomLookAndFeelPainterClass& painter) const {
  painter = nullptr;
  if (name.empty() || !ExtendedStylePainters()) return false;
  bool found = ExtendedStylePainters()->FindPainterByName(name, painter);
  if (!found) painter = nullptr;
  if (!GlobalUseSkins) painter = nullptr;
  return found;
}

TcxCustomLookAndFeelPainterClass TcxLookAndFeel::PainterForThemeKind(TdxThemedObjectType kind) const {
  return PainterForThemeKinds({kind});
}

TcxCustomLookAndFeelPainterClass TcxLookAndFeel::PainterForThemeKinds(TdxThemedObjectTypes kinds) const {
  if (state_.NativeStyle && AreThemeKindsAvailable(kinds)) return TcxWinXPLookAndFeelPainter::Instance();
  if (skinPainter_) return skinPainter_;
  return PainterOfKind(state_.Kind);
}

void TcxLookAndFeel::ResolveState() {
  state_.Kind = ResolveKind();
  state_.NativeStyle = ResolveNativeStyle();
  state_.SkinName = ResolveSkinName();
}

void TcxLookAndFeel::RememberState() { previous_ = state_; }

void TcxLookAndFeel::ReportStateChanges() {
  TcxLookAndFeelValues changed;
  if (ResolveKind() != previous_.Kind) changed.Include(lfvKind);
  if (ResolveNativeStyle() != previous_.NativeStyle) changed.Include(lfvNativeStyle);
  if (ResolveSkinName() != previous_.SkinName) changed.Include(lfvSkinName);
  Changed(changed);
}

// Only look and feels that draw with a skin hear of registrations.
void TcxLookAndFeel::UpdateSkinPainterListening() {
  TcxExtendedStylePainters* registry = ExtendedStylePainters();
  if (!registry) return;
  if (skinPainter_)
    registry->AddPainterListener(this);
  else
    registry->RemovePainterListener(this);
  listensToPainters_ = skinPainter_ != nullptr;
}

void TcxLookAndFeel::Changed(TcxLookAndFeelValues changedValues) {
  if (changedValues.Empty() || destroying_) return;
  ResolveState();
  skinPainter_ = state_.NativeStyle ? nullptr : ResolveSkinPainter();
  state_.Painter = PainterForThemeKinds({});
  UpdateSkinPainterListening();
  // A listener that leaves the list during its call does not make the walk skip the next one.
  for (size_t i = 0; i < listeners_.size();) {
    size_t count = listeners_.size();
    listeners_[i]->LookAndFeelChanged(this, changedValues);
    if (listeners_.size() == count) ++i;
  }
  if (OnChanged) OnChanged(this, changedValues);
}

void TcxLookAndFeel::AddListener(IcxLookAndFeelListener* listener) {
  if (!listener) return;
  const bool controller = IsController(listener);
  if (controller && !isRoot_) return;
  for (IcxLookAndFeelListener* l : listeners_)
    if (l == listener) return;
  listeners_.push_back(listener);
  if (controller) ++controllerCount_;
}

void TcxLookAndFeel::RemoveListener(IcxLookAndFeelListener* listener) {
  if (!listener) return;
  auto it = listeners_.begin();
  while (it != listeners_.end() && *it != listener) ++it;
  if (it == listeners_.end()) return;
  if (!destroying_) listeners_.erase(it);
  if (isRoot_ && IsController(listener) && --controllerCount_ == 0) ClearAssignedValues();
}

void TcxLookAndFeel::Assign(TPersistent* source) {
  auto* other = ObjectAs<TcxLookAndFeel>(source);
  if (!other) return TcxInterfacedPersistent::Assign(source);
  RememberState();
  assigned_ = other->assigned_;
  assignedValues_ = other->assignedValues_;
  // One report for the whole copy: moving to the new parent does not report on its own.
  MoveToParent(other->EffectiveParent());
  ReportStateChanges();
}

void TcxLookAndFeel::DefineProperties(TFiler* filer) {
  TcxInterfacedPersistent::DefineProperties(filer);
  filer->DefineProperty("SkinName", MakeEvent(this, &TcxLookAndFeel::ReadSkinName),
                        MakeEvent(this, &TcxLookAndFeel::WriteSkinName), IsSkinNameStored());
}

void TcxLookAndFeel::ReadSkinName(TReader* reader) { SetSkinName(reader->ReadString()); }
void TcxLookAndFeel::WriteSkinName(TWriter* writer) { writer->WriteString(SkinName()); }

void TcxLookAndFeel::LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues changedValues) {
  Changed(changedValues - assignedValues_);
}

void TcxLookAndFeel::LookAndFeelDestroying(TcxLookAndFeel*) { SetParentLookAndFeel(nullptr); }

void TcxLookAndFeel::SkinPainterChanged(TcxCustomLookAndFeelPainterClass) { Changed(cxLookAndFeelAllValues); }

void TcxLookAndFeel::SystemColorsChanged() { Changed({lfvNativeStyle}); }

// ---------------------------------------------------------------------------------------------
// TcxLookAndFeelController

TcxLookAndFeelController::TcxLookAndFeelController(TComponent* owner) : TComponent(owner) {
  if (rootLookAndFeel) rootLookAndFeel->AddListener(this);
}

TcxLookAndFeelController::~TcxLookAndFeelController() {
  if (rootLookAndFeel) rootLookAndFeel->RemoveListener(this);
}

TcxLookAndFeelKind TcxLookAndFeelController::Kind() const {
  return rootLookAndFeel ? rootLookAndFeel->Kind() : lfUltraFlat;
}
void TcxLookAndFeelController::SetKind(TcxLookAndFeelKind value) {
  if (rootLookAndFeel) rootLookAndFeel->SetKind(value);
}
bool TcxLookAndFeelController::NativeStyle() const { return rootLookAndFeel && rootLookAndFeel->NativeStyle(); }
void TcxLookAndFeelController::SetNativeStyle(bool value) {
  if (rootLookAndFeel) rootLookAndFeel->SetNativeStyle(value);
}
TdxSkinName TcxLookAndFeelController::SkinName() const {
  return rootLookAndFeel ? rootLookAndFeel->SkinName() : TdxSkinName();
}
void TcxLookAndFeelController::SetSkinName(const TdxSkinName& value) {
  if (rootLookAndFeel) rootLookAndFeel->SetSkinName(value);
}
