# make run: install what the window needs, build, start the program.
# make test: install everything, check the formatting, build with
#   sanitizers, run every test (the Windows ones under Wine too), then
#   build the packages and check them.
# Other targets: see the README.
BUILD ?= build
TEST_BUILD ?= build-test
BENCH_BUILD ?= build-bench
JOBS ?= $(shell nproc)
WERROR := $(if $(CI),ON,OFF)
DEPS := tools/install-deps.sh

# The configure lines, each written once.
CONFIGURE := cmake -S . -DMAPIO_WERROR=$(WERROR)
RELEASE := $(CONFIGURE) -DCMAKE_BUILD_TYPE=Release -DMAPIO_BUILD_TESTS=OFF
NO_GUI := -DMAPIO_BUILD_GUI=OFF
# The Windows builds hold their tests, to run under Wine.
WINDOWS := $(CONFIGURE) -DCMAKE_BUILD_TYPE=Release $(NO_GUI)
WINDOWS_32 := $(WINDOWS) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
WINDOWS_64 := $(WINDOWS) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake

.PHONY: all build run test bench bench-editor bench-pictures bench-programs fuzz screenshots install \
        windows windows64 windows-test windows-screenshots dialogs-rc case-table \
        format-check package package-test clean

all: build

build:
	@$(DEPS) build
	$(RELEASE) -B $(BUILD)
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/ui/qt/mapio

test: format-check
	@$(DEPS)
	$(CONFIGURE) -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DMAPIO_SANITIZE=ON
	cmake --build $(TEST_BUILD) -j$(JOBS)
	cd $(TEST_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)
	$(MAKE) windows-test
	$(MAKE) package-test

install: build
	cmake --install $(BUILD)

package: build windows
	@$(DEPS) package
	cmake --build $(BUILD) --target package
	cmake --build build-windows --target package

package-test: package
	tools/check-packages.sh $(BUILD) build-windows

# --- Windows ------------------------------------------------------------------

windows:
	@$(DEPS) build test windows
	$(WINDOWS_32) -B build-windows
	cmake --build build-windows -j$(JOBS)

windows64:
	@$(DEPS) build test windows
	$(WINDOWS_64) -B build-windows64
	cmake --build build-windows64 -j$(JOBS)

# A kernel that runs no i386 programs cannot start the 32-bit Wine: there the
# same sources, built for x86-64, run under the 64-bit Wine instead.
windows-test: windows
	if tools/wine-env.sh; then \
	  tools/wine-tests.sh build-windows; \
	else \
	  echo "windows-test: this machine runs no i386 programs; testing the x86-64 build"; \
	  $(MAKE) windows64 && tools/wine-tests.sh build-windows64; \
	fi

windows-screenshots: windows
	tools/win32-screenshots.sh build-windows/ui/win32/Mapio.exe build-windows/screenshots

# --- measuring ------------------------------------------------------------------

# The programs a bench script times, built in Release beside mapio-cli.
BENCH_PROGRAMS := mapio-cli measure_child floor_make floor_translate floor_pictures picture_bench

# A miss in one bench does not keep the others from running; the jobs' table
# comes last and gives the status.
bench: bench-editor bench-programs
	python3 bench/picture_bench.py --build $(BENCH_BUILD) || echo "picture bench: a figure is over its target"
	python3 bench/run_bench.py --build $(BENCH_BUILD)

bench-pictures: bench-programs
	python3 bench/picture_bench.py --build $(BENCH_BUILD)

bench-programs:
	@$(DEPS) build
	$(RELEASE) $(NO_GUI) -B $(BENCH_BUILD)
	cmake --build $(BENCH_BUILD) -j$(JOBS) --target $(BENCH_PROGRAMS)

# The editor in both windows: the native one's x86-64 build under Wine.
bench-editor:
	@$(DEPS) build test windows
	$(RELEASE) -B build-bench-gui
	cmake --build build-bench-gui --target editor_bench report_bench -j$(JOBS)
	$(WINDOWS_64) -B build-windows64
	cmake --build build-windows64 --target editor_bench_win32 -j$(JOBS)
	build-bench-gui/bench/editor_bench || echo "editor bench: a figure is over its target"
	tools/wine-run.sh build-windows64/bench/editor_bench_win32.exe \
	  || echo "editor bench (native window): a figure is over its target"
	build-bench-gui/bench/report_bench || echo "report bench: a figure is over its target"

fuzz:
	@$(DEPS) build test
	fuzz/run.sh

# --- generated files and checks -------------------------------------------------

screenshots:
	@$(DEPS) build
	$(RELEASE) -B $(BUILD)
	cmake --build $(BUILD) --target render_screenshots -j$(JOBS)

dialogs-rc:
	@$(DEPS) build
	$(RELEASE) -B $(BUILD)
	cmake --build $(BUILD) --target make_rc -j$(JOBS)
	$(BUILD)/tools/make_rc/make_rc > res/dialogs.rc.new && mv res/dialogs.rc.new res/dialogs.rc

case-table:
	@$(DEPS) build
	$(RELEASE) -B $(BUILD)
	cmake --build $(BUILD) --target make_case_table -j$(JOBS)
	$(BUILD)/tools/make_case_table/make_case_table > platform/case_ranges.inc.new
	mv platform/case_ranges.inc.new platform/case_ranges.inc

# Every C++ file as .clang-format wants it (Debian's clang-format).
format-check:
	@$(DEPS) format
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(BENCH_BUILD) build-bench-gui build-windows build-windows64
