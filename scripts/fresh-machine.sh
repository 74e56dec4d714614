#!/usr/bin/env bash
# CI: the README's promise on a truly fresh Debian 12. Builds a clean
# bookworm root with debootstrap, copies the source into it as a clean
# checkout, and there, as root with nothing else prepared, runs the README's
# test command and then scripts/package.sh. Fails when either fails (both
# always run, so one run shows both).
#
# What it copies: the files of the commit checked out (HEAD, by git archive),
# so uncommitted changes are left out and named; --worktree copies the files
# as they are on disk instead (tracked and untracked ones, not ignored ones).
#
# The pristine root is kept in $CORVANE_FRESH_CACHE (/var/cache/corvane-fresh)
# as a tar, named by what it was built from: release, architecture, mirror,
# debootstrap's version and the checksum of the mirror's release file. When
# the mirror publishes a new point release the name changes, the root is
# built anew and the old one removed. Each run unpacks a copy; the copy and
# its mounts (/proc, /sys, /dev, in a mount namespace of its own, so they end
# with the run whatever happens) are gone afterwards, unless
# CORVANE_FRESH_KEEP=1 keeps the copy for a look.
#
# The package it builds is copied out to build/fresh-package/, for
# scripts/check-package.sh to check as the one a fresh machine makes.
#
# CORVANE_FRESH_CCACHE=DIR (CI sets it) shares the ccache in DIR with the
# root: ccache is installed there first (nothing the build needs comes with
# it), and each compiler call whose compiler, flags and files are the same as
# a call already made on this machine takes its object from the cache, as
# the same compiler would have made it: the host's builds must run under
# scripts/ccache-env.sh's settings for its checkout, as .ci/run's do.
# With the shared ccache, the root's test command builds with the package's
# flags (scripts/debian-flags.sh, for the root's checkout), as CI builds its
# own: the package's build after it then makes only compiler calls already
# made, and takes every object from the cache.
# Usage: scripts/fresh-machine.sh [--worktree]   (as root, or through sudo)
set -euo pipefail
cd "$(dirname "$0")/.."
source_from=head
case "${1:-}" in
  --worktree) source_from=worktree ;;
  "") ;;
  *) echo "usage: $0 [--worktree]" >&2; exit 2 ;;
esac
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null 2>&1 ||
    { echo "fresh-machine: needs root (debootstrap, chroot, mount); run it as root" >&2; exit 1; }
  exec sudo --preserve-env=CORVANE_FRESH_CACHE,CORVANE_FRESH_KEEP,CORVANE_FRESH_CCACHE,CMAKE_BUILD_PARALLEL_LEVEL,CCACHE_MAXSIZE "$PWD/scripts/fresh-machine.sh" "$@"
fi
# Root reads a checkout that someone else may own.
git() { command git -c safe.directory="$PWD" "$@"; }
git rev-parse --is-inside-work-tree >/dev/null 2>&1 ||
  { echo "fresh-machine: needs git and a git checkout, to copy a clean tree" >&2; exit 1; }
scripts/deps.sh debootstrap

