# Empty custom commands generated dependencies file for tst_document_autogen.
# This may be replaced when dependencies are built.
