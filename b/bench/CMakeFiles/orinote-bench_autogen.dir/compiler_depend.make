# Empty custom commands generated dependencies file for orinote-bench_autogen.
# This may be replaced when dependencies are built.
