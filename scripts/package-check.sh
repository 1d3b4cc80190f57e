#!/usr/bin/env bash
# Builds the Debian package from build/ (after scripts/build.sh) and checks
# it: lintian must find no error, appstreamcli must accept the AppStream data.
set -euo pipefail
cd "$(dirname "$0")/.."
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
(cd build && cpack -G DEB -B "$out" >/dev/null)
# The -dbgsym package beside it is CPack's own making and not checked here.
lintian --fail-on error --tag-display-limit 0 "$out"/vellumar_*.deb
appstreamcli validate --no-net resources/desktop/org.quillory.Vellumar.metainfo.xml
echo "package: $(cd "$out" && ls vellumar_*.deb) passes lintian"
