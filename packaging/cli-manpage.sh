#!/usr/bin/env bash
# Writes the gzipped manual page of qelvar-cli from its own --help texts:
# help2man turns the program's --help and --version into the page, and every
# command listed by --help gets a section with that command's --help, so the
# page follows the commands and options as they change.
#   cli-manpage.sh QELVAR_CLI VERSION OUTPUT.1.gz
set -euo pipefail
cli=$1
version=$2
out=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Command names: the first word of each indented line in the block headed
# "Commands:" or "Subcommands:" (any case), up to the next blank line.
mapfile -t commands < <("$cli" --help | awk '
    tolower($0) ~ /^(sub)?commands:[[:space:]]*$/ { inside = 1; next }
    inside && /^[[:space:]]*$/ { exit }
    inside && $1 ~ /^[a-z][a-z0-9-]*$/ { print $1 }')
if [ ${#commands[@]} -eq 0 ]; then
    echo "cli-manpage.sh: no command list in '$cli --help'" >&2
    exit 1
fi

# Each help text verbatim, escaped for roff: backslashes, minus signs and
# lines that would start a request.
roff_verbatim() {
    sed -e 's/\\/\\e/g' -e 's/-/\\-/g' -e "s/^\\([.']\\)/\\\\\\&\\1/"
}
{
    echo "[COMMANDS]"
    for c in "${commands[@]}"; do
        echo ".SS \"qelvar\\-cli $c\""
        echo ".nf"
        "$cli" "$c" --help | roff_verbatim
        echo ".fi"
    done
    echo "[SEE ALSO]"
    echo ".BR qelvar (1)"
} >"$work/commands.h2m"

help2man --locale=C.UTF-8 --no-info --no-discard-stderr --include="$work/commands.h2m" \
    --version-string="$version" \
    --name="convert lunar dates and cast Purple Star charts" \
    --output="$work/qelvar-cli.1" "$cli"
gzip -9n -c "$work/qelvar-cli.1" >"$out"
