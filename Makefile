# Entry points: make run, make test, make build, make bench, make fuzz, make screenshot.
PRESET ?= $(if $(CI),ci,dev)
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)

.PHONY: all deps build run test test-main test-asan fuzz fuzz-run bench screenshot format clean

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake --preset $(PRESET) >/dev/null
	cmake --build --preset $(PRESET) -j $(JOBS)

run: build
	./build/bin/Quodra

# Every test: the main build's tests under a virtual X server, the engine's
# tests under ASan and UBSan, and a bounded fuzzing run.
test: test-main test-asan fuzz-run

test-main: build
	xvfb-run -a -s "-screen 0 1920x1080x24" ctest --preset $(PRESET) -j $(JOBS)

test-asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

fuzz: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS) --target quodra-fuzz-convert

fuzz-run: fuzz
	bash scripts/run-fuzz.sh $(FUZZ_SECONDS)

bench: build
	bash scripts/run-bench.sh

screenshot: build
	bash scripts/screenshot.sh

format:
	find engine support update app cli bench tests fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format -i

clean:
	rm -rf build build-asan build-fuzz
