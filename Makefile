# make run     installs what is missing, builds the engine and the demo game, and plays it
# make test    installs what is missing, builds, and runs every test (also under the sanitizers)
# make deb     installs what is missing, builds, and makes the Debian package build/kotoyumi_*.deb
# make bench   the Google Benchmark programs
# make format  formats every source file with the project's .clang-format
# make fuzz    runs every libFuzzer target on its corpus for FUZZ_SECONDS (default 600) each
# make soak    plays the demo for SOAK_HOURS (default 10) of virtual time with random input, twice:
#              for memory (flat after the first hour) and under the sanitizers
BUILD := build
ASAN_BUILD := build-asan
FUZZ_BUILD := build-fuzz
FUZZ_SECONDS := 600
SOAK_HOURS := 10
FUZZ_TARGETS := fuzz_image_decode fuzz_media_strings fuzz_scenario fuzz_game fuzz_slot_restore fuzz_midi fuzz_effect
JOBS := $(shell nproc)
# The developer build: the demo game, tests and benchmarks, warnings as errors.
DEV_FLAGS := -DKOTOYUMI_DEMO=ON -DKOTOYUMI_TESTS=ON -DKOTOYUMI_BENCH=ON -DKOTOYUMI_WERROR=ON
SOURCES = $(shell git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'tools/*.cpp' 'tools/*.h' 'fuzz/*.cpp' 'fuzz/*.h')

.PHONY: deps configure build run deb test test-asan bench format format-check fuzz soak

deps:
	bash tools/install-deps.sh

configure:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(DEV_FLAGS)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

run: deps configure
	cmake --build $(BUILD) -j$(JOBS) --target kotoyumi demo
	bash tools/run-demo.sh $(BUILD)

# Only what the package holds is built (not the tests); install it with apt-get install ./FILE.
deb: deps configure
	cmake --build $(BUILD) -j$(JOBS) --target shipped
	cd $(BUILD) && cpack -G DEB
	@ls $(BUILD)/kotoyumi_*.deb

test: deps format-check build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)
	$(MAKE) test-asan

test-asan:
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKOTOYUMI_SANITIZE=ON -DKOTOYUMI_TESTS=ON -DKOTOYUMI_WERROR=ON
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j$(JOBS)

bench: build
	for b in $(BUILD)/bench_*; do $$b; done

format:
	clang-format -i $(SOURCES)

format-check:
	clang-format --dry-run --Werror $(SOURCES)

# Each target starts from its corpus in fuzz/corpus/ (new finds are added there), prints its
# executions and coverage, and stops at the first crash, leak or timeout (1 s an input).
fuzz:
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOTOYUMI_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target $(FUZZ_TARGETS)
	for t in $(FUZZ_TARGETS); do \
	  $(FUZZ_BUILD)/fuzz/$$t -max_total_time=$(FUZZ_SECONDS) -timeout=1 -rss_limit_mb=2048 \
	    -print_final_stats=1 $(CURDIR)/fuzz/corpus/$$t || exit 1; \
	done

soak: build
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKOTOYUMI_SANITIZE=ON -DKOTOYUMI_TESTS=ON -DKOTOYUMI_WERROR=ON
	cmake --build $(ASAN_BUILD) -j$(JOBS) --target kotoyumi_soak demo
	$(BUILD)/fuzz/kotoyumi_soak $(BUILD)/demo $(SOAK_HOURS)
	$(ASAN_BUILD)/fuzz/kotoyumi_soak $(ASAN_BUILD)/demo $(SOAK_HOURS) 2
	@echo "soak: the sanitizer run ended without a report"
