#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Signs the Windows release made by release.sh in OUT: packs the installer again, aside, from
# its first build with starfold.exe and the print module signed, signs the installer, checks
# both signatures, and writes it with its SHA256SUMS into OUT/signed/. The unsigned files in
# OUT, the ones anyone can rebuild, stay as they are.
#
# The certificate and key come from STARFOLD_SIGN_CERT and STARFOLD_SIGN_KEY, each the name of
# a PEM file or the PEM text itself; STARFOLD_SIGN_PASS_FILE names a file with the key's
# password, STARFOLD_SIGN_TIMESTAMP_URL a time-stamping server, STARFOLD_SIGN_CA the certificates
# the signatures are checked against (by default the certificate itself, as for a self-signed
# one). Without a certificate nothing is signed.
#
#   scripts/sign-release.sh OUT
set -euo pipefail
out=$(realpath -m "$1")
build=$out/a/build-windows

if [[ -z ${STARFOLD_SIGN_CERT:-} || -z ${STARFOLD_SIGN_KEY:-} ]]; then
    echo "Not signed: no certificate given (STARFOLD_SIGN_CERT and STARFOLD_SIGN_KEY, files or" \
         "PEM text). The installer and starfold.exe stay unsigned."
    exit 0
fi
[[ -d $build ]] || { echo "No release to sign in $out: make release first" >&2; exit 1; }

# The programs are stripped again as the installer is packed; they keep the commit's time.
if [[ -z ${SOURCE_DATE_EPOCH:-} ]]; then
    SOURCE_DATE_EPOCH=$(git -C "$out/a" log -1 --format=%ct)
    export SOURCE_DATE_EPOCH
fi
secrets=$(umask 077 && mktemp -d)
trap 'rm -rf "$secrets"' EXIT
# pem NAME VALUE: the file VALUE names, or VALUE written to a private file when it is PEM text.
pem() {
    if [[ $2 == -----BEGIN* ]]; then
        printf '%s\n' "$2" >"$secrets/$1.pem"
        echo "$secrets/$1.pem"
    else
        realpath "$2"
    fi
}
export STARFOLD_SIGN_CERT=$(pem cert "$STARFOLD_SIGN_CERT")
export STARFOLD_SIGN_KEY=$(pem key "$STARFOLD_SIGN_KEY")

# Packed aside, so the first build's unsigned installer stays as it was built.
work=$secrets/cpack
cpack --config "$build/CPackConfig.cmake" -G NSIS -B "$work"
installer=$(echo "$work"/Starfold-*-win64.exe)
mkdir -p "$out/signed"
cp "$installer" "$out/signed/"
signed=$out/signed/$(basename "$installer")

# The signature must hold on the installer and on the program inside it.
check() {
    osslsigncode verify -CAfile "${STARFOLD_SIGN_CA:-$STARFOLD_SIGN_CERT}" -in "$1" >"$secrets/verify.log" 2>&1 ||
        { cat "$secrets/verify.log"; echo "The signature on $1 does not verify" >&2; exit 1; }
}
check "$signed"
check "$work/_CPack_Packages/win64/NSIS/$(basename "$installer" .exe)/starfold.exe"
(cd "$out/signed" && sha256sum -- *.exe >SHA256SUMS && cat SHA256SUMS)
echo "Signed: $signed"
