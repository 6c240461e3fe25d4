#!/usr/bin/env bash
# Builds the RTF fuzzer with clang's libFuzzer, AddressSanitizer and UBSan into fuzz/rtf/out.
# Not part of the CMake build. Usage: fuzz/rtf/build.sh, then
#   fuzz/rtf/out/fuzz_rtf -max_len=4096 -timeout=5 fuzz/rtf/out/corpus ../shared/fixtures/rtf
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$here/../../src
out=$here/out
mkdir -p "$out/corpus"
clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$src" $(pkg-config --cflags Qt6Core Qt6Gui) \
  "$here/fuzz_rtf.cpp" "$src/richtext/RichText.cpp" "$src/richtext/RtfCodePages.cpp" \
  "$src/richtext/RtfKeywords.cpp" "$src/richtext/RtfReader.cpp" "$src/richtext/RtfWriter.cpp" \
  $(pkg-config --libs Qt6Core Qt6Gui) -o "$out/fuzz_rtf"
echo "built $out/fuzz_rtf"
