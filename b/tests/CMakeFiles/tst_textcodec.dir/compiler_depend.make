# Empty compiler generated dependencies file for tst_textcodec.
# This may be replaced when dependencies are built.
