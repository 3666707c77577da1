# make run   installs what is missing, builds, and plays the demo game
# make test  installs what is missing, builds, and runs every test (also under the sanitizers)
BUILD := build
ASAN_BUILD := build-asan
JOBS := $(shell nproc)

.PHONY: deps build run test test-build test-asan bench

deps:
	bash tools/install-deps.sh

build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

run: deps build
	bash tools/run-demo.sh $(BUILD)

test: deps build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)
	$(MAKE) test-asan

test-asan:
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKOTOYUMI_SANITIZE=ON -DKOTOYUMI_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j$(JOBS)

bench: build
	for b in $(BUILD)/bench_*; do $$b; done
