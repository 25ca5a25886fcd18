#!/usr/bin/env bash
# The broken data sets whose names begin with a to l: each shown, survived, back to the menus.
. "$(dirname "$0")/broken_data_lib.sh"
run_broken_cases '[a-l]*'
