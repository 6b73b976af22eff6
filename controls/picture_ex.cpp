#include "controls/picture_ex.h"

#include <process.h>

#include <atomic>
#include <cstring>
#include <mutex>

#include "controls/gif_stream.h"

namespace {

std::atomic<long> g_liveStates{0};

void FillRect(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
  HBRUSH brush = ::CreateSolidBrush(colour);
  const RECT rect = {left, top, right, bottom};
  ::FillRect(dc, &rect, brush);
  ::DeleteObject(brush);
}

// Renders a picture over the rectangle; the source origin lies at the bottom because picture
// extents count upwards.
bool RenderPicture(IPicture* picture, HDC dc, int x, int y, int width, int height) {
  if (picture == nullptr || dc == nullptr) return false;
  OLE_XSIZE_HIMETRIC hmWidth = 0;
  OLE_YSIZE_HIMETRIC hmHeight = 0;
  if (FAILED(picture->get_Width(&hmWidth)) || FAILED(picture->get_Height(&hmHeight))) return false;
  return SUCCEEDED(picture->Render(dc, x, y, width, height, 0, hmHeight, hmWidth, -hmHeight, nullptr));
}

IPicture* LoadPicture(HGLOBAL block, DWORD size, BOOL streamOwnsBlock) {
  IStream* stream = nullptr;
  if (FAILED(::CreateStreamOnHGlobal(block, streamOwnsBlock, &stream)) || stream == nullptr) return nullptr;
  IPicture* picture = nullptr;
  const HRESULT hr =
      ::OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture, reinterpret_cast<void**>(&picture));
  stream->Release();
  return SUCCEEDED(hr) ? picture : nullptr;
}

}  // namespace

// What the worker thread uses. The control holds one reference, a running worker another.
struct CPictureEx::State {
  State() : stopEvent(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) { ++g_liveStates; }
  ~State() {
    ReleaseContent();
    if (stopEvent) ::CloseHandle(stopEvent);
    --g_liveStates;
  }
  State(const State&) = delete;
  State& operator=(const State&) = delete;

  void ReleaseContent();
  void FreeSavedArea();
  // Undoes what frame f left on the surface, as its disposal method says. Under the lock.
  void Dispose(const GifFrame& f);
  void Run();

  std::mutex lock;  // the surface, the saved area and the current frame while the worker draws
  HWND window = nullptr;
  int width = 0;
  int height = 0;
  COLORREF background = RGB(255, 255, 255);
  std::atomic<int> currentFrame{0};
  std::atomic<bool> isGif{false};
  std::atomic<bool> playing{false};
  std::atomic<bool> exit{false};
  std::atomic<bool> surfaceReady{false};
  HDC surface = nullptr;
  HBITMAP surfaceBitmap = nullptr;
  HGDIOBJ surfaceReplaced = nullptr;
  HDC saved = nullptr;
  HBITMAP savedBitmap = nullptr;
  HGDIOBJ savedReplaced = nullptr;
  HANDLE stopEvent = nullptr;
  IPicture* still = nullptr;
  std::vector<GifFrame> frames;
};

void CPictureEx::State::FreeSavedArea() {
  if (saved != nullptr) {
    ::SelectObject(saved, savedReplaced);
    ::DeleteDC(saved);
  }
  if (savedBitmap != nullptr) ::DeleteObject(savedBitmap);
  saved = nullptr;
  savedBitmap = nullptr;
  savedReplaced = nullptr;
}

void CPictureEx::State::ReleaseContent() {
  std::lock_guard<std::mutex> guard(lock);
  if (still != nullptr) still->Release();
  still = nullptr;
  for (GifFrame& f : frames)
    if (f.picture != nullptr) f.picture->Release();
  frames.clear();
  if (surface != nullptr) {
    ::SelectObject(surface, surfaceReplaced);
    ::DeleteDC(surface);
  }
  if (surfaceBitmap != nullptr) ::DeleteObject(surfaceBitmap);
  surface = nullptr;
  surfaceBitmap = nullptr;
  surfaceReplaced = nullptr;
  FreeSavedArea();
  surfaceReady = false;
  exit = false;
  isGif = false;
  currentFrame = 0;
  width = 0;
  height = 0;
  background = RGB(255, 255, 255);
}

