# make run     installs what is missing, builds, and plays the demo game
# make test    installs what is missing, builds, and runs every test (also under the sanitizers)
# make bench   the Google Benchmark programs
# make format  formats every source file with the project's .clang-format
BUILD := build
ASAN_BUILD := build-asan
JOBS := $(shell nproc)
# The developer build: tests and benchmarks, warnings as errors.
DEV_FLAGS := -DKOTOYUMI_TESTS=ON -DKOTOYUMI_BENCH=ON -DKOTOYUMI_WERROR=ON
SOURCES = $(shell git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'tools/*.cpp' 'tools/*.h')

.PHONY: deps build run test test-asan bench format format-check

deps:
	bash tools/install-deps.sh

build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(DEV_FLAGS)
	cmake --build $(BUILD) -j$(JOBS)

run: deps build
	bash tools/run-demo.sh $(BUILD)

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
