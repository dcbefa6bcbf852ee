# SPDX-License-Identifier: GPL-3.0-or-later
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
ifneq ($(shell command -v ccache),)
CMAKE_FLAGS += -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
endif

PREFIX ?= /usr/local

.PHONY: run test build deps test-deps package-deps configure package install bench clean

run: build
	./$(BUILD)/starfold

test: test-deps configure
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

build: deps configure
	cmake --build $(BUILD) -j $(JOBS) --target starfold

# The Debian package, build/starfold_<version>_<arch>.deb.
package: package-deps configure
	cmake --build $(BUILD) -j $(JOBS) --target starfold_installed_files
	cd $(BUILD) && cpack -G DEB

# Everything the package holds, under PREFIX (DESTDIR is honoured).
install: deps configure
	cmake --build $(BUILD) -j $(JOBS) --target starfold_installed_files
	cmake --install $(BUILD) --prefix $(PREFIX) --strip

deps:
	./scripts/install-deps.sh

test-deps:
	./scripts/install-deps.sh --test

package-deps:
	./scripts/install-deps.sh --package

configure:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

# Release figures for the README: the report at three lengths, and start-up against the
# window with one label; each prints its ratios against the targets.
bench:
	./scripts/install-deps.sh --bench
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DSTARFOLD_BENCHMARKS=ON -DBUILD_TESTING=OFF
	cmake --build build-bench -j $(JOBS) --target bench_report startup_starfold startup_floor
	QT_QPA_PLATFORM=offscreen ./build-bench/bench/bench_report --benchmark_repetitions=10 \
		--benchmark_report_aggregates_only=true
	REBUILD=0 BUILD=build-bench ./bench/run-startup.sh

clean:
	rm -rf $(BUILD)
