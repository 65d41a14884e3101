# Empty compiler generated dependencies file for tst_batch.
# This may be replaced when dependencies are built.
