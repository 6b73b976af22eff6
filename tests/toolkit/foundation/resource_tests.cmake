# Foundation: the readers of resource formats (natively too, under the sanitizers), and under
# Wine the resource manager over a two-language resource library, the hook chains and thread
# hooks, and the resource dialog base. Included from the parent folder's list.
set(_fdir ${CMAKE_CURRENT_LIST_DIR})

ov_add_test(foundation_formats_test
  SOURCES ${_fdir}/resource_formats_test.cpp ${_fdir}/resource_formats_fuzz_test.cpp
  LIBS toolkit_portable TIMEOUT 60)

if(WIN32)
  # The resource library in two languages, loaded as a data file by the tests.
  add_library(foundation_lang_resources SHARED ${_fdir}/fixtures/lang_resources.rc)
  set_target_properties(foundation_lang_resources PROPERTIES LINKER_LANGUAGE C PREFIX "")
  target_include_directories(foundation_lang_resources PRIVATE ${_fdir}/fixtures)
  target_link_options(foundation_lang_resources PRIVATE -nostdlib -Wl,-e,0)
  set_source_files_properties(${_fdir}/fixtures/lang_resources.rc PROPERTIES OBJECT_DEPENDS
    "${_fdir}/fixtures/lang_ids.h;${_fdir}/fixtures/strip.bmp")

  function(foundation_test name)
    ov_add_test(${name} SOURCES ${ARGN} LIBS toolkit gui_harness TIMEOUT 120)
    target_include_directories(${name} PRIVATE ${_fdir} ${_fdir}/fixtures)
    add_dependencies(${name} foundation_lang_resources)
  endfunction()
  foundation_test(foundation_resource_manager_test ${_fdir}/resource_manager_test.cpp ${_fdir}/lang_library.cpp)
  foundation_test(foundation_hook_chains_test ${_fdir}/hook_chains_test.cpp)
  foundation_test(foundation_hook_spy_test ${_fdir}/hook_spy_test.cpp)
  foundation_test(foundation_res_dlg_test ${_fdir}/res_dlg_test.cpp ${_fdir}/lang_library.cpp)
endif()
