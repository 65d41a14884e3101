# Empty custom commands generated dependencies file for replay_document_autogen.
# This may be replaced when dependencies are built.
