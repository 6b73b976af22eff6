// Inline objects of the markup: bitmaps, icons, image-list images and animated strips, string
// resources; and what the owner's window asks of the drawn links and animations.
#include <algorithm>
#include <limits>

#include "controls/html/markup_renderer.h"
#include "controls/html/markup_scanner.h"

namespace html {

namespace {

int NonNegative(int v) { return v < 0 ? 0 : v; }

// A drawn length: a percentage of the natural one, or pixels.
int DrawnLength(bool percent, int natural, int value) {
  return NonNegative(percent ? MulDiv(natural, value, 100) : value);
}

}  // namespace

void MarkupRenderer::ParseImageAttributes(const std::wstring& attributes, ImageParams& p) {
  auto letters = [&](const std::wstring& value) {
    unsigned flags = 0;
    for (wchar_t c : value) {
      if (c == L'g') flags |= kFxGrey;
      else if (c == L'd') flags |= kFxDarker;
      else if (c == L'l') flags |= kFxBrighter;
      else if (c == L's' && (m_settings.shadowDx != 0 || m_settings.shadowDy != 0))
        flags |= m_settings.softShadow ? kFxSoftShadow : kFxHardShadow;
    }
    return flags;
  };
  std::wstring name, value;
  std::size_t pos = 0;
  const LengthUnits units = Units();
  while (NextAttribute(attributes, pos, name, value)) {
    if (name == L"index") p.index = ParseLength(p.index, value, false, units);
    else if (name == L"idres") p.idres = ParseLength(p.idres, value, false, units);
    else if (name == L"iddll") p.iddll = ParseLength(p.iddll, value, false, units);
    else if (name == L"handle") p.handle = value.empty() ? p.handle : ReadUnsigned(value);
    else if (name == L"cx") p.cx = ParseLength(p.cx, value, false, units);
    else if (name == L"cy") p.cy = ParseLength(p.cy, value, false, units);
    else if (name == L"speed") p.speed = ParseLength(p.speed, value, false, units);
    else if (name == L"file") p.file = value;
    else if (name == L"srcdll") p.srcdll = value;
    else if (name == L"mask") {
      p.maskColour = ParseColour(p.maskColour, value, m_colours);
      p.mask = 1;
    } else if (name == L"style") {
      p.style = p.hotStyle = letters(value);
    } else if (name == L"hotstyle") {
      p.hotStyle = letters(value);
    } else if (name == L"width") {
      p.widthPercent = !value.empty() && value.back() == L'%';
      p.width = ParseLength(p.width, value, false, units);
    } else if (name == L"height") {
      p.heightPercent = !value.empty() && value.back() == L'%';
      p.height = ParseLength(p.height, value, false, units);
    }
  }
}

int MarkupRenderer::PlaceImage(int y, int height) {
  if (m_measuring) {
    m_line.ascent = std::max(m_line.ascent, height);
    return y;
  }
  const int h = m_line.ascent, d = m_line.descent;
  switch (m_style.vAlign) {
    case kVAlignTop: return y;
    case kVAlignMiddle: return SatAdd(y, SatSub(h, height) / 2);
    case kVAlignBottom: return SatSub(SatAdd(y, h), height);
    default: return SatSub(SatSub(SatAdd(y, h), d), height);
  }
}

void MarkupRenderer::ProcessImage(TagKind tagKind, const std::wstring& attributes, Size& size) {
  ImageParams p;
  ParseImageAttributes(attributes, p);
  const ImageKind kind = tagKind == TagKind::Bitmap ? ImageKind::Bitmap
                         : tagKind == TagKind::Icon ? ImageKind::Icon
                                                    : ImageKind::ImageStrip;
  // Without a source an "ilst" takes its image from the drawer's image list.
  if (kind == ImageKind::ImageStrip && !p.HasSource() && p.index < 0) return;
  const std::unique_ptr<InlineImage> image = m_surface->OpenImage(kind, p);
  if (!image) return;
  const Size natural = image->NaturalSize();
  if (natural.cx <= 0 || natural.cy <= 0) return;

  ImageDraw draw;
  draw.frame = p.index;
  int w = 0, h = 0;
  bool placeByLayout = false;  // image-list images and strips are placed by their layout height
  bool animated = false;
  int frames = 0;
  if (kind == ImageKind::Bitmap) {
    w = DrawnLength(p.widthPercent, natural.cx, p.width);
    h = DrawnLength(p.heightPercent, natural.cy, p.height);
  } else if (kind == ImageKind::Icon) {
    w = natural.cx;
    h = natural.cy;
  } else if (image->FromImageList()) {
    w = DrawnLength(p.widthPercent, natural.cx, p.width);
    h = DrawnLength(p.heightPercent, natural.cy, p.height);
    placeByLayout = true;
  } else {
    int cx = p.cx, cy = p.cy;
    if (cx == 0 && cy == 0) cx = cy = std::min(natural.cx, natural.cy);
    else if (cx == 0) cx = cy;
    else if (cy == 0) cy = cx;
    // A frame size that comes out as nothing (or negative) shows nothing rather than dividing by it.
    if (cx <= 0 || cy <= 0) return;
    const long long count = static_cast<long long>(natural.cx / cx) * (natural.cy / cy);
    if (count <= 0 || count > std::numeric_limits<int>::max()) return;
    frames = static_cast<int>(count);
    if (p.index < 0 || p.index >= frames) return;
    draw.cellWidth = cx;
    draw.cellHeight = cy;
    w = DrawnLength(p.widthPercent, cx, p.width);
    h = DrawnLength(p.heightPercent, cy, p.height);
    placeByLayout = true;
    animated = p.speed != 0;
  }
  const bool shadow = ((p.style | p.hotStyle) & (kFxHardShadow | kFxSoftShadow)) != 0;
  int layoutW = w, layoutH = h;
  if (shadow && w != 0 && h != 0) {
    layoutW = SatAdd(w, m_settings.shadowDx);
    layoutH = SatAdd(h, m_settings.shadowDy);
  }

  if (animated) {
    if (m_measuring) {
      m_animations.push_back(AnimationSlot{p.index, frames, 0, p.speed});
    } else {
      ++m_animationCounter;
      if (m_animationCounter >= 0 && m_animationCounter < static_cast<int>(m_animations.size())) {
        const int frame = m_animations[m_animationCounter].frame;
        if (frame >= 0 && frame < frames) draw.frame = frame;
      }
    }
  }

  const int flowWidth = SatSub(m_flow.right, m_flow.left);
  const int room = SatSub(flowWidth, SatSub(m_x, m_flow.left));
  // An image too wide for what is left of the line starts the next one; on an empty line it
  // stays (ending an empty line would only add a blank one).
  if (m_settings.maxWidth != 0 && flowWidth != 0 && layoutW > room && m_x != m_lineStartX) {
    m_line.justify = 1;
    EndLines(1, size);
  }
  if (m_measuring) m_line.align = m_style.hAlign;
  else m_remainingWidth = SatSub(m_remainingWidth, layoutW);
  const int y = PlaceImage(m_y, placeByLayout ? layoutH : h);

  if (!m_measuring && w != 0 && h != 0) {
    AddLinkArea(m_x, y, SatAdd(m_x, layoutW), SatAdd(y, layoutH));
    unsigned flags = m_style.linkKind != kNoLink && m_linkCounter == hotLink ? p.hotStyle : p.style;
    if (!m_colours.enabled) flags = (flags & 0xFF00u) | kFxSingleColour;
    draw.x = m_x;
    draw.y = y;
    draw.width = w;
    draw.height = h;
    draw.flags = flags;
    draw.shadow = shadow;
    image->Draw(draw, p);
  }
  m_x = SatAdd(m_x, layoutW);
}

void MarkupRenderer::ProcessString(const std::wstring& attributes) {
  int id = 0;
  std::wstring name, value;
  std::size_t pos = 0;
  while (NextAttribute(attributes, pos, name, value))
    if (name == L"idres" || name == L"iddll") id = ParseLength(id, value, false, Units());
  if (id == 0) return;
  const std::wstring text = m_surface->LoadResourceString(id);
  if (text.empty()) return;
  m_surface->SetJustification(0, 0);
  const Size extent = m_surface->MeasureText(text);
  if (m_measuring) m_line.align = m_style.hAlign;
  const int y = PlaceTextRun(m_y, extent.cy);
  if (!m_measuring) {
    AddLinkArea(m_x, y, SatAdd(m_x, extent.cx), SatAdd(y, extent.cy));
    m_surface->DrawText(m_x, y, text);
  }
  m_x = SatAdd(m_x, extent.cx);
}

int MarkupRenderer::HitTestLinks(int x, int y) const {
  for (std::size_t i = 0; i < m_links.size(); ++i) {
    const Rect& r = m_links[i].rect;
    if (r.left <= x && x <= r.right && r.top <= y && y <= r.bottom) return static_cast<int>(i);
  }
  return -1;
}

bool MarkupRenderer::AdvanceAnimations() {
  bool changed = false;
  for (AnimationSlot& slot : m_animations) {
    if (slot.frameCount <= 0) continue;
    ++slot.ticks;
    // A speed below one tick per frame (a hostile text) moves every tick.
    if (slot.ticks >= std::max(slot.speed, 1)) {
      slot.frame = slot.frame + 1 >= slot.frameCount ? 0 : slot.frame + 1;
      slot.ticks = 0;
      changed = true;
    }
  }
  return changed;
}

}  // namespace html