suite=bookworm
arch=$(dpkg --print-architecture)
mirror=$(scripts/debian-mirror.sh "$suite")
cache=${CORVANE_FRESH_CACHE:-/var/cache/corvane-fresh}
work=$(mktemp -d /var/tmp/corvane-fresh.XXXXXX)
child=""
cleanup() {
  # Killing unshare takes every process of the root with it (--kill-child);
  # unshare itself ignores the gentler signals.
  [ -z "$child" ] || { kill -KILL "$child" 2>/dev/null; wait "$child" 2>/dev/null; } || true
  if [ "${CORVANE_FRESH_KEEP:-0}" = 1 ]; then
    echo "fresh-machine: the root is kept in $work/root"
  else
    rm -rf --one-file-system "$work"
  fi
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM
started=$SECONDS
took() { echo "fresh-machine: $1 took $((SECONDS - $2)) s"; }

# The pristine root, from the cache when the mirror still serves what it
# was built from.
start=$SECONDS
/usr/lib/apt/apt-helper -o APT::Sandbox::User=root \
  download-file "$mirror/dists/$suite/InRelease" "$work/InRelease" >/dev/null
key=$(printf '%s\n' "$suite" "$arch" "$mirror" "$(dpkg-query -W -f='${Version}' debootstrap)" \
  "$(sha256sum <"$work/InRelease")" | sha256sum | cut -c1-16)
pristine=$cache/$suite-$arch-$key.tar
mkdir -p "$work/root"
if [ -f "$pristine" ]; then
  tar -xpf "$pristine" --numeric-owner -C "$work/root"
  took "unpacking the cached $suite root ($pristine)" "$start"
else
  echo "fresh-machine: debootstrap $suite $arch from $mirror"
  debootstrap --arch="$arch" "$suite" "$work/root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
    { tail -n 30 "$work/debootstrap.log" >&2; echo "fresh-machine: debootstrap failed" >&2; exit 1; }
  mkdir -p "$cache"
  tar -cpf "$pristine.part" --numeric-owner -C "$work/root" .
  mv "$pristine.part" "$pristine"  # a cut-off run never leaves a half root under the name
  find "$cache" -maxdepth 1 -name "$suite-$arch-*.tar*" ! -name "$(basename "$pristine")" -delete
  took "debootstrap (now cached as $pristine)" "$start"
fi

# The source, as a fresh clone would have it.
src=$work/root/root/corvane
mkdir -p "$src"
if [ "$source_from" = head ]; then
  git archive --format=tar HEAD | tar -x -C "$src"
  echo "fresh-machine: testing commit $(git rev-parse --short HEAD)"
  changes=$(git status --porcelain --untracked-files=normal)
  [ -z "$changes" ] || printf 'fresh-machine: left out, not committed:\n%s\n' "$changes"
else
  git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
    tar -c --null -T - | tar -x -C "$src"
  echo "fresh-machine: testing the work tree as it is on disk (HEAD $(git rev-parse --short HEAD) plus changes)"
fi
cp /etc/resolv.conf "$work/root/etc/resolv.conf"  # the root's apt reaches the mirror by name

# The shared ccache, where the root sees it, what its compiler calls need to
# find it, and the package's flags for the test command's build.
shared_ccache=${CORVANE_FRESH_CCACHE:-}
root_env=()
if [ -n "$shared_ccache" ]; then
  mkdir -p "$shared_ccache" "$work/root/var/cache/ccache-shared"
  mapfile -t root_env < <(scripts/ccache-env.sh /root/corvane /var/cache/ccache-shared)
  package_flags=$(scripts/debian-flags.sh)
  root_env+=("CXXFLAGS=${package_flags//"$PWD"//root/corvane}")
fi

# Root's login on the fresh machine: its own mounts and processes, an empty
# environment (only a build parallelism set here, the shared ccache and the
# package's flags are passed on). It runs in the background so that an
# interrupted run can end it.
in_fresh_root() {
  unshare --mount --propagation private --pid --fork --kill-child -- bash -euc '
    root=$1 ccache=$2; shift 2
    mount -t proc proc "$root/proc"
    mount -t sysfs sysfs "$root/sys"
    mount --rbind /dev "$root/dev"
    [ -z "$ccache" ] || mount --bind "$ccache" "$root/var/cache/ccache-shared"
    command=$1; shift
    exec chroot "$root" /usr/bin/env -i HOME=/root TERM="${TERM:-dumb}" \
      ${CMAKE_BUILD_PARALLEL_LEVEL:+CMAKE_BUILD_PARALLEL_LEVEL=$CMAKE_BUILD_PARALLEL_LEVEL} \
      PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@" \
      bash -c "cd /root/corvane && $command"
  ' in_fresh_root "$work/root" "$shared_ccache" "$*" "${root_env[@]}" &
  child=$!
  local status=0
  wait "$child" || status=$?
  child=""
  return "$status"
}

failed=()
if [ -n "$shared_ccache" ]; then
  start=$SECONDS
  in_fresh_root "DEBIAN_FRONTEND=noninteractive apt-get -q update >/dev/null &&
    DEBIAN_FRONTEND=noninteractive apt-get -q install -y --no-install-recommends ccache >/dev/null" ||
    { echo "fresh-machine: could not install ccache in the root" >&2; exit 1; }
  took "installing ccache to share $shared_ccache" "$start"
fi
start=$SECONDS
in_fresh_root ./scripts/test.sh || failed+=("the README's test command (./scripts/test.sh)")
took "./scripts/test.sh" "$start"
start=$SECONDS
if in_fresh_root ./scripts/package.sh; then
  rm -rf build/fresh-package
  mkdir -p build/fresh-package
  cp "$src"/build/package/corvane_*.deb build/fresh-package/
else
  failed+=("./scripts/package.sh")
fi
took "./scripts/package.sh" "$start"
took "the fresh machine, all told," "$started"
if [ "${#failed[@]}" -gt 0 ]; then
  printf 'fresh-machine: FAILED on a fresh Debian 12: %s\n' "${failed[@]}" >&2
  exit 1
fi
echo "fresh-machine: the README's test command and the package pass on a fresh Debian 12"
