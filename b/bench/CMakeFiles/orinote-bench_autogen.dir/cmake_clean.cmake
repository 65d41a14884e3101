file(REMOVE_RECURSE
  "CMakeFiles/orinote-bench_autogen"
  "orinote-bench_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/orinote-bench_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
