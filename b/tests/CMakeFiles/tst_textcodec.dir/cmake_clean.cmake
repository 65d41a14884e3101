file(REMOVE_RECURSE
  "CMakeFiles/tst_textcodec_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/tst_textcodec_autogen.dir/ParseCache.txt"
  "tst_textcodec_autogen"
  "CMakeFiles/tst_textcodec.dir/tst_textcodec.cpp.o"
  "CMakeFiles/tst_textcodec.dir/tst_textcodec.cpp.o.d"
  "CMakeFiles/tst_textcodec.dir/tst_textcodec_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/tst_textcodec.dir/tst_textcodec_autogen/mocs_compilation.cpp.o.d"
  "tst_textcodec"
  "tst_textcodec.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/tst_textcodec.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
