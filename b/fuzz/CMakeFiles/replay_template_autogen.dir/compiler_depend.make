# Empty custom commands generated dependencies file for replay_template_autogen.
# This may be replaced when dependencies are built.
