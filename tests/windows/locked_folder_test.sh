#!/usr/bin/env bash
# The Windows services' test once more, copied into a folder that cannot be written (as under
# C:\Program Files) and started there: the settings and the reservations go to the user's folder.
set -euo pipefail
program=$1
export BWM_BUILD=$2
here=$(cd "$(dirname "$0")" && pwd)
folder=$(mktemp -d)
trap 'chattr -i "$folder"; rm -rf "$folder"' EXIT
cp "$program" "$folder/"
chattr +i "$folder"
cd "$folder"
BWM_PROGRAM_FOLDER_LOCKED=1 bash "$here/../support/wine_run.sh" \
    "$folder/$(basename "$program")" --gtest_filter='*FilesBesideTheProgramOrInTheUsersFolder'
