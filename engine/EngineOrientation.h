// Engine-internal: how a picture stream is turned for display. Phones store the picture as the
// sensor saw it, with a display matrix saying how to turn it; players show it turned, and so does
// the engine everywhere: the probe reports the displayed size, crop rectangles are in displayed
// pixels, and the converter and the player turn the pictures before anything else.
#pragma once
#include "EngineAv.h"
#include <string>
#include <vector>

// One of the eight right-angle orientations. A stored pixel (x, y), y downwards, is displayed at
// (a x + c y, b x + d y), moved back into the picture; each of a, b, c, d is -1, 0 or 1.
struct EngineOrientation {
  int a = 1, b = 0, c = 0, d = 1;
  bool Upright() const { return a == 1 && d == 1; }
  bool SwapsSides() const { return a == 0; }
};

// A matrix that is no right-angle turn (rare) gives the nearest one.
EngineOrientation OrientationOf(const AVStream* stream);
void DisplayedSize(const AVStream* stream, int& width, int& height);
// The filters that turn a decoded picture, each followed by a comma; empty when upright.
std::string OrientationFilters(const EngineOrientation& orientation);
// Turns 32-bit pixel rows; width and height become the displayed ones.
void OrientPixels(const EngineOrientation& orientation, std::vector<uint8_t>& pixels, int& width, int& height);
