file(REMOVE_RECURSE
  "CMakeFiles/tst_documentfile_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/tst_documentfile_autogen.dir/ParseCache.txt"
  "tst_documentfile_autogen"
  "CMakeFiles/tst_documentfile.dir/tst_documentfile.cpp.o"
  "CMakeFiles/tst_documentfile.dir/tst_documentfile.cpp.o.d"
  "CMakeFiles/tst_documentfile.dir/tst_documentfile_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/tst_documentfile.dir/tst_documentfile_autogen/mocs_compilation.cpp.o.d"
  "tst_documentfile"
  "tst_documentfile.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/tst_documentfile.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
