# SPDX-License-Identifier: GPL-3.0-or-later
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
ifneq ($(shell command -v ccache),)
CMAKE_FLAGS += -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
endif

.PHONY: run test build deps test-deps configure bench clean

run: build
	./$(BUILD)/starfold

test: test-deps configure
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

build: deps configure
	cmake --build $(BUILD) -j $(JOBS) --target starfold

deps:
	./scripts/install-deps.sh

test-deps:
	./scripts/install-deps.sh --test

configure:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

clean:
	rm -rf $(BUILD)
