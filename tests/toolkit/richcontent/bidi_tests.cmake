# Right-to-left reordering natively (under the sanitizers in the asan tree), checked against the
# Unicode conformance files that scripts/setup installs in /usr/share/unicode; the reordering of
# real text also under Wine, as the program runs it.
if(NOT WIN32)
  ov_add_test(richbidi_tests
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/rich_bidi_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/rich_bidi_conformance_test.cpp
    LIBS toolkit_portable TIMEOUT 120)
  if(OV_SANITIZE)
    # Every case natively; a sample of them under the sanitizers, which run some 30 times slower.
    target_compile_definitions(richbidi_tests PRIVATE OV_BIDI_CASE_STRIDE=7)
  endif()
endif()
if(WIN32)
  ov_add_test(richbidi_win_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/rich_bidi_test.cpp
    LIBS toolkit_portable TIMEOUT 120)
endif()
