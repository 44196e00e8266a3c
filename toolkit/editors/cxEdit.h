// The editor framework: every editor of the toolkit is a container whose settings live in a
// properties object. This header so far holds the framework's exception classes, which the mask
// engines raise without any window.
#pragma once
#include "System.h"

// The base of every error an editor raises on its own behalf.
CALDERAN_EXCEPTION(EcxEditError, Exception)
