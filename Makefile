# Tapestrique: `make run` to try it, `make test` to run every test. Both set the machine up first.
# Built programs land in out/ (Windows programs in out/windows, host tools in out/host).
SHELL := /bin/bash
JOBS ?= $(shell nproc)

.PHONY: all setup build build-host build-asan build-windows test test-host test-asan test-windows run dist fuzz hostile bench-startup bench-import bench-screensaver format clean

all: build

setup:
	@tools/setup.sh

build: setup
	@tools/build.sh host asan windows

build-host: setup
	@tools/build.sh host
build-asan: setup
	@tools/build.sh asan
build-windows: setup
	@tools/build.sh windows

test: setup
	@tools/build.sh host asan windows fuzz
	@tools/run_tests.sh host asan windows fuzz

test-host: build-host
	@tools/run_tests.sh host
test-asan: build-asan
	@tools/run_tests.sh asan
test-windows: build-windows
	@tools/run_tests.sh windows

run: setup
	@tools/build.sh host windows
	@tools/run_demo.sh

dist: setup
	@tools/build.sh windows
	@tools/make_dist.sh

fuzz: setup
	@tools/run_fuzzers.sh $(FUZZ_SECONDS)

hostile: build-host
	@bench/hostile/run_hostile.sh

bench-startup: build-windows
	@bench/startup/run_startup_bench.sh

bench-import: build-host
	@bench/import/run_import_bench.sh

bench-screensaver: build-windows
	@bench/screensaver/run_bench.sh

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build out
