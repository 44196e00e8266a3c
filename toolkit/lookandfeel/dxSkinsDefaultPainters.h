// The default user skin: a neutral skin a user starts from, loaded from the program's resources and
// registered under its name like the built-in skins (dxSkinsBuiltIn.h). Its painter info repaints
// every control that follows the root look and feel whenever the user skin changes.
#pragma once
#include <string>

#include "dxSkinsLookAndFeelPainter.h"

class TdxSkinUserLookAndFeelPainterInfo : public TdxSkinLookAndFeelPainterInfo {
  CALDERAN_CLASS(TdxSkinUserLookAndFeelPainterInfo)
  using TdxSkinLookAndFeelPainterInfo::TdxSkinLookAndFeelPainterInfo;
  using TdxSkinLookAndFeelPainterInfo::SkinChanged;

 protected:
  void SkinChanged() override;
};

class TdxSkinUserSkinPainter : public TdxSkinLookAndFeelPainter {
  CALDERAN_CLASS(TdxSkinUserSkinPainter)
  static TcxCustomLookAndFeelPainterClass Instance();
  TdxSkinLookAndFeelPainterInfo* GetSkinInfo() const override;
  std::string SkinUnitName() const override { return "dxSkinsDefaultPainters"; }
};

// The user skin's name, also the name of its resource.
extern const char* const dxUserSkinName;
// The process-wide painter info of the user skin; null without GDI+ and outside the unit's life.
TdxSkinUserLookAndFeelPainterInfo* UserSkinPainterInfo();

// Loads the skin stream of that name (resource type "DXSKINS") from the program module, binds it in
// the painter info makeInfo wraps it in, and registers the name with the painter and the info (the
// registry owns the info from then on). Answers the info, or null when the name was taken.
TdxSkinLookAndFeelPainterInfo* RegisterSkinFromResource(const std::string& name,
                                                        TcxCustomLookAndFeelPainterClass painter,
                                                        TdxSkinLookAndFeelPainterInfo* (*makeInfo)(TdxSkin* skin));
// Unregisters the name when the registry still exists.
void UnregisterSkin(const std::string& name);

extern const TUnitInfo dxSkinsDefaultPaintersUnit;
