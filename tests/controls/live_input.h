// Real input for tests that drive live windows: the cursor, mouse buttons and keys go through
// the system's input queue (SendInput), with a pause after each event so the target sees them.
// The pump offers every message to the framework windows' PreTranslateMessage first, as the
// application's message loop does.
#pragma once

#include <functional>
#include <initializer_list>

#include "framework/afxwin.h"

namespace live {

// Pumps this thread's messages for ms milliseconds.
void Pump(DWORD ms);
// Pumps until done() is true or timeoutMs has passed; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);

// Makes a top-level window the foreground window so it gets the keys.
void BringToFront(HWND hwnd);

// Moves the cursor to a point in hwnd's client coordinates.
void MoveTo(HWND hwnd, POINT client);
void ButtonDown();
void ButtonUp();
// Presses at from, moves in steps to to, releases there.
void Drag(HWND hwnd, POINT from, POINT to, int steps = 4);
void Click(HWND hwnd, POINT client);
// The same click without pumping in between: the input waits in the queue for the code under
// test to pump it.
void QueueClick(HWND hwnd, POINT client);

// Presses and releases a key while the modifier keys are held.
void Key(UINT vk, std::initializer_list<UINT> modifiers = {});

}  // namespace live
