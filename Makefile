# The two commands a newcomer needs: `make run` and `make test`.
.PHONY: run test bench package fuzz build build-asan build-tsan setup clean

JOBS ?= $(shell nproc 2>/dev/null || echo 2)

setup:
	@scripts/setup

build/build.ninja: | setup
	cmake --preset dev

build-asan/build.ninja: | setup
	cmake --preset asan

build-tsan/build.ninja: | setup
	cmake --preset tsan

build: setup build/build.ninja
	cmake --build --preset dev -j $(JOBS)

build-asan: setup build-asan/build.ninja
	cmake --build --preset asan -j $(JOBS)

build-tsan: setup build-tsan/build.ninja
	cmake --build --preset tsan -j $(JOBS)

# The window, on the keyboard when one is connected, else on the virtual keyboard (whose
# settings are kept in build/virtual-keyboard.state).
run: build
	@if build/solvane-cli info >/dev/null 2>&1; then build/solvane; \
	else echo "No keyboard found: running on the virtual keyboard."; \
	build/solvane --simulate=build/virtual-keyboard.state; fi

# Every test, then again under ASan and UBSan, and the threaded hand-overs under TSan.
test: build build-asan build-tsan
	ctest --preset dev -j $(JOBS)
	ctest --preset asan -j $(JOBS)
	ctest --preset tsan -j $(JOBS)

# The Debian package, in build/ (CPack).
package: build
	cd build && cpack -G DEB

# Figures, never pass or fail: transfers, the main window's paint and launch keys, start-up,
# and the key monitor's idle cost (on a private Xvfb display when there is one).
bench: build
	build/bench/solvane-bench
	build/bench/solvane-window-bench
	build/bench/solvane-start-bench
	build/bench/solvane-idle-bench

# Every fuzz target for FUZZ_SECONDS (default 60) under libFuzzer with ASan and UBSan, in
# build-fuzz/; a crash, a sanitizer report, a hang or running out of memory fails.
fuzz:
	@scripts/setup fuzz
	@JOBS=$(JOBS) fuzz/run

clean:
	rm -rf build build-asan build-tsan build-fuzz
