#include "resource_module.h"

#include <stdexcept>

namespace res {

std::wstring ModulePath() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    folder.resize(folder.find_last_of(L"\\/") + 1);
    return folder + L"OmahaVantorn.exe";
}

HMODULE Module() {
    static HMODULE module =
        LoadLibraryExW(ModulePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) throw std::runtime_error("the program file cannot be loaded");
    return module;
}

std::string_view Bytes(LPCWSTR name, LPCWSTR type) {
    HRSRC info = FindResourceW(Module(), name, type);
    if (!info) return {};
    HGLOBAL handle = LoadResource(Module(), info);
    const void* data = handle ? LockResource(handle) : nullptr;
    if (!data) return {};
    return {static_cast<const char*>(data), SizeofResource(Module(), info)};
}

Pixels LoadPixels(int id) {
    Pixels p;
    std::string_view raw = Bytes(id, RT_BITMAP);
    if (raw.size() < sizeof(BITMAPINFOHEADER)) return p;
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(raw.data());
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) return p;
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    BITMAPINFO want{};
    want.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    want.bmiHeader.biWidth = info.bmWidth;
    want.bmiHeader.biHeight = -info.bmHeight;  // top row first
    want.bmiHeader.biPlanes = 1;
    want.bmiHeader.biBitCount = 32;
    want.bmiHeader.biCompression = BI_RGB;
    p.store.resize(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    HDC dc = GetDC(nullptr);
    int rows = GetDIBits(dc, bitmap, 0, info.bmHeight, p.store.data(), &want, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    DeleteObject(bitmap);
    if (rows != info.bmHeight) return Pixels{};
    for (auto& c : p.store) c &= 0xFFFFFF;
    p.width = info.bmWidth;
    p.height = info.bmHeight;
    p.bitsPerPixel = header->biBitCount;
    p.data = p.store.data();
    return p;
}

double MeanLuminance(const Pixels& p, int x0, int y0, int x1, int y1) {
    double sum = 0;
    int n = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            std::uint32_t c = p.at(x, y);
            sum += (0.2126 * Red(c) + 0.7152 * Green(c) + 0.0722 * Blue(c)) / 255.0;
            ++n;
        }
    }
    return n ? sum / n : 0;
}

std::wstring DataFile(const wchar_t* name) {
    std::string dir = OV_DATA_DIR;
    std::wstring path(dir.begin(), dir.end());
    // The build passes the source folder as a Unix path; Wine shows the root as drive Z:.
    if (!path.empty() && path[0] == L'/') path = L"Z:" + path;
    for (auto& c : path) {
        if (c == L'/') c = L'\\';
    }
    return path + L"\\" + name;
}

}  // namespace res
