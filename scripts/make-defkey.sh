#!/usr/bin/env bash
# Writes data/DEFKEY.OZM, the reset keymap shipped beside the program, from the built-in default map.
# The test that checks the committed file against the built-in map does the writing when asked to.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh native
VOK_WRITE_DEFKEY=1 build/native/vok_tests --gtest_filter='ShippedDefaultKeymap.*'
echo "data/DEFKEY.OZM: $(wc -c <data/DEFKEY.OZM) bytes"
