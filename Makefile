# SPDX-License-Identifier: GPL-3.0-or-later
# The two commands of the README: `make run` and `make test`.
# Each installs what is missing, configures, builds and runs.

JOBS ?= $(shell nproc 2>/dev/null || echo 2)
WERROR ?= OFF

FUZZ_SECONDS ?= 60

.PHONY: run test test-sanitize bench fuzz deps build build-sanitize package clean format

deps:
	@tools/install-deps

build: deps
	@cmake --preset release -DMERTANO_WERROR=$(WERROR) >/dev/null
	@cmake --build --preset release -j $(JOBS)

build-sanitize: deps
	@cmake --preset sanitize -DMERTANO_WERROR=$(WERROR) >/dev/null
	@cmake --build --preset sanitize -j $(JOBS)

run: build
	@build/release/bin/mertano

test: build
	@ctest --preset release -j $(JOBS)

test-sanitize: build-sanitize
	@ctest --preset sanitize -j $(JOBS)

# The Debian package, built from the release build and left in this folder.
package: build
	@cmake --build --preset release --target package >/dev/null
	@rm -f mertano_*.deb
	@cp build/release/mertano_*.deb .
	@ls mertano_*.deb

bench: build
	@tools/install-deps --bench
	@tools/run-bench build/release

# Each fuzz target for FUZZ_SECONDS, then the formatter's property over many more values
# than the suite checks. Needs clang and its fuzzer runtime, installed here only.
fuzz: build
	@tools/install-deps --fuzz
	@tools/run-fuzz $(FUZZ_SECONDS)
	@MERTANO_PROPERTY_VALUES=30000000 MERTANO_TEST_CLASS=TstNumbers QT_QPA_PLATFORM=offscreen \
		build/release/tests/test_calc formatterMatchesExactDecimal

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build mertano_*.deb
