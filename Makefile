# Corvane: `make run` installs what is missing, builds and starts the program;
# `make test` builds and runs every test.

BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_ARGS ?=
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
# Our builds stop on a warning; a plain `cmake` build (a user's, a packager's) only reports it.
WERROR     := -DCORVANE_WERROR=ON

# Debian packages the build, the tests and the benchmarks need.
PACKAGES := cmake ninja-build g++ pkg-config \
            qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libgl-dev \
            libcli11-dev nlohmann-json3-dev \
            libbenchmark-dev doctest-dev fonts-dejavu-core \
            desktop-file-utils appstream dpkg-dev file strace lintian bash-completion
# A virtual X screen with a window manager, for the test that the window is centred with its
# title bar, and the X server's pointer and keys for the rows that drive corvane.exe under Wine.
PACKAGES += xvfb xauth openbox xdotool
# The Windows build of corvane-cli (`make windows`) and Wine, which runs its tests. Installed
# without the packages they merely recommend, which would add hundreds of megabytes.
PACKAGES_NO_RECOMMENDS := g++-mingw-w64-x86-64-posix wine64

SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)

.PHONY: all deps configure build run test check test-sanitize bench install package fuzz fuzz-ci \
        gallery windows release clean format

all: build

deps:
	@missing() { for p in "$$@"; do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed$$' || echo $$p; \
	done; }; \
	plain=$$(missing $(PACKAGES)); lean=$$(missing $(PACKAGES_NO_RECOMMENDS)); \
	if [ -n "$$plain$$lean" ]; then \
	  echo "Installing:" $$plain $$lean; \
	  $(SUDO) apt-get update -q && \
	  { [ -z "$$plain" ] || $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q $$plain; } && \
	  { [ -z "$$lean" ] || $(SUDO) env DEBIAN_FRONTEND=noninteractive \
	      apt-get install -y -q --no-install-recommends $$lean; }; \
	fi

configure: deps
	@if [ ! -f $(BUILD)/build.ninja ]; then \
	  cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(WERROR) $(CMAKE_ARGS); \
	elif ! grep -q '^CORVANE_WERROR:BOOL=ON$$' $(BUILD)/CMakeCache.txt; then \
	  cmake -S . -B $(BUILD) $(WERROR) >/dev/null; \
	fi

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The program looks for its click sound as .\resources\click.wav under the current
# directory; the build copies the sounds beside the executable, so it starts there.
run: build
	cd $(BUILD)/app && ./corvane

# Redraws the picture, the icons and the sounds in resources/ (the results are committed).
artwork:
	python3 scripts/make_artwork.py resources

# The README's screenshots, taken on a virtual screen: the Qt window's, and corvane.exe's under
# Wine beside them.
screenshots: build windows
	@$(MAKE) --no-print-directory deps PACKAGES="xvfb xauth imagemagick"
	xvfb-run -a -s "-screen 0 1024x768x24" $(BUILD)/tests/ui/ui_screenshots docs
	WINE=$$(command -v wine64 || echo /usr/lib/wine/wine64) WINESERVER=/usr/lib/wine/wineserver \
	  WINEPREFIX=$(CURDIR)/$(WINDOWS_BUILD)/wineprefix WINEDEBUG=-all \
	  CORVANE_EXE=$(WINDOWS_BUILD)/app/corvane.exe CORVANE_PROBE=$(WINDOWS_BUILD)/corvane-probe.exe \
	  CORVANE_FILETOOL= CORVANE_CLI=$(BUILD)/app/corvane-cli \
	  tests/windows/gui/drive.sh screenshots $(CURDIR)/docs

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The inner loop: every test but those labelled package (the .deb, built in a tree of its
# own, and the checks of what it installs) and windows (corvane-cli.exe cross-built, and its
# rows under Wine). `make test` runs them too; `make test-sanitize` runs the sanitizer build.
check: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) --label-exclude '^(package|windows)$$'

# One table of ratios against the floor (the same work done by plain Qt or bare system calls),
# medians of several runs, about a minute and a half. Each program alone: $(BUILD)/bench/*/bench_*.
bench: build
	$(BUILD)/bench/table/benchtable $(BUILD)/bench

# The whole suite once more, built with AddressSanitizer (leak checking included) and
# UndefinedBehaviorSanitizer in $(SAN_BUILD). Qt itself is not instrumented; it leaks nothing
# the leak checker reports, so no suppressions are needed.
SAN_BUILD ?= $(BUILD)-asan
SAN_ENV := ASAN_OPTIONS=detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1 \
           UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
test-sanitize: deps
	@if [ ! -f $(SAN_BUILD)/build.ninja ]; then \
	  cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANE_SANITIZE=ON $(WERROR) \
	    -DCORVANE_BUILD_BENCH=OFF; \
	fi
	cmake --build $(SAN_BUILD) -j $(JOBS)
	$(SAN_ENV) ctest --test-dir $(SAN_BUILD) --output-on-failure -j $(JOBS)

# corvane.exe (the window program) and corvane-cli.exe for 64-bit Windows, cross-built with
# MinGW-w64 into $(WINDOWS_BUILD)/app: each one executable that needs only Windows' own DLLs,
# and no Qt. The engine's libraries, their doctest programs (tests/.../test_<name>.exe) and
# the probe of the window rows are built beside them.
WINDOWS_BUILD ?= build-windows
windows: deps
	@if [ ! -f $(WINDOWS_BUILD)/build.ninja ]; then \
	  cmake -S . -B $(WINDOWS_BUILD) -G Ninja --toolchain cmake/mingw-w64.cmake \
	    -DCMAKE_BUILD_TYPE=Release $(WERROR) -DCORVANE_BUILD_GUI=OFF -DCORVANE_BUILD_TESTS=OFF \
	    -DCORVANE_BUILD_ENGINE_TESTS=ON -DCORVANE_BUILD_BENCH=OFF; \
	fi
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	@for exe in corvane.exe corvane-cli.exe; do \
	  printf '%s: %s bytes, needs' $$exe $$(stat -c %s $(WINDOWS_BUILD)/app/$$exe); \
	  x86_64-w64-mingw32-objdump -p $(WINDOWS_BUILD)/app/$$exe | \
	    sed -n 's/^[[:space:]]*DLL Name: / /p' | tr -d '\n'; echo; \
	done

# The build a user or a packager makes: Release, with warnings reported rather than fatal, so
# that a warning another compiler adds cannot stop it. CI builds it so that it stays buildable.
RELEASE_BUILD ?= $(BUILD)-release
release: deps
	@if [ ! -f $(RELEASE_BUILD)/build.ninja ]; then \
	  cmake -S . -B $(RELEASE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	    -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCH=OFF; \
	fi
	cmake --build $(RELEASE_BUILD) -j $(JOBS) --target corvane corvane-cli

# Every Button_XP style in every state, enlarged, in $(BUILD)/gallery.png.
gallery: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/tools/gallery/corvane-gallery $(BUILD)/gallery.png

# `make install DESTDIR=/tmp/x PREFIX=/usr` stages an installation; `make package` builds the
# .deb in $(BUILD)/ from a tree of its own, $(BUILD)/deb, configured for /usr, and checks it
# with lintian.
PREFIX  ?= /usr/local
DESTDIR ?=
# The prefix is set at configure time too: the desktop entry names the data folder by its path.
install: configure
	cmake -S . -B $(BUILD) -DCMAKE_INSTALL_PREFIX=$(PREFIX) >/dev/null
	cmake --build $(BUILD) -j $(JOBS)
	DESTDIR=$(DESTDIR) cmake --install $(BUILD)

package: deps
	JOBS=$(JOBS) packaging/make_deb.sh . $(BUILD)/deb $(BUILD)

# Each libFuzzer target runs FUZZ_SECONDS on the seeds in fuzz/corpus/<name>; new inputs it
# finds go to $(BUILD)-fuzz/corpus/<name>. A crash stops the run with the fuzzer's report.
FUZZ_SECONDS ?= 60
FUZZ_PACKAGES := clang libclang-rt-14-dev
fuzz: deps
	@$(MAKE) --no-print-directory deps PACKAGES="$(FUZZ_PACKAGES)"
	@if [ ! -f $(BUILD)-fuzz/build.ninja ]; then \
	  CXX=clang++ cmake -S . -B $(BUILD)-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(WERROR) \
	    -DCORVANE_FUZZ=ON -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCH=OFF \
	    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"; \
	fi
	cmake --build $(BUILD)-fuzz -j $(JOBS) --target corvane_fuzzers
	@for f in $(BUILD)-fuzz/fuzz/fuzz_*; do \
	  [ -f "$$f" ] && [ -x "$$f" ] || continue; \
	  name=$${f##*/fuzz_}; mkdir -p $(BUILD)-fuzz/corpus/$$name; \
	  echo "== $$name ($(FUZZ_SECONDS) s)"; \
	  if ! $$f -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	      $(BUILD)-fuzz/corpus/$$name fuzz/corpus/$$name > $(BUILD)-fuzz/$$name.log 2>&1; then \
	    tail -40 $(BUILD)-fuzz/$$name.log; exit 1; \
	  fi; \
	  if grep -q 'runtime error' $(BUILD)-fuzz/$$name.log; then \
	    grep -B2 -A8 'runtime error' $(BUILD)-fuzz/$$name.log | head -40; exit 1; \
	  fi; \
	  grep -E '^stat::(number_of_executed_units|peak_rss_mb)' $(BUILD)-fuzz/$$name.log; \
	done

# What CI runs: each fuzzer for 30 seconds.
fuzz-ci:
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=30

clean:
	rm -rf $(BUILD)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
