#!/usr/bin/env bash
# Runs the shell commands of README.md's ```sh blocks in the order they stand, against a tree that
# is already built (BUILD_DIR stands for build/release), with HOME in a scratch folder (so ~/.local
# and ~/.config are scratch too) and /srv replaced by a scratch folder whose inputs are made first.
# Commands that take minutes or change this machine are not run; what can be checked of them
# (the script exists, the preset is defined, the benchmark program was built) is. Every command
# that matches no rule below is run, so a new or edited command is covered by default.
# Usage: scripts/check-readme.sh BUILD_DIR
set -uo pipefail

src=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?build folder}" && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/ravo2-readme.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch/home"
export PATH="$HOME/.local/bin:$PATH"
unset XDG_CONFIG_HOME DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM # as on a machine without a desktop
mkdir -p "$HOME"
cd "$src"

failed=0
note() { printf '%-8s %s\n' "$1" "$2"; }
fail() { note FAILED "$1"; failed=1; }

# The README's shell lines, comments and blanks removed.
readme_commands() {
    awk '/^```sh$/ {on = 1; next} /^```/ {on = 0} on' README.md \
        | sed -E 's/[[:space:]]+#[[:space:]].*$//; s/[[:space:]]+$//' | grep -v '^$'
}

# Folders named after -fp and files named after -ip/-pp under /srv, made before the command runs.
prepare_inputs() {
    local previous="" word
    for word in $1; do
        # A list after -fl, and what a redirection writes, are the README's own commands' making.
        if [[ "$word" == "$scratch/srv/"* && "$previous" != -fl && "$previous" != ">" ]]; then
            if [[ "$previous" == -fp ]]; then
                mkdir -p "$word"
            else
                mkdir -p "$(dirname "$word")"
                cp samples/ravo2-sample.ico "$word"
            fi
        fi
        previous=$word
    done
}

# Every folder the command dressed holds a desktop.ini afterwards.
check_dressed() {
    local previous="" word
    for word in $1; do
        [[ "$previous" == -fp && ! -f "${word}desktop.ini" ]] && fail "no desktop.ini in $word"
        previous=$word
    done
}

run() {
    local command=${1//build\/release/$build}
    command=${command//\/srv\//$scratch/srv/}
    prepare_inputs "$command"
    if bash -c "$command" >"$scratch/out.log" 2>&1; then
        note ran "$1"
        check_dressed "$command"
    else
        fail "$1"
        sed 's/^/    /' "$scratch/out.log" | tail -n 20
    fi
}

preset_defined() {
    local name=${1##*--preset }
    name=${name%% *}
    local list=(cmake --list-presets)
    [[ "$1" == "cmake --build "* ]] && list=(cmake --build --list-presets)
    [[ "$1" == "ctest "* ]] && list=(ctest --list-presets)
    "${list[@]}" 2>/dev/null | grep -q "\"$name\"" && note checked "$1 (preset defined; configuring writes build/$name into the checkout)" \
        || fail "$1: no such preset"
}

handle() {
    local part=$1
    case "$part" in
    "bash scripts/"*)
        local script=${part#bash }
        script=${script%% *}
        [[ -f "$script" ]] && note skipped "$part (runs for minutes: its own CI part or the fresh-machine run)" \
            || fail "$part: no $script"
        ;;
    *"--preset "*) preset_defined "$part" ;;
    "cmake --build build/release") note skipped "$part (the suite has just built this tree)" ;;
    *"cpack "*) note skipped "$part (the package_check test builds and checks it from this build)" ;;
    "apt "* | "apt-get "* | "sudo "*) note skipped "$part (installs into this machine)" ;;
    "build/release/benchmarks/"*)
        local program=${part%% *}
        [[ -x "${program/build\/release/$build}" ]] && note checked "$part (built; timed runs only print figures)" \
            || fail "$part: $program was not built"
        ;;
    *) run "$part" ;;
    esac
}

count=0
while IFS= read -r line; do
    count=$((count + 1))
    if [[ "$line" == "("* ]]; then
        handle "$line"
    else
        # Chained commands are taken one by one, in order.
        while [[ "$line" == *" && "* ]]; do
            handle "${line%% && *}"
            line=${line#* && }
        done
        handle "$line"
    fi
done < <(readme_commands)

[[ $count -gt 0 ]] || fail "no shell commands found in README.md"
[[ -z "$(ls -A "$HOME/.config/ravo2/components" 2>/dev/null)" ]] || fail "a command registered the component in ~/.config"
[[ $failed -eq 0 ]] && echo "README commands passed"
exit "$failed"
