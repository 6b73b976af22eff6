# Paint managers and themes: colour arithmetic and layout rules (portable), the holder, the
# visual-styles wrappers, the base paint manager and its utilities (Windows).
list(APPEND TOOLKIT_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/color_math.cpp
  ${CMAKE_CURRENT_LIST_DIR}/os_facts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scrollbar_layout.cpp
)
list(APPEND TOOLKIT_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/ux_theme.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pm_holder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pm_sync.cpp
  ${CMAKE_CURRENT_LIST_DIR}/paint_manager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/paint_manager_xp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pm_marks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pm_utils.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pm_scrollbar.cpp
)
