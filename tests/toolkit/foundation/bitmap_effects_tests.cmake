# Bitmap resampling and colour effects natively (under the sanitizers in the asan tree); the
# bitmap's wrappers, the command icon and the base disabled icon image under Wine.
set(_bet ${CMAKE_CURRENT_LIST_DIR})
if(NOT WIN32)
  ov_add_test(bmp_effects_test
    SOURCES ${_bet}/bmp_resample_test.cpp ${_bet}/bmp_effects_test.cpp
    LIBS toolkit_portable TIMEOUT 60)
endif()
if(WIN32)
  ov_add_test(cmd_icon_test
    SOURCES ${_bet}/ext_bitmap_effects_test.cpp ${_bet}/cmd_icon_test.cpp ${_bet}/cmd_icon_paint_test.cpp
            ${PROJECT_SOURCE_DIR}/tests/controls/canvas.cpp
    LIBS toolkit gui_harness TIMEOUT 60)
  target_include_directories(cmd_icon_test PRIVATE ${PROJECT_SOURCE_DIR}/tests/controls)
endif()
