#!/usr/bin/env bash
# Releases with a throwaway certificate and checks what came out: the
# signature verifies against that certificate, SHA256SUMS checks out, and
# the release is this build's program plus a signature, and the signed
# program still runs the normal end-to-end case under Wine (its
# resources load with the signature appended). Where this machine runs no
# 32-bit programs, the test build's own program is signed the same way and
# run instead.
#
#     release_test.sh SOURCE_DIR BUILD_DIR ARCH
set -euo pipefail
root=$1 build=$2 arch=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=SysReport release test" \
    -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
SIGN_CERT=$work/cert.pem SIGN_KEY=$work/key.pem DIST_DIR=$work/dist "$root/scripts/release"

zip=$work/dist/SysReport-$("$root/scripts/version").zip
unzip -q "$zip" -d "$work/release"
[ "$(cd "$work/release" && ls | tr '\n' ' ')" = "README.txt SHA256SUMS SysReport.exe " ] ||
    { echo "unexpected files in $zip" >&2; exit 1; }
(cd "$work/release" && sha256sum --check --strict SHA256SUMS)
osslsigncode verify -CAfile "$work/cert.pem" -in "$work/release/SysReport.exe"

# A release is the commit's build plus a signature: without it, the same
# bytes as this build tree's 32-bit program.
product=$build/app/SysReport.exe
[ "$arch" = i686 ] || product=$build/i686/app/SysReport.exe
osslsigncode remove-signature -in "$work/release/SysReport.exe" -out "$work/unsigned.exe" >/dev/null
cmp "$work/unsigned.exe" "$product"

exe=$work/release/SysReport.exe
if [ "$arch" != i686 ]; then
    mkdir "$work/signed"
    exe=$work/signed/SysReport.exe
    osslsigncode sign -certs "$work/cert.pem" -key "$work/key.pem" -h sha256 \
        -in "$build/app/SysReport.exe" -out "$exe" >/dev/null
fi
SYSREPORT_EXE="Z:$exe" "$build/wine-run" "$build/tests/app/endtoend_tests.exe" \
    --gtest_filter=EndToEnd.NormalRunShowsReportAndLeavesNothing