void CPictureEx::State::Dispose(const GifFrame& f) {
  if (surface == nullptr) return;
  if (f.disposal == 2) {
    FillRect(surface, f.left, f.top, f.left + f.width, f.top + f.height, background);
  } else if (f.disposal == 3 && saved != nullptr) {
    ::BitBlt(surface, f.left, f.top, f.width, f.height, saved, 0, 0, SRCCOPY);
    FreeSavedArea();
  }
}

void CPictureEx::State::Run() {
  if (frames.empty()) return;
  {
    // Undo what the frame showing when the animation last stopped left behind.
    std::lock_guard<std::mutex> guard(lock);
    Dispose(frames[static_cast<size_t>(currentFrame)]);
  }
  while (!exit) {
    const int index = currentFrame;
    const GifFrame& f = frames[static_cast<size_t>(index)];
    bool drawn = false;
    {
      std::lock_guard<std::mutex> guard(lock);
      if (f.picture != nullptr) {
        if (f.disposal == 3) {
          FreeSavedArea();
          saved = ::CreateCompatibleDC(surface);
          savedBitmap = ::CreateCompatibleBitmap(surface, f.width, f.height);
          if (saved != nullptr && savedBitmap != nullptr) {
            savedReplaced = ::SelectObject(saved, savedBitmap);
            ::BitBlt(saved, 0, 0, f.width, f.height, surface, f.left, f.top, SRCCOPY);
          } else {
            FreeSavedArea();  // the area is then not restored
          }
        }
        drawn = RenderPicture(f.picture, surface, f.left, f.top, f.width, f.height);
      }
    }
    if (drawn) ::InvalidateRect(window, nullptr, FALSE);
    if (exit) break;
    // Unsigned on purpose: a frame without a delay (0xFFFFFFFF) rests for about 49.7 days.
    const DWORD wait = f.delay < 5 ? 100 : f.delay * 10;
    ::WaitForSingleObject(stopEvent, wait);
    if (exit) break;
    std::lock_guard<std::mutex> guard(lock);
    Dispose(f);
    int next = index + 1;
    if (next >= static_cast<int>(frames.size())) {
      next = 0;
      FillRect(surface, 0, 0, width, height, background);
    }
    currentFrame = next;
  }
}

BEGIN_MESSAGE_MAP(CPictureEx, CStatic)
  ON_WM_PAINT()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CPictureEx::CPictureEx() : m_state(std::make_shared<State>()) {}

CPictureEx::~CPictureEx() {
  ReleaseImage();
  if (m_hWnd != nullptr) DestroyWindow();
}

long CPictureEx::LiveStates() { return g_liveStates; }

unsigned __stdcall CPictureEx::AnimationThreadProc(void* argument) {
  // The thread's own reference: the state outlives the control when a stop gives up on us.
  std::unique_ptr<std::shared_ptr<State>> own(static_cast<std::shared_ptr<State>*>(argument));
  State& state = **own;
  state.playing = true;
  state.Run();
  state.playing = false;
  return 0;
}

BOOL CPictureEx::LoadStill(HGLOBAL block, DWORD size) {
  m_state->still = LoadPicture(block, size, FALSE);
  return m_state->still != nullptr;
}

