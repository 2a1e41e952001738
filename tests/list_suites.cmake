# Writes one CTest test per GoogleTest suite of a test program: run after the
# program is built, with -D EXE=<program> -D OUT=<file> -D DIR=<folder>.
# A suite's tests share one process: the tests of the whole program run in
# eight seconds, while a process of their own each costs the sanitizers'
# start-up 500 times over.
execute_process(COMMAND ${EXE} --gtest_list_tests OUTPUT_VARIABLE listing RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${EXE} --gtest_list_tests failed (${rc})")
endif()
string(REPLACE "\n" ";" lines "${listing}")
set(text "")
foreach(line IN LISTS lines)
  # Suite lines start in the first column and end with "." (a comment may follow).
  if(line MATCHES "^([^ #]+)\\.( .*)?$")
    set(suite ${CMAKE_MATCH_1})
    string(APPEND text "add_test([==[${suite}]==] [==[${EXE}]==] [==[--gtest_filter=${suite}.*]==])\n"
                       "set_tests_properties([==[${suite}]==] PROPERTIES WORKING_DIRECTORY [==[${DIR}]==])\n")
  endif()
endforeach()
file(WRITE ${OUT} "${text}")
