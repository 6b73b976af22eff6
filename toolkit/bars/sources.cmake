# Bars and popup menus.
list(APPEND TOOLKIT_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/memory_dc.cpp
)
