// The skin stream's primitive fields, shared by the model's readers and writers. A skin stream may
// come from a user's file, so every read is checked: a field cut short, a count that the rest of
// the stream cannot hold or a value outside its range raises EReadError "Stream read error".
#pragma once
#include <string>

#include "Classes.h"
#include "Graphics.h"

[[noreturn]] void SkinStreamReadError();
// The bytes left after the position.
int64_t SkinStreamRemaining(TStream* stream);
void SkinReadExact(TStream* stream, void* buffer, int32_t count);
int32_t SkinReadInt32(TStream* stream);
// An int32 within [low, high].
int32_t SkinReadInt32In(TStream* stream, int32_t low, int32_t high);
Byte SkinReadByte(TStream* stream);
// A byte within [0, high].
Byte SkinReadByteUpTo(TStream* stream, Byte high);
TColor SkinReadColor(TStream* stream);
std::string SkinReadString(TStream* stream);
// A count of records of at least minRecordSize bytes each, which the rest of the stream can hold.
int32_t SkinReadCount(TStream* stream, int minRecordSize);

void SkinWriteInt32(TStream* stream, int32_t value);
void SkinWriteByte(TStream* stream, Byte value);
void SkinWriteString(TStream* stream, const std::string& value);

// Offsets, margins, sizes and border widths lie within these bounds in any sound skin.
inline constexpr int32_t dxSkinMaxExtent = 32767;
