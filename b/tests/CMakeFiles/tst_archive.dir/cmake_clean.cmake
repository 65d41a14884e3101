file(REMOVE_RECURSE
  "CMakeFiles/tst_archive_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/tst_archive_autogen.dir/ParseCache.txt"
  "tst_archive_autogen"
  "CMakeFiles/tst_archive.dir/tst_archive.cpp.o"
  "CMakeFiles/tst_archive.dir/tst_archive.cpp.o.d"
  "CMakeFiles/tst_archive.dir/tst_archive_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/tst_archive.dir/tst_archive_autogen/mocs_compilation.cpp.o.d"
  "tst_archive"
  "tst_archive.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/tst_archive.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
