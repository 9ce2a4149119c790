# Thin wrapper over CMake so that a fresh Debian machine needs one command.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
# A second tree for the AddressSanitizer and UndefinedBehaviorSanitizer build;
# benchmarks are left out, their numbers mean nothing there.
SANITIZE_BUILD_DIR ?= build-sanitize

.PHONY: deps configure build test test-sanitize run bench install clean

deps:
	scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	  -DLINVALE_SANITIZE=ON -DLINVALE_BUILD_BENCHMARKS=OFF $(CMAKE_FLAGS)
	cmake --build $(SANITIZE_BUILD_DIR) -j $(JOBS)
	cd $(SANITIZE_BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# Only what the picture needs: the library, the plug-ins and npr-render.
run: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target npr-render
	mkdir -p out
	$(BUILD_DIR)/bin/npr-render -o out/sample.png
	@echo "out/sample.png"

bench: build
	@for b in $(BUILD_DIR)/bin/bench_*; do [ -x "$$b" ] && "$$b"; done

install: build
	@if [ -z "$(PREFIX)" ]; then echo "make install: say where, e.g. make install PREFIX=/opt/linvale" >&2; exit 2; fi
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_BUILD_DIR)
