// Stored form definitions: reading a component's definition from the program's resources.
#pragma once
#include "Classes.h"
#include "System.h"

// Reads the stored definitions of the instance's class and of its ancestors below rootAncestor
// (the most basic first), each from the RCDATA resource named after the class. False when none
// of those classes has a definition.
bool InitInheritedComponent(TComponent* instance, TClass rootAncestor);
