# The toolkit bitmap: the DIB block and the BMP stream are portable (sanitizers, fuzz target);
# the bitmap class with its handles, icons, archives and clipboard is Windows only.
list(APPEND TOOLKIT_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/bmp_dib.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bmp_stream.cpp
)
list(APPEND TOOLKIT_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/ext_bitmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ext_bitmap_handles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ext_bitmap_io.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ext_bitmap_clipboard.cpp
)
