# Empty compiler generated dependencies file for tst_documentfile.
# This may be replaced when dependencies are built.
