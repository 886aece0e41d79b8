# The whole set-up of a fresh Debian 12 machine: `make run` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
GENERATOR  := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

.PHONY: all deps configure build program run test format-check test-main test-asan tidy bench clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD)/CMakeCache.txt

# Every target of the optimised build: the program, its tests and the benchmarks.
build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Only what `make run` starts: a first start does not wait for the tests and the benchmarks.
program: configure
	cmake --build $(BUILD) -j $(JOBS) --target sorvanta

run: program
	$(BUILD)/src/sorvanta

# Every test of the core and the windows, under AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer, in one build that also makes the program and the benchmarks. Leaks
# that system libraries keep are listed in tests/lsan.supp; a leak in our own code fails the run.
test: deps format-check test-asan

# Every source file in the house style (.clang-format).
format-check:
	scripts/check-format

ASAN_ENV := QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp UBSAN_OPTIONS=print_stacktrace=1

$(ASAN_BUILD)/CMakeCache.txt:
	cmake --preset asan -B $(ASAN_BUILD) > /dev/null

test-asan: deps $(ASAN_BUILD)/CMakeCache.txt
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	$(ASAN_ENV) ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# The tests without the sanitizers, in the optimised build `make run` uses: a quicker run while working.
test-main: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# clang-tidy's bugprone and performance checks (.clang-tidy) over the program's sources; any finding
# fails. It reads the sanitizer build's compile commands, so it follows `make test` without a build of
# its own.
tidy: deps $(ASAN_BUILD)/CMakeCache.txt
	scripts/tidy $(ASAN_BUILD) $(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
