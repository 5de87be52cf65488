# Set-up and build entry points; every target works on a fresh Debian 12 machine.

BUILD_DIR    ?= build
SANITIZE_DIR ?= build-sanitize
BENCH_DIR    ?= build-bench
FUZZ_DIR     ?= build-fuzz
TSAN_DIR     ?= build-tsan
PACKAGE_DIR  ?= build-package
FUZZ_SECONDS ?= 60
# Debug information of the normal tree: full for a person's debugger; CI sets -g1 (line tables,
# all a failure's stack trace needs) to save a quarter of the compile time.
DEBUG_INFO   ?= -g
# ON compiles the normal tree's test programs, sandbox and example host in batches (unity
# builds), as the sanitizer trees do, while the kit's own files still compile one by one: CI sets
# it to save a third of the tree's compile time.
UNITY_TESTS  ?= OFF
# Files per batch of a unity build: sixteen took a tenth less compile CPU than eight in the ASan
# tree. Files whose file-local names clash compile alone (corvend_unity_standalone).
UNITY_BATCH  := 16
JOBS         ?= $(shell nproc 2>/dev/null || echo 2)
# The tests mostly wait on loopback and on child hosts: four times as many as there are cores
# keeps the cores busy (on 2 cores, against twice as many: normal 77 s -> 61 s, ASan 174 s ->
# 159 s, TSan 206 s -> 126 s).
TEST_JOBS    ?= $(shell echo $$(( $(JOBS) * 4 )))

# Debian packages of the dependency table. Never the default libboost-dev (1.74): it removes 1.81.
PACKAGES := build-essential cmake ninja-build pkg-config ca-certificates clang-format \
	libcurl4-openssl-dev libssl-dev libsimdjson-dev libboost-json1.81-dev libboost-url1.81-dev \
	libboost1.81-dev libicu-dev libcpp-httplib-dev libgtest-dev libgmock-dev \
	libbenchmark-dev libcli11-dev libedit-dev libgumbo-dev ccache time

# The fuzz targets are built with clang and its libFuzzer runtime; llvm-symbolizer names the
# frames of a crash's stack.
FUZZ_PACKAGES := clang-14 libclang-rt-14-dev llvm-14
FUZZ_TARGETS  := FuzzTransferListDecoding FuzzDepositListDecoding FuzzPaymentInstrumentDecoding \
	FuzzConfigurationDecoding FuzzURLResolution FuzzDateReading \
	FuzzLocalizedText
FUZZ_TARGETS  += FuzzCardTextEditing
FUZZ_TARGETS  += FuzzWebPage

# ccache (used when present) shares one cache between checkouts in different folders.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := true

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

