file(REMOVE_RECURSE
  "CMakeFiles/tst_addressbook_autogen"
  "tst_addressbook_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/tst_addressbook_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
