
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/src/batch/BatchCommand.cpp" "src/batch/CMakeFiles/orinote-batch.dir/BatchCommand.cpp.o" "gcc" "src/batch/CMakeFiles/orinote-batch.dir/BatchCommand.cpp.o.d"
  "/work/main/src/batch/main.cpp" "src/batch/CMakeFiles/orinote-batch.dir/main.cpp.o" "gcc" "src/batch/CMakeFiles/orinote-batch.dir/main.cpp.o.d"
  "/work/main/b/src/batch/orinote-batch_autogen/mocs_compilation.cpp" "src/batch/CMakeFiles/orinote-batch.dir/orinote-batch_autogen/mocs_compilation.cpp.o" "gcc" "src/batch/CMakeFiles/orinote-batch.dir/orinote-batch_autogen/mocs_compilation.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/b/src/CMakeFiles/orinote_core.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
