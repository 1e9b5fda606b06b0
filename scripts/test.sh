#!/usr/bin/env bash
# Checks the sources' format and the layers' includes, builds everything and
# runs every test twice, the end-to-end runs of the real window under Xvfb
# included: a normal build and a build under
# AddressSanitizer and UndefinedBehaviorSanitizer; the tests that run work on
# other threads a third time, under ThreadSanitizer; the Debian package built,
# installed and started; then short runs of the fuzzers of the record and
# settings readers, of the engine's commands and of the network game's lines
# and session. Warnings are errors.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --tests

echo "== format"
scripts/format.sh --check

echo "== the layers' fence"
scripts/check_includes.sh

jobs=$(nproc)
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"

echo "== normal build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANU_WERROR=ON -DKORVANU_TESTS=ON >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== Debian package"
rm -f build/korvanu_*.deb
(cd build && cpack -G DEB >/dev/null)
bash tests/package/install_package.sh build/korvanu_*_"$(dpkg --print-architecture)".deb build/package-test

echo "== sanitizer build"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DKORVANU_WERROR=ON -DKORVANU_SANITIZE=ON \
  -DKORVANU_TESTS=ON >/dev/null
cmake --build build-asan -j"$jobs"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== thread sanitizer build (the tests that run work beside the game's thread)"
started=$SECONDS
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANU_WERROR=ON \
  -DKORVANU_SANITIZE_THREAD=ON -DKORVANU_TESTS=ON >/dev/null
cmake --build build-tsan -j"$jobs" --target window_tests engine_tests network_tests
# Qt is not built with ThreadSanitizer, which cannot see how Qt's own
# threads (the pool its painting splits large fills over) wait for each
# other: what code built without it reads and writes itself is left out, our
# code's every access is checked. Without address randomisation:
# ThreadSanitizer refuses the memory layout of kernels that randomise more
# address bits.
TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1:ignore_noninstrumented_modules=1} \
  setarch "$(uname -m)" -R ctest --test-dir build-tsan --output-on-failure -j"$jobs" -L threads
echo "thread sanitizer stage: $(( SECONDS - started )) s"

echo "== fuzz build (a short run)"
CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANU_FUZZ=ON \
  -DKORVANU_APP=OFF -DKORVANU_TESTS=OFF -DKORVANU_WERROR=ON >/dev/null
cmake --build build-fuzz -j"$jobs" --target record_fuzz settings_fuzz engine_fuzz protocol_fuzz \
  session_fuzz
ctest --test-dir build-fuzz --output-on-failure
