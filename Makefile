# The front door: `make run` starts the guide, `make test` runs every test.
# Both install what is missing first (scripts/setup), then configure and build.

JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
TEST_DIR := build/test
CMAKE_FLAGS := -G Ninja -Wno-dev

.PHONY: run test build install deb deb-check bench fuzz fuzz-build fuzz-regressions format clean setup

setup:
	scripts/setup

build: setup
	cmake -S . -B $(RELEASE_DIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release -DCOMPCHEM_TESTS=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS)

# The program, its articles, its launcher, icon and AppStream description under PREFIX
# (DESTDIR is honoured, as usual).
PREFIX ?= /usr/local
install: build
	cmake --install $(RELEASE_DIR) --prefix $(PREFIX)

# A Debian package of the same files under /usr, in build/release.
deb: build
	scripts/setup deb
	cd $(RELEASE_DIR) && cpack -G DEB

# The package installed with apt into a throw-away Debian 12 root, and started there.
deb-check:
	tools/package-check

# Without a display the window is rendered offscreen to a PNG whose path is printed, with
# "Molecular gometries" chosen so that the pane shows its article.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(RELEASE_DIR)/bin/compchem-guide; \
	else \
	  echo "No display: rendering the guide window to a PNG instead."; \
	  $(RELEASE_DIR)/bin/guideshot $(RELEASE_DIR)/guide-window.png 2 1; \
	  echo "The whole article, as the pane lays it out:"; \
	  $(RELEASE_DIR)/bin/rtfview render entries/E000120.rtf --width 862 \
	    -o $(RELEASE_DIR)/article-E000120.png; \
	fi

test: setup
	cmake -S . -B $(TEST_DIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DCOMPCHEM_SANITIZE=ON
	cmake --build $(TEST_DIR) -j $(JOBS)
	cd $(TEST_DIR) && ctest --output-on-failure -j $(JOBS)

bench: setup
	scripts/setup bench
	cmake -S . -B build/bench $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release -DCOMPCHEM_TESTS=OFF -DCOMPCHEM_BENCH=ON
	cmake --build build/bench -j $(JOBS)
	for b in build/bench/bin/bench_*; do $$b --benchmark_repetitions=5 --benchmark_report_aggregates_only=true; done
	bench/load-memory build/bench

# libFuzzer on the whole path from RTF bytes to pixels, one target after another, each for
# FUZZ_SECONDS: the reader alone (fuzz_rtf_reader), the load into a document as the guide's
# pane does it (fuzz_rtf_load), that load formatted and painted (fuzz_rtf_format), and the
# picture decoders (fuzz_picture). The RTF targets are seeded with the test corpus and the
# articles, the decoders with fuzz/pictures. New inputs a target finds stay in
# build/fuzz/corpus/<target> for its next run; crashes, leaks and hangs land in
# build/fuzz/artifacts, named after the target. A target that fails does not keep the others
# from running; make fails at the end. `make fuzz-regressions` replays the inputs that once
# failed (fuzz/regressions) on every target.
FUZZ_SECONDS ?= 60
FUZZ_DIR := build/fuzz
FUZZ_TARGETS := fuzz_rtf_reader fuzz_rtf_load fuzz_rtf_format fuzz_picture
FUZZ_SEEDS := tests/data/rtf-corpus/*.rtf entries/*.rtf
FUZZ_PICTURE_SEEDS := fuzz/pictures/*
FUZZ_ENV := ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:quarantine_size_mb=64 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
FUZZ_LIMITS := -timeout=10 -rss_limit_mb=512 -max_len=262144

fuzz-build:
	scripts/setup fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCOMPCHEM_FUZZ=ON -DCOMPCHEM_TESTS=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target $(FUZZ_TARGETS)

fuzz: fuzz-build
	@failed=""; \
	for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_DIR)/corpus/$$t $(FUZZ_DIR)/artifacts; \
	  if [ $$t = fuzz_picture ]; then cp $(FUZZ_PICTURE_SEEDS) $(FUZZ_DIR)/corpus/$$t/; \
	  else cp $(FUZZ_SEEDS) $(FUZZ_DIR)/corpus/$$t/; fi; \
	  echo "== $$t for $(FUZZ_SECONDS) s"; \
	  $(FUZZ_ENV) $(FUZZ_DIR)/bin/$$t $(FUZZ_DIR)/corpus/$$t -dict=fuzz/rtf.dict \
	    -max_total_time=$(FUZZ_SECONDS) $(FUZZ_LIMITS) -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_DIR)/artifacts/$$t- || failed="$$failed $$t"; \
	done; \
	if [ -n "$$failed" ]; then echo "fuzz: failed:$$failed"; exit 1; fi

fuzz-regressions: fuzz-build
	@failed=""; \
	for t in $(FUZZ_TARGETS); do \
	  echo "== $$t"; \
	  $(FUZZ_ENV) $(FUZZ_DIR)/bin/$$t $(FUZZ_LIMITS) fuzz/regressions/*.rtf || failed="$$failed $$t"; \
	done; \
	if [ -n "$$failed" ]; then echo "fuzz-regressions: failed:$$failed"; exit 1; fi

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
