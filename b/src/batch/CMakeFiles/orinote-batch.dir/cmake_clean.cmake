file(REMOVE_RECURSE
  "CMakeFiles/orinote-batch_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/orinote-batch_autogen.dir/ParseCache.txt"
  "orinote-batch_autogen"
  "CMakeFiles/orinote-batch.dir/BatchCommand.cpp.o"
  "CMakeFiles/orinote-batch.dir/BatchCommand.cpp.o.d"
  "CMakeFiles/orinote-batch.dir/main.cpp.o"
  "CMakeFiles/orinote-batch.dir/main.cpp.o.d"
  "CMakeFiles/orinote-batch.dir/orinote-batch_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/orinote-batch.dir/orinote-batch_autogen/mocs_compilation.cpp.o.d"
  "orinote-batch"
  "orinote-batch.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/orinote-batch.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
