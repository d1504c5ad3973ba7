# The two commands of the README. Both first install whatever system packages
# are missing for what they do, then configure and build: `make run` only what
# building and running need, `make test` the test tools as well.
BUILD      ?= build
ASAN_BUILD ?= build-asan
CMAKE_ARGS ?=

FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 600
# project_file_fuzz (the .cpm reader, corpus fuzz/corpus) or task_list_fuzz
# (the CSV and MS Project XML readers and the conversion, fuzz/task_corpus).
FUZZ_TARGET ?= project_file_fuzz
FUZZ_CORPUS = $(if $(filter task_list_fuzz,$(FUZZ_TARGET)),fuzz/task_corpus,fuzz/corpus)
FUZZ_MAX_LEN = $(if $(filter task_list_fuzz,$(FUZZ_TARGET)),16384,4096)

BENCH_BUILD ?= build-bench

PACKAGE_BUILD ?= build-deb

SOAK_BUILD ?= build-soak
SOAK_SECONDS ?= 600
SOAK_SEED ?= 1

.PHONY: setup build run test test-sanitize fuzz soak bench bench-layout package icons clean

setup:
	@./scripts/setup.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_ARGS)

build: setup $(BUILD)/build.ninja
	cmake --build $(BUILD)

run: build
	./$(BUILD)/src/arrowplan

test: build
	@./scripts/setup.sh test
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

# The same suite built with AddressSanitizer and UndefinedBehaviorSanitizer,
# optimised: unoptimised, the layout's searches alone would take many minutes.
test-sanitize:
	$(MAKE) test BUILD=$(ASAN_BUILD) CMAKE_ARGS="-DARROWPLAN_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo"

# A reader under libFuzzer for FUZZ_SECONDS: the .cpm reader, whose
# findings land in fuzz/corpus, which the test suite replays; or with
# FUZZ_TARGET=task_list_fuzz the task list readers and the conversion, whose
# findings land in fuzz/task_corpus.
fuzz:
	@./scripts/setup.sh fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DARROWPLAN_FUZZ=ON -DARROWPLAN_SANITIZE=ON
	cmake --build $(FUZZ_BUILD) --target $(FUZZ_TARGET)
	mkdir -p $(FUZZ_BUILD)/$(FUZZ_TARGET)
	./$(FUZZ_BUILD)/fuzz/$(FUZZ_TARGET) -max_total_time=$(FUZZ_SECONDS) -max_len=$(FUZZ_MAX_LEN) \
	  -artifact_prefix=$(FUZZ_CORPUS)/finding- $(FUZZ_BUILD)/$(FUZZ_TARGET) $(FUZZ_CORPUS)

# The real windows under a random user for SOAK_SECONDS, with AddressSanitizer
# and UndefinedBehaviorSanitizer, seeds from SOAK_SEED on; failing sequences,
# cut down, land in fuzz/soak/findings, which the test suite replays.
# SOAK_REPLAY=FILE replays a saved sequence instead.
soak: setup
	cmake -S . -B $(SOAK_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DARROWPLAN_SANITIZE=ON
	cmake --build $(SOAK_BUILD) --target arrowplan-soak
	./$(SOAK_BUILD)/fuzz/soak/arrowplan-soak $(if $(SOAK_REPLAY),--replay $(SOAK_REPLAY), \
	  --seconds $(SOAK_SECONDS) --seed $(SOAK_SEED) --findings fuzz/soak/findings)

# The benchmarks (an optimised build of their own), then the start-up time
# and memory of the desktop program under Xvfb.
bench:
	@./scripts/setup.sh bench
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DARROWPLAN_BENCH=ON
	cmake --build $(BENCH_BUILD) --target arrowplan-bench arrowplan
	./$(BENCH_BUILD)/bench/arrowplan-bench
	./bench/startup.sh $(BENCH_BUILD)

# How readable the charts of imported task lists are, against Graphviz's dot
# on the same networks; the figures are in BENCHMARKS.md.
bench-layout:
	@./scripts/setup.sh bench
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DARROWPLAN_BENCH=ON
	cmake --build $(BENCH_BUILD) --target arrowplan-layout-bench
	./$(BENCH_BUILD)/bench/arrowplan-layout-bench

# The Debian package, checked: build-deb/arrowplan_*.deb. Its tree is built
# optimised and hardened with the flags Debian builds its own packages with
# (CMake takes no CPPFLAGS, so they join CXXFLAGS); the warnings stay errors,
# as the optimiser finds warnings of its own.
package:
	@./scripts/setup.sh package
	export DEB_BUILD_MAINT_OPTIONS=hardening=+all && \
	cmake -S . -B $(PACKAGE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" $(CMAKE_ARGS)
	cmake --build $(PACKAGE_BUILD)
	cd $(PACKAGE_BUILD) && cpack -G DEB
	./packaging/check_deb.sh $(PACKAGE_BUILD)

# The icon's PNG sizes, rendered again after packaging/icons/arrowplan.svg changed.
icons:
	@./scripts/setup.sh icons
	./scripts/render_icons.sh

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(BENCH_BUILD) $(SOAK_BUILD) $(PACKAGE_BUILD)
