# make run: install what is missing, build, start the program.
# make test: install what is missing, build with sanitizers, run every test.
BUILD ?= build
TEST_BUILD ?= build-test
JOBS ?= $(shell nproc)
WERROR := $(if $(CI),ON,OFF)

.PHONY: all deps build run test bench bench-editor fuzz screenshots install windows \
        windows-test windows-screenshots dialogs-rc format-check clean

all: build

deps:
	@tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DMAPIO_BUILD_TESTS=OFF -DMAPIO_WERROR=$(WERROR)
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/ui/qt/mapio

test: deps
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DMAPIO_SANITIZE=ON -DMAPIO_WERROR=$(WERROR)
	cmake --build $(TEST_BUILD) -j$(JOBS)
	cd $(TEST_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)
	$(MAKE) windows-test
# To join once the tree has been formatted (one commit after the branches
# are merged): $(MAKE) format-check

bench: deps bench-editor ; cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DMAPIO_BUILD_GUI=OFF -DMAPIO_BUILD_TESTS=OFF && cmake --build build-bench --target mapio-cli floor_make floor_translate measure_child -j$(JOBS) && python3 bench/run_bench.py --build build-bench
fuzz: deps ; fuzz/run.sh
windows: deps ; cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release -DMAPIO_BUILD_GUI=OFF -DMAPIO_WERROR=$(WERROR) && cmake --build build-windows -j$(JOBS)
windows-test: windows ; tools/wine-tests.sh build-windows
windows-screenshots: windows ; tools/win32-screenshots.sh build-windows/ui/win32/Mapio.exe build-windows/screenshots
clean:
	rm -rf $(BUILD) $(TEST_BUILD)
	rm -rf build-windows
screenshots: deps ; cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DMAPIO_BUILD_TESTS=OFF && cmake --build $(BUILD) --target render_screenshots -j$(JOBS)
install: build ; cmake --install $(BUILD)
bench-editor: deps ; cmake -S . -B build-bench-gui -DCMAKE_BUILD_TYPE=Release -DMAPIO_BUILD_TESTS=OFF && cmake --build build-bench-gui --target editor_bench -j$(JOBS) && (build-bench-gui/bench/editor_bench || echo "editor bench: a figure is over its target")
dialogs-rc: deps ; cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DMAPIO_BUILD_TESTS=OFF -DMAPIO_WERROR=$(WERROR) && cmake --build $(BUILD) --target make_rc -j$(JOBS) && $(BUILD)/tools/make_rc/make_rc > res/dialogs.rc.new && mv res/dialogs.rc.new res/dialogs.rc
# Every C++ file as .clang-format wants it (Debian's clang-format).
format-check: deps ; git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
