file(REMOVE_RECURSE
  "CMakeFiles/tst_document_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/tst_document_autogen.dir/ParseCache.txt"
  "tst_document_autogen"
  "CMakeFiles/tst_document.dir/tst_document.cpp.o"
  "CMakeFiles/tst_document.dir/tst_document.cpp.o.d"
  "CMakeFiles/tst_document.dir/tst_document_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/tst_document.dir/tst_document_autogen/mocs_compilation.cpp.o.d"
  "tst_document"
  "tst_document.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/tst_document.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
