# Empty custom commands generated dependencies file for replay_addressbook_autogen.
# This may be replaced when dependencies are built.
