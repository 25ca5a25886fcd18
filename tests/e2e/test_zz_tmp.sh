. "$(dirname "$0")/broken_data_lib.sh"
run_broken_cases "$2"
