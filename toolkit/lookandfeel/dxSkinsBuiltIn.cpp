#include "dxSkinsBuiltIn.h"

#include "dxSkinsDefaultPainters.h"

namespace {

// What one skin unit keeps: its skin's name and the painter info it registered (the registry owns it).
struct TBuiltInSkin {
  const char* Name;
  TdxSkinLookAndFeelPainterInfo* Info;
};

TdxSkinLookAndFeelPainterInfo* MakeInfo(TdxSkin* skin) { return new TdxSkinLookAndFeelPainterInfo(skin); }

void StartBuiltInSkin(TBuiltInSkin& unit, TcxCustomLookAndFeelPainterClass painter) {
  if (!IsGdiPlusAvailable()) return;
  unit.Info = RegisterSkinFromResource(unit.Name, painter, MakeInfo);
}

void FinishBuiltInSkin(TBuiltInSkin& unit) {
  if (unit.Info) UnregisterSkin(unit.Name);
  unit.Info = nullptr;
}

}  // namespace

#define DX_IMPLEMENT_BUILT_IN_SKIN(Name)                                                                         \
  CX_IMPLEMENT_PAINTER(TdxSkin##Name##Painter, TdxSkinLookAndFeelPainter)                                        \
  namespace {                                                                                                    \
  TBuiltInSkin Name##Skin{#Name, nullptr};                                                                       \
  void Start##Name##Skin() { StartBuiltInSkin(Name##Skin, TdxSkin##Name##Painter::Instance()); }                 \
  void Finish##Name##Skin() { FinishBuiltInSkin(Name##Skin); }                                                   \
  void Start##Name##Unit() { GetUnitsLoader()->Add(Start##Name##Skin, Finish##Name##Skin); }                     \
  void Stop##Name##Unit() { GetUnitsLoader()->Remove(Finish##Name##Skin); }                                      \
  }                                                                                                              \
  TdxSkinLookAndFeelPainterInfo* TdxSkin##Name##Painter::GetSkinInfo() const { return Name##Skin.Info; }         \
  const TUnitInfo dxSkin##Name##Unit{"dxSkin" #Name, Start##Name##Unit, Stop##Name##Unit};
DX_BUILT_IN_SKINS(DX_IMPLEMENT_BUILT_IN_SKIN)
#undef DX_IMPLEMENT_BUILT_IN_SKIN

#define DX_NAME(Name) #Name,
const char* const dxBuiltInSkinNames[20] = {DX_BUILT_IN_SKINS(DX_NAME)};
#undef DX_NAME

void StartSkinUnits() {
#define DX_UNIT(Name) &dxSkin##Name##Unit,
  StartUnits({&dxSkinsCoreUnit, DX_BUILT_IN_SKINS(DX_UNIT) & dxSkinsDefaultPaintersUnit});
#undef DX_UNIT
}
