# Two commands for a new user: `make run` and `make test`.
# Everything else is a thin wrapper over CMake.

BUILD      ?= build
TEST_BUILD ?= build-test
RELEASE_BUILD ?= build-release
WEB_BUILD  ?= build-web
FUZZ_BUILD ?= build-fuzz
PACKAGE_BUILD ?= build-package
PREFIX     ?= /usr/local
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc)

.PHONY: all deps build run test web web-run release bench fonts golden gallery fuzz format clean \
        install package package-test

VERSION := $(shell sed -n 's/^project.qx70 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
DEB      = qx70_$(VERSION)_$(shell dpkg --print-architecture).deb

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/qx70sim

# Tests run with AddressSanitizer and UndefinedBehaviorSanitizer; the
# browser tests run on the web site, built first.
test: deps web
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQX70_SANITIZE=ON \
	  -DQX70_WEB_SITE=$(abspath $(WEB_BUILD))/site
	cmake --build $(TEST_BUILD) -j $(JOBS)
	ctest --test-dir $(TEST_BUILD) --output-on-failure -j $(JOBS)

# The unit in a web browser: $(WEB_BUILD)/site holds index.html, qx70.js and
# qx70.wasm, built by clang for WebAssembly; any static web server serves it.
web: deps
	cmake -S . -B $(WEB_BUILD) -DCMAKE_TOOLCHAIN_FILE=platform/web/wasm32.cmake \
	  -DCMAKE_BUILD_TYPE=Release
	cmake --build $(WEB_BUILD) -j $(JOBS)

# Serves the site on http://127.0.0.1:8070/ until Ctrl+C.
web-run: web
	node platform/web/serve.js $(WEB_BUILD)/site 8070

# The programs as an optimised build compiles them, so a warning that only the
# optimiser finds cannot slip through; CI runs it after the tests.
release: deps
	cmake -S . -B $(RELEASE_BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(RELEASE_BUILD) -j $(JOBS) --target qx70sim qx70-run

# Google Benchmark's frame times, then the instructions per fast tick of every
# page counted by callgrind through qx70-run, headless ticks per second and
# start-up (bench/tick_cost.sh; history in docs/performance.md).
bench: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS) --target qx70bench qx70-run
	./$(BUILD)/qx70bench
	bench/tick_cost.sh $(BUILD)

# Regenerates the committed glyph tables and pictures from DejaVu Sans.
fonts: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS) --target fonts

# Rewrites the golden reference pictures in tests/golden after an intended
# change of the screens; review them with `git diff --stat` before committing.
golden: build
	cmake --build $(BUILD) --target golden

# Rewrites the README's pictures in docs/gallery from docs/gallery.qx70.
gallery: build
	cmake --build $(BUILD) --target gallery

# Fuzzes the script parser and writer, then whole runs, then the feed's
# formats and captures, FUZZ_SECONDS each, seeded with tests/fuzz/corpus and
# every script of the project (tests/fuzz/feed_corpus and the captures for the
# feed). Findings go to $(FUZZ_BUILD)/crashes; keep them (and inputs worth
# keeping) in tests/fuzz/corpus or tests/fuzz/feed_corpus, which `make test` runs.
fuzz:
	@scripts/install-deps.sh fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQX70_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target qx70fuzz_parse qx70fuzz_run qx70fuzz_feed
	mkdir -p $(FUZZ_BUILD)/corpus $(FUZZ_BUILD)/seeds $(FUZZ_BUILD)/feed_corpus $(FUZZ_BUILD)/feed_seeds $(FUZZ_BUILD)/crashes
	cp tests/fuzz/corpus/* tests/golden/*.qx70 tests/headless/*.qx70 docs/*.qx70 $(FUZZ_BUILD)/seeds/
	cp tests/fuzz/feed_corpus/* docs/*.feed $(FUZZ_BUILD)/feed_seeds/
	for f in parse run; do \
	  $(FUZZ_BUILD)/tests/fuzz/qx70fuzz_$$f -max_total_time=$(FUZZ_SECONDS) -dict=tests/fuzz/script.dict \
	    -artifact_prefix=$(FUZZ_BUILD)/crashes/ $(FUZZ_BUILD)/corpus $(FUZZ_BUILD)/seeds || exit 1; \
	done
	$(FUZZ_BUILD)/tests/fuzz/qx70fuzz_feed -max_total_time=$(FUZZ_SECONDS) -dict=tests/fuzz/feed.dict \
	  -artifact_prefix=$(FUZZ_BUILD)/crashes/ $(FUZZ_BUILD)/feed_corpus $(FUZZ_BUILD)/feed_seeds

# Installs the programs, the menu entry and icons, the manual pages and the
# scripting guide under PREFIX (default /usr/local), below DESTDIR if given:
#   make install                  (as root, or with PREFIX=$$HOME/.local)
#   make install DESTDIR=/tmp/stage PREFIX=/usr
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# The Debian package $(DEB) in this folder: an optimised build with the
# distribution's hardening flags, without the tests, linked to the system's
# libpng and zlib as Debian wants (no static runner), with the web page.
# Install it with
#   sudo apt install ./$(DEB)
package: web
	@scripts/install-deps.sh package
	export DEB_BUILD_MAINT_OPTIONS=hardening=+all && \
	  cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DQX70_TESTS=OFF -DQX70_STATIC_RUNNER=OFF \
	    -DQX70_WEB_SITE=$(abspath $(WEB_BUILD))/site \
	    -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	    -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)"
	cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	cd $(PACKAGE_BUILD) && cpack -G DEB
	cp $(PACKAGE_BUILD)/$(DEB) .

# Builds the package, runs lintian on it and checks it installed into a
# throwaway root (tests/install/package_check.sh); the system is not touched.
package-test: package
	tests/install/package_check.sh $(DEB) $(VERSION) $(WEB_BUILD)/site

# Formats every C++ file of the project in place (.clang-format); `make test`
# checks that nothing is left unformatted.
format: deps
	tests/tree/check_format.sh --fix

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(RELEASE_BUILD) $(FUZZ_BUILD) $(PACKAGE_BUILD) $(WEB_BUILD)
