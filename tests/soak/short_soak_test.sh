#!/usr/bin/env bash
# The short soak: four runs at most, within four minutes and forty seconds, the
# fault kinds taken in turn from an offset the commit's hash picks, so that
# successive commits go round every kind. Skips (77) where litecoind,
# sendemail or aiosmtpd is missing.
#   short_soak_test.sh SOURCE_DIR BUILD_DIR
source "$1/scripts/lib/strict.sh"
seed=$(git -C "$1" rev-parse HEAD 2>/dev/null || echo syncward)
SYNCWARD_BUILD_DIR=$2 SOAK_ROTATE=1 SOAK_BUDGET=280 exec bash "$1/bench/soak.sh" 4 "$seed"
