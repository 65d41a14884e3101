# Empty compiler generated dependencies file for replay_document.
# This may be replaced when dependencies are built.
