// Look-and-feel settings of the toolkit's controls (kind, native style, skin name, each inherited from
// a parent look and feel or the process-wide root unless assigned), the painter they choose, the
// controller through which a form sets the root, and the system-colour change notifier.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "Classes.h"
#include "System.h"
#include "cxClasses.h"
#include "cxLookAndFeelPainters.h"
#include "dxThemeManager.h"

extern const TUnitInfo cxLookAndFeelsUnit;

// ---------------------------------------------------------------------------------------------
// System colour changes. Each notifier hears of WM_SYSCOLORCHANGE through one hidden window shared
// by all notifiers (it lives while any notifier does): primary notifiers first, then the ordinary
// ones, each list from the last joined to the first. Before any of them the Office-11 colour set
// is recomputed; the shared window holds a reference on that set.
class TcxSystemPaletteChangedNotifier : public TObject {
  CALDERAN_CLASS(TcxSystemPaletteChangedNotifier)
  explicit TcxSystemPaletteChangedNotifier(bool isPrimary = false);
  ~TcxSystemPaletteChangedNotifier() override;

  bool IsPrimary() const { return isPrimary_; }
  virtual void ColorsChanged();
  TEvent<void()> OnSystemColorsChanged;

 private:
  const bool isPrimary_;
};

// The class of the shared hidden window (exists while any notifier does).
constexpr const char* cxSystemPaletteChangedListenerClassName = "TcxSystemPaletteChangedListener";

// ---------------------------------------------------------------------------------------------
enum TcxLookAndFeelValue : uint8_t { lfvKind, lfvNativeStyle, lfvSkinName };
using TcxLookAndFeelValues = TSet<TcxLookAndFeelValue>;
inline const TcxLookAndFeelValues cxLookAndFeelAllValues{lfvKind, lfvNativeStyle, lfvSkinName};
using TdxSkinName = std::string;

// While false no look and feel resolves to a skin painter (the skin controller switches it).
extern bool GlobalUseSkins;

struct TcxLookAndFeelData {
  TcxLookAndFeelKind Kind = lfUltraFlat;
  bool NativeStyle = false;
  TdxSkinName SkinName;
  TcxCustomLookAndFeelPainterClass Painter = nullptr;
};

class TcxLookAndFeel;

// Hears of the changes of the look and feels it joined. The lists hold no ownership.
class IcxLookAndFeelListener {
 public:
  virtual TObject* GetListenerObject() = 0;
  virtual void LookAndFeelChanged(TcxLookAndFeel* sender, TcxLookAndFeelValues changedValues) = 0;
  virtual void LookAndFeelDestroying(TcxLookAndFeel* sender) = 0;

 protected:
  ~IcxLookAndFeelListener() = default;
};

using TcxLookAndFeelChangedEvent = TEvent<void(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues)>;

class TcxLookAndFeel : public TcxInterfacedPersistent, public IcxLookAndFeelListener, public IcxSkinPainterListener {
  CALDERAN_CLASS(TcxLookAndFeel)
  explicit TcxLookAndFeel(TPersistent* owner);
  ~TcxLookAndFeel() override;

  TcxLookAndFeelValues AssignedValues() const { return assignedValues_; }
  void SetAssignedValues(TcxLookAndFeelValues values);
  TcxLookAndFeelKind Kind() const { return state_.Kind; }
  void SetKind(TcxLookAndFeelKind value);
  bool NativeStyle() const { return state_.NativeStyle; }
  void SetNativeStyle(bool value);
  const TdxSkinName& SkinName() const { return state_.SkinName; }
  void SetSkinName(const TdxSkinName& value);
  // What a stored form keeps: each value exactly when this object assigns it.
  bool IsKindStored() const { return assignedValues_.Contains(lfvKind); }
  bool IsNativeStyleStored() const { return assignedValues_.Contains(lfvNativeStyle); }
  bool IsSkinNameStored() const { return assignedValues_.Contains(lfvSkinName); }

  void ClearAssignedValues() { SetAssignedValues({}); }
  // The five drawing styles of older components: 0 flat, 1 standard, 2 ultra-flat, 3 native, 4 Office 2003.
  void ApplyStyle(int style);
  void SetParentLookAndFeel(TcxLookAndFeel* parent);
  TcxLookAndFeel* ParentLookAndFeel() const { return parent_; }
  // Null for the root; else the explicit parent, else the root (null when none exists).
  TcxLookAndFeel* EffectiveParent() const;
  bool IsRoot() const { return isRoot_; }

