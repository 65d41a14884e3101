file(REMOVE_RECURSE
  "CMakeFiles/orinote_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/orinote_autogen.dir/ParseCache.txt"
  "orinote_autogen"
  "CMakeFiles/orinote.dir/main.cpp.o"
  "CMakeFiles/orinote.dir/main.cpp.o.d"
  "CMakeFiles/orinote.dir/orinote_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/orinote.dir/orinote_autogen/mocs_compilation.cpp.o.d"
  "orinote"
  "orinote.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/orinote.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
