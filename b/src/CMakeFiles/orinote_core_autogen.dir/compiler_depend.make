# Empty custom commands generated dependencies file for orinote_core_autogen.
# This may be replaced when dependencies are built.
