file(REMOVE_RECURSE
  "CMakeFiles/tst_undo_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/tst_undo_autogen.dir/ParseCache.txt"
  "tst_undo_autogen"
  "CMakeFiles/tst_undo.dir/tst_undo.cpp.o"
  "CMakeFiles/tst_undo.dir/tst_undo.cpp.o.d"
  "CMakeFiles/tst_undo.dir/tst_undo_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/tst_undo.dir/tst_undo_autogen/mocs_compilation.cpp.o.d"
  "tst_undo"
  "tst_undo.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/tst_undo.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
