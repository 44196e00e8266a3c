// The bar system's texts that this folder's modules show (string table identifiers of the bar
// string table; a translation replaces the texts).
#pragma once
#include "cxClasses.h"

CX_RESOURCESTRING(dxSBAR_DEFAULTCATEGORYNAME, 64643, "Default")
CX_RESOURCESTRING(dxSBAR_RECURSIVEGROUPS, 64663, "You cannot create recursive groups")
CX_RESOURCESTRING(dxSBAR_ONEOFTOOLBARSALREADYHASTHISNAME, 64685, "A control should contain only a single TdxBarManager")
CX_RESOURCESTRING(dxSBAR_BARMANAGERMUSTBEONFORM, 64686, "TdxBarManager should have TWinControl as its Owner")
