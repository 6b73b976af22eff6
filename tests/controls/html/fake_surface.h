// A fixed-pitch surface for layout tests: every character is half the font size wide, the cell
// height is the font size and the ascent three quarters of it. It records what is drawn.
#pragma once

#include <algorithm>
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
  int Height() const { return std::clamp(m_style.fontSize, 1, 4000); }
  int CharWidth() const { return std::max(1, Height() / 2); }
  html::FontMetrics Metrics() const { return {Height(), Height() * 3 / 4}; }

  html::TextStyle m_style;
  int m_extra = 0;
  int m_spaces = 0;
};

}  // namespace htmltest
