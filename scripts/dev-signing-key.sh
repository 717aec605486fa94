#!/usr/bin/env bash
# The development key that signs firmware images for a simulator build: created once under
# that build's folder (never committed), and printed as its raw Ed25519 public key in
# hexadecimal, which the build compiles in as the one key it trusts.
#
#   scripts/dev-signing-key.sh BUILD_DIR     prints the public key; the key is
#                                            BUILD_DIR/dev-keys/firmware-signing.pem
set -euo pipefail
DIR=${1:?usage: scripts/dev-signing-key.sh BUILD_DIR}/dev-keys
KEY=$DIR/firmware-signing.pem
if [[ ! -s "$KEY" ]]; then
    mkdir -p "$DIR"
    chmod 700 "$DIR"
    (umask 077 && openssl genpkey -algorithm ed25519 -out "$KEY.tmp" && mv "$KEY.tmp" "$KEY")
fi
# The DER form of a public key ends with its 32 raw bytes.
openssl pkey -in "$KEY" -pubout -outform DER | tail -c 32 | od -An -v -tx1 | tr -d ' \n'
echo
