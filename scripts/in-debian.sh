#!/usr/bin/env bash
# Runs a command in a fresh minimal Debian system, as a newcomer would on a machine that has
# nothing but git and sudo:
#     scripts/in-debian.sh 12|13 [--rev REVISION] [--out DIR] [--fresh] COMMAND...
# The command runs as root in a clone of this working tree (untracked files included), or of
# the commit REVISION names, in /root/halvren; --out DIR is bound to /out there, for what the
# command makes; --fresh downloads every package again.
#
# The base system is made once per user with debootstrap, from the Debian archive this machine's
# own apt sources name, and kept in ${XDG_CACHE_HOME:-~/.cache}/halvren/debian. It holds only the
# base system, git and sudo: every run starts from it afresh, so whatever the command installs
# is installed again each time (apt's downloaded archives are kept, to save the download).
# Each run has a mount and PID namespace of its own: when the command ends, whatever it left
# running ends with it and its mounts go; the run's tree is then removed, but never while
# anything is still mounted inside it.
set -euo pipefail
cd "$(dirname "$0")/.."

case "${1:-}" in
12) codename=bookworm ;;
13) codename=trixie ;;
*) echo "usage: scripts/in-debian.sh 12|13 [--rev REVISION] [--out DIR] [--fresh] COMMAND..." >&2
   exit 2 ;;
esac
shift
out="" revision="" fresh=""
while true; do
    case "${1:-}" in
    --out) out=$(mkdir -p "$2" && cd "$2" && pwd) && shift ;;
    --rev) revision=$(git rev-parse --verify "$2^{commit}") && shift ;;
    --fresh) fresh=yes ;;
    *) break ;;
    esac
    shift
done
[ $# -gt 0 ] || { echo "in-debian.sh: no command given" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "in-debian.sh: needs root (chroot and mounts)" >&2; exit 1; }
command -v debootstrap >/dev/null || { echo "in-debian.sh: debootstrap is missing" >&2; exit 1; }

# The Debian archive of this machine's apt sources, as "URI SUITE" lines for the release asked
# for: the suites of this machine's own release (plain, -updates, -security) with its codename
# replaced. Both the one-line and the deb822 formats are read.
archive_lines() {
    local own
    own=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    {
        cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
            awk '$1 == "deb" { i = 2; if ($2 ~ /^\[/) while ($i !~ /\]$/) i++; if ($2 ~ /^\[/) i++
                               print $i, $(i + 1) }'
        cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
            awk 'function flush() { if (deb && enabled) for (u in uris) for (s in suites) print u, s
                                    deb = 0; enabled = 1; delete uris; delete suites }
                 BEGIN { enabled = 1 }
                 /^[[:space:]]*$/ { flush(); next }
                 tolower($1) == "types:" { for (i = 2; i <= NF; i++) if ($i == "deb") deb = 1 }
                 tolower($1) == "enabled:" { enabled = tolower($2) != "no" }
                 tolower($1) == "uris:" { for (i = 2; i <= NF; i++) uris[$i] = 1 }
                 tolower($1) == "suites:" { for (i = 2; i <= NF; i++) suites[$i] = 1 }
                 END { flush() }'
    } | awk -v own="$own" -v to="$codename" '
        $2 == own || $2 == own "-updates" || $2 == own "-security" {
            sub("^" own, to, $2); if (!seen[$0]++) print }'
}
archive=$(archive_lines)
mirror=$(awk -v s="$codename" '$2 == s { print $1; exit }' <<<"$archive")
[ -n "$mirror" ] || { echo "in-debian.sh: this machine's apt sources name no Debian archive" >&2; exit 1; }

cache="${XDG_CACHE_HOME:-$HOME/.cache}/halvren/debian"
base="$cache/$codename-base"
archives="$cache/$codename-apt-archives"
mkdir -p "$cache" "$archives/partial"

# refuse_if_mounted TREE: fails when anything is mounted at or below TREE.
refuse_if_mounted() {
    local mounted
    mounted=$(findmnt -rn -o TARGET | awk -v tree="$1" 'index($0, tree) == 1')
    if [ -n "$mounted" ]; then
        echo "in-debian.sh: not removing $1: still mounted there: $mounted" >&2
        return 1
    fi
}
remove_tree() {
    refuse_if_mounted "$1" && rm -rf --one-file-system "$1"
}

# The base system, made once; debootstrap's own mounts stay in a namespace of their own.
exec 8>"$base.lock"
flock 8
if [ ! -d "$base" ]; then
    echo "in-debian.sh: making a Debian $codename base system in $base" >&2
    remove_tree "$base.partial"
    started=$SECONDS
    if ! unshare --mount --pid --fork --propagation private \
        debootstrap --variant=minbase --include=git,sudo "$codename" "$base.partial" "$mirror" \
        >"$base.log" 2>&1; then
        echo "in-debian.sh: debootstrap failed (log: $base.log)" >&2
        remove_tree "$base.partial"
        exit 1
    fi
    mv "$base.partial" "$base"
    echo "in-debian.sh: base system made in $((SECONDS - started)) s" >&2
fi
flock -s 8

work=$(mktemp -d "$cache/run-XXXXXX")
trap 'remove_tree "$work"' EXIT
mkdir "$work/upper" "$work/scratch" "$work/root"
if [ -n "$fresh" ]; then
    archives="$work/archives"
    mkdir -p "$archives/partial"
fi

# What the command runs in: the revision, or the working tree as it stands (untracked files
# included) as one commit.
if [ -n "$revision" ]; then
    commit=$revision
else
    index=$(mktemp)
    cp "$(git rev-parse --git-path index)" "$index"
    GIT_INDEX_FILE=$index git add -A
    tree=$(GIT_INDEX_FILE=$index git write-tree)
    rm -f "$index"
    commit=$(git rev-parse HEAD)
    [ "$(git rev-parse "HEAD^{tree}")" = "$tree" ] ||
        commit=$(git commit-tree -p HEAD -m "the working tree" "$tree")
fi

# enter: run inside the namespace, as its first process.
enter() {
    set -euo pipefail
    root="$work/root"
    # A copy where the file system cannot hold an overlay's upper layer (an overlay itself).
    mount -t overlay overlay -o "lowerdir=$base,upperdir=$work/upper,workdir=$work/scratch" \
        "$root" 2>/dev/null || cp -a "$base/." "$root"
    mount -t proc proc "$root/proc"
    mount --rbind /sys "$root/sys"
    mount --rbind /dev "$root/dev"
    mount --bind "$archives" "$root/var/cache/apt/archives"
    if [ -n "$out" ]; then
        mkdir -p "$root/out"
        mount --bind "$out" "$root/out"
    fi
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    rm -f "$root/etc/apt/sources.list"
    while read -r uri suite; do
        printf 'Types: deb\nURIs: %s\nSuites: %s\nComponents: main\n\n' "$uri" "$suite"
    done <<<"$archive" >"$root/etc/apt/sources.list.d/debian.sources"
    git init -q "$root/root/halvren"
    git push -q "$root/root/halvren" "$commit:refs/heads/main"
    git -C "$root/root/halvren" checkout -q main
    chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 CI="${CI:-}" \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        bash -c 'cd /root/halvren && exec "$@"' bash "$@"
}
export work base archives out archive commit
unshare --mount --pid --fork --propagation private bash -c "$(declare -f enter); enter \"\$@\"" \
    bash "$@"
