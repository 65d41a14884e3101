# Empty dependencies file for tst_template.
# This may be replaced when dependencies are built.