  TcxCustomLookAndFeelPainterClass CurrentPainter() const { return state_.Painter; }
  TcxCustomLookAndFeelPainterClass PainterForThemeKind(TdxThemedObjectType kind) const;
  TcxCustomLookAndFeelPainterClass PainterForThemeKinds(TdxThemedObjectTypes kinds) const;
  TcxCustomLookAndFeelPainterClass SkinPainter() const { return skinPainter_; }

  void AddListener(IcxLookAndFeelListener* listener);
  void RemoveListener(IcxLookAndFeelListener* listener);
  // Raised when the data of the skin in use changed.
  void RaiseFullChange() { Changed(cxLookAndFeelAllValues); }
  void Assign(TPersistent* source) override;
  // The stored form's "SkinName": present when it is assigned; it writes the resolved name and is
  // read through the SkinName setter.
  void DefineProperties(TFiler* filer) override;

  TcxLookAndFeelChangedEvent OnChanged;

  // IcxLookAndFeelListener: a look and feel follows its parent.
  TObject* GetListenerObject() override { return this; }
  void LookAndFeelChanged(TcxLookAndFeel* sender, TcxLookAndFeelValues changedValues) override;
  void LookAndFeelDestroying(TcxLookAndFeel* sender) override;
  // IcxSkinPainterListener
  void SkinPainterChanged(TcxCustomLookAndFeelPainterClass painter) override;

  // The start-up of the look-and-feel module creates the root with this.
  static TcxLookAndFeel* CreateRoot();

 protected:
  virtual TcxLookAndFeelKind ResolveKind() const;
  virtual bool ResolveNativeStyle() const;
  virtual TdxSkinName ResolveSkinName() const;
  virtual TcxCustomLookAndFeelPainterClass ResolveSkinPainter() const;
  virtual bool FindSkinPainter(const TdxSkinName& name, TcxCustomLookAndFeelPainterClass& painter) const;
  virtual void SystemColorsChanged();

  void Changed(TcxLookAndFeelValues changedValues);

 private:
  void ResolveState();
  void RememberState();
  void ReportStateChanges();
  void MoveToParent(TcxLookAndFeel* parent);
  void UpdateSkinPainterListening();
  void SystemColorsChangedHandler() { SystemColorsChanged(); }
  void ReadSkinName(TReader* reader);
  void WriteSkinName(TWriter* writer);

  TcxLookAndFeelValues assignedValues_;
  std::vector<IcxLookAndFeelListener*> listeners_;
  TcxLookAndFeelData state_;
  TcxLookAndFeelData assigned_;
  bool destroying_ = false;
  bool isRoot_ = false;
  TcxLookAndFeel* parent_ = nullptr;
  TcxCustomLookAndFeelPainterClass skinPainter_ = nullptr;
  TcxLookAndFeelData previous_;
  TcxSystemPaletteChangedNotifier* paletteNotifier_ = nullptr;
  int controllerCount_ = 0;  // controllers the root accepted
  bool listensToPainters_ = false;
};

// The painter of a kind (not native, no skin).
TcxCustomLookAndFeelPainterClass PainterOfKind(TcxLookAndFeelKind kind);

// The process-wide root look and feel; null before the module starts and after it stops.
TcxLookAndFeel* RootLookAndFeel();

// The component through which a form sets the root look and feel. While any controller exists the
// root keeps what was assigned through it; the last one to go clears the root's assigned values.
class TcxLookAndFeelController : public TComponent, public IcxLookAndFeelListener {
  CALDERAN_CLASS(TcxLookAndFeelController)
  explicit TcxLookAndFeelController(TComponent* owner);
  ~TcxLookAndFeelController() override;

  TcxLookAndFeelKind Kind() const;
  void SetKind(TcxLookAndFeelKind value);
  bool NativeStyle() const;
  void SetNativeStyle(bool value);
  TdxSkinName SkinName() const;
  void SetSkinName(const TdxSkinName& value);
  bool IsKindStored() const { return Kind() != lfUltraFlat; }
  bool IsNativeStyleStored() const { return NativeStyle(); }
  bool IsSkinNameStored() const { return !SkinName().empty(); }

  TObject* GetListenerObject() override { return this; }
  // They would only tell a form designer; a running program has nothing to do.
  void LookAndFeelChanged(TcxLookAndFeel*, TcxLookAndFeelValues) override {}
  void LookAndFeelDestroying(TcxLookAndFeel*) override {}
};
