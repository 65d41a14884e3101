file(REMOVE_RECURSE
  "CMakeFiles/orinote-bench_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/orinote-bench_autogen.dir/ParseCache.txt"
  "orinote-bench_autogen"
  "CMakeFiles/orinote-bench.dir/bench_addressbook.cpp.o"
  "CMakeFiles/orinote-bench.dir/bench_addressbook.cpp.o.d"
  "CMakeFiles/orinote-bench.dir/bench_undo.cpp.o"
  "CMakeFiles/orinote-bench.dir/bench_undo.cpp.o.d"
  "CMakeFiles/orinote-bench.dir/orinote-bench_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/orinote-bench.dir/orinote-bench_autogen/mocs_compilation.cpp.o.d"
  "orinote-bench"
  "orinote-bench.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/orinote-bench.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