BOOL CPictureEx::LoadFromMemory(HGLOBAL block, DWORD size) {
  ReleaseImage();
  if (block == nullptr) return FALSE;
  // Never read past the block, whatever size the caller claims.
  const SIZE_T blockSize = ::GlobalSize(block);
  if (size > blockSize) size = static_cast<DWORD>(blockSize);
  const auto* data = static_cast<const BYTE*>(::GlobalLock(block));
  if (data == nullptr) return FALSE;
  State& state = *m_state;

  GifStream gif(data, size);
  if (!gif.IsGif()) {
    ::GlobalUnlock(block);
    if (!LoadStill(block, size)) return FALSE;
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    state.still->get_Width(&hmWidth);
    state.still->get_Height(&hmHeight);
    HDC dc = ::GetDC(m_hWnd);
    const int width = ::MulDiv(hmWidth, ::GetDeviceCaps(dc, LOGPIXELSX), 2540);
    const int height = ::MulDiv(hmHeight, ::GetDeviceCaps(dc, LOGPIXELSY), 2540);
    ::ReleaseDC(m_hWnd, dc);
    return PrepareSurface(width, height);
  }

  state.isGif = true;
  if (!gif.ReadHeader()) {
    ::GlobalUnlock(block);
    return FALSE;
  }
  const int width = gif.ScreenWidth();
  const int height = gif.ScreenHeight();
  const int frames = gif.CountFrames();
  if (frames == 0) {
    ::GlobalUnlock(block);
    return FALSE;
  }
  if (frames == 1) {
    ::GlobalUnlock(block);
    if (!LoadStill(block, size)) return FALSE;
    return PrepareSurface(width, height);
  }

  GifFrame last;
  GifFrameData cut;
  while (gif.ExtractFrame(cut)) {
    if (cut.hasImage) {
      last.width = cut.width;
      last.height = cut.height;
      last.left = cut.left;
      last.top = cut.top;
    }
    HGLOBAL frameBlock = ::GlobalAlloc(GMEM_FIXED, cut.bytes.size());
    if (frameBlock == nullptr) break;
    std::memcpy(frameBlock, cut.bytes.data(), cut.bytes.size());
    // The stream owns the frame's block; a frame that does not decode is dropped.
    IStream* stream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(frameBlock, TRUE, &stream)) || stream == nullptr) {
      ::GlobalFree(frameBlock);
      continue;
    }
    IPicture* picture = nullptr;
    const HRESULT hr = ::OleLoadPicture(stream, static_cast<LONG>(cut.bytes.size()), FALSE, IID_IPicture,
                                        reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(hr) || picture == nullptr) continue;
    GifFrame frame = last;
    frame.picture = picture;
    frame.delay = cut.delay;
    frame.disposal = cut.disposal;
    state.frames.push_back(frame);
  }
  ::GlobalUnlock(block);
  if (state.frames.empty()) return FALSE;
  return PrepareSurface(width, height);
}

BOOL CPictureEx::LoadAnimationResource() {
  const LPCWSTR name = MAKEINTRESOURCEW(kAnimationResourceId);
  HINSTANCE module = AfxFindResourceHandle(name, kAnimationResourceType);
  HRSRC resource = ::FindResourceW(module, name, kAnimationResourceType);
  if (resource == nullptr) return FALSE;
  const DWORD size = ::SizeofResource(module, resource);
  HGLOBAL loaded = ::LoadResource(module, resource);
  const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
  if (bytes == nullptr || size == 0) return FALSE;
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_NODISCARD, size);
  if (block == nullptr) return FALSE;
  void* copy = ::GlobalLock(block);
  if (copy == nullptr) {
    ::GlobalFree(block);
    return FALSE;
  }
  std::memcpy(copy, bytes, size);
  ::GlobalUnlock(block);
  const BOOL loadedOk = LoadFromMemory(block, size);
  ::GlobalFree(block);
  return loadedOk;
}

BOOL CPictureEx::PrepareSurface(int width, int height) {
  if (width <= 0 || height <= 0) return FALSE;
  if (m_hWnd != nullptr)
    SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  HDC windowDC = ::GetDC(m_hWnd);
  if (windowDC == nullptr) return FALSE;
  State& state = *m_state;
  std::lock_guard<std::mutex> guard(state.lock);
  state.surface = ::CreateCompatibleDC(windowDC);
  state.surfaceBitmap = state.surface ? ::CreateCompatibleBitmap(windowDC, width, height) : nullptr;
  ::ReleaseDC(m_hWnd, windowDC);
  if (state.surface == nullptr || state.surfaceBitmap == nullptr) {
    if (state.surface) ::DeleteDC(state.surface);
    if (state.surfaceBitmap) ::DeleteObject(state.surfaceBitmap);
    state.surface = nullptr;
    state.surfaceBitmap = nullptr;
    return FALSE;
  }
  state.surfaceReplaced = ::SelectObject(state.surface, state.surfaceBitmap);
  state.width = width;
  state.height = height;
  // One colour for the first fill, the disposals and the fill at the end of each loop.
  state.background = ::GetSysColor(COLOR_BTNFACE);
  FillRect(state.surface, 0, 0, width, height, state.background);
  state.surfaceReady = true;
  return TRUE;
}

