# Two commands set the project up on a fresh machine:
#   make run   installs what is missing, builds, and starts the game from data/
#   make test  installs what is missing, builds, and runs the whole test suite
#   make demo  builds and plays data/demo.replay, a recorded run through the level
# Further targets: make demo-replays, make test-sanitize, make soak, make fuzz, make bench,
# make clean.

JOBS ?= $(shell nproc 2>/dev/null || echo 2)
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
BENCH_DIR ?= build-bench
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
SOAK_GAMES ?= 30
SOAK_FRAMES ?= 100000
CMAKE_FLAGS ?=

.PHONY: all deps build build-sanitize run demo demo-replays test test-sanitize soak fuzz bench clean

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANE_WERROR=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	cd data && ../$(BUILD_DIR)/platformer

demo: build
	@test -f data/demo.replay || { echo "make demo: data/demo.replay is missing; make demo-replays records it" >&2; exit 1; }
	cd data && MORVANE_REPLAY=demo.replay ../$(BUILD_DIR)/platformer

# Records data/demo.replay (a won game) and data/demo-defeat.replay (a
# lost one) again, after the level or the rules changed.
demo-replays: build
	cd data && ../$(BUILD_DIR)/makedemo win demo.replay && ../$(BUILD_DIR)/makedemo lose demo-defeat.replay

test: build
	bash scripts/run-tests.sh $(BUILD_DIR)

build-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DMORVANE_WERROR=ON -DMORVANE_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(SANITIZE_DIR) -j $(JOBS)

test-sanitize: build-sanitize
	bash scripts/run-tests.sh $(SANITIZE_DIR)

# The long soak, SOAK_GAMES games and at least SOAK_FRAMES frames of
# scripted play (the suite runs a short one): in the release build, where
# memory is measured, then in the sanitizer build, which catches leaks.
soak: build build-sanitize
	SOAK_GAMES=$(SOAK_GAMES) SOAK_FRAMES=$(SOAK_FRAMES) bash scripts/run-soak.sh $(BUILD_DIR)
	SOAK_GAMES=$(SOAK_GAMES) SOAK_FRAMES=$(SOAK_FRAMES) bash scripts/run-soak.sh $(SANITIZE_DIR)

# libFuzzer needs clang; each target runs FUZZ_SECONDS seconds.
fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DMORVANE_FUZZ=ON -DMORVANE_BUILD_TESTS=OFF -DMORVANE_BUILD_GAME=OFF $(CMAKE_FLAGS)
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	FUZZ_SECONDS=$(FUZZ_SECONDS) bash scripts/run-fuzz.sh $(FUZZ_DIR)

bench: deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DMORVANE_BUILD_BENCH=ON -DMORVANE_BUILD_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BENCH_DIR) -j $(JOBS)
	bash scripts/run-bench.sh $(BENCH_DIR)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(BENCH_DIR) $(FUZZ_DIR)
