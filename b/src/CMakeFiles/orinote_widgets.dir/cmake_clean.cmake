file(REMOVE_RECURSE
  "CMakeFiles/orinote_widgets_autogen.dir/AutogenUsed.txt"
  "CMakeFiles/orinote_widgets_autogen.dir/ParseCache.txt"
  "orinote_widgets_autogen"
  "CMakeFiles/orinote_widgets.dir/orinote_widgets_autogen/mocs_compilation.cpp.o"
  "CMakeFiles/orinote_widgets.dir/orinote_widgets_autogen/mocs_compilation.cpp.o.d"
  "liborinote_widgets.a"
  "liborinote_widgets.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/orinote_widgets.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
