# Empty dependencies file for tst_undo.
# This may be replaced when dependencies are built.
