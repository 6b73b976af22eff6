// Helpers for tests that drive real windows: start the program, find its windows, send input,
// capture pixels and save them as PNG for review.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace gui {

// The folder of the running test program; the program under test and its data sit there too.
std::wstring ExeFolder();

// A child process that is killed when the object goes out of scope, unless it ended by itself.
class Process {
public:
    Process() = default;
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Starts exe (relative to ExeFolder() unless absolute) with its current folder set to folder,
    // or to ExeFolder() when folder is empty.
    bool Start(const std::wstring& exe, const std::wstring& args = L"", const std::wstring& folder = L"");
    DWORD Id() const { return pid_; }
    // Waits for the process to end; false on time-out. The exit code is stored in *code.
    bool WaitExit(DWORD timeoutMs, DWORD* code = nullptr);
    void Kill();

private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// Finds a visible top-level window by class and/or caption prefix (either may be null) that belongs
// to process pid (0: any), polling until timeoutMs has passed. Null on time-out.
HWND WaitForWindow(const wchar_t* className, const wchar_t* captionPrefix, DWORD pid, DWORD timeoutMs);

// Finds a child by control id, polling until timeoutMs has passed.
HWND WaitForChild(HWND parent, int id, DWORD timeoutMs);

std::wstring WindowText(HWND hwnd);
std::wstring ClassName(HWND hwnd);

// Input with a pause of at least 30 ms after each event, so the target sees every key.
constexpr DWORD kInputPauseMs = 30;
void PostKey(HWND hwnd, UINT vk);
// Posts the characters; for an edit control, also waits (up to 10 s) until its thread has
// handled them, so a slow target never makes the next check read half the text.
void TypeText(HWND hwnd, const std::wstring& text);
void ClickAt(HWND hwnd, int x, int y);  // client coordinates, posted mouse messages
void Pause(DWORD ms = kInputPauseMs);

// Real mouse input through the system's input queue (SendInput), sent from a worker thread so
// that the calling thread can keep pumping messages: a drag loop of the code under test runs in
// it. Moves to from, presses, moves in steps to to and releases there (screen coordinates), with
// pauseMs after each event. Returns the worker's handle: pump until it is signalled, then close
// it. Tests that use it hold the desktop_input resource lock.
HANDLE StartMouseDrag(POINT fromScreen, POINT toScreen, int steps = 8, DWORD pauseMs = 2 * kInputPauseMs);

// Pumps this thread's messages for ms milliseconds.
void Pump(DWORD ms);

// Pumps this thread's messages until done() holds (true) or timeoutMs pass (false).
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);

// 32-bit BGRA pixels, top row first.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    bool Empty() const { return pixels.empty(); }
    std::uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The whole window (frame and children included) as pixels: from the window DC for this
// process's windows, from the screen under the window for another process's.
Image CaptureWindow(HWND hwnd);

// What the screen shows in a rectangle (a popup over its owner, windows of several processes).
Image CaptureScreenRect(const RECT& area);

// Writes the image as an RGB PNG; returns false on a write error.
bool SavePng(const Image& image, const std::wstring& path);

// Saves a capture under <ExeFolder>\captures\<name>.png and returns the path.
std::wstring SaveCapture(const Image& image, const std::wstring& name);

// Number of pixels in the rectangle whose channels differ by more than tolerance between a and b.
// The rectangle is clipped to both images; differing sizes outside it don't matter.
int CountDifferentPixels(const Image& a, const Image& b, RECT region, int tolerance = 0);

// Number of distinct colours in a region: a cheap check that something was drawn there.
int CountColours(const Image& image, RECT region);

}  // namespace gui
