# settings_add_tests(<library> [LIBS extra...])
# Every tst_*.cpp in the calling folder becomes one QtTest executable linking <library>,
# registered with CTest under the offscreen platform.
function(settings_add_tests library)
  cmake_parse_arguments(ARG "" "" "LIBS;LABELS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tst_*.cpp)
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  foreach(source ${sources})
    get_filename_component(name ${source} NAME_WE)
    set(target ${folder}_${name})
    add_executable(${target} ${source})
    target_link_libraries(${target} PRIVATE ${library} ${ARG_LIBS} Qt6::Test)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${folder}/${name} COMMAND ${target})
    set_tests_properties(${folder}/${name} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_FONT_DPI=96;VELWDM_BOARDS="
      LABELS "${folder};${ARG_LABELS}" TIMEOUT 120)
  endforeach()
endfunction()
