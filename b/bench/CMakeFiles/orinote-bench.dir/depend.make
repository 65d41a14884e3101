# Empty dependencies file for orinote-bench.
# This may be replaced when dependencies are built.
