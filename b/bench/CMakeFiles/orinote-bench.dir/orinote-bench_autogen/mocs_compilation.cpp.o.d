bench/CMakeFiles/orinote-bench.dir/orinote-bench_autogen/mocs_compilation.cpp.o: \
 /work/main/b/bench/orinote-bench_autogen/mocs_compilation.cpp \
 /usr/include/stdc-predef.h