# Installs those of the Debian packages $(1) that are missing; says nothing when none is.
install-missing = missing=$$(for p in $(1); do \
		dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update -q && \
		DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q --no-install-recommends $$missing; \
	fi

.PHONY: deps fuzz-deps configure build test test-sanitize test-tsan test-package fuzz bench demo \
	format clean plant-faults plant-faults-check

deps:
	@$(call install-missing,$(PACKAGES))

fuzz-deps: deps
	@$(call install-missing,$(FUZZ_PACKAGES))

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 $(DEBUG_INFO) -DNDEBUG" \
		-DCORVEND_UNITY_TESTS=$(UNITY_TESTS) -DCMAKE_UNITY_BUILD_BATCH_SIZE=$(UNITY_BATCH) >/dev/null

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# The fault list still applies whole (every entry's text found once), checked before the build.
test: plant-faults-check build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(TEST_JOBS)

plant-faults-check:
	bash tests/plant-faults.sh --check

# The sanitizer trees compile each target's files in batches (unity builds) and keep line tables
# only (-g1): a fraction of the compile time, the same tests, stack traces with files and lines.
SANITIZER_TREE_FLAGS := -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=$(UNITY_BATCH)

test-sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
		$(SANITIZER_TREE_FLAGS) -DCORVEND_SANITIZE=ON >/dev/null
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure \
		-j $(TEST_JOBS)

# ThreadSanitizer over the whole test suite. cpp-httplib is a prebuilt, uninstrumented library:
# cmake/tsan.supp silences reports inside it only; any report in the kit fails the run. The test
# programs skip the runtime's wait at exit, the hosts they start keep it
# (tests/support/SanitizerDefaults.cpp). -Og: a fifth less compile time than -O1, tests as fast.
test-tsan: deps
	@cmake -S . -B $(TSAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-Og -g1" $(SANITIZER_TREE_FLAGS) -DCORVEND_TSAN=ON >/dev/null
	cmake --build $(TSAN_DIR) -j $(JOBS)
	cd $(TSAN_DIR) && TSAN_OPTIONS="suppressions=$(CURDIR)/cmake/tsan.supp:halt_on_error=1:second_deadlock_stack=1" \
		ctest --output-on-failure -j $(TEST_JOBS)

# The kit as a host project uses it: installed into a scratch prefix from the normal build, every
# header the README or the umbrella header names found there (cmake/CheckNamedHeaders.cmake),
# each installed header compiled alone under strict warnings (cmake/header-check), the quick
# start's programs (examples/quickstart) built out of tree against the installed package, then
# once more with the kit's sources added by add_subdirectory (a unity build of one batch per
# target, so that a host's batches of any size compile, and without options of the kit's own);
# each run against a wallet-sandbox started for it. The README's quick start is
# checked to be examples/quickstart/main.cpp, and is built from the README with g++ and
# pkg-config and run (cmake/check-readme-quickstart.sh); the act() it quotes is drive_screens.cpp's.
test-package: build
	rm -rf $(PACKAGE_DIR)
	cmake --install $(BUILD_DIR) --prefix $(CURDIR)/$(PACKAGE_DIR)/prefix >/dev/null
	@cmake -DROOT=$(CURDIR) -DINCLUDEDIR=$(CURDIR)/$(PACKAGE_DIR)/prefix/include \
		-P cmake/CheckNamedHeaders.cmake
	@PKG_CONFIG_PATH=$(CURDIR)/$(PACKAGE_DIR)/prefix/lib/pkgconfig \
		cmake -S cmake/header-check -B $(PACKAGE_DIR)/headers -G Ninja >/dev/null
	cmake --build $(PACKAGE_DIR)/headers -j $(JOBS)
	@cmake -S examples/quickstart -B $(PACKAGE_DIR)/installed -G Ninja \
		-DCMAKE_PREFIX_PATH=$(CURDIR)/$(PACKAGE_DIR)/prefix >/dev/null
	cmake --build $(PACKAGE_DIR)/installed -j $(JOBS)
	@cmake -S examples/quickstart -B $(PACKAGE_DIR)/embedded -G Ninja \
		-DCORVEND_WALLET_SOURCE_DIR=$(CURDIR) -DCMAKE_UNITY_BUILD=ON \
		-DCMAKE_UNITY_BUILD_BATCH_SIZE=0 >/dev/null
	cmake --build $(PACKAGE_DIR)/embedded -j $(JOBS)
	@echo "== quickstart (the README's, g++ and pkg-config)"
	@PKG_CONFIG_PATH=$(CURDIR)/$(PACKAGE_DIR)/prefix/lib/pkgconfig \
		bash cmake/check-readme-quickstart.sh README.md examples/quickstart/main.cpp \
		$(PACKAGE_DIR)/readme $(BUILD_DIR)/sandbox/wallet-sandbox
	@awk '/^bool act\(/,/^}$$/' examples/quickstart/drive_screens.cpp >$(PACKAGE_DIR)/act.cpp
	@awk '/^bool act\(/,/^}$$/' README.md | diff -u $(PACKAGE_DIR)/act.cpp - \
		|| { echo "the README's act() is not drive_screens.cpp's"; exit 1; }
	@for host in installed embedded; do \
		for program in quickstart verify-instrument drive-screens; do \
			echo "== $$program ($$host)"; \
			bash cmake/with-sandbox.sh $(BUILD_DIR)/sandbox/wallet-sandbox \
				$(PACKAGE_DIR)/$$host/$$program || exit 1; \
		done; \
	done

# Builds the libFuzzer targets and runs each for FUZZ_SECONDS on a scratch copy of its seed
# corpus (fuzz/corpus/<target>), so new inputs never land in the repository; up to JOBS targets
# run side by side, each on its own core for the whole time. A crash, a leak or a broken check
# stops the run; the input is left in $(FUZZ_DIR)/artifacts.
fuzz: fuzz-deps
	@CXX=clang++-14 cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" -DCORVEND_BUILD_TESTS=OFF -DCORVEND_FUZZ=ON >/dev/null
	cmake --build $(FUZZ_DIR) --target fuzzers -j $(JOBS)
	@mkdir -p $(FUZZ_DIR)/artifacts
	@$(MAKE) --no-print-directory -j $(JOBS) $(addprefix fuzz-run-,$(FUZZ_TARGETS))

fuzz-run-%:
	@rm -rf $(FUZZ_DIR)/corpus/$*; mkdir -p $(FUZZ_DIR)/corpus/$*
	@cp fuzz/corpus/$*/* $(FUZZ_DIR)/corpus/$*/
	@ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		$(FUZZ_DIR)/fuzz/$* -max_total_time=$(FUZZ_SECONDS) -max_len=4096 -timeout=10 \
			-print_final_stats=1 -artifact_prefix=$(FUZZ_DIR)/artifacts/$*- \
			$(FUZZ_DIR)/corpus/$* 2>$(FUZZ_DIR)/$*.log \
		|| { tail -n 60 $(FUZZ_DIR)/$*.log; echo "$*: failed (input in $(FUZZ_DIR)/artifacts)"; exit 1; }
	@echo "== $* ($(FUZZ_SECONDS) s): $$(grep -E '^Done [0-9]+ runs' $(FUZZ_DIR)/$*.log)"

# Plants each known fault into a scratch copy of the working tree (build-plant/) and checks that
# a test catches it; one line per fault. Slow: not part of `make test` or CI.
plant-faults: deps
	bash tests/plant-faults.sh

bench: deps
	@cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
		-DCORVEND_BUILD_TESTS=OFF -DCORVEND_BUILD_BENCHMARKS=ON >/dev/null
	cmake --build $(BENCH_DIR) -j $(JOBS)
	@for b in $(BENCH_DIR)/bench/bench_*; do echo "== $$b"; $$b || exit 1; done

demo: configure
	cmake --build $(BUILD_DIR) --target wallet-cli -j $(JOBS)
	$(BUILD_DIR)/examples/wallet-cli/wallet-cli --demo
	$(BUILD_DIR)/examples/wallet-cli/wallet-cli --demo card-deposit 25.00 EUR

format:
	@git ls-files -co --exclude-standard '*.cpp' '*.hpp' | xargs -r clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(BENCH_DIR) $(FUZZ_DIR) $(TSAN_DIR) $(PACKAGE_DIR)
