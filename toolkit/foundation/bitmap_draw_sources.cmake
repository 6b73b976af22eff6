# Drawing the toolkit bitmap: opaque, nine-grid and skin drawing, alpha blending with the
# premultiplied-bitmap cache, and window regions from colour keys and skin corners (Windows only).
list(APPEND TOOLKIT_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/ext_bitmap_draw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ext_bitmap_alpha.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ext_bitmap_cache.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ext_bitmap_regions.cpp
)
