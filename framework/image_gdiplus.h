// Internal helpers of CImage over GDI+: start-up, encoders and status codes.
#pragma once

#include "framework/fwdefs.h"

#include <objidl.h>

#include <gdiplus.h>

#include <vector>

namespace fw::detail {

// Starts GDI+ once for the process; FALSE when it cannot start.
bool EnsureGdiplus();
// The encoder's class id for a file format id (Gdiplus::ImageFormat...).
bool FindEncoder(const GUID& format, CLSID& encoder);
// The format id for a file name's extension; GUID_NULL when unknown.
GUID FormatFromExtension(const wchar_t* fileName);
HRESULT HResultFromStatus(Gdiplus::GpStatus status);

// Maps 32-bit BGRA pixels (top row first, `pitch` bytes apart) to at most
// 256 palette entries: exactly when there are no more colours than that,
// else to a fixed palette of 6 red × 7 green × 6 blue levels. The index rows
// are padded to a multiple of 4 bytes (IndexPitch).
inline int IndexPitch(int width) { return (width + 3) & ~3; }
void QuantizeTo256(const unsigned char* pixels, int width, int height, int pitch, std::vector<unsigned char>& indexes,
                   std::vector<RGBQUAD>& palette);

}  // namespace fw::detail
