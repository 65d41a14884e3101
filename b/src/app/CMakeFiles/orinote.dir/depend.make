# Empty dependencies file for orinote.
# This may be replaced when dependencies are built.
