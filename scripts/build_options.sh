# Sourced by scripts/test.sh and scripts/tsan.sh: the CMake options their builds share.
# Building dominated on a small machine: every build is a unity build (a translation unit per 16
# sources, so the headers of GoogleTest and Qt are read once per batch) and links with lld (a
# third of ld's time).
fast_build=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_UNITY_BUILD=ON
            -DCMAKE_UNITY_BUILD_BATCH_SIZE=16 -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld)
# The sanitizer builds (configure them with CC=clang CXX=clang++): -O1 with line tables only
# compiles in half the time of -O2 -g and still gives file and line in every report; the test
# programs' own code unoptimised.
sanitizer_build=("${fast_build[@]}" "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -gline-tables-only -DNDEBUG"
                 -DZEMTRA_BENCH=OFF -DZEMTRA_TEST_OPTIMIZE=-O0)
