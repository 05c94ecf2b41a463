# Run-time options of the sanitizers for every test of a SETTINGS_SANITIZE build: the first
# report of any kind ends the test with a failure, leaks included, with a stack to read. Test
# entries made with add_test elsewhere append ${SETTINGS_SANITIZER_ENVIRONMENT} to theirs.
set(SETTINGS_SANITIZER_ENVIRONMENT "")
if(SETTINGS_SANITIZE)
  set(SETTINGS_SANITIZER_ENVIRONMENT
    "ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:strict_string_checks=1"
    "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1"
    "LSAN_OPTIONS=report_objects=1")
endif()

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
    set(environment QT_QPA_PLATFORM=offscreen QT_FONT_DPI=96 VELWDM_BOARDS= ${SETTINGS_SANITIZER_ENVIRONMENT})
    set_tests_properties(${folder}/${name} PROPERTIES
      ENVIRONMENT "${environment}"
      LABELS "${folder};${ARG_LABELS}" TIMEOUT 120)
  endforeach()
endfunction()
