# The two entry points: `make run` installs, builds and starts the game; `make test` installs,
# builds and runs every test, a sanitizer build of the unit tests included.
JOBS ?= 2

.PHONY: run test test-under-load deps deps-build build build-tested build-asan unit-test bench clean fuzz fuzz-build soak memcheck

# The game plays the data set the build made beside it.
run: build
	cd build && ./vorn

test: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORN_BUILD_TESTS=ON
	cmake --build build -j$(JOBS)
	ctest --test-dir build --output-on-failure
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVORN_SANITIZE=ON
	cmake --build build-asan -j$(JOBS)
	ctest --test-dir build-asan --output-on-failure -L unit

# What testing needs; playing and building need less (`deps-build`).
deps:
	bash tools/install-deps.sh test

deps-build:
	bash tools/install-deps.sh build

build: deps-build
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORN_BUILD_TESTS=OFF
	cmake --build build -j$(JOBS)

# The build with its tests, for the targets below that need the test kit.
build-tested: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORN_BUILD_TESTS=ON
	cmake --build build -j$(JOBS)

# The end-to-end tests UNDER_LOAD_RUNS times in a row beside two CPU-bound processes, as on a busy
# machine; fails if any run fails. Not part of `make test`: .ci/run adds what its time allows.
UNDER_LOAD_RUNS ?= 3

test-under-load: build-tested
	bash tools/test-under-load.sh build $(UNDER_LOAD_RUNS)

unit-test: build-tested
	ctest --test-dir build --output-on-failure -L unit

# Benchmarks of the step, the contact pass, a drawn frame and a campaign round; not part of the tests.
bench: build-tested
	cd build/run && ../bench/vorn-bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true

# Long fuzzing runs with libFuzzer (clang); not part of `make test`, which only replays the
# kept corpora. FUZZ_SECONDS per target; FUZZ_TARGETS to pick some.
FUZZ_SECONDS ?= 600
FUZZ_TARGETS ?=

fuzz-build: build-tested
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORN_FUZZ=ON
	cmake --build build-fuzz -j$(JOBS)

fuzz: fuzz-build
	bash fuzz/seed.sh
	bash fuzz/run.sh $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# Soak runs, not part of `make test`: vorn-sim for 100,000 steps of 1,000 units, then every
# round of a campaign replayed 1,000 times, each under
# AddressSanitizer and LeakSanitizer, resident memory compared after warm-up and at the end (a
# small quarantine, so freed memory held back by the sanitizer does not count as growth).
soak: build-tested
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVORN_SANITIZE=ON
	cmake --build build-asan -j$(JOBS) --target soakRounds vorn-sim vorndata
	cd build-asan/run && bash fuzz/soakSim.sh ../tools/vorn-sim 100000
	cd build-asan/run && ASAN_OPTIONS=detect_leaks=1:quarantine_size_mb=4 ../fuzz/soakRounds Conquest 1000 300
	cd build-asan/run && ASAN_OPTIONS=detect_leaks=1:quarantine_size_mb=4 ../fuzz/soakRounds Gauntlet 1000 300

# A session of the real game under valgrind memcheck (menus, settings saved, two campaigns
# fought for MEMCHECK_SECONDS each); `make test` runs a shorter one.
MEMCHECK_SECONDS ?= 60

memcheck: build-tested
	cd build/run && bash tools/memcheck/session.sh ../vorn $(MEMCHECK_SECONDS)

clean:
	rm -rf build build-asan build-fuzz
