# Empty dependencies file for tst_archive.
# This may be replaced when dependencies are built.
