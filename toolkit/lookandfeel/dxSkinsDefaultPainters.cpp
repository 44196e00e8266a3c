#include "dxSkinsDefaultPainters.h"

#include <memory>

#include "cxLookAndFeels.h"

CALDERAN_IMPLEMENT_CLASS(TdxSkinUserLookAndFeelPainterInfo, TdxSkinLookAndFeelPainterInfo)
CX_IMPLEMENT_PAINTER(TdxSkinUserSkinPainter, TdxSkinLookAndFeelPainter)

const char* const dxUserSkinName = "UserSkin";

namespace {

TdxSkinUserLookAndFeelPainterInfo* UserInfo = nullptr;

TdxSkinLookAndFeelPainterInfo* MakeUserInfo(TdxSkin* skin) { return new TdxSkinUserLookAndFeelPainterInfo(skin); }

void StartUserSkin() {
  if (!IsGdiPlusAvailable()) return;
  UserInfo = static_cast<TdxSkinUserLookAndFeelPainterInfo*>(
      RegisterSkinFromResource(dxUserSkinName, TdxSkinUserSkinPainter::Instance(), MakeUserInfo));
}

void FinishUserSkin() {
  if (UserInfo) UnregisterSkin(dxUserSkinName);
  UserInfo = nullptr;
}

void StartUnit() { GetUnitsLoader()->Add(StartUserSkin, FinishUserSkin); }
void StopUnit() { GetUnitsLoader()->Remove(FinishUserSkin); }

}  // namespace

void TdxSkinUserLookAndFeelPainterInfo::SkinChanged() {
  TdxSkinLookAndFeelPainterInfo::SkinChanged();
  if (TcxLookAndFeel* root = RootLookAndFeel()) root->RaiseFullChange();
}

TdxSkinLookAndFeelPainterInfo* TdxSkinUserSkinPainter::GetSkinInfo() const { return UserInfo; }

TdxSkinUserLookAndFeelPainterInfo* UserSkinPainterInfo() { return UserInfo; }

TdxSkinLookAndFeelPainterInfo* RegisterSkinFromResource(const std::string& name,
                                                        TcxCustomLookAndFeelPainterClass painter,
                                                        TdxSkinLookAndFeelPainterInfo* (*makeInfo)(TdxSkin* skin)) {
  auto skin = std::make_unique<TdxSkin>(name, true, GetModuleHandleA(nullptr));
  std::unique_ptr<TdxSkinLookAndFeelPainterInfo> info(makeInfo(skin.release()));
  if (!ExtendedStylePainters()->Register(name, painter, info.get())) return nullptr;
  return info.release();
}

void UnregisterSkin(const std::string& name) {
  if (TcxExtendedStylePainters* registry = ExtendedStylePainters()) registry->Unregister(name);
}

const TUnitInfo dxSkinsDefaultPaintersUnit{"dxSkinsDefaultPainters", StartUnit, StopUnit};
