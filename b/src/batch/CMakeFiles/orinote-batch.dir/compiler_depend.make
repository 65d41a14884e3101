# Empty compiler generated dependencies file for orinote-batch.
# This may be replaced when dependencies are built.
