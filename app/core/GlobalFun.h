// Free routines shared by the windows: the time text "00:00:00.000" in both directions, the program's
// version text, temporary file names, the two standard message boxes and raw pixels into a bitmap.
#pragma once
#include <cstdint>
#include <string>

class TBitmap;

// Milliseconds as "hh:mm:ss.zzz" (or "hh:mm:ss"); hours grow past two digits, zero and negative
// times give the zero text.
std::string FormatMsTime(bool ShowMs, int64_t Ms);
// A time in 100-ns units as FormatMsTime text, rounded to the nearest millisecond (halves to even).
std::string FormatRefTime(bool ShowMs, int64_t Ref);
// "h:m:s.ms" back into milliseconds; an unreadable piece counts 0.
int64_t ParseTime(const std::string& Text);
// Cuts S at the first Delim: returns the text before it and leaves the text after it in S.
std::string SplitFirst(std::string& S, const std::string& Delim);

// "major.minor.release.build" of a file's version block; empty when the file has none.
std::string GetFileVersionString(const std::string& FileName);
// A unique path in the temporary folder whose name starts with Prefix. The empty file that
// reserves the name is kept, so no other process can take the name before the caller writes it.
std::string MakeTempFileName(const std::string& Prefix);

// Modal boxes over the active window (through AppMessageBox): "Information" with an OK button, and "Error".
int ShowInfo(const std::string& Text);
int ShowError(const std::string& Text);

// Puts Size bytes of raw pixels (rows from the top, BitCount bits per pixel) into a new DIB section
// that Bitmap takes over. False without a bitmap, for a given buffer of 0 bytes, or when the
// section cannot be made; a buffer larger than the picture is cut to it.
bool BitmapFromBits(TBitmap* Bitmap, const void* Bits, int32_t Size, int32_t Width, int32_t Height, int32_t BitCount);
