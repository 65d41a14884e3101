file(REMOVE_RECURSE
  "CMakeFiles/replay_addressbook_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/replay_addressbook_autogen.dir/ParseCache.txt"
  "replay_addressbook_autogen"
  "CMakeFiles/replay_addressbook.dir/fuzz_addressbook.cpp.o"
  "CMakeFiles/replay_addressbook.dir/fuzz_addressbook.cpp.o.d"
  "CMakeFiles/replay_addressbook.dir/replay_addressbook_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/replay_addressbook.dir/replay_addressbook_autogen/mocs_compilation.cpp.o.d"
  "CMakeFiles/replay_addressbook.dir/replay_main.cpp.o"
  "CMakeFiles/replay_addressbook.dir/replay_main.cpp.o.d"
  "replay_addressbook"
  "replay_addressbook.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/replay_addressbook.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
