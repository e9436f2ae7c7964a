# Remote Panel: the two commands a newcomer needs are `make run` and `make test`.
#
#   make deps     install the Debian packages the build and the tests need (root or sudo)
#   make build    configure and build the default preset into build/
#   make test     deps, the Windows cross build, the fuzzers for a bounded time, and every
#                 test in the default and the asan build
#   make run      build and run against the built-in simulated printer
#   make bench    run the benchmarks
#   make bench-startup  start-up time and memory of rpanel against a bare two-tab Qt window
#   make screenshots    the windows as PNG files in docs/screenshots/ (see below)

PACKAGES := cmake ninja-build g++ pkg-config make \
	qt6-base-dev libusb-1.0-0-dev umockdev libumockdev-dev \
	libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev \
	fonts-dejavu-core fonts-wqy-microhei xauth xvfb \
	clang-14 libfuzzer-14-dev libclang-rt-14-dev \
	g++-mingw-w64-x86-64 \
	librsvg2-bin scdoc dpkg-dev desktop-file-utils appstream groff-base lintian \
	trayer dunst xdotool imagemagick dbus-daemon

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 30

.PHONY: deps build build-asan test test-default test-asan fuzz windows run bench bench-startup clean

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null \
		| grep -q '^install ok installed$$' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update -qq && \
		DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

build: deps
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

build-asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)

test-default: build
	ctest --preset default -j $(JOBS)

test-asan: build-asan
	ctest --preset asan -j $(JOBS)

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	FUZZ_SECONDS=$(FUZZ_SECONDS) ctest --preset fuzz

windows: deps
	cmake --preset windows
	cmake --build --preset windows -j $(JOBS)

test: windows fuzz package-test test-default test-asan

run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ] && [ -x build/bin/rpanel ]; then \
		build/bin/rpanel --demo; \
	else \
		build/bin/rpanelctl --demo --trace variant; \
	fi

bench: build
	build/bin/link_bench

bench-startup: build
	bench/startup.sh build

# make package: the Debian package of rpanel and rpanelctl, in build/packages/ (the default
# build, installed below /usr). make package-test: install it into a scratch root and check it,
# lintian included.
.PHONY: package package-test
package: deps
	cmake --preset default -DCMAKE_INSTALL_PREFIX=/usr
	rm -rf build/packages
	cmake --build --preset default -j $(JOBS) --target package

package-test: package
	packaging/package-test.sh build/packages/remote-panel_*.deb

# make screenshots: every window in English and German, and the Panel page in Japanese and
# Russian, as docs/screenshots/<lang>/<window>.png, drawn offscreen against the demo printer.
# make screenshots SHOT_LANG=de-DE (a string table's name as in resources/strings, or all):
# every window of that language, or of each, into build/screenshots/<lang>/ for looking at.
# Whether every text fits its control in every language is checked by the layout test
# (ctest --preset default -R LayoutFit).
.PHONY: screenshots
SHOT_LANG ?=
SHOTS = build/bin/rpanel_screenshots
screenshots: deps
	cmake --preset default
	cmake --build --preset default -j $(JOBS) --target rpanel_screenshots
ifeq ($(SHOT_LANG),)
	$(SHOTS) --lang en-US --lang de-DE --out docs/screenshots
	$(SHOTS) --lang ja-JP --lang ru-RU --only main-panel --out docs/screenshots
else ifeq ($(SHOT_LANG),all)
	$(SHOTS) --all --out build/screenshots
else
	$(SHOTS) --lang $(SHOT_LANG) --out build/screenshots
endif

clean:
	rm -rf build build-asan build-fuzz build-windows
