# Front door. `make run` starts Sarvo, `make test` builds and runs the whole test suite.
# Both install missing Debian packages first (scripts/deps.txt) and build incrementally.

PRESET ?= dev
BUILD_DIR := build
JOBS ?= $(shell nproc)

.PHONY: run test build deps configure deb fuzz bench coverage format clean

deps:
	@scripts/install-deps

configure: deps
	@[ -f $(BUILD_DIR)/build.ninja ] || cmake --preset $(PRESET)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD_DIR)/bin/sarvo; \
	else \
	  echo "No display: starting Sarvo under xvfb-run"; \
	  xvfb-run -a $(BUILD_DIR)/bin/sarvo; \
	fi

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The Debian package, made from the build directory: build/sarvo_<version>_<arch>.deb.
deb: configure
	cmake --build $(BUILD_DIR) --target sarvo sarvo-cli sarvo_desktop_files -j $(JOBS)
	cd $(BUILD_DIR) && cpack -G DEB

bench: build
	$(BUILD_DIR)/bin/sarvo-bench
	bench/startup-time --build $(BUILD_DIR)
	bench/mail-pop3-bench --build $(BUILD_DIR)
	-scripts/midi-import-accuracy --cli $(BUILD_DIR)/bin/sarvo-cli

# Line and branch coverage per library, from a --coverage build of its own (build-coverage).
coverage: deps
	@[ -f build-coverage/build.ninja ] || cmake --preset coverage
	cmake --build build-coverage -j $(JOBS)
	find build-coverage -name '*.gcda' -delete
	-cd build-coverage && ctest -j $(JOBS) -LE fuzz --output-on-failure
	scripts/coverage-summary build-coverage

# Ten minutes for each fuzz target.
fuzz: deps
	@for corpus in fuzz/corpus/*/; do scripts/run-fuzz $$(basename $$corpus) 600 || exit 1; done

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR) build-fuzz build-coverage
