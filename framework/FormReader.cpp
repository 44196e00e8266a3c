#include "FormReader.h"

bool InitInheritedComponent(TComponent*, TClass) { return false; }
