file(REMOVE_RECURSE
  "CMakeFiles/tst_batch_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/tst_batch_autogen.dir/ParseCache.txt"
  "tst_batch_autogen"
  "CMakeFiles/tst_batch.dir/tst_batch.cpp.o"
  "CMakeFiles/tst_batch.dir/tst_batch.cpp.o.d"
  "CMakeFiles/tst_batch.dir/tst_batch_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/tst_batch.dir/tst_batch_autogen/mocs_compilation.cpp.o.d"
  "tst_batch"
  "tst_batch.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/tst_batch.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
