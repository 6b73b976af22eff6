# Command items, profiles, the command manager, their import and the registry archive: the
# archive's layout natively (under the sanitizers in the asan tree), the rest under Wine with
# the program's own menu, tool bar and strings beside small fixtures of their own.
set(_ct ${CMAKE_CURRENT_LIST_DIR})
ov_add_test(registry_archive_format_test
  SOURCES ${_ct}/registry_archive_format_test.cpp
  LIBS toolkit_portable TIMEOUT 60)
if(WIN32)
  ov_add_test(cmd_items_test
    SOURCES ${_ct}/cmd_items_test.cpp ${_ct}/cmd_profiles_test.cpp ${_ct}/fixtures/command_resources.rc
    LIBS toolkit TIMEOUT 120)
  target_include_directories(cmd_items_test PRIVATE ${_ct}/fixtures)
  ov_add_test(cmd_registry_test
    SOURCES ${_ct}/cmd_registry_test.cpp
    LIBS toolkit TIMEOUT 120)
  ov_add_test(cmd_import_test
    SOURCES ${_ct}/cmd_import_test.cpp ${_ct}/fixtures/command_resources.rc $<TARGET_OBJECTS:ov_resources>
    LIBS toolkit gui_harness comctl32 TIMEOUT 120)
  target_include_directories(cmd_import_test PRIVATE ${_ct}/fixtures ${PROJECT_SOURCE_DIR}/resources)
  set_source_files_properties(${_ct}/fixtures/command_resources.rc PROPERTIES OBJECT_DEPENDS
    "${_ct}/fixtures/command_ids.h;${_ct}/fixtures/three_buttons.bmp")
endif()
