# Empty dependencies file for tst_document.
# This may be replaced when dependencies are built.
