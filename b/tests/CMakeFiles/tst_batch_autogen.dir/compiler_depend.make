# Empty custom commands generated dependencies file for tst_batch_autogen.
# This may be replaced when dependencies are built.
