# Empty compiler generated dependencies file for replay_template.
# This may be replaced when dependencies are built.
