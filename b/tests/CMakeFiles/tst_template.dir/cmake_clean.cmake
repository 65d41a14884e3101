file(REMOVE_RECURSE
  "CMakeFiles/tst_template_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/tst_template_autogen.dir/ParseCache.txt"
  "tst_template_autogen"
  "CMakeFiles/tst_template.dir/tst_template.cpp.o"
  "CMakeFiles/tst_template.dir/tst_template.cpp.o.d"
  "CMakeFiles/tst_template.dir/tst_template_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/tst_template.dir/tst_template_autogen/mocs_compilation.cpp.o.d"
  "tst_template"
  "tst_template.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/tst_template.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
