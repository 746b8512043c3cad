# Velmora: `make run` sets everything up and starts the clock; `make test` builds and runs
# the tests. Both install the Debian packages they need first (as root): `make run` only those
# that building and running take, `make test` the test tools too, packaging and benchmarks more.

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: all deps deps-test deps-extra configure configure-run build test run package install-check sanitize bench bench-idle bench-idle-wayland fuzz fuzz-rtf \
	format clean

# Only the programs, as `make run` builds them: no test tool needed.
all: configure-run
	cmake --build $(BUILD_DIR) -j $(JOBS)

deps:
	./scripts/install-deps

deps-test:
	./scripts/install-deps test

deps-extra:
	./scripts/install-deps extra

# The whole build, tests included; a build directory that `make run` configured without them
# gets them now.
configure: deps-test
	@if [ ! -f $(BUILD_DIR)/build.ninja ] || \
		grep -q '^BUILD_TESTING:BOOL=OFF' $(BUILD_DIR)/CMakeCache.txt; then \
		cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DBUILD_TESTING=ON; \
	fi

# Only the programs: a build directory made here has no tests and needs no test tools.
configure-run: deps
	@if [ ! -f $(BUILD_DIR)/build.ninja ]; then \
		cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DBUILD_TESTING=OFF; \
	fi

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

run: all
	$(BUILD_DIR)/app/velmora

# The Debian package, $(BUILD_DIR)/velmora_<version>_amd64.deb, with its dependencies taken from
# the binaries.
package: deps-extra build
	cd $(BUILD_DIR) && cpack -G DEB

# Installs the package into a throwaway root and validates what it installs.
install-check: package
	./scripts/install-check $(BUILD_DIR)

# The tests under AddressSanitizer and UndefinedBehaviorSanitizer, in a build of their own.
sanitize: deps-test
	cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON -DVELMORA_BENCHMARKS=OFF
	cmake --build build-sanitize -j $(JOBS)
	cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp ctest --output-on-failure -j $(JOBS)

bench: deps-extra build
	cmake -S . -B $(BUILD_DIR) -DVELMORA_BENCHMARKS=ON
	cmake --build $(BUILD_DIR) -j $(JOBS)
	./scripts/run-benchmarks $(BUILD_DIR)

# The running clock next to conky, buici-clock, xclock and a minimal Qt window, each on an Xvfb
# with openbox and picom: idle CPU, wake-ups, peak memory, second-boundary latency, time to the
# first frame, and velmora's targets. Installs the peers first (scripts/install-deps bench).
# BASELINE=path/to/velmora measures another build beside it, for the change between the two.
bench-idle: deps-extra build
	cmake -S . -B $(BUILD_DIR) -DVELMORA_BENCHMARKS=ON
	cmake --build $(BUILD_DIR) --target velmora-qt-floor
	bench/idle_clock.sh -b $(BUILD_DIR)/app/velmora -f $(BUILD_DIR)/bench/velmora-qt-floor \
		$(if $(BASELINE),-B $(BASELINE))

# The idle clock on a headless sway's layer surface beside the same clock on X11, measured alike.
bench-idle-wayland: deps-test build
	bench/idle_layer_clock.sh -b $(BUILD_DIR)/app/velmora

# The scheme reader's fuzz target (needs clang and libclang-rt-14-dev); FUZZ_SECONDS to taste.
FUZZ_SECONDS ?= 600
fuzz:
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_FUZZ=ON
	cmake --build build-fuzz
	mkdir -p build-fuzz/corpus build-fuzz/artifacts
	cp -n fuzz/seeds/* tests/data/fuzz_regressions/* build-fuzz/corpus/
	build-fuzz/fuzz/velmora-scheme-fuzz -max_len=4096 -timeout=5 -max_total_time=$(FUZZ_SECONDS) \
		-artifact_prefix=build-fuzz/artifacts/ build-fuzz/corpus

# The same for the option tree's rich-text converter (optiontree/rtf_reader.h); Qt's and
# fontconfig's process-lifetime allocations are no leaks.
fuzz-rtf:
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_FUZZ=ON
	cmake --build build-fuzz
	mkdir -p build-fuzz/rtf-corpus build-fuzz/rtf-artifacts
	cp -n fuzz/rtf_seeds/* tests/data/rtf_fuzz_regressions/* build-fuzz/rtf-corpus/
	LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp \
	build-fuzz/fuzz/velmora-rtf-fuzz -max_len=4096 -timeout=5 -max_total_time=$(FUZZ_SECONDS) \
		-artifact_prefix=build-fuzz/rtf-artifacts/ build-fuzz/rtf-corpus

format:
	git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) build-sanitize build-fuzz
