#!/usr/bin/env bash
# Checks the library search paths (RUNPATH and RPATH) of every ELF program
# and shared library the build made, and of those it installs.
#
#   check-runpath.sh BUILD_DIR SCRATCH_DIR
#
# Built binaries may carry absolute directories only: the dynamic linker
# reads an empty element as the working directory and resolves any other
# relative one ($ORIGIN included) against something the user, not the
# system, controls. Installed binaries, put into SCRATCH_DIR by the build's
# own install rules (the ones the Debian package is made from), must carry
# no search path at all. Prints each offending file and exits 1 when there
# is one.
set -euo pipefail
build=${1:?usage: check-runpath.sh BUILD_DIR SCRATCH_DIR}
scratch=${2:?usage: check-runpath.sh BUILD_DIR SCRATCH_DIR}

elf_magic=$'\x7fELF'

# search_path FILE: the file's RUNPATH and RPATH values, one per line.
search_path() {
    "${READELF:-readelf}" --dynamic "$1" 2>/dev/null | sed -n 's/.*(\(RUNPATH\|RPATH\)).*: \[\(.*\)\]$/\2/p'
}

# elf_files DIR: the programs and shared libraries under DIR.
elf_files() {
    local file magic
    while IFS= read -r -d '' file; do
        magic=$(head -c 4 "$file" 2>/dev/null | tr -d '\0' || true)
        [[ "$magic" == "$elf_magic" ]] && printf '%s\n' "$file"
    done < <(find "$1" -type f \( -perm -u+x -o -name '*.so' -o -name '*.so.*' \) -print0)
}

failures=0
checked=0

# first_relative VALUE: the first element of a ':'-separated search path
# that is not an absolute directory ("(empty)" for an empty one); fails
# when every element is absolute.
first_relative() {
    local rest=$1 element
    while true; do
        element=${rest%%:*}
        if [[ "$element" != /* ]]; then
            printf '%s\n' "${element:-(empty)}"
            return 0
        fi
        [[ "$rest" == *:* ]] || return 1
        rest=${rest#*:}
    done
}

# Built binaries: absolute directories only.
while IFS= read -r file; do
    checked=$((checked + 1))
    while IFS= read -r value; do
        if element=$(first_relative "$value"); then
            echo "$file: library search path [$value] has the relative element $element"
            failures=$((failures + 1))
        fi
    done < <(search_path "$file")
done < <(elf_files "$build")

# Installed binaries: none at all.
rm -rf "$scratch"
mkdir -p "$scratch"
# The component keeps the install manifest apart from other installs of
# the same build tree running at the same time.
DESTDIR="$scratch" cmake --install "$build" --prefix /usr --component Unspecified >/dev/null
installed=0
while IFS= read -r file; do
    installed=$((installed + 1))
    while IFS= read -r value; do
        echo "$file: installed with library search path [$value]"
        failures=$((failures + 1))
    done < <(search_path "$file")
done < <(elf_files "$scratch")

if ((installed == 0)); then
    echo "check-runpath: the install put no program into $scratch"
    exit 1
fi
echo "check-runpath: $checked built and $installed installed binaries checked, $failures problems"
((failures == 0))
