# SPDX-License-Identifier: GPL-3.0-or-later
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
ifneq ($(shell command -v ccache),)
CMAKE_FLAGS += -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
endif

PREFIX ?= /usr/local
SANITIZED ?= build-asan
SANITIZE := -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
# The first report of any sanitizer ends the test that made it.
SANITIZER_ENV := ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

# Windows x86-64: a cross build against a MinGW Qt, the installer, and the tests under Wine.
WINDOWS_BUILD ?= build-windows
QT_MINGW_ARCHIVE ?= ../shared/win/qt6-mingw-6.4.2-x86_64.tar.xz
QT_MINGW := $(abspath $(WINDOWS_BUILD))/qt6-mingw

.PHONY: run test test-sanitized build deps test-deps package-deps configure package install bench clean \
	windows windows-deps windows-configure test-windows release sign

run: build
	./$(BUILD)/starfold

test: test-deps configure
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) test-sanitized

# The whole suite once more, built with AddressSanitizer and UndefinedBehaviorSanitizer.
# Leak checks stay off while building: the artwork renderer runs as part of the build.
test-sanitized: test-deps
	cmake -S . -B $(SANITIZED) $(CMAKE_FLAGS) -DCMAKE_CXX_FLAGS="$(SANITIZE)" \
		-DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE)" -DCMAKE_SHARED_LINKER_FLAGS="$(SANITIZE)"
	ASAN_OPTIONS=detect_leaks=0 cmake --build $(SANITIZED) -j $(JOBS)
	cd $(SANITIZED) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS)

build: deps configure
	cmake --build $(BUILD) -j $(JOBS) --target starfold

# The Debian package, build/starfold_<version>_<arch>.deb. CPack gives the package's own
# members the modes the umask leaves them.
package: package-deps configure
	cmake --build $(BUILD) -j $(JOBS) --target starfold_installed_files
	cd $(BUILD) && umask 022 && cpack -G DEB

# Everything the package holds, under PREFIX (DESTDIR is honoured).
install: deps configure
	cmake --build $(BUILD) -j $(JOBS) --target starfold_installed_files
	cmake --install $(BUILD) --prefix $(PREFIX) --strip

# The installer, $(WINDOWS_BUILD)/Starfold-<version>-win64.exe.
windows: windows-configure
	cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target starfold_installed_files
	cd $(WINDOWS_BUILD) && cpack -G NSIS

# The whole suite, cross-built and run under Wine, the installer's check among it.
test-windows: windows
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	cd $(WINDOWS_BUILD) && ctest --output-on-failure -j $(JOBS)

# The release, in $(RELEASE)/: both packages and SHA256SUMS, from a clean clone of the current
# commit, built twice in two folders (the second with the clock moved, another umask and no
# ccache) and written only when both give the same bytes; then signed when a certificate is given.
RELEASE ?= build-release
release:
	./scripts/install-deps.sh --release
	JOBS=$(JOBS) QT_MINGW_ARCHIVE=$(abspath $(QT_MINGW_ARCHIVE)) ./scripts/release.sh $(RELEASE)
	./scripts/sign-release.sh $(RELEASE)

# Signs the release's installer and the programs in it: STARFOLD_SIGN_CERT, STARFOLD_SIGN_KEY.
sign:
	./scripts/sign-release.sh $(RELEASE)

windows-configure: windows-deps $(QT_MINGW)/.complete
	cmake -S . -B $(WINDOWS_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_TOOLCHAIN_FILE=$(QT_MINGW)/lib/cmake/Qt6/qt.toolchain.cmake \
		-DQT_CHAINLOAD_TOOLCHAIN_FILE=$(QT_MINGW)/lib/cmake/mingw-w64-x86_64.cmake \
		-DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake

# Qt for Windows: unpacked from the archive when there is one, else built (about an hour).
$(QT_MINGW)/.complete:
	./scripts/qt-mingw.sh $(QT_MINGW_ARCHIVE) $(QT_MINGW)

windows-deps:
	./scripts/install-deps.sh --windows

deps:
	./scripts/install-deps.sh

test-deps:
	./scripts/install-deps.sh --test

package-deps:
	./scripts/install-deps.sh --package

configure:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

# Release figures for the README: the report at three lengths, and the real program's start-up
# against the window with one label; each prints its ratios against the targets, in
# instructions counted by callgrind (and start-up's private memory), and fails when one is
# missed. BENCH_MODE=cpu times the report instead (for quiet machines).
BENCH_MODE ?= instructions
bench:
	./scripts/install-deps.sh --bench
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DSTARFOLD_BENCHMARKS=ON -DBUILD_TESTING=OFF
	cmake --build build-bench -j $(JOBS) --target bench_report starfold_print starfold startup_floor
	status=0; \
	if [ "$(BENCH_MODE)" = cpu ]; then \
		QT_QPA_PLATFORM=offscreen ./build-bench/bench/bench_report --benchmark_repetitions=10 \
			--benchmark_report_aggregates_only=true || status=1; \
	else \
		QT_QPA_PLATFORM=offscreen ./build-bench/bench/bench_report --instructions || status=1; \
	fi; \
	REBUILD=0 BUILD=build-bench ./bench/run-startup.sh || status=1; \
	exit $$status

clean:
	rm -rf $(BUILD) $(SANITIZED) $(WINDOWS_BUILD) $(RELEASE)
