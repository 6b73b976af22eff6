# Rich content engine: the item tree, styles, style sheets and CSS values are portable; the GDI
# side (fonts, device-context guards) is Windows only.
set(_rc ${CMAKE_CURRENT_LIST_DIR})
list(APPEND TOOLKIT_PORTABLE
  ${_rc}/rich_text.cpp
  ${_rc}/rich_platform.cpp
  ${_rc}/rich_state_set.cpp
  ${_rc}/rich_events.cpp
  ${_rc}/rich_font_description.cpp
  ${_rc}/rich_style_description.cpp
  ${_rc}/rich_style_rule.cpp
  ${_rc}/rich_rule_pool.cpp
  ${_rc}/rich_block_cache.cpp
  ${_rc}/rich_item_arena.cpp
  ${_rc}/rich_list_nodes.cpp
  ${_rc}/rich_item.cpp
  ${_rc}/rich_layout.cpp
  ${_rc}/rich_handlers.cpp
  ${_rc}/rich_html_parser.cpp
  ${_rc}/rich_property_handlers.cpp
  ${_rc}/rich_doc_objects.cpp
  ${_rc}/rich_css_values.cpp
  ${_rc}/rich_css_colors.cpp
  ${_rc}/rich_entities.cpp
  ${_rc}/rich_hls.cpp
  ${_rc}/rich_stylesheet.cpp
  ${_rc}/rich_value_parsers.cpp
)
if(WIN32)
  # The portable code reaches the system through this platform, so it links with it.
  list(APPEND TOOLKIT_PORTABLE ${_rc}/rich_win32.cpp)
  list(APPEND TOOLKIT_WINDOWS ${_rc}/rich_gdi.cpp)
else()
  list(APPEND TOOLKIT_PORTABLE ${_rc}/rich_platform_standin.cpp)
endif()
# Table grids, item geometry, hit testing and element scroll bars (portable), and the painter
# that draws the bars through the paint manager (Windows).
list(APPEND TOOLKIT_PORTABLE
  ${_rc}/rich_table_layout.cpp
  ${_rc}/rich_geometry.cpp
  ${_rc}/rich_hit_test.cpp
  ${_rc}/rich_scroll_bars.cpp
  ${_rc}/rich_list_numbers.cpp
  ${_rc}/rich_doc_archive.cpp
  ${_rc}/rich_style_pass.cpp
  ${_rc}/rich_measure.cpp
  ${_rc}/rich_layout_pass.cpp
  ${_rc}/rich_line_layout.cpp
  ${_rc}/rich_table_pass.cpp
  ${_rc}/rich_plain_text.cpp
  ${_rc}/rich_page_layout.cpp
  ${_rc}/rich_text_index.cpp
  ${_rc}/rich_paint_index.cpp
)
if(WIN32)
  list(APPEND TOOLKIT_WINDOWS ${_rc}/rich_scroll_paint.cpp ${_rc}/rich_paint.cpp ${_rc}/rich_draw_text.cpp
    ${_rc}/rich_page_renderer.cpp)
endif()
include(${CMAKE_CURRENT_LIST_DIR}/bidi_sources.cmake)
