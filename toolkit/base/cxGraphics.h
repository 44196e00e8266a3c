// The toolkit's drawing layer: region and canvas wrappers over the framework canvas, and the
// toolkit's bitmaps with their packed stored form.
#pragma once
#include <windows.h>

#include <vector>

#include "System.h"

// ---------------------------------------------------------------------------------------------
// Packed stored form of bitmaps (run-length runs of at most 125 bytes). Unpacking raises
// EReadError on data that cannot have been written by the packer.
std::vector<Byte> PackBitmapData(const Byte* data, size_t size);
std::vector<Byte> UnpackBitmapData(const Byte* packed, size_t size);
