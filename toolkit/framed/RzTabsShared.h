// Small drawing and text helpers shared by the tab control's modules.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "Graphics.h"
#include "Types.h"

// A caption's lines (separated by CR LF).
inline std::vector<std::string> CaptionLines(const std::string& caption) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t at; (at = caption.find("\r\n", start)) != std::string::npos; start = at + 2)
    lines.push_back(caption.substr(start, at - start));
  lines.push_back(caption.substr(start));
  return lines;
}

inline void FillSolid(HDC dc, const TRect& r, TColor color) {
  if (r.IsEmpty()) return;
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  const RECT rect = r;
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}
