# Empty compiler generated dependencies file for orinote_core.
# This may be replaced when dependencies are built.
