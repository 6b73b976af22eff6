#include "gui_harness.h"

#include <cstdio>
#include <cstdlib>

namespace gui {

std::wstring ExeFolder() {
    wchar_t path[MAX_PATH] = L"";
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path, n);
    size_t slash = s.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : s.substr(0, slash);
}

Process::~Process() {
    Kill();
}

bool Process::Start(const std::wstring& exe, const std::wstring& args, const std::wstring& workFolder) {
    Kill();
    const std::wstring home = ExeFolder();
    const std::wstring folder = workFolder.empty() ? home : workFolder;
    std::wstring full = (exe.size() > 1 && (exe[1] == L':' || exe[0] == L'\\')) ? exe : home + L"\\" + exe;
    std::wstring cmd = L"\"" + full + L"\"";
    if (!args.empty()) cmd += L" " + args;
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    // Wine's loader has been seen to refuse a start once, in a few milliseconds, under load; the
    // reason goes to the test's output and the start is tried again, a few times at most.
    bool started = false;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        if (attempt > 0) Sleep(300);
        started = CreateProcessW(full.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si,
                                 &pi) != 0;
        if (!started) {
            const DWORD error = GetLastError();
            fwprintf(stderr, L"CreateProcess \"%ls\" in \"%ls\" failed: error %lu\n", full.c_str(), folder.c_str(),
                     error);
        }
    }
    if (!started) return false;
    CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    pid_ = pi.dwProcessId;
    return true;
}

bool Process::WaitExit(DWORD timeoutMs, DWORD* code) {
    if (!process_) return false;
    if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return false;
    DWORD c = 0;
    GetExitCodeProcess(process_, &c);
    if (code) *code = c;
    return true;
}

void Process::Kill() {
    if (!process_) return;
    if (WaitForSingleObject(process_, 0) != WAIT_OBJECT_0) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
    process_ = nullptr;
    pid_ = 0;
}

std::wstring WindowText(HWND hwnd) {
    wchar_t buf[1024] = L"";
    int n = GetWindowTextW(hwnd, buf, 1024);
    return std::wstring(buf, n > 0 ? n : 0);
}

std::wstring ClassName(HWND hwnd) {
    wchar_t buf[256] = L"";
    int n = GetClassNameW(hwnd, buf, 256);
    return std::wstring(buf, n > 0 ? n : 0);
}

namespace {

struct FindState {
    const wchar_t* cls;
    const wchar_t* caption;
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM lp) {
    auto* st = reinterpret_cast<FindState*>(lp);
    if (!IsWindowVisible(hwnd)) return TRUE;
    if (st->pid) {
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner != st->pid) return TRUE;
    }
    if (st->cls && ClassName(hwnd) != st->cls) return TRUE;
    if (st->caption && WindowText(hwnd).rfind(st->caption, 0) != 0) return TRUE;
    st->found = hwnd;
    return FALSE;
}

}  // namespace

void Pump(DWORD ms) {
    DWORD end = GetTickCount() + ms;
    do {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        Sleep(10);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        Sleep(5);
    }
    return true;
}

HWND WaitForWindow(const wchar_t* className, const wchar_t* captionPrefix, DWORD pid, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        FindState st{className, captionPrefix, pid, nullptr};
        EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&st));
        if (st.found) return st.found;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        Pump(50);
    }
}

HWND WaitForChild(HWND parent, int id, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND h = GetDlgItem(parent, id)) return h;
        if (GetTickCount() - start >= timeoutMs) return nullptr;
        Pump(50);
    }
}

void Pause(DWORD ms) {
    Pump(ms < kInputPauseMs ? kInputPauseMs : ms);
}

void PostKey(HWND hwnd, UINT vk) {
    UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    PostMessageW(hwnd, WM_KEYDOWN, vk, 1 | (scan << 16));
    Pause();
    PostMessageW(hwnd, WM_KEYUP, vk, 1 | (scan << 16) | (1u << 30) | (1u << 31));
    Pause();
}

void TypeText(HWND hwnd, const std::wstring& text) {
    for (wchar_t c : text) {
        PostMessageW(hwnd, WM_CHAR, c, 1);
        Pause();
    }
    // Posted messages of one thread are handled in order: a new text limit posted after the
    // characters shows once they are all handled. The limit is put back afterwards.
    const LRESULT limit = SendMessageW(hwnd, EM_GETLIMITTEXT, 0, 0);
    if (limit <= 0) return;  // not an edit
    const LRESULT marker = limit == 12345 ? 12346 : 12345;
    PostMessageW(hwnd, EM_SETLIMITTEXT, static_cast<WPARAM>(marker), 0);
    const DWORD start = GetTickCount();
    while (SendMessageW(hwnd, EM_GETLIMITTEXT, 0, 0) != marker && GetTickCount() - start < 10000) Pump(10);
    SendMessageW(hwnd, EM_SETLIMITTEXT, static_cast<WPARAM>(limit), 0);
}

void ClickAt(HWND hwnd, int x, int y) {
    LPARAM pos = MAKELPARAM(x, y);
    PostMessageW(hwnd, WM_MOUSEMOVE, 0, pos);
    Pause();
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, pos);
    Pause();
    PostMessageW(hwnd, WM_LBUTTONUP, 0, pos);
    Pause();
}

