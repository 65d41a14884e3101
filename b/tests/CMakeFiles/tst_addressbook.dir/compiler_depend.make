# Empty compiler generated dependencies file for tst_addressbook.
# This may be replaced when dependencies are built.
