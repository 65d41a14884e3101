# Empty compiler generated dependencies file for replay_addressbook.
# This may be replaced when dependencies are built.