namespace {

struct DragScript {
    POINT from, to;
    int steps;
    DWORD pauseMs;
};

void SendMouse(DWORD flags, POINT screen, DWORD pauseMs) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    const int w = GetSystemMetrics(SM_CXSCREEN);
    const int h = GetSystemMetrics(SM_CYSCREEN);
    // Absolute coordinates map 0..65535 onto the screen; aim at the pixel's centre.
    input.mi.dx = static_cast<LONG>((screen.x * 65536LL + 32768) / w);
    input.mi.dy = static_cast<LONG>((screen.y * 65536LL + 32768) / h);
    SendInput(1, &input, sizeof(INPUT));
    Sleep(pauseMs);
}

DWORD WINAPI RunDrag(LPVOID param) {
    DragScript script = *static_cast<DragScript*>(param);
    delete static_cast<DragScript*>(param);
    SendMouse(0, script.from, script.pauseMs);
    SendMouse(MOUSEEVENTF_LEFTDOWN, script.from, script.pauseMs);
    for (int i = 1; i <= script.steps; ++i) {
        POINT p = {script.from.x + (script.to.x - script.from.x) * i / script.steps,
                   script.from.y + (script.to.y - script.from.y) * i / script.steps};
        SendMouse(0, p, script.pauseMs);
    }
    SendMouse(MOUSEEVENTF_LEFTUP, script.to, script.pauseMs);
    return 0;
}

}  // namespace

HANDLE StartMouseDrag(POINT fromScreen, POINT toScreen, int steps, DWORD pauseMs) {
    auto* script = new DragScript{fromScreen, toScreen, steps < 1 ? 1 : steps, pauseMs};
    HANDLE thread = CreateThread(nullptr, 0, &RunDrag, script, 0, nullptr);
    if (thread == nullptr) delete script;
    return thread;
}

namespace {

// A w x h 32-bit top-down image that blit() fills through a memory device context holding it;
// empty when the size is empty or blit() fails.
Image CaptureInto(int w, int h, const std::function<BOOL(HDC mem)>& blit) {
    Image image;
    if (w <= 0 || h <= 0) return image;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // top row first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (dib && mem) {
        HGDIOBJ old = SelectObject(mem, dib);
        if (blit(mem)) {
            GdiFlush();
            image.width = w;
            image.height = h;
            const auto* p = static_cast<const std::uint32_t*>(bits);
            image.pixels.assign(p, p + static_cast<size_t>(w) * h);
        }
        SelectObject(mem, old);
    }
    if (dib) DeleteObject(dib);
    if (mem) DeleteDC(mem);
    return image;
}

}  // namespace

Image CaptureScreenRect(const RECT& area) {
    const int w = area.right - area.left, h = area.bottom - area.top;
    return CaptureInto(w, h, [&](HDC mem) {
        HDC screen = GetDC(nullptr);
        const BOOL ok = BitBlt(mem, 0, 0, w, h, screen, area.left, area.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        return ok;
    });
}

Image CaptureWindow(HWND hwnd) {
    RECT r;
    if (!GetWindowRect(hwnd, &r)) return Image{};
    const int w = r.right - r.left, h = r.bottom - r.top;
    return CaptureInto(w, h, [&](HDC mem) {
        // A device context cannot cross processes, so another process's window is read off the
        // screen (no compositor here: what is on screen is what the window drew). Our own windows
        // are copied from their window DC: PrintWindow under Wine leaves out the frame and the
        // children.
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner == GetCurrentProcessId()) {
            RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
            HDC src = GetWindowDC(hwnd);
            const BOOL ok = src && BitBlt(mem, 0, 0, w, h, src, 0, 0, SRCCOPY);
            if (src) ReleaseDC(hwnd, src);
            return ok;
        }
        SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        Pump(100);
        HDC src = GetDC(nullptr);
        const BOOL ok = BitBlt(mem, 0, 0, w, h, src, r.left, r.top, SRCCOPY);
        ReleaseDC(nullptr, src);
        return ok;
    });
}

std::wstring SaveCapture(const Image& image, const std::wstring& name) {
    std::wstring dir = ExeFolder() + L"\\captures";
    CreateDirectoryW(dir.c_str(), nullptr);
    std::wstring path = dir + L"\\" + name + L".png";
    return SavePng(image, path) ? path : std::wstring();
}

int CountDifferentPixels(const Image& a, const Image& b, RECT region, int tolerance) {
    int right = region.right, bottom = region.bottom;
    if (right > a.width) right = a.width;
    if (right > b.width) right = b.width;
    if (bottom > a.height) bottom = a.height;
    if (bottom > b.height) bottom = b.height;
    int count = 0;
    for (int y = region.top < 0 ? 0 : region.top; y < bottom; ++y) {
        for (int x = region.left < 0 ? 0 : region.left; x < right; ++x) {
            std::uint32_t p = a.At(x, y), q = b.At(x, y);
            for (int shift = 0; shift < 24; shift += 8) {
                int d = static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((q >> shift) & 0xFF);
                if (std::abs(d) > tolerance) {
                    ++count;
                    break;
                }
            }
        }
    }
    return count;
}

int CountColours(const Image& image, RECT region) {
    std::vector<std::uint32_t> seen;
    for (int y = region.top < 0 ? 0 : region.top; y < region.bottom && y < image.height; ++y) {
        for (int x = region.left < 0 ? 0 : region.left; x < region.right && x < image.width; ++x) {
            std::uint32_t p = image.At(x, y) & 0xFFFFFF;
            bool known = false;
            for (std::uint32_t s : seen) {
                if (s == p) {
                    known = true;
                    break;
                }
            }
            if (!known) {
                seen.push_back(p);
                if (seen.size() > 1000) return static_cast<int>(seen.size());
            }
        }
    }
    return static_cast<int>(seen.size());
}

}  // namespace gui
