# Bitmap resampling and colour effects (portable, over the DIB block), the bitmap class's
# wrappers of them and the command icon (Windows).
list(APPEND TOOLKIT_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/bmp_resample.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bmp_effects.cpp
)
list(APPEND TOOLKIT_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/ext_bitmap_scale.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ext_bitmap_effects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cmd_icon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cmd_icon_paint.cpp
)
