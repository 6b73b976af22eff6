# Foundation: each piece lists its own sources so they can grow side by side.
include(${CMAKE_CURRENT_LIST_DIR}/resource_sources.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/bitmap_sources.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/bitmap_effects_sources.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/bitmap_draw_sources.cmake)
