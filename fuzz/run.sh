#!/bin/sh
# `make fuzz`: build the libFuzzer targets with clang and run each for 60 s.
# Findings (crash-*, leak-*) land in build-fuzz/; the grown corpora stay there too.
set -e
cd "$(dirname "$0")/.."
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMAPIO_FUZZ=ON -DMAPIO_BUILD_GUI=OFF -DMAPIO_BUILD_TESTS=OFF
cmake --build build-fuzz --target fuzz_match_record fuzz_translator fuzz_checker fuzz_pack_reader \
  fuzz_picture -j"${JOBS:-2}"
for target in match_record translator checker pack_reader picture; do
  mkdir -p "build-fuzz/corpus/$target"
  (cd build-fuzz && "./fuzz/fuzz_$target" -max_total_time="${FUZZ_SECONDS:-60}" \
    -dict="../fuzz/$target.dict" "corpus/$target" "../fuzz/corpus/$target")
done
