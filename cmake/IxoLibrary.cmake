# Ninja reruns moc only for the headers it has already seen, so a header that a glob brings in
# later (a new file, a merge) would never be moc'ed in an existing build folder. When a target's
# source list changes, its moc stamp is removed, which makes the next build rerun moc.
function(ixo_autogen_follows_sources target sources)
  set(list_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_sources.txt)
  set(previous "")
  if(EXISTS ${list_file})
    file(READ ${list_file} previous)
  endif()
  if(NOT previous STREQUAL "${sources}")
    file(WRITE ${list_file} "${sources}")
    file(REMOVE ${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/timestamp)
  endif()
endfunction()

# One static library per source folder. Sources are picked up by globbing so that a new
# class only needs its files; the folder's CMakeLists names the layers it links.
#   ixo_library(NAME ixo_common DIR ${CMAKE_CURRENT_SOURCE_DIR} EXCLUDE widgets
#               PUBLIC_LIBS ixo_platform Qt6::Core)
function(ixo_library)
  cmake_parse_arguments(ARG "" "NAME;DIR" "EXCLUDE;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${ARG_DIR}/*.cpp" "${ARG_DIR}/*.h" "${ARG_DIR}/*.ui")
  # A program's main.cpp belongs to its executable, never to a library.
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  foreach(sub IN LISTS ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "^${ARG_DIR}/${sub}/")
  endforeach()
  if(NOT sources)
    # A layer whose folder holds no code yet still links its neighbours through.
    add_library(${ARG_NAME} INTERFACE)
    target_include_directories(${ARG_NAME} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${ARG_NAME} INTERFACE ${ARG_PUBLIC_LIBS})
    return()
  endif()
  add_library(${ARG_NAME} STATIC ${sources})
  ixo_autogen_follows_sources(${ARG_NAME} "${sources}")
  target_include_directories(${ARG_NAME} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${ARG_NAME} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
endfunction()

# One GoogleTest executable per test folder; every *_test.cpp below DIR belongs to it.
function(ixo_test)
  cmake_parse_arguments(ARG "" "NAME;DIR" "LIBS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${ARG_DIR}/*_test.cpp" "${ARG_DIR}/*_fixture.h")
  if(NOT sources)
    return()
  endif()
  add_executable(${ARG_NAME} ${sources})
  ixo_autogen_follows_sources(${ARG_NAME} "${sources}")
  target_link_libraries(${ARG_NAME} PRIVATE ixo_test_support ${ARG_LIBS} GTest::gmock)
  target_compile_definitions(${ARG_NAME} PRIVATE IXO_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${ARG_NAME} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES TIMEOUT 300)
endfunction()
