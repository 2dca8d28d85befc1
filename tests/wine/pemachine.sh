# Sourced by the Wine test scripts.
# pe_machine FILE: the COFF machine of a PE file in hex, 014c (32-bit x86) or 8664 (x86-64).
pe_machine() {
    od -An -tx2 -j$(($(od -An -tu4 -j60 -N4 "$1") + 4)) -N2 "$1" | tr -d ' '
}
# windows_folder FILE: the system folder whose programs load FILE in process (system32, or
# syswow64 for a 32-bit module in a 64-bit prefix).
windows_folder() {
    if [[ $(pe_machine "$1") == 014c ]]; then echo syswow64; else echo system32; fi
}
# True when Wine can run 32-bit modules here (Debian's wine32 installed).
wine32_available() {
    [[ -x /usr/lib/wine/wine && -d /usr/lib/i386-linux-gnu/wine/i386-windows ]]
}
