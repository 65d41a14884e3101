file(REMOVE_RECURSE
  "CMakeFiles/tst_addressbook_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/tst_addressbook_autogen.dir/ParseCache.txt"
  "tst_addressbook_autogen"
  "CMakeFiles/tst_addressbook.dir/tst_addressbook.cpp.o"
  "CMakeFiles/tst_addressbook.dir/tst_addressbook.cpp.o.d"
  "CMakeFiles/tst_addressbook.dir/tst_addressbook_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/tst_addressbook.dir/tst_addressbook_autogen/mocs_compilation.cpp.o.d"
  "tst_addressbook"
  "tst_addressbook.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/tst_addressbook.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
