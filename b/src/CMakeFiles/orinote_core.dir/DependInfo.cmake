
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/src/addressbook/AddressBook.cpp" "src/CMakeFiles/orinote_core.dir/addressbook/AddressBook.cpp.o" "gcc" "src/CMakeFiles/orinote_core.dir/addressbook/AddressBook.cpp.o.d"
  "/work/main/src/addressbook/CAddressData.cpp" "src/CMakeFiles/orinote_core.dir/addressbook/CAddressData.cpp.o" "gcc" "src/CMakeFiles/orinote_core.dir/addressbook/CAddressData.cpp.o.d"
  "/work/main/src/model/ArchiveReader.cpp" "src/CMakeFiles/orinote_core.dir/model/ArchiveReader.cpp.o" "gcc" "src/CMakeFiles/orinote_core.dir/model/ArchiveReader.cpp.o.d"
  "/work/main/src/model/ArchiveWriter.cpp" "src/CMakeFiles/orinote_core.dir/model/ArchiveWriter.cpp.o" "gcc" "src/CMakeFiles/orinote_core.dir/model/ArchiveWriter.cpp.o.d"
  "/work/main/src/model/CLabelSheetTemplate.cpp" "src/CMakeFiles/orinote_core.dir/model/CLabelSheetTemplate.cpp.o" "gcc" "src/CMakeFiles/orinote_core.dir/model/CLabelSheetTemplate.cpp.o.d"
  "/work/main/src/model/CORINOTEDoc.cpp" "src/CMakeFiles/orinote_core.dir/model/CORINOTEDoc.cpp.o" "gcc" "src/CMakeFiles/orinote_core.dir/model/CORINOTEDoc.cpp.o.d"
  "/work/main/src/model/DocumentFile.cpp" "src/CMakeFiles/orinote_core.dir/model/DocumentFile.cpp.o" "gcc" "src/CMakeFiles/orinote_core.dir/model/DocumentFile.cpp.o.d"
  "/work/main/src/model/DocumentJson.cpp" "src/CMakeFiles/orinote_core.dir/model/DocumentJson.cpp.o" "gcc" "src/CMakeFiles/orinote_core.dir/model/DocumentJson.cpp.o.d"
  "/work/main/src/model/EnvironmentSettings.cpp" "src/CMakeFiles/orinote_core.dir/model/EnvironmentSettings.cpp.o" "gcc" "src/CMakeFiles/orinote_core.dir/model/EnvironmentSettings.cpp.o.d"
  "/work/main/src/model/FamilyIo.cpp" "src/CMakeFiles/orinote_core.dir/model/FamilyIo.cpp.o" "gcc" "src/CMakeFiles/orinote_core.dir/model/FamilyIo.cpp.o.d"
  "/work/main/src/model/FontRecord.cpp" "src/CMakeFiles/orinote_core.dir/model/FontRecord.cpp.o" "gcc" "src/CMakeFiles/orinote_core.dir/model/FontRecord.cpp.o.d"
  "/work/main/src/model/PageBuilder.cpp" "src/CMakeFiles/orinote_core.dir/model/PageBuilder.cpp.o" "gcc" "src/CMakeFiles/orinote_core.dir/model/PageBuilder.cpp.o.d"
  "/work/main/src/model/SettingsProfile.cpp" "src/CMakeFiles/orinote_core.dir/model/SettingsProfile.cpp.o" "gcc" "src/CMakeFiles/orinote_core.dir/model/SettingsProfile.cpp.o.d"
  "/work/main/src/model/TemplateFile.cpp" "src/CMakeFiles/orinote_core.dir/model/TemplateFile.cpp.o" "gcc" "src/CMakeFiles/orinote_core.dir/model/TemplateFile.cpp.o.d"
  "/work/main/src/model/TextCodec.cpp" "src/CMakeFiles/orinote_core.dir/model/TextCodec.cpp.o" "gcc" "src/CMakeFiles/orinote_core.dir/model/TextCodec.cpp.o.d"
  "/work/main/src/model/UndoSnapshots.cpp" "src/CMakeFiles/orinote_core.dir/model/UndoSnapshots.cpp.o" "gcc" "src/CMakeFiles/orinote_core.dir/model/UndoSnapshots.cpp.o.d"
  "/work/main/b/src/orinote_core_autogen/mocs_compilation.cpp" "src/CMakeFiles/orinote_core.dir/orinote_core_autogen/mocs_compilation.cpp.o" "gcc" "src/CMakeFiles/orinote_core.dir/orinote_core_autogen/mocs_compilation.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
