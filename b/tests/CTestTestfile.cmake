# CMake generated Testfile for 
# Source directory: /work/main/tests
# Build directory: /work/main/b/tests
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
add_test([=[tst_textcodec]=] "/work/main/b/tests/tst_textcodec")
set_tests_properties([=[tst_textcodec]=] PROPERTIES  ENVIRONMENT "QT_QPA_PLATFORM=offscreen" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;5;add_test;/work/main/tests/CMakeLists.txt;9;orinote_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[tst_archive]=] "/work/main/b/tests/tst_archive")
set_tests_properties([=[tst_archive]=] PROPERTIES  ENVIRONMENT "QT_QPA_PLATFORM=offscreen" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;5;add_test;/work/main/tests/CMakeLists.txt;10;orinote_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[tst_addressbook]=] "/work/main/b/tests/tst_addressbook")
set_tests_properties([=[tst_addressbook]=] PROPERTIES  ENVIRONMENT "QT_QPA_PLATFORM=offscreen" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;5;add_test;/work/main/tests/CMakeLists.txt;11;orinote_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[tst_template]=] "/work/main/b/tests/tst_template")
set_tests_properties([=[tst_template]=] PROPERTIES  ENVIRONMENT "QT_QPA_PLATFORM=offscreen" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;5;add_test;/work/main/tests/CMakeLists.txt;12;orinote_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[tst_document]=] "/work/main/b/tests/tst_document")
set_tests_properties([=[tst_document]=] PROPERTIES  ENVIRONMENT "QT_QPA_PLATFORM=offscreen" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;5;add_test;/work/main/tests/CMakeLists.txt;13;orinote_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[tst_documentfile]=] "/work/main/b/tests/tst_documentfile")
set_tests_properties([=[tst_documentfile]=] PROPERTIES  ENVIRONMENT "QT_QPA_PLATFORM=offscreen" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;5;add_test;/work/main/tests/CMakeLists.txt;14;orinote_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[tst_undo]=] "/work/main/b/tests/tst_undo")
set_tests_properties([=[tst_undo]=] PROPERTIES  ENVIRONMENT "QT_QPA_PLATFORM=offscreen" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;5;add_test;/work/main/tests/CMakeLists.txt;15;orinote_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[tst_batch]=] "/work/main/b/tests/tst_batch")
set_tests_properties([=[tst_batch]=] PROPERTIES  ENVIRONMENT "QT_QPA_PLATFORM=offscreen" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;5;add_test;/work/main/tests/CMakeLists.txt;16;orinote_test;/work/main/tests/CMakeLists.txt;0;")
