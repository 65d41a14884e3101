# Empty dependencies file for orinote_widgets.
# This may be replaced when dependencies are built.
