file(REMOVE_RECURSE
  "CMakeFiles/orinote-batch_autogen"
  "orinote-batch_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/orinote-batch_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
