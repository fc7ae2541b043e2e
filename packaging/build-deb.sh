#!/usr/bin/env bash
# Builds the Debian package of Kerb Runner from the working tree:
#   packaging/build-deb.sh [OUTDIR]      (default OUTDIR: build-deb/ at the repository root)
# writes OUTDIR/kerbrunner_<version>_<arch>.deb, its version taken from CMakeLists.txt and its
# dependencies computed from the binaries (dh_shlibdeps), then shows what lintian says.
# Installs the packaging tools it needs (debhelper, dpkg-dev, fakeroot, lintian) if missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-$root/build-deb}" && cd "${1:-$root/build-deb}" && pwd)

"$root/scripts/setup.sh" debhelper dpkg-dev fakeroot lintian

version=$(sed -n 's/^project(KerbRunner VERSION \([0-9][0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || { echo "build-deb: no version in $root/CMakeLists.txt" >&2; exit 1; }

work=$(mktemp -d /tmp/kerbrunner-deb.XXXXXX)
trap 'rm -rf "$work"' EXIT
src="$work/kerbrunner-$version"
mkdir "$src"
# The files git knows of or would add, as they are now; no build directories.
git -C "$root" ls-files -z --cached --others --exclude-standard |
  (cd "$root" && xargs -0 sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' sh) |
  tar -C "$root" --null -T - -cf - | tar -C "$src" -xf -
cp -r "$root/packaging/debian" "$src/debian"
date=$(date -R -d "@${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}")
cat > "$src/debian/changelog" <<CHANGES
kerbrunner ($version) unstable; urgency=medium

  * Kerb Runner $version.

 -- Kerb Runner developers <kerbrunner@example.org>  $date
CHANGES

echo "Building the package of Kerb Runner $version in $work (takes a few minutes)..."
(cd "$src" && DEB_BUILD_OPTIONS="nocheck noddebs parallel=$(nproc)" \
  dpkg-buildpackage -b -us -uc) > "$work/build.log" 2>&1 || {
  tail -40 "$work/build.log" >&2
  echo "build-deb: the package build failed (whole log above was in $work/build.log)" >&2
  exit 1
}
deb=$(ls "$work"/kerbrunner_"$version"_*.deb)
cp "$deb" "$out/"
deb="$out/$(basename "$deb")"
echo "Built $deb"
echo "Depends: $(dpkg-deb -f "$deb" Depends)"
echo "lintian says:"
lintian --info "$deb" || true
