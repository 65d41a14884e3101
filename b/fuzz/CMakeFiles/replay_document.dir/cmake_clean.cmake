file(REMOVE_RECURSE
  "CMakeFiles/replay_document_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/replay_document_autogen.dir/ParseCache.txt"
  "replay_document_autogen"
  "CMakeFiles/replay_document.dir/fuzz_document.cpp.o"
  "CMakeFiles/replay_document.dir/fuzz_document.cpp.o.d"
  "CMakeFiles/replay_document.dir/replay_document_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/replay_document.dir/replay_document_autogen/mocs_compilation.cpp.o.d"
  "CMakeFiles/replay_document.dir/replay_main.cpp.o"
  "CMakeFiles/replay_document.dir/replay_main.cpp.o.d"
  "replay_document"
  "replay_document.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/replay_document.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
