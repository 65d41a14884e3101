file(REMOVE_RECURSE
  "CMakeFiles/orinote_core_autogen"
  "orinote_core_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/orinote_core_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
