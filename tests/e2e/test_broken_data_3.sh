#!/usr/bin/env bash
# Broken data sets whose names begin with tests: shown, survived, back to the menus.
. "$(dirname "$0")/broken_data_lib.sh"
run_broken_cases 'tests'