BOOL CPictureEx::Display() {
  State& state = *m_state;
  if (!state.surfaceReady) return FALSE;
  if (state.isGif && state.frames.size() > 1) {
    if (m_thread != nullptr) return FALSE;  // already playing
    state.window = m_hWnd;
    auto* reference = new std::shared_ptr<State>(m_state);
    unsigned id = 0;
    m_thread = reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, &AnimationThreadProc, reference,
                                                         CREATE_SUSPENDED, &id));
    if (m_thread == nullptr) {
      delete reference;
      return FALSE;
    }
    ::ResumeThread(m_thread);
    return FALSE;
  }
  bool drawn;
  {
    std::lock_guard<std::mutex> guard(state.lock);
    drawn = RenderPicture(state.still, state.surface, 0, 0, state.width, state.height);
  }
  if (!drawn) return FALSE;
  if (m_hWnd != nullptr) Invalidate(FALSE);
  return TRUE;
}

void CPictureEx::StopAnimation() {
  State& state = *m_state;
  state.playing = false;
  state.exit = true;
  ::SetEvent(state.stopEvent);
  if (m_thread != nullptr) {
    const DWORD waited = ::WaitForSingleObject(m_thread, m_stopWaitMs);
    ::CloseHandle(m_thread);
    m_thread = nullptr;
    if (waited != WAIT_OBJECT_0) {
      // The worker is still drawing: leave it its state (exit set, event signalled), which it
      // frees when it ends, and go on with an empty one.
      m_state = std::make_shared<State>();
      if (m_hWnd != nullptr) Invalidate(FALSE);
      return;
    }
  }
  ::ResetEvent(state.stopEvent);
  state.exit = false;
}

void CPictureEx::ReleaseImage() {
  StopAnimation();
  m_state->ReleaseContent();
}

BOOL CPictureEx::IsGif() const { return m_state->isGif; }
BOOL CPictureEx::IsPlaying() const { return m_state->playing; }
CSize CPictureEx::GetPictureSize() const { return CSize(m_state->width, m_state->height); }
int CPictureEx::GetFrameCount() const { return static_cast<int>(m_state->frames.size()); }
GifFrame CPictureEx::GetFrame(int index) const {
  if (index < 0 || index >= GetFrameCount()) return GifFrame();
  return m_state->frames[static_cast<size_t>(index)];
}
int CPictureEx::GetCurrentFrame() const { return m_state->currentFrame; }
COLORREF CPictureEx::GetBackground() const { return m_state->background; }

HBITMAP CPictureEx::CopySurface() const {
  State& state = *m_state;
  std::lock_guard<std::mutex> guard(state.lock);
  if (!state.surfaceReady) return nullptr;
  HDC screen = ::GetDC(nullptr);
  HBITMAP copy = ::CreateCompatibleBitmap(screen, state.width, state.height);
  HDC dc = ::CreateCompatibleDC(screen);
  ::ReleaseDC(nullptr, screen);
  if (copy == nullptr || dc == nullptr) {
    if (copy) ::DeleteObject(copy);
    if (dc) ::DeleteDC(dc);
    return nullptr;
  }
  HGDIOBJ old = ::SelectObject(dc, copy);
  ::BitBlt(dc, 0, 0, state.width, state.height, state.surface, 0, 0, SRCCOPY);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  return copy;
}

void CPictureEx::OnPaint() {
  CPaintDC dc(this);
  std::shared_ptr<State> state = m_state;
  {
    std::lock_guard<std::mutex> guard(state->lock);
    if (state->surfaceReady) {
      ::BitBlt(dc.m_hDC, 0, 0, state->width, state->height, state->surface, 0, 0, SRCCOPY);
      return;
    }
  }
  // Nothing loaded: the dialog's own background, not the static's text.
  CRect client;
  GetClientRect(&client);
  HBRUSH brush = nullptr;
  if (HWND parent = ::GetParent(m_hWnd))
    brush = reinterpret_cast<HBRUSH>(
        ::SendMessageW(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.m_hDC), reinterpret_cast<LPARAM>(m_hWnd)));
  ::FillRect(dc.m_hDC, &client, brush ? brush : ::GetSysColorBrush(COLOR_BTNFACE));
}

void CPictureEx::OnDestroy() {
  StopAnimation();
  CStatic::OnDestroy();
}
