# Right-to-left reordering (the Unicode Bidirectional Algorithm) with its generated character
# data (tools/unicode/gen_bidi_tables.py): portable.
list(APPEND TOOLKIT_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/rich_bidi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rich_bidi_reorder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rich_bidi_tables.cpp
)
