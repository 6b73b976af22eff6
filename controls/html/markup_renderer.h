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
  // Image shadows: the "s" style letter casts a soft or a hard one; its offsets widen the image.
  bool softShadow = true;
  int shadowDx = 4;
  int shadowDy = 4;
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
  const std::vector<TableLayout>& Tables() const { return m_tables; }
  int hotLink = -2;  // index of the link under the pointer, -2 for none

  // The first link area of the last drawing pass that holds the point (edges included), or -1.
  int HitTestLinks(int x, int y) const;
  // One timer tick for every animated strip; true when a frame changed.
  bool AdvanceAnimations();

  // Nested tables deeper than this are shown as the text of their cells.
  static constexpr int kMaxTableDepth = 16;
  // Grid slots one table may have; spans and cells beyond are clipped.
  static constexpr long long kMaxTableSlots = 1 << 16;

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

  // Inline objects.
  void ProcessImage(TagKind kind, const std::wstring& attributes, Size& size);
  void ParseImageAttributes(const std::wstring& attributes, ImageParams& params);
  void ProcessString(const std::wstring& attributes);
  int PlaceImage(int y, int height);

  // Tables.
  Size RenderTable(const std::wstring& table, const Rect& rect);
  void RenderTableRow(const std::wstring& row, const Rect& inner, TableLayout& layout, int r);
  void RenderTableCell(CellRecord& record, const std::wstring& cell, const Rect& rect);
  Size RenderCellContent(const std::wstring& content, Rect& rect);
  void MeasureTableGrid(const std::wstring& table, int& columns, int& rows);
  void ParseTableAttributes(const std::wstring& attributes, TextStyle& style, bool tableMode, int& colSpan,
                            int& rowSpan);
  static void ResolveSpans(TableLayout& layout);
  // Pushes a table level's style; the matching close restores it even when a tag inside was
  // left open.
  std::size_t OpenLevel(const wchar_t* name);
  void CloseLevel(std::size_t depth, const wchar_t* name);

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
  std::vector<TableLayout> m_tables;
  int m_tableDepth = 0;
  long long m_tableSlots = 0;  // grid slots the measuring pass has made
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
