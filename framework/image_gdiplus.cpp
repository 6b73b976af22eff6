#include "framework/image_gdiplus.h"

#include <cwchar>
#include <mutex>
#include <unordered_map>

using namespace Gdiplus;

namespace fw::detail {

bool EnsureGdiplus() {
  static std::once_flag once;
  static bool started = false;
  std::call_once(once, [] {
    GdiplusStartupInput input;
    input.GdiplusVersion = 1;
    input.DebugEventCallback = nullptr;
    input.SuppressBackgroundThread = FALSE;
    input.SuppressExternalCodecs = FALSE;
    ULONG_PTR token = 0;
    // Shut down only with the process: images may live in static objects.
    started = GdiplusStartup(&token, &input, nullptr) == Ok;
  });
  return started;
}

bool FindEncoder(const GUID& format, CLSID& encoder) {
  UINT count = 0, size = 0;
  if (DllExports::GdipGetImageEncodersSize(&count, &size) != Ok || size == 0) return false;
  std::vector<unsigned char> buffer(size);
  auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
  if (DllExports::GdipGetImageEncoders(count, size, codecs) != Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (IsEqualGUID(codecs[i].FormatID, format)) {
      encoder = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

GUID FormatFromExtension(const wchar_t* fileName) {
  if (fileName == nullptr) return GUID_NULL;
  const wchar_t* dot = std::wcsrchr(fileName, L'.');
  const wchar_t* slash = std::wcsrchr(fileName, L'\\');
  if (dot == nullptr || (slash != nullptr && dot < slash)) return GUID_NULL;
  struct Entry {
    const wchar_t* ext;
    const GUID* format;
  };
  static const Entry kEntries[] = {
      {L".png", &ImageFormatPNG},  {L".jpg", &ImageFormatJPEG}, {L".jpeg", &ImageFormatJPEG},
      {L".jpe", &ImageFormatJPEG}, {L".bmp", &ImageFormatBMP},  {L".dib", &ImageFormatBMP},
      {L".gif", &ImageFormatGIF},  {L".tif", &ImageFormatTIFF}, {L".tiff", &ImageFormatTIFF},
  };
  for (const Entry& e : kEntries)
    if (_wcsicmp(dot, e.ext) == 0) return *e.format;
  return GUID_NULL;
}

HRESULT HResultFromStatus(GpStatus status) {
  switch (status) {
    case Ok: return S_OK;
    case InvalidParameter: return E_INVALIDARG;
    case OutOfMemory: return E_OUTOFMEMORY;
    case NotImplemented: return E_NOTIMPL;
    case Win32Error: {
      DWORD error = ::GetLastError();
      return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
    }
    case FileNotFound: return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    case AccessDenied: return E_ACCESSDENIED;
    case UnknownImageFormat: return HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
    default: return E_FAIL;
  }
}

void QuantizeTo256(const unsigned char* pixels, int width, int height, int pitch, std::vector<unsigned char>& indexes,
                   std::vector<RGBQUAD>& palette) {
  const int indexPitch = IndexPitch(width);
  indexes.assign(static_cast<std::size_t>(indexPitch) * static_cast<std::size_t>(height), 0);
  palette.clear();
  // Exact when the image has few colours (charts, drawings).
  std::unordered_map<DWORD, unsigned char> exact;
  bool fits = true;
  for (int y = 0; y < height && fits; ++y) {
    const auto* row = reinterpret_cast<const DWORD*>(pixels + static_cast<std::ptrdiff_t>(y) * pitch);
    for (int x = 0; x < width; ++x) {
      DWORD colour = row[x] & 0x00FFFFFF;
      auto it = exact.find(colour);
      if (it == exact.end()) {
        if (exact.size() == 256) {
          fits = false;
          break;
        }
        unsigned char index = static_cast<unsigned char>(exact.size());
        exact.emplace(colour, index);
        palette.push_back(RGBQUAD{static_cast<BYTE>(colour & 0xFF), static_cast<BYTE>((colour >> 8) & 0xFF),
                                  static_cast<BYTE>((colour >> 16) & 0xFF), 0});
        it = exact.find(colour);
      }
      indexes[static_cast<std::size_t>(y) * indexPitch + x] = it->second;
    }
  }
  if (fits) return;
  palette.clear();
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 7; ++g)
      for (int b = 0; b < 6; ++b)
        palette.push_back(RGBQUAD{static_cast<BYTE>(b * 255 / 5), static_cast<BYTE>(g * 255 / 6),
                                  static_cast<BYTE>(r * 255 / 5), 0});
  for (int y = 0; y < height; ++y) {
    const auto* row = pixels + static_cast<std::ptrdiff_t>(y) * pitch;
    for (int x = 0; x < width; ++x) {
      int b = (row[4 * x] * 5 + 127) / 255;
      int g = (row[4 * x + 1] * 6 + 127) / 255;
      int r = (row[4 * x + 2] * 5 + 127) / 255;
      indexes[static_cast<std::size_t>(y) * indexPitch + x] = static_cast<unsigned char>((r * 7 + g) * 6 + b);
    }
  }
}

}  // namespace fw::detail
