#!/usr/bin/env bash
# Builds the page document and layout file fuzzers with clang's libFuzzer, AddressSanitizer and
# UBSan into fuzz/sheet/out. Not part of the CMake build. Usage: fuzz/sheet/build.sh, then
#   fuzz/sheet/out/fuzz_document -max_len=8192 -timeout=5 -rss_limit_mb=512 fuzz/sheet/out/corpus-document
#   fuzz/sheet/out/fuzz_catalogue -max_len=8192 -timeout=5 -rss_limit_mb=512 fuzz/sheet/out/corpus-catalogue
# Seed the catalogue corpus with the built QMKML.LLO, the document corpus with a qmktool document.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$here/../../src
out=$here/out
mkdir -p "$out/corpus-document" "$out/corpus-catalogue"
sources=(
  "$src/richtext/RichText.cpp" "$src/richtext/RtfCodePages.cpp" "$src/richtext/RtfKeywords.cpp"
  "$src/richtext/RtfReader.cpp" "$src/richtext/RtfWriter.cpp" "$src/richtext/RtfStorage.cpp"
  "$src/sheet/FilerReader.cpp" "$src/sheet/FilerWriter.cpp" "$src/sheet/RtfStorageComponent.cpp"
  "$src/sheet/LayoutRecord.cpp" "$src/sheet/LayoutCatalogue.cpp" "$src/sheet/PageModel.cpp"
  "$src/sheet/PageDocument.cpp")
for target in document catalogue; do
  clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$src" $(pkg-config --cflags Qt6Core Qt6Gui) \
    "$here/fuzz_$target.cpp" "${sources[@]}" \
    $(pkg-config --libs Qt6Core Qt6Gui) -o "$out/fuzz_$target"
  echo "built $out/fuzz_$target"
done
