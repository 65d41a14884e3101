# CMake generated Testfile for 
# Source directory: /work/main/fuzz
# Build directory: /work/main/b/fuzz
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
add_test([=[replay_document]=] "/work/main/b/fuzz/replay_document" "/work/main/fuzz/corpus/document")
set_tests_properties([=[replay_document]=] PROPERTIES  _BACKTRACE_TRIPLES "/work/main/fuzz/CMakeLists.txt;14;add_test;/work/main/fuzz/CMakeLists.txt;0;")
add_test([=[replay_template]=] "/work/main/b/fuzz/replay_template" "/work/main/fuzz/corpus/template")
set_tests_properties([=[replay_template]=] PROPERTIES  _BACKTRACE_TRIPLES "/work/main/fuzz/CMakeLists.txt;14;add_test;/work/main/fuzz/CMakeLists.txt;0;")
add_test([=[replay_addressbook]=] "/work/main/b/fuzz/replay_addressbook" "/work/main/fuzz/corpus/addressbook")
set_tests_properties([=[replay_addressbook]=] PROPERTIES  _BACKTRACE_TRIPLES "/work/main/fuzz/CMakeLists.txt;14;add_test;/work/main/fuzz/CMakeLists.txt;0;")
