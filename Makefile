# The front door: `make run` starts the guide, `make test` runs every test.
# Both install what is missing first (scripts/setup), then configure and build.

JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
TEST_DIR := build/test
CMAKE_FLAGS := -G Ninja -Wno-dev

.PHONY: run test build bench format clean setup

setup:
	scripts/setup

build: setup
	cmake -S . -B $(RELEASE_DIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release -DCOMPCHEM_TESTS=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS)

# Without a display the window is rendered offscreen to a PNG whose path is printed.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(RELEASE_DIR)/bin/compchem-guide; \
	else \
	  echo "No display: rendering the guide window to a PNG instead."; \
	  $(RELEASE_DIR)/bin/guideshot $(RELEASE_DIR)/guide-window.png; \
	fi

test: setup
	cmake -S . -B $(TEST_DIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DCOMPCHEM_SANITIZE=ON
	cmake --build $(TEST_DIR) -j $(JOBS)
	cd $(TEST_DIR) && ctest --output-on-failure -j $(JOBS)

bench: setup
	cmake -S . -B build/bench $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release -DCOMPCHEM_TESTS=OFF -DCOMPCHEM_BENCH=ON
	cmake --build build/bench -j $(JOBS)
	for b in build/bench/bin/bench_*; do $$b --benchmark_repetitions=5 --benchmark_report_aggregates_only=true; done

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
