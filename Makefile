# Set-up and build entry points; every target works on a fresh Debian 12 machine.

BUILD_DIR    ?= build
SANITIZE_DIR ?= build-sanitize
BENCH_DIR    ?= build-bench
JOBS         ?= $(shell nproc 2>/dev/null || echo 2)

# Debian packages of the dependency table. Never the default libboost-dev (1.74): it removes 1.81.
PACKAGES := build-essential cmake ninja-build pkg-config ca-certificates clang-format \
	libcurl4-openssl-dev libsimdjson-dev libboost-json1.81-dev libboost-url1.81-dev \
	libboost1.81-dev libicu-dev libcpp-httplib-dev libgtest-dev libgmock-dev \
	libbenchmark-dev libcli11-dev

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps configure build test test-sanitize bench demo format clean

deps:
	@missing=$$(for p in $(PACKAGES); do \
		dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update -q && \
		DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q --no-install-recommends $$missing; \
	fi

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

test-sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVEND_SANITIZE=ON >/dev/null
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

bench: deps
	@cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
		-DCORVEND_BUILD_TESTS=OFF -DCORVEND_BUILD_BENCHMARKS=ON >/dev/null
	cmake --build $(BENCH_DIR) -j $(JOBS)
	@for b in $(BENCH_DIR)/bench/bench_*; do echo "== $$b"; $$b || exit 1; done

demo: configure
	cmake --build $(BUILD_DIR) --target wallet-cli -j $(JOBS)
	$(BUILD_DIR)/examples/wallet-cli/wallet-cli --script

format:
	@git ls-files -co --exclude-standard '*.cpp' '*.hpp' | xargs -r clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(BENCH_DIR)
