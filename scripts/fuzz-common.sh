# Shared by fuzz-ci.sh and fuzz-long.sh: configures and builds the fuzz targets, then runs them.
FUZZ_TARGETS=(desktopini languagefile commandline folderlist dosattrib iconresources)
FUZZ_BUILD_DIR=${FUZZ_BUILD_DIR:-build/fuzz}

fuzz_build() {
    CXX=${CXX:-clang++} cmake -S . -B "$FUZZ_BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DRAVO2_FUZZ=ON -DRAVO2_WERROR=ON -DRAVO2_BUILD_GUI=OFF -DBUILD_TESTING=OFF \
        -DRAVO2_BUILD_BENCHMARKS=OFF
    cmake --build "$FUZZ_BUILD_DIR" -j"$(nproc)" --target fuzzers
}

# fuzz_run TARGET WORK_DIR LIBFUZZER_ARGS...: new inputs go to WORK_DIR, the seeds stay as they are;
# a crash leaves its input in WORK_DIR and fails. Prints the executions reached.
fuzz_run() {
    local target=$1 work=$2
    shift 2
    local log="$work/$target.log" dict=fuzz/$target.dict args=()
    mkdir -p "$work/$target-corpus"
    [[ -f "$dict" ]] && args+=("-dict=$dict")
    local status=0
    ASAN_OPTIONS=${ASAN_OPTIONS:-max_malloc_fill_size=0} \
        "$FUZZ_BUILD_DIR/fuzz/fuzz_$target" "${args[@]}" "$@" -print_final_stats=1 \
        -artifact_prefix="$work/$target-" "$work/$target-corpus" "tests/data/fuzz-$target" \
        >"$log" 2>&1 || status=$?
    local runs
    runs=$(grep -a 'stat::number_of_executed_units' "$log" | awk '{print $2}')
    if [[ $status -ne 0 ]]; then
        echo "fuzz_$target: FAILED after ${runs:-?} executions (log $log)"
        grep -a -m3 -E 'ERROR|SUMMARY|Test unit written' "$log" || true
        return 1
    fi
    echo "fuzz_$target: ${runs} executions, no finding"
}
