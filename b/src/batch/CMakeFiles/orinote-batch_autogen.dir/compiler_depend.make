# Empty custom commands generated dependencies file for orinote-batch_autogen.
# This may be replaced when dependencies are built.
