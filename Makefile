# The whole set-up of a fresh Debian 12 machine: `make run` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
GENERATOR  := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

.PHONY: all deps configure build run test format-check test-main test-asan test-asan-ui tidy bench clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/src/sorvanta

test: deps format-check test-main test-asan

# Every source file in the house style (.clang-format).
format-check:
	scripts/check-format

test-main: configure
	cmake --build $(BUILD) -j $(JOBS)
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The core and the windows with their tests once more, under AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer. Leaks that system libraries keep are listed in tests/lsan.supp; a
# leak in our own code fails the run.
ASAN_CORE_ENV := QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1
ASAN_ENV := QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp UBSAN_OPTIONS=print_stacktrace=1

test-asan: deps
	@test -f $(ASAN_BUILD)-core/CMakeCache.txt || cmake -S . -B $(ASAN_BUILD)-core $(GENERATOR) \
		-DCMAKE_BUILD_TYPE=Debug -DSORV_SANITIZE=ON -DSORV_CORE_ONLY=ON -DSORV_BENCH=OFF
	cmake --build $(ASAN_BUILD)-core -j $(JOBS) --target core_tests
	$(ASAN_CORE_ENV) ctest --test-dir $(ASAN_BUILD)-core --output-on-failure -j $(JOBS)

# The windows' tests under the sanitizers with leak detection, for a developer's run.
test-asan-ui: deps
	cmake --preset asan -B $(ASAN_BUILD) > /dev/null
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target core_tests ui_tests
	$(ASAN_ENV) ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# clang-tidy's bugprone and performance checks (.clang-tidy) over the program's sources; any finding fails.
tidy: build
	scripts/tidy $(BUILD) $(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(ASAN_BUILD)-core
