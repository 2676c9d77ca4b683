# The two commands a newcomer needs: `make run` and `make test`.
.PHONY: run test bench build build-asan setup clean

JOBS ?= $(shell nproc 2>/dev/null || echo 2)

setup:
	@scripts/setup

build/build.ninja: | setup
	cmake --preset dev

build-asan/build.ninja: | setup
	cmake --preset asan

build: setup build/build.ninja
	cmake --build --preset dev -j $(JOBS)

build-asan: setup build-asan/build.ninja
	cmake --build --preset asan -j $(JOBS)

# Until the window exists: the command-line tool on the virtual keyboard, traced.
run: build
	build/solvane-cli --simulate info
	build/solvane-cli --simulate --trace read
	build/solvane-cli --simulate --trace write

test: build build-asan
	ctest --preset dev -j $(JOBS)
	ctest --preset asan -j $(JOBS)

bench: build
	build/bench/solvane-bench

clean:
	rm -rf build build-asan build-tsan
