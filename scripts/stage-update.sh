#!/usr/bin/env bash
# Offers a firmware update on the simulator's firmware stand-in: copies a build of the
# application into the stand-in's folder for a region, signs it (FILE.sig, Ed25519) with the
# development key of the running build and writes the version file the device checks
# ("version;file;size;MD5"). Then "System Update" on the setup page downloads it, checks its
# size, MD5, processor and signature, stages it as vistrel.new and reboots; run-sim.sh
# installs it.
# It also writes the version list of the maintenance dialog (Wi-Fi pass phrase "mvrq4096"
# on any secured network): the offered version and the running one, both this image.
#
#   scripts/stage-update.sh [VERSION] [REGION] [BINARY]
#     VERSION  the version the device is offered (v2.6.6-R); it differs from the running
#              version, or the device answers "No New Version!"
#     REGION   us, india or china (us): the folder of the device's Select Area setting
#     BINARY   the image to offer (build-release/bin/vistrel)
# VISTREL_SIGNING_KEY names another key (PEM); by default the key of the build that runs the
# device, build-release/dev-keys/firmware-signing.pem, made there when it was configured.
set -euo pipefail
cd "$(dirname "$0")/.."

VERSION=${1:-v2.6.6-R}
REGION=${2:-us}
BINARY=${3:-build-release/bin/vistrel}
DEVICE_DIR=${VISTREL_DEVICE_DIR:-build-release/device}
SERVICES=$DEVICE_DIR/services
KEY=${VISTREL_SIGNING_KEY:-$(dirname "$DEVICE_DIR")/dev-keys/firmware-signing.pem}
DIR="$SERVICES/firmware/v2/$REGION"

[[ -f "$BINARY" ]] || { echo "stage-update: no $BINARY (run scripts/run-sim.sh once)" >&2; exit 1; }
[[ -f "$KEY" ]] || { echo "stage-update: no signing key $KEY (run scripts/run-sim.sh once)" >&2; exit 1; }
mkdir -p "$DIR"
FILE="vistrel-$VERSION"
cp "$BINARY" "$DIR/$FILE"
openssl pkeyutl -sign -rawin -inkey "$KEY" -in "$DIR/$FILE" -out "$DIR/$FILE.sig"
SIZE=$(stat -c %s "$DIR/$FILE")
MD5=$(md5sum "$DIR/$FILE" | cut -d' ' -f1 | tr a-f A-F)
printf '%s;%s;%s;%s\n' "$VERSION" "$FILE" "$SIZE" "$MD5" >"$DIR/version_rent.txt"
# The running version, as the build names it: v<project version>-R.
CURRENT=$(grep -o 'project(vistrel VERSION [0-9][0-9.]*' CMakeLists.txt | grep -o '[0-9][0-9.]*$' || true)
[[ -n "$CURRENT" ]] || { echo "stage-update: no project version in CMakeLists.txt" >&2; exit 1; }
CURRENT="v$CURRENT-R"
printf '%s;%s;%s;%s\n' "$CURRENT" "$FILE" "$SIZE" "$MD5" >"$DIR/version_current.txt"
printf 'version_rent.txt\t%s\nversion_current.txt\t%s\n' "$VERSION" "$CURRENT" >"$DIR/versionList.txt"
echo "stage-update: $DIR/version_rent.txt offers $VERSION ($SIZE bytes, MD5 $MD5, signed with $KEY)"
echo "stage-update: $DIR/versionList.txt lists $VERSION and $CURRENT"
