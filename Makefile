# make run: install what is missing, build, start the program.
# make test: install what is missing, check the formatting, build with
#   sanitizers, run every test, then build the packages and check them.
# make package: the Debian package in $(BUILD)/, the Windows zip in build-windows/.
BUILD ?= build
TEST_BUILD ?= build-test
JOBS ?= $(shell nproc)
WERROR := $(if $(CI),ON,OFF)

.PHONY: all deps build run test bench bench-editor bench-pictures fuzz screenshots install windows \
        windows64 windows-test windows-screenshots dialogs-rc case-table format-check package package-test clean

all: build

deps:
	@tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DMAPIO_BUILD_TESTS=OFF -DMAPIO_WERROR=$(WERROR)
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/ui/qt/mapio

test: deps format-check
	cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DMAPIO_SANITIZE=ON -DMAPIO_WERROR=$(WERROR)
	cmake --build $(TEST_BUILD) -j$(JOBS)
	cd $(TEST_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)
	$(MAKE) windows-test
	$(MAKE) package-test

bench: deps bench-editor ; cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DMAPIO_BUILD_GUI=OFF -DMAPIO_BUILD_TESTS=OFF && cmake --build build-bench --target mapio-cli floor_make floor_translate measure_child -j$(JOBS) && python3 bench/run_bench.py --build build-bench
fuzz: deps ; fuzz/run.sh
windows: deps ; cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release -DMAPIO_BUILD_GUI=OFF -DMAPIO_WERROR=$(WERROR) && cmake --build build-windows -j$(JOBS)
# A kernel that runs no i386 programs cannot start the 32-bit Wine: there the
# same sources, built for x86-64, run under the 64-bit Wine instead.
windows-test: windows
	if tools/wine-env.sh; then tools/wine-tests.sh build-windows; \
	else echo "windows-test: this machine runs no i386 programs; testing the x86-64 build"; \
	$(MAKE) windows64 && tools/wine-tests.sh build-windows64; fi
windows64: deps ; cmake -S . -B build-windows64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release -DMAPIO_BUILD_GUI=OFF -DMAPIO_WERROR=$(WERROR) && cmake --build build-windows64 -j$(JOBS)
windows-screenshots: windows ; tools/win32-screenshots.sh build-windows/ui/win32/Mapio.exe build-windows/screenshots
clean:
	rm -rf $(BUILD) $(TEST_BUILD)
	rm -rf build-windows build-windows64
screenshots: deps ; cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DMAPIO_BUILD_TESTS=OFF && cmake --build $(BUILD) --target render_screenshots -j$(JOBS)
install: build ; cmake --install $(BUILD)
package: build windows
	cmake --build $(BUILD) --target package
	cmake --build build-windows --target package
package-test: package ; tools/check-packages.sh $(BUILD) build-windows
# The picture checks against their floor; not yet part of bench.
bench-pictures: deps ; cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DMAPIO_BUILD_GUI=OFF -DMAPIO_BUILD_TESTS=OFF && cmake --build build-bench --target mapio-cli floor_pictures picture_bench measure_child -j$(JOBS) && python3 bench/picture_bench.py --build build-bench
bench-editor: deps ; cmake -S . -B build-bench-gui -DCMAKE_BUILD_TYPE=Release -DMAPIO_BUILD_TESTS=OFF && cmake --build build-bench-gui --target editor_bench -j$(JOBS) && (build-bench-gui/bench/editor_bench || echo "editor bench: a figure is over its target")
dialogs-rc: deps ; cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DMAPIO_BUILD_TESTS=OFF -DMAPIO_WERROR=$(WERROR) && cmake --build $(BUILD) --target make_rc -j$(JOBS) && $(BUILD)/tools/make_rc/make_rc > res/dialogs.rc.new && mv res/dialogs.rc.new res/dialogs.rc
case-table: deps ; cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DMAPIO_BUILD_TESTS=OFF -DMAPIO_WERROR=$(WERROR) && cmake --build $(BUILD) --target make_case_table -j$(JOBS) && $(BUILD)/tools/make_case_table/make_case_table > platform/case_ranges.inc.new && mv platform/case_ranges.inc.new platform/case_ranges.inc
# Every C++ file as .clang-format wants it (Debian's clang-format).
format-check: deps ; git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
