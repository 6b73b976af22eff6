#include "controls/html/markup_renderer.h"

#include <algorithm>
#include <cwctype>
#include <string_view>

#include "controls/html/markup_scanner.h"

namespace html {

namespace {

// Characters after which a run may wrap.
bool IsBreakChar(wchar_t c) {
  switch (c) {
    case L' ': case L'-': case L'.': case L',': case L'!': case L':': case L';':
    case L')': case L'}': case L']': case L'?':
      return true;
    default:
      return false;
  }
}

int CountSpaces(const std::wstring& text) { return static_cast<int>(std::count(text.begin(), text.end(), L' ')); }

void TrimRight(std::wstring& text) {
  const std::size_t end = text.find_last_not_of(L' ');
  text.erase(end == std::wstring::npos ? 0 : end + 1);
}


void Transform(std::wstring& run, int transform) {
  if (transform == kUpperCase) {
    for (wchar_t& c : run) c = static_cast<wchar_t>(std::towupper(c));
  } else if (transform == kLowerCase || transform == kCapitalise) {
    for (wchar_t& c : run) c = static_cast<wchar_t>(std::towlower(c));
    if (transform == kCapitalise)
      for (std::size_t i = 0; i < run.size(); ++i)
        if (run[i] >= L'a' && run[i] <= L'z' && (i == 0 || run[i - 1] == L' '))
          run[i] = static_cast<wchar_t>(run[i] - L'a' + L'A');
  }
}

// Runs longer than this are first measured by their start when wrapping: when the start alone
// overflows the line, the whole run does, and a long text is not measured again for every line.
constexpr std::size_t kProbeLength = 256;

}  // namespace

MarkupRenderer::MarkupRenderer(const std::function<Colour(int)>& sysColour) : m_colours(sysColour) {
  RegisterTags();
}

void MarkupRenderer::RegisterTags() {
  const struct {
    const wchar_t* name;
    TagKind kind;
    const wchar_t* style;
    int value;
  } kTags[] = {
      {L"b", TagKind::Bold, L"bold", 0},
      {L"i", TagKind::Italic, L"italic", 0},
      {L"em", TagKind::Italic, L"italic", 0},
      {L"u", TagKind::Underline, L"underline", 0},
      {L"s", TagKind::Strikeout, L"strikeout", 0},
      {L"strike", TagKind::Strikeout, L"strikeout", 0},
      {L"font", TagKind::Font, L"font", 0},
      {L"hr", TagKind::Rule, L"", 0},
      {L"br", TagKind::Break, L"", 0},
      {L"\n", TagKind::Break, L"", 0},
      {L"t", TagKind::Tab, L"", 0},
      {L"\t", TagKind::Tab, L"", 0},
      {L"left", TagKind::HAlign, L"left", kAlignLeft},
      {L"center", TagKind::HAlign, L"center", kAlignCenter},
      {L"right", TagKind::HAlign, L"right", kAlignRight},
      {L"justify", TagKind::HAlign, L"justify", kAlignJustify},
      {L"baseline", TagKind::VAlign, L"baseline", kVAlignBaseline},
      {L"top", TagKind::VAlign, L"top", kVAlignTop},
      {L"vcenter", TagKind::VAlign, L"vcenter", kVAlignMiddle},
      {L"middle", TagKind::VAlign, L"vcenter", kVAlignMiddle},
      {L"bottom", TagKind::VAlign, L"bottom", kVAlignBottom},
      {L"bmp", TagKind::Bitmap, L"", 0},
      {L"icon", TagKind::Icon, L"", 0},
      {L"ilst", TagKind::ImageStrip, L"", 0},
      {L"string", TagKind::String, L"", 0},
      {L"span", TagKind::Span, L"span", 0},
      {L"a", TagKind::Anchor, L"link", 0},
  };
  for (const auto& t : kTags) m_tags[t.name] = TagInfo{t.kind, t.style, t.value};
  for (const wchar_t* rule : {L"body", L"h1", L"h2", L"h3", L"h4", L"h5", L"h6", L"code", L"pre", L"big", L"small",
                              L"sub", L"sup"})
    m_tags[rule] = TagInfo{TagKind::RuleTag, rule, 0};
}

Size MarkupRenderer::Measure(HtmlSurface& surface, const std::wstring& text) {
  surface.SetJustification(0, 0);
  m_text = PrepareText(text, m_settings.convertBreaks);
  Size size;
  if (m_text.empty()) return size;
  m_measuring = true;
  size = RenderPass(surface, Rect{0, 0, m_settings.maxWidth, 0});
  if (size.cx == 0 && size.cy == 0) {
    m_text.clear();
    return size;
  }
  if (m_settings.maxWidth != 0 && size.cx > m_settings.maxWidth) size.cx = m_settings.maxWidth;
  size.cx = SatAdd(size.cx, 1);
  size.cy = SatAdd(size.cy, 1);
  return size;
}

void MarkupRenderer::Paint(HtmlSurface& surface, const Rect& rect) {
  if (m_text.empty()) return;
  m_measuring = false;
  RenderPass(surface, rect);
}

Size MarkupRenderer::RenderPass(HtmlSurface& surface, const Rect& rect) {
  m_surface = &surface;
  if (m_measuring) {
    m_lines.clear();
    m_animations.clear();
    m_tables.clear();
    m_tableSlots = 0;
  }
  m_tableDepth = 0;
  // Hit testing takes the first matching area, so the areas of the latest drawing pass suffice.
  m_links.clear();
  m_lineCounter = 0;
  m_tableCounter = m_linkCounter = m_animationCounter = -1;
  m_styleStack.clear();
  m_line = LineRecord{};

  m_style = TextStyle{};
  m_metrics = surface.BeginPass();
  ApplyStyleRule(L"body", m_style);
  ApplyFont();

  // Tables are cut out of the text and laid out as grids; the text between them flows.
  Size size;
  Rect work = rect;
  auto account = [&](const Size& part) {
    size.cx = std::max(size.cx, part.cx);
    size.cy = SatAdd(size.cy, part.cy);
    if (!m_measuring) work.top = SatAdd(work.top, part.cy);
  };
  std::size_t pos = 0;
  while (pos < m_text.size()) {
    const std::size_t start = FindTag(L"table", m_text, pos);
    if (start > pos) account(RenderFlow(m_text.substr(pos, start - pos), work));
    if (start >= m_text.size()) break;
    const std::size_t end = FindTableEnd(m_text, start);
    account(RenderTable(m_text.substr(start, end - start), work));
    pos = end;
  }

  surface.SetJustification(0, 0);
  surface.EndPass();
  m_styleStack.clear();
  m_surface = nullptr;
  return size;
}

void MarkupRenderer::ApplyFont() { m_metrics = m_surface->ApplyStyle(m_style); }

LengthUnits MarkupRenderer::Units() {
  LengthUnits units;
  units.em = m_metrics.height;
  units.ex = m_surface ? m_surface->MeasureText(L"x").cx : 0;
  units.dpiY = m_surface ? m_surface->DpiY() : 96;
  return units;
}

void MarkupRenderer::ApplyStyleRule(const std::wstring& selector, TextStyle& style) {
  if (const std::wstring* block = m_sheet.Find(selector)) ApplyDeclarations(*block, style, m_colours, Units());
}

Size MarkupRenderer::RenderFlow(const std::wstring& content, const Rect& rect) {
  Size size;
  std::wstring text = L"<body>" + content;
  // A lone '<' at the end of the content is a literal '<': escape it so that the closing body
  // tag is not read as its second half.
  const std::size_t lastOther = content.find_last_not_of(L'<');
  const std::size_t trailing = content.size() - (lastOther == std::wstring::npos ? 0 : lastOther + 1);
  if (trailing % 2 == 1) text += L'<';
  text += L"</body>";
  m_flow = rect;
  m_y = rect.top;
  const int firstLine = m_lineCounter;
  m_x = BeginLine(rect.left);

  std::wstring run, tag;
  std::size_t pos = 0;
  while (pos < text.size()) {
    NextRunAndTag(text, pos, run, tag);
    ProcessRun(run, size);
    if (!tag.empty()) ProcessTag(tag, size);
  }
  if (m_x != m_lineStartX) {
    m_line.justify = 0;
    EndLines(1, size);
  }
  m_surface->SetJustification(0, 0);
  size.cy = SatSub(m_y, rect.top);

  for (int i = std::max(firstLine, 0); i < m_lineCounter && i < static_cast<int>(m_lines.size()); ++i) {
    const int p = m_lines[i].rulePercent;
    if (p != 0) size.cx = std::max(size.cx, SatAdd(m_lines[i].width, MulDiv(p, size.cx, 100)));
  }
  return size;
}

int MarkupRenderer::BeginLine(int x) {
  const int width = SatSub(m_flow.right, m_flow.left);
  if (m_measuring) {
    const int justify = m_line.justify;
    m_line = LineRecord{};
    m_line.justify = justify;
    m_line.align = m_style.hAlign;
    m_lines.push_back(m_line);
    m_lineStartX = x;
    return x;
  }
  // A line the measuring pass did not store (the text measured differently) draws as an empty
  // line rather than reading past the records.
  if (m_lineCounter >= 0 && m_lineCounter < static_cast<int>(m_lines.size()))
    m_line = m_lines[m_lineCounter];
  else
    m_line = LineRecord{};
  if (m_line.rulePercent != 0) m_line.width = SatAdd(m_line.width, MulDiv(width, m_line.rulePercent, 100));
  if (m_line.align == kAlignJustify && m_line.justify == 1)
    m_surface->SetJustification(SatSub(width, m_line.width), m_line.spaceCount);
  else
    m_surface->SetJustification(0, 0);
  m_remainingWidth = m_line.width;
  m_remainingSpaces = m_line.spaceCount;
  if (m_line.align == kAlignCenter) x = SatAdd(m_flow.left, SatSub(width, m_line.width) / 2);
  else if (m_line.align == kAlignRight) x = SatAdd(m_flow.left, SatSub(width, m_line.width));
  m_lineStartX = x;
  return x;
}

void MarkupRenderer::StoreLine() {
  if (m_lineCounter < 0) return;
  if (static_cast<std::size_t>(m_lineCounter) >= m_lines.size()) m_lines.resize(m_lineCounter + 1);
  m_lines[m_lineCounter] = m_line;
}

void MarkupRenderer::CompleteLine(Size& size) {
  if (m_line.ascent == 0) m_line.ascent = m_metrics.height;
  const int width = SatSub(m_x, m_flow.left);
  size.cx = std::max(size.cx, width);
  m_line.width = width;
  m_line.ascent = SatAdd(m_line.ascent, m_line.descent);
  StoreLine();
}

void MarkupRenderer::EndLines(int count, Size& size) {
  if (m_measuring) CompleteLine(size);
  ++m_lineCounter;
  m_y = SatAdd(m_y, SatMul(std::max(count, 1), m_line.ascent));
  m_x = BeginLine(m_flow.left);
}

int MarkupRenderer::PlaceTextRun(int y, int cy) {
  if (m_measuring) {
    m_line.descent = std::max(m_line.descent, SatSub(cy, m_metrics.ascent));
    m_line.ascent = std::max(m_line.ascent, m_metrics.ascent);
    return y;
  }
  const int h = m_line.ascent, d = m_line.descent;
  switch (m_style.vAlign) {
    case kVAlignTop: return y;
    case kVAlignMiddle: return SatAdd(y, SatSub(h, m_metrics.height) / 2);
    case kVAlignBottom: return SatSub(SatAdd(y, h), m_metrics.ascent);
    default: return SatSub(SatSub(SatAdd(y, h), m_metrics.ascent), d);
  }
}

void MarkupRenderer::AdvanceToTab(int count) {
  const int tab = m_settings.tabWidth;
  if (tab <= 0) return;
  if (count == 0) count = 1;
  const long long offset = static_cast<long long>(m_x) - m_flow.left;
  if (offset % tab != 0) {
    const long long next = (offset / tab + (offset > 0 ? 1 : 0)) * tab;
    m_x = Saturate(m_flow.left + next);
    --count;
  }
  m_x = SatAdd(m_x, SatMul(count, tab));
}

int MarkupRenderer::WidthOf(std::wstring_view text, std::size_t length) {
  return length == 0 ? 0 : m_surface->MeasureText(std::wstring(text.substr(0, length))).cx;
}

Size MarkupRenderer::MeasureRun(std::wstring_view run, int room, bool wrapping) {
  if (wrapping && run.size() > kProbeLength) {
    const Size probe = m_surface->MeasureText(std::wstring(run.substr(0, kProbeLength)));
    if (probe.cx > room) return probe;
  }
  return m_surface->MeasureText(std::wstring(run));
}

// Cuts a run that is too wide for the room left on the line into the head drawn now and the
// rest, which starts at restStart. Prefix widths grow with their length, so the cut is searched
// by galloping and bisection rather than by measuring every prefix.
void MarkupRenderer::SplitRunToFit(std::wstring_view run, int room, bool lineEmpty, std::wstring& head,
                                   std::size_t& restStart, int& headWidth) {
  // Break positions are collected only as far as the search looks, and never beyond a prefix
  // that is already too wide (a long word must not be scanned to its end for every line).
  std::vector<std::size_t> breaks;
  std::size_t scanned = 0;
  bool exhausted = false;
  auto breakAt = [&](std::size_t k) -> bool {
    while (breaks.size() <= k && scanned < run.size() && !exhausted) {
      if (IsBreakChar(run[scanned])) breaks.push_back(scanned);
      ++scanned;
      if (scanned % kProbeLength == 0 && WidthOf(run, scanned) > room) exhausted = true;
    }
    return breaks.size() > k;
  };
  auto fits = [&](std::size_t k) { return WidthOf(run, breaks[k]) <= room; };

  if (breakAt(0) && fits(0)) {
    std::size_t good = 0, step = 1, bad = 0;
    while (true) {
      const std::size_t probe = good + step;
      if (!breakAt(probe)) {
        bad = breaks.size();  // past the last break
        break;
      }
      if (!fits(probe)) {
        bad = probe;
        break;
      }
      good = probe;
      step *= 2;
    }
    while (bad - good > 1) {
      const std::size_t mid = good + (bad - good) / 2;
      if (fits(mid)) good = mid;
      else bad = mid;
    }
    const std::size_t cut = breaks[good];
    head.assign(run.substr(0, cut + 1));
    TrimRight(head);
    restStart = cut + 1;
    while (restStart < run.size() && run[restStart] == L' ') ++restStart;
    headWidth = WidthOf(head, head.size());
    return;
  }
  if (lineEmpty) {
    // Cut inside the word before the first character that overflows; keep at least one.
    std::size_t good = 1, bad = 0;
    if (WidthOf(run, 1) <= room) {
      std::size_t step = 1;
      while (true) {
        const std::size_t probe = std::min(good + step, run.size());
        if (WidthOf(run, probe) > room) {
          bad = probe;
          break;
        }
        good = probe;
        if (probe == run.size()) break;
        step *= 2;
      }
      while (bad > good + 1) {
        const std::size_t mid = good + (bad - good) / 2;
        if (WidthOf(run, mid) <= room) good = mid;
        else bad = mid;
      }
    }
    head.assign(run.substr(0, good));
    restStart = good;
    headWidth = WidthOf(head, head.size());
    return;
  }
  head.clear();
  restStart = 0;
  headWidth = 0;
}

void MarkupRenderer::AddLinkArea(int left, int top, int right, int bottom) {
  if (m_measuring || m_style.linkKind == kNoLink) return;
  m_links.push_back(LinkArea{Rect{left, top, right, bottom}, m_style.linkKind, m_linkCounter, m_style.linkTarget});
}

void MarkupRenderer::ProcessRun(std::wstring run, Size& size) {
  Transform(run, m_style.textTransform);
  const int flowWidth = SatSub(m_flow.right, m_flow.left);
  const bool wrapping = m_settings.maxWidth != 0 && flowWidth != 0;
  // The rest of a run that wrapped is the part from `start` on.
  std::size_t start = 0;
  while (start < run.size()) {
    const std::wstring_view rest(run.data() + start, run.size() - start);
    m_surface->SetJustification(0, 0);
    const int room = SatSub(flowWidth, SatSub(m_x, m_flow.left));
    const Size extent = MeasureRun(rest, room, wrapping);
    const int y = PlaceTextRun(m_y, extent.cy);

    std::wstring head;
    std::size_t restStart = rest.size();
    int headWidth = extent.cx;
    if (wrapping && extent.cx > room)
      SplitRunToFit(rest, room, m_x == m_lineStartX, head, restStart, headWidth);
    else
      head.assign(rest);

    if (!m_measuring && headWidth != 0) {
      if (headWidth == m_remainingWidth && !head.empty() && head.back() == L' ') {
        // The line's last content: its trailing spaces take no part in justification.
        std::wstring trimmed = head;
        TrimRight(trimmed);
        const int trimmedWidth = WidthOf(trimmed, trimmed.size());
        m_remainingSpaces = CountSpaces(trimmed);
        m_remainingWidth = SatSub(m_remainingWidth, SatSub(headWidth, trimmedWidth));
        head.swap(trimmed);
        headWidth = trimmedWidth;
      }
      if (m_line.align == kAlignJustify && m_line.justify == 1)
        m_surface->SetJustification(SatSub(SatSub(m_flow.right, m_x), m_remainingWidth), m_remainingSpaces);
      m_remainingWidth = SatSub(m_remainingWidth, headWidth);
      const Size drawn = m_surface->MeasureText(head);
      AddLinkArea(m_x, y, SatAdd(m_x, drawn.cx), SatAdd(y, drawn.cy));
      m_surface->DrawText(m_x, y, head);
      m_remainingSpaces -= CountSpaces(head);
      if (m_style.overline)
        m_surface->DrawLine(m_x, y, SatAdd(m_x, drawn.cx), y, m_style.textColour, 1, m_style.weight >= 700 ? 2 : 1);
      headWidth = drawn.cx;
    }
    if (m_measuring) {
      m_line.align = m_style.hAlign;
      m_line.spaceCount = SatAdd(m_line.spaceCount, CountSpaces(head));
    }
    m_x = SatAdd(m_x, headWidth);

    if (restStart >= rest.size()) break;
    m_line.justify = 1;
    EndLines(1, size);
    start += restStart;
  }
}

bool MarkupRenderer::PushOrPopStyle(bool opening, const std::wstring& styleName) {
  if (opening) {
    m_styleStack.push_back(m_style);
    m_styleStack.back().name = styleName;
    return true;
  }
  const bool restored = !m_styleStack.empty() && m_styleStack.back().name == styleName;
  if (restored) {
    m_style = std::move(m_styleStack.back());
    m_styleStack.pop_back();
  }
  m_style.name.clear();
  return restored;
}

void MarkupRenderer::ProcessTag(const std::wstring& tag, Size& size) {
  m_style.name.clear();
  std::wstring name, attributes;
  SplitTag(tag, name, attributes);
  const bool closing = !name.empty() && name[0] == L'/';
  if (closing) name.erase(0, 1);
  const auto it = m_tags.find(name);
  if (it == m_tags.end()) return;
  const TagInfo& info = it->second;

  if (info.styleName.empty()) {
    switch (info.kind) {
      case TagKind::Break:
      case TagKind::Tab: {
        const int count = attributes.empty() ? 1 : ParseLength(1, attributes.substr(1), false, Units());
        if (info.kind == TagKind::Tab) {
          AdvanceToTab(count);
        } else {
          m_line.justify = 0;
          EndLines(count, size);
        }
        break;
      }
      case TagKind::Rule:
        ProcessRule(attributes);
        break;
      case TagKind::Bitmap:
      case TagKind::Icon:
      case TagKind::ImageStrip:
        ProcessImage(info.kind, attributes, size);
        break;
      case TagKind::String:
        ProcessString(attributes);
        break;
      default:
        break;
    }
    return;
  }

  if (closing) {
    if (PushOrPopStyle(false, info.styleName)) ApplyFont();
    return;
  }
  PushOrPopStyle(true, info.styleName);
  ApplyStyledTag(info, attributes);
  ApplyFont();
}

void MarkupRenderer::ApplyStyledTag(const TagInfo& info, const std::wstring& attributes) {
  std::wstring name, value;
  std::size_t pos = 0;
  switch (info.kind) {
    case TagKind::Bold:
      m_style.weight = std::min(SatMul(m_style.weight, 2), 900);
      break;
    case TagKind::Italic:
      m_style.italic = m_style.italic ? 0 : 1;
      break;
    case TagKind::Underline:
      m_style.underline = m_style.underline ? 0 : 1;
      break;
    case TagKind::Strikeout:
      m_style.strikeout = m_style.strikeout ? 0 : 1;
      break;
    case TagKind::Font:
      ApplyFontAttributes(attributes);
      break;
    case TagKind::HAlign:
      m_style.hAlign = info.value;
      break;
    case TagKind::VAlign:
      m_style.vAlign = info.value;
      break;
    case TagKind::RuleTag:
      ApplyStyleRule(info.styleName, m_style);
      break;
    case TagKind::Span:
      while (NextAttribute(attributes, pos, name, value))
        if (name == L"class") ApplyStyleRule(L"." + value, m_style);
      break;
    case TagKind::Anchor:
      m_style.linkKind = kMessageLink;
      m_style.linkTarget.clear();
      while (NextAttribute(attributes, pos, name, value)) {
        if (name == L"href") {
          m_style.linkKind = kAddressLink;
          m_style.linkTarget = value;
        } else if (name == L"msg") {
          m_style.linkKind = kMessageLink;
          m_style.linkTarget = value;
        }
      }
      ++m_linkCounter;
      ApplyStyleRule(m_linkCounter == hotLink ? L"a:hover" : L"a:link", m_style);
      break;
    default:
      break;
  }
}

void MarkupRenderer::ApplyFontAttributes(const std::wstring& attributes) {
  std::wstring name, value;
  std::size_t pos = 0;
  while (NextAttribute(attributes, pos, name, value)) {
    if (name == L"face") {
      m_style.faceName = value;
    } else if (name == L"size") {
      m_style.fontSize = ParseLength(m_style.fontSize, value, true, Units());
    } else if (name == L"color") {
      m_style.textColour = m_colours.enabled ? ParseColour(m_style.textColour, value, m_colours) : m_colours.disabled;
    } else if (name == L"style") {
      bool on = true;
      for (wchar_t c : value) {
        switch (c) {
          case L'-': on = false; continue;
          case L'+': on = true; continue;
          case L'b': m_style.weight = on ? 700 : 400; break;
          case L'i': m_style.italic = on; break;
          case L'u': m_style.underline = on; break;
          case L's': m_style.strikeout = on; break;
          case L'o': m_style.overline = on; break;
          default: continue;
        }
        on = true;
      }
    } else if (name == L"weight") {
      TextStyle scratch;
      ApplyDeclarations(L"font-weight:" + value, scratch, m_colours, Units());
      m_style.weight = scratch.weight;
    } else if (name == L"bkgnd") {
      if (value == L"transparent" || !m_colours.enabled) {
        m_style.backgroundMode = kTransparent;
      } else {
        m_style.backgroundMode = kOpaque;
        m_style.backgroundColour = ParseColour(m_style.backgroundColour, value, m_colours);
      }
    }
  }
}

void MarkupRenderer::ProcessRule(const std::wstring& attributes) {
  TextStyle rule = m_style;
  rule.borderWidth = 1;
  ApplyStyleRule(L"hr", rule);
  int width = 100;
  bool percent = true;
  std::wstring name, value;
  std::size_t pos = 0;
  while (NextAttribute(attributes, pos, name, value)) {
    if (name == L"width") {
      percent = !value.empty() && value.back() == L'%';
      width = ParseLength(100, value, false, Units());
    } else if (name == L"size") {
      rule.borderWidth = ParseLength(rule.borderWidth, value, false, Units());
    } else if (name == L"color") {
      rule.textColour = m_colours.enabled ? ParseColour(rule.textColour, value, m_colours) : m_colours.disabled;
    }
  }
  if (m_measuring) {
    if (percent) m_line.rulePercent = SatAdd(m_line.rulePercent, width);
    m_line.ascent = std::max(m_line.ascent, SatAdd(rule.borderWidth, 8));
    m_line.align = m_style.hAlign;
    m_x = SatAdd(m_x, percent ? 1 : width);
    return;
  }
  const int drawn = percent ? MulDiv(SatSub(m_flow.right, m_flow.left), width, 100) : width;
  const int middle = SatAdd(m_y, m_line.ascent / 2);
  m_surface->DrawLine(m_x, middle, SatAdd(m_x, drawn), middle, rule.textColour, 1, rule.borderWidth);
  m_x = SatAdd(m_x, drawn);
}

}  // namespace html
