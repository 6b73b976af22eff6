# The toolkit bitmap: the DIB block and the BMP stream natively (under the sanitizers in the asan
# tree, with ImageMagick as the outside reference and a bounded fuzz run), the bitmap class, its
# archives and the clipboard under Wine.
set(_bt ${CMAKE_CURRENT_LIST_DIR})
if(NOT WIN32)
  find_program(OV_IMAGEMAGICK_CONVERT convert)
  ov_add_test(bmp_stream_test
    SOURCES ${_bt}/bmp_dib_test.cpp ${_bt}/bmp_stream_test.cpp ${_bt}/bmp_imagemagick_test.cpp
    LIBS toolkit_portable TIMEOUT 120)
  if(OV_IMAGEMAGICK_CONVERT)
    target_compile_definitions(bmp_stream_test PRIVATE OV_IMAGEMAGICK_CONVERT="${OV_IMAGEMAGICK_CONVERT}")
  endif()
  ov_add_test(bmp_stream_fuzz_test
    SOURCES ${_bt}/bmp_fuzz_test.cpp ${_bt}/bmp_fuzz_target.cpp
    LIBS toolkit_portable TIMEOUT 120)
endif()
if(WIN32)
  ov_add_test(ext_bitmap_test
    SOURCES ${_bt}/ext_bitmap_test.cpp ${_bt}/fixtures/bitmap_resources.rc
    LIBS toolkit TIMEOUT 120)
  add_executable(ext_bitmap_clip_peer ${_bt}/clip_peer.cpp)
  target_link_libraries(ext_bitmap_clip_peer PRIVATE toolkit)
  ov_add_test(ext_bitmap_clipboard_test
    SOURCES ${_bt}/ext_bitmap_clipboard_test.cpp
    LIBS toolkit gui_harness TIMEOUT 120)
  add_dependencies(ext_bitmap_clipboard_test ext_bitmap_clip_peer)
endif()
