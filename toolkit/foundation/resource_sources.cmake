# Foundation: the resource manager and its bounded readers of resource formats (portable), the
# window-procedure hook chains and thread hooks, and the resource dialog base (Windows).
list(APPEND TOOLKIT_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/resource_formats.cpp
)
list(APPEND TOOLKIT_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/resource_manager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/resource_holder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hook_chains.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hook_spy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/res_dlg.cpp
)
