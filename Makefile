# The two commands of the README. Both first install whatever system packages
# are missing, then configure and build.
BUILD      ?= build
ASAN_BUILD ?= build-asan
CMAKE_ARGS ?=

.PHONY: setup build run test test-sanitize clean

setup:
	@./scripts/setup.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_ARGS)

build: setup $(BUILD)/build.ninja
	cmake --build $(BUILD)

run: build
	./$(BUILD)/src/arrowplan

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure

# The same suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize:
	$(MAKE) test BUILD=$(ASAN_BUILD) CMAKE_ARGS="-DARROWPLAN_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug"

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
