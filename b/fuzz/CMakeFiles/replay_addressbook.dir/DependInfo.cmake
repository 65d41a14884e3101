
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/fuzz/fuzz_addressbook.cpp" "fuzz/CMakeFiles/replay_addressbook.dir/fuzz_addressbook.cpp.o" "gcc" "fuzz/CMakeFiles/replay_addressbook.dir/fuzz_addressbook.cpp.o.d"
  "/work/main/b/fuzz/replay_addressbook_autogen/mocs_compilation.cpp" "fuzz/CMakeFiles/replay_addressbook.dir/replay_addressbook_autogen/mocs_compilation.cpp.o" "gcc" "fuzz/CMakeFiles/replay_addressbook.dir/replay_addressbook_autogen/mocs_compilation.cpp.o.d"
  "/work/main/fuzz/replay_main.cpp" "fuzz/CMakeFiles/replay_addressbook.dir/replay_main.cpp.o" "gcc" "fuzz/CMakeFiles/replay_addressbook.dir/replay_main.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/b/src/CMakeFiles/orinote_core.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
