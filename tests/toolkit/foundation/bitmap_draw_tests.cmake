# Drawing the toolkit bitmap (opaque, nine-grid, skins, alpha, the cache, regions) under Wine.
if(WIN32)
  ov_add_test(ext_bitmap_draw_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ext_bitmap_draw_test.cpp
    LIBS toolkit TIMEOUT 120)
endif()
