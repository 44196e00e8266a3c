// The program's 20 built-in skins. Each is a unit of its own (dxSkin<Name>Unit) with a painter class
// of its own (TdxSkin<Name>Painter): when GDI+ is there, its start-up loads the skin stream of its
// name from the program's resources (type "DXSKINS", tools/make_skins.py paints them), binds it and
// registers the name with the skin painter registry; its shut-down unregisters the name.
#pragma once
#include <string>

#include "dxSkinsLookAndFeelPainter.h"

// Light ones first, then the dark ones.
#define DX_BUILT_IN_SKINS(X)                                                                             \
  X(Linen) X(Harbor) X(Meadow) X(Glacier) X(Apricot) X(Lilac) X(Sandstone) X(Porcelain) X(Coral) X(Sage) \
  X(Midnight) X(Graphite) X(Ember) X(Forest) X(Plum) X(Slate) X(Espresso) X(Obsidian) X(Twilight) X(Deepsea)

#define DX_DECLARE_BUILT_IN_SKIN(Name)                                          \
  class TdxSkin##Name##Painter : public TdxSkinLookAndFeelPainter {             \
    CALDERAN_CLASS(TdxSkin##Name##Painter)                                      \
    static TcxCustomLookAndFeelPainterClass Instance();                         \
    TdxSkinLookAndFeelPainterInfo* GetSkinInfo() const override;                \
    std::string SkinUnitName() const override { return "dxSkin" #Name; }       \
  };                                                                            \
  extern const TUnitInfo dxSkin##Name##Unit;
DX_BUILT_IN_SKINS(DX_DECLARE_BUILT_IN_SKIN)
#undef DX_DECLARE_BUILT_IN_SKIN

// The names of the 20 built-in skins, in the order above.
extern const char* const dxBuiltInSkinNames[20];

// Starts the skin engine, the 20 built-in skin units and the user skin's unit (after the painter
// registry's unit), as the program does at start-up.
void StartSkinUnits();
