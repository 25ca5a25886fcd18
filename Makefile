# The two entry points: `make run` installs, builds and starts the game; `make test` installs,
# builds and runs every test, a sanitizer build of the unit tests included.
JOBS ?= 2

.PHONY: run test deps build build-asan unit-test bench clean

run: build
	./vorn

test: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build -j$(JOBS)
	ctest --test-dir build --output-on-failure
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVORN_SANITIZE=ON
	cmake --build build-asan -j$(JOBS)
	ctest --test-dir build-asan --output-on-failure -L unit

deps:
	bash tools/install-deps.sh

build: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build -j$(JOBS)

unit-test: build
	ctest --test-dir build --output-on-failure -L unit

# Benchmarks of the step, the contact pass, a drawn frame and a campaign round; not part of the tests.
bench: build
	build/bench/vorn-bench --benchmark_repetitions=3 --benchmark_report_aggregates_only=true

clean:
	rm -rf build build-asan vorn vorn-sim
