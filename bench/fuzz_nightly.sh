#!/usr/bin/env bash
# A nightly-length fuzzing run: an hour of each target by default (SECONDS_EACH), whose new
# inputs are merged into the corpus that every test run replays.
set -euo pipefail
exec bash "$(dirname "$0")/../scripts/fuzz" "${SECONDS_EACH:-3600}"
