// A fixed-pitch surface for layout tests: every character is half the font size wide, the cell
// height is the font size and the ascent three quarters of it. It records what is drawn.
#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controls/html/html_surface.h"

namespace htmltest {

struct DrawnText {
  int x, y;
  std::wstring text;
  html::TextStyle style;
  int width, height;
};

struct DrawnLine {
  int x1, y1, x2, y2;
  html::Colour colour;
  int width;
};

struct DrawnImage {
  html::ImageKind kind;
  html::ImageDraw draw;
};

struct DrawnBox {  // a background (style -1) or a frame
  html::Rect rect;
  int style;
  int width;
};

class FakeSurface : public html::HtmlSurface {
 public:
  // Adds to every measurement of a text this many pixels per character (a font that measures
  // differently on the second pass).
  int drift = 0;
  // Keeps what is drawn; off for texts with millions of pieces.
  bool record = true;

  html::FontMetrics BeginPass() override {
    texts.clear();
    lines.clear();
    images.clear();
    backgrounds.clear();
    frames.clear();
    ++passes;
    return Metrics();
  }
  void EndPass() override { m_extra = m_spaces = 0; }
  html::FontMetrics ApplyStyle(const html::TextStyle& style) override {
    m_style = style;
    return Metrics();
  }
  html::Size MeasureText(const std::wstring& text) override {
    const int n = static_cast<int>(text.size());
    int cx = n * (CharWidth() + drift);
    if (m_spaces > 0) cx += static_cast<int>(std::count(text.begin(), text.end(), L' ')) * (m_extra / m_spaces);
    return {cx, Height()};
  }
  void SetJustification(int extra, int spaces) override {
    m_extra = extra;
    m_spaces = spaces;
  }
  void DrawText(int x, int y, const std::wstring& text) override {
    ++drawCalls;
    if (!record) return;
    const html::Size s = MeasureText(text);
    texts.push_back({x, y, text, m_style, s.cx, s.cy});
  }
  void DrawLine(int x1, int y1, int x2, int y2, html::Colour colour, int, int width) override {
    lines.push_back({x1, y1, x2, y2, colour, width});
  }
  int DpiY() override { return 96; }

  // Images by "idres" (bitmaps, icons and strips) and the image list's cells by index: their
  // natural sizes. Strings by id.
  std::map<int, html::Size> bitmaps;
  std::map<int, html::Size> listImages;
  std::map<int, std::wstring> strings;

  std::unique_ptr<html::InlineImage> OpenImage(html::ImageKind kind, const html::ImageParams& p) override {
    const bool fromList = kind == html::ImageKind::ImageStrip && !p.HasSource();
    const auto& source = fromList ? listImages : bitmaps;
    const auto it = source.find(fromList ? p.index : p.idres);
    if (it == source.end()) return nullptr;
    return std::make_unique<Image>(*this, kind, it->second, fromList);
  }
  std::wstring LoadResourceString(int id) override {
    const auto it = strings.find(id);
    return it == strings.end() ? std::wstring() : it->second;
  }
  void PaintBackground(const html::Rect& r, int, html::Colour, html::Colour, html::Colour) override {
    if (record) backgrounds.push_back({r, -1, 0});
  }
  void PaintFrame(const html::Rect& r, html::Colour, html::Colour, int style, int width) override {
    if (record) frames.push_back({r, style, width});
  }

  std::vector<DrawnImage> images;
  std::vector<DrawnBox> backgrounds;
  std::vector<DrawnBox> frames;

  // Concatenation of the drawn texts.
  std::wstring Text() const {
    std::wstring all;
    for (const DrawnText& t : texts) all += t.text;
    return all;
  }

  std::vector<DrawnText> texts;
  std::vector<DrawnLine> lines;
  int passes = 0;
  int drawCalls = 0;

 private:
  class Image : public html::InlineImage {
   public:
    Image(FakeSurface& s, html::ImageKind kind, html::Size size, bool fromList)
        : m_s(s), m_kind(kind), m_size(size), m_fromList(fromList) {}
    html::Size NaturalSize() const override { return m_size; }
    bool FromImageList() const override { return m_fromList; }
    void Draw(const html::ImageDraw& d, const html::ImageParams&) override {
      if (m_s.record) m_s.images.push_back({m_kind, d});
    }

   private:
    FakeSurface& m_s;
    html::ImageKind m_kind;
    html::Size m_size;
    bool m_fromList;
  };

  int Height() const { return std::clamp(m_style.fontSize, 1, 4000); }
  int CharWidth() const { return std::max(1, Height() / 2); }
  html::FontMetrics Metrics() const { return {Height(), Height() * 3 / 4}; }

  html::TextStyle m_style;
  int m_extra = 0;
  int m_spaces = 0;
};

}  // namespace htmltest
