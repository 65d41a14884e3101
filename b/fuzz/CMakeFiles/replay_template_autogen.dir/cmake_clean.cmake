file(REMOVE_RECURSE
  "CMakeFiles/replay_template_autogen"
  "replay_template_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/replay_template_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
