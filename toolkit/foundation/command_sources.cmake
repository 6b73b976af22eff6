# Foundation: command items, profiles and the command manager, their import from menus and
# tool bars, and the registry archive of usage statistics. The archive's layout and checksum
# are portable (sanitizers, fuzz run); the rest talks to windows and the registry.
list(APPEND TOOLKIT_PORTABLE
  ${CMAKE_CURRENT_LIST_DIR}/registry_archive_format.cpp
)
list(APPEND TOOLKIT_WINDOWS
  ${CMAKE_CURRENT_LIST_DIR}/cmd_item.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cmd_profile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cmd_profile_registry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cmd_manager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cmd_import.cpp
  ${CMAKE_CURRENT_LIST_DIR}/registry_archive.cpp
)
