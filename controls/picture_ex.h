// A static control that shows a picture and, when the picture is a GIF of several frames,
// animates it on a worker thread of its own. Each frame is cut out as a stand-alone GIF and
// decoded once by the system's picture loader; the worker composes the frames on an off-screen
// surface following the GIF disposal rules, and painting copies that surface.
//
// The worker shares the frames and the surface with the control through a reference-counted
// state: when a stop has to give up waiting for the worker, the worker keeps that state alive
// and frees it itself when it ends, while the control goes on empty.
#pragma once

#include <ocidl.h>
#include <olectl.h>

#include <memory>
#include <vector>

#include "framework/afxwin.h"

// The program's animation: resource type "GIF", id 103.
constexpr UINT kAnimationResourceId = 103;
constexpr wchar_t kAnimationResourceType[] = L"GIF";

struct GifFrame {
  IPicture* picture = nullptr;  // the frame's stand-alone GIF, decoded
  int width = 0;
  int height = 0;
  int left = 0;
  int top = 0;
  DWORD delay = 0xFFFFFFFF;  // hundredths of a second; 0xFFFFFFFF: rests until stopped
  int disposal = 0;          // 2 fills with the background, 3 restores what was under the frame
};

class CPictureEx : public CStatic {
 public:
  CPictureEx();
  ~CPictureEx() override;

  // Loads the picture from a global memory block of size bytes, which stays the caller's.
  // TRUE when the picture is ready to show. Data that is not a GIF, or a GIF of one frame,
  // becomes a still picture.
  BOOL LoadFromMemory(HGLOBAL block, DWORD size);
  // Loads the "GIF" resource 103 of the resource module.
  BOOL LoadAnimationResource();
  // Starts the animation thread of an animated GIF (and returns FALSE), or renders a still
  // picture once (TRUE when that worked). FALSE without a loaded picture.
  BOOL Display();
  // Ends the animation thread, waiting up to m_stopWaitMs; the current frame is kept.
  void StopAnimation();
  // Stops and forgets the picture.
  void ReleaseImage();

  // What is loaded and playing.
  BOOL IsGif() const;
  BOOL IsPlaying() const;
  CSize GetPictureSize() const;
  int GetFrameCount() const;
  GifFrame GetFrame(int index) const;
  int GetCurrentFrame() const;
  COLORREF GetBackground() const;
  // A copy of the off-screen surface (null when there is none); the caller deletes it.
  HBITMAP CopySurface() const;

  // How long a stop waits for the worker before it leaves it to end on its own.
  DWORD m_stopWaitMs = 5000;

  // Animation states alive in the process, playing or abandoned: 0 once every control is gone
  // and every worker has ended.
  static long LiveStates();

 protected:
  afx_msg void OnPaint();
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  struct State;
  static unsigned __stdcall AnimationThreadProc(void* argument);
  BOOL PrepareSurface(int width, int height);
  BOOL LoadStill(HGLOBAL block, DWORD size);

  std::shared_ptr<State> m_state;
  HANDLE m_thread = nullptr;
};
