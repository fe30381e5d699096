#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each fuzz_* target for a short
# while. FUZZ_SECONDS sets the time per target (default 10). A crash leaves its input in
# build-fuzz/findings/ and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."

SECONDS_EACH="${FUZZ_SECONDS:-10}"
BUILD=build-fuzz

if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ is not installed; skipping the fuzz targets" >&2
  exit 0
fi
# libFuzzer's runtime is a package of its own (libclang-rt-<version>-dev).
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
printf 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }\n' >"$probe/p.cpp"
if ! clang++ -fsanitize=fuzzer,address "$probe/p.cpp" -o "$probe/p" 2>/dev/null; then
  echo "fuzz: clang++ cannot link libFuzzer (install libclang-rt-dev); skipping the fuzz targets" >&2
  exit 0
fi

cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DMERVALO_FUZZ=ON -DMERVALO_TESTS=OFF -DMERVALO_BENCH=OFF >/dev/null
targets=$(ninja -C "$BUILD" -t targets all | sed -n 's|^\(bin/fuzz_[A-Za-z0-9_]*\): .*|\1|p' | sort -u)
if [ -z "$targets" ]; then
  echo "fuzz: no fuzz targets" >&2
  exit 0
fi
ninja -C "$BUILD" $targets

mkdir -p "$BUILD/findings"
status=0
for bin in "$BUILD"/bin/fuzz_*; do
  [ -x "$bin" ] || continue
  name=$(basename "$bin")
  corpus="$BUILD/corpus/$name"
  mkdir -p "$corpus"
  seeds="tests/fuzz/seeds/${name#fuzz_}"
  echo "fuzz: $name for ${SECONDS_EACH}s"
  args=("$corpus")
  [ -d "$seeds" ] && args+=("$seeds")
  if ! QT_QPA_PLATFORM=offscreen "$bin" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$BUILD/findings/$name-" -print_final_stats=0 "${args[@]}" >"$BUILD/findings/$name.log" 2>&1; then
    echo "fuzz: $name FAILED; see $BUILD/findings/$name.log" >&2
    tail -n 30 "$BUILD/findings/$name.log" >&2
    status=1
  fi
done
exit $status
