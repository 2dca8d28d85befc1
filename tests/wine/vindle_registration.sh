#!/usr/bin/env bash
# vindle_registration.sh WINE_RUN VINDLE_DLL
# Where regsvr32 puts the component: plain regsvr32 in the machine's classes (HKLM\Software\Classes)
# with the type library under this build's platform key; regsvr32 /n /i:user in the user's own
# (HKCU\Software\Classes) with nothing of the machine's; each /u takes away its own and no more.
set -uo pipefail
run=${1:?wine-run.sh}
dll=$(realpath "${2:?vindle.dll}")
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
windows_dll="Z:${dll//\//\\}"
class='{8214DF6F-3AD9-48FC-B62D-474DC46911FB}'
library='{902BCEE7-06B3-451E-B182-4B67B3F9BFF3}'
machine='HKLM\Software\Classes'
user='HKCU\Software\Classes'
# shellcheck source=pemachine.sh
source "$(dirname "$0")/pemachine.sh"
platform_key=win64
if [[ $(pe_machine "$dll") == 014c ]]; then
    platform_key=win32
    wine32_available || { echo "SKIPPED: wine32 is not installed"; exit 77; }
fi
# A 32-bit module registers through syswow64's regsvr32 and shows in the 32-bit registry view.
tools="C:\\windows\\$(windows_folder "$dll")"

# value KEY: the default value of KEY, empty when the key is missing.
value() { "$run" "$tools\\reg.exe" query "$1" /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p' | head -1; }
regsvr32() { "$run" "$tools\\regsvr32.exe" "$@" "$windows_dll" >/dev/null 2>&1; }
# expect WHAT MACHINE_PATH USER_PATH: the server path each scope's class record names ("" none).
expect() {
    local got_machine got_user
    got_machine=$(value "$machine\\CLSID\\$class\\InprocServer32")
    got_user=$(value "$user\\CLSID\\$class\\InprocServer32")
    [[ "$got_machine" == "$2" && "$got_user" == "$3" ]] ||
        fail "$1: machine '$got_machine' (want '$2'), user '$got_user' (want '$3')"
}

# From nothing registered: whatever an earlier run left goes first.
regsvr32 /u
regsvr32 /u /n /i:user
expect "at the start" "" ""
regsvr32 /n /i:user || fail "regsvr32 /n /i:user failed"
expect "per user" "" "$windows_dll"
[[ $(value "$user\\vindle.CScrab\\CLSID") == "$class" ]] || fail "no per-user ProgID"
regsvr32 || fail "regsvr32 failed"
expect "both" "$windows_dll" "$windows_dll"
typelib=$(value "HKCR\\TypeLib\\$library\\1.0\\409\\$platform_key")
[[ "$typelib" == "$windows_dll" ]] || fail "type library under $platform_key: '$typelib'"
regsvr32 /u || fail "regsvr32 /u failed"
expect "machine's removed" "" "$windows_dll"
regsvr32 /u /n /i:user || fail "regsvr32 /u /n /i:user failed"
expect "user's removed" "" ""
[[ -z $(value "$user\\vindle.CScrab\\CLSID") ]] || fail "the per-user ProgID stayed"
regsvr32 /n /i:nobody && fail "an unknown /i: word was taken"
expect "unknown word" "" ""

[[ $failures -eq 0 ]] && echo "registration: all checks passed"
exit $((failures > 0))
