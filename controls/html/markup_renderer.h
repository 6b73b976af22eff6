// Lays out and paints a markup text on an HtmlSurface in two passes over the same code: the
// measuring pass stores the metrics of every line, the drawing pass reads them back by counting
// and paints. The Windows drawer (CPPHtmlDrawer) wraps it around a device context.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "controls/html/html_surface.h"
#include "controls/html/html_types.h"
#include "controls/html/style_sheet.h"

namespace html {

enum class TagKind {
  Bold, Italic, Underline, Strikeout, Font, Rule, Break, Tab, HAlign, VAlign,
  Bitmap, Icon, ImageStrip, String, RuleTag, Span, Anchor,
};

struct TagInfo {
  TagKind kind;
  std::wstring styleName;  // empty for object tags, which act alike when opening and closing
  int value = 0;           // the alignment of the alignment tags
};

struct RendererSettings {
  int maxWidth = 0;  // 0: lines break only at breaks
  int tabWidth = 32;
  bool convertBreaks = true;  // line feeds and tabs in the text become "<br>" and "<t>"
};

class MarkupRenderer {
 public:
  // sysColour gives GetSysColor of an index for the system colour names.
  explicit MarkupRenderer(const std::function<Colour(int)>& sysColour);
  virtual ~MarkupRenderer() = default;

  // Prepares the text and measures it: the size that drawing it needs, each side one pixel more;
  // 0 × 0 for a text that shows nothing (it is then forgotten).
  Size Measure(HtmlSurface& surface, const std::wstring& text);
  // Draws the measured text into a rectangle at least as large as the measured size.
  void Paint(HtmlSurface& surface, const Rect& rect);
  // One pass in the current mode over the prepared text.
  Size RenderPass(HtmlSurface& surface, const Rect& rect);

  void SetMeasuring(bool measuring) { m_measuring = measuring; }
  bool Measuring() const { return m_measuring; }
  const std::wstring& PreparedText() const { return m_text; }

  void SetStyleSheet(const std::wstring* text) { m_sheet.Set(text); }
  const StyleSheet& Sheet() const { return m_sheet; }
  ColourNames& Colours() { return m_colours; }
  RendererSettings& Settings() { return m_settings; }
  const std::map<std::wstring, TagInfo>& Tags() const { return m_tags; }

  const std::vector<LineRecord>& Lines() const { return m_lines; }
  int LineCount() const { return m_lineCounter; }
  const std::vector<LinkArea>& Links() const { return m_links; }
  std::vector<AnimationSlot>& Animations() { return m_animations; }
  int hotLink = -2;  // index of the link under the pointer, -2 for none

 protected:
  // The current style and its font.
  TextStyle& Style() { return m_style; }
  void ApplyFont();
  void ApplyStyleRule(const std::wstring& selector, TextStyle& style);
  LengthUnits Units();

 private:
  Size RenderFlow(const std::wstring& content, const Rect& rect);
  void ProcessRun(std::wstring run, Size& size);
  void ProcessTag(const std::wstring& tag, Size& size);
  void ApplyStyledTag(const TagInfo& info, const std::wstring& attributes);
  void ApplyFontAttributes(const std::wstring& attributes);
  void ProcessRule(const std::wstring& attributes);
  bool PushOrPopStyle(bool opening, const std::wstring& styleName);

  int BeginLine(int x);
  void CompleteLine(Size& size);
  void StoreLine();
  void EndLines(int count, Size& size);
  int PlaceTextRun(int y, int cy) ;
  void AdvanceToTab(int count);
  Size MeasureRun(std::wstring_view run, int room, bool wrapping);
  void SplitRunToFit(std::wstring_view run, int room, bool lineEmpty, std::wstring& head, std::size_t& restStart,
                     int& headWidth);
  int WidthOf(std::wstring_view text, std::size_t length);
  void AddLinkArea(int left, int top, int right, int bottom);

  void RegisterTags();

  HtmlSurface* m_surface = nullptr;
  bool m_measuring = true;
  std::wstring m_text;
  RendererSettings m_settings;
  StyleSheet m_sheet;
  ColourNames m_colours;
  std::map<std::wstring, TagInfo> m_tags;

  TextStyle m_style;
  std::vector<TextStyle> m_styleStack;
  FontMetrics m_metrics;
  LineRecord m_line;
  std::vector<LineRecord> m_lines;
  std::vector<LinkArea> m_links;
  std::vector<AnimationSlot> m_animations;
  int m_lineCounter = 0;
  int m_tableCounter = -1;
  int m_linkCounter = -1;
  int m_animationCounter = -1;

  // The flow being rendered.
  Rect m_flow;
  int m_x = 0;
  int m_y = 0;
  int m_lineStartX = 0;
  int m_remainingWidth = 0;  // drawing: content width of the line not drawn yet
  int m_remainingSpaces = 0;
};

}  // namespace html
