file(REMOVE_RECURSE
  "CMakeFiles/replay_addressbook_autogen"
  "replay_addressbook_autogen/mocs_compilation.cpp"
)

# Per-language clean rules from dependency scanning.
foreach(lang )
  include(CMakeFiles/replay_addressbook_autogen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
