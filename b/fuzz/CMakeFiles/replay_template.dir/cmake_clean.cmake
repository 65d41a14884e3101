file(REMOVE_RECURSE
  "CMakeFiles/replay_template_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/replay_template_autogen.dir/ParseCache.txt"
  "replay_template_autogen"
  "CMakeFiles/replay_template.dir/fuzz_template.cpp.o"
  "CMakeFiles/replay_template.dir/fuzz_template.cpp.o.d"
  "CMakeFiles/replay_template.dir/replay_main.cpp.o"
  "CMakeFiles/replay_template.dir/replay_main.cpp.o.d"
  "CMakeFiles/replay_template.dir/replay_template_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/replay_template.dir/replay_template_autogen/mocs_compilation.cpp.o.d"
  "replay_template"
  "replay_template.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/replay_template.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
