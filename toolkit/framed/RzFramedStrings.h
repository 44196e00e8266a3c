// The framed suite's messages (string table 0xCE00-0xCEFF; translations replace the texts).
#pragma once
#include "cxClasses.h"

CX_RESOURCESTRING(rzSInvalidRegionCacheCapacity, 0xCE00, "Capacity must be -1 (to cache all regions) or > 0")
CX_RESOURCESTRING(rzSErrorSavingDC, 0xCE01, "Error saving device context")
CX_RESOURCESTRING(rzSErrorCreatingRegion, 0xCE02, "Error creating region")
CX_RESOURCESTRING(rzSIncorrectNumberOfPoints, 0xCE03, "Incorrect number of points in tab shape")
CX_RESOURCESTRING(rzSInvalidPageIndex, 0xCE04, "%d is an invalid PageIndex value. PageIndex must be between 0 and %d")
CX_RESOURCESTRING(rzSPageVisible, 0xCE05, "You cannot change the Visible property of a page")
