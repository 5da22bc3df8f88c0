# Sourced by the scripts that run Wine: whether this machine runs i386
# programs (Wine's 32-bit loader, the i686 build), natively or through
# qemu-user where its kernel has its 32-bit support switched off.

readonly qemu_i386_entry=/proc/sys/fs/binfmt_misc/qemu-i386

# Tried, never guessed from versions: the i386 dynamic loader prints its own.
i386_programs_run() {
    /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

i386_programs_emulated() {
    [[ $(head -n 1 "$qemu_i386_entry" 2>/dev/null) == enabled ]]
}

# Where the kernel refuses i386 programs, hands them to Debian's
# qemu-i386-static through binfmt_misc ("F": the interpreter is opened now,
# so it serves in every mount namespace). Once a boot: an entry already
# registered is only enabled. Says what it did in one line.
emulate_i386_programs() {
    i386_programs_run && return 0
    if ! dpkg-query -W -f='${Status}' qemu-user-static 2>/dev/null | grep -q "ok installed"; then
        apt-get update >/dev/null
        DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
            qemu-user-static >/dev/null
    fi
    mountpoint -q /proc/sys/fs/binfmt_misc ||
        mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
    if [[ -e $qemu_i386_entry ]]; then
        echo 1 >"$qemu_i386_entry"
    else
        # i386 ELF executables and shared objects (the loader is run as one).
        printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
            >/proc/sys/fs/binfmt_misc/register
    fi
    if ! i386_programs_run; then
        echo "This kernel runs no i386 programs, and qemu-i386 could not stand in" >&2
        return 1
    fi
    echo "== This kernel runs no i386 programs: they now run under qemu-i386 (binfmt_misc)"
}

# qemu-user 7.2 answers Wine's no-replace reservations with other addresses,
# so Wine's reservation of the space above 2 GB falls apart into some 45 000
# probes of 64 KB, each a search through qemu's 4 GB guest space: 68 s before
# a program's first instruction. A guest space that ends just above 2 GB (the
# part Wine checks for) brings a start down to about 3 s.
if i386_programs_emulated; then
    export QEMU_RESERVED_VA=0x81000000
fi
