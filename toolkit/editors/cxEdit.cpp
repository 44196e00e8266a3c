#include "cxEdit.h"

CALDERAN_IMPLEMENT_CLASS(EcxEditError, Exception)
