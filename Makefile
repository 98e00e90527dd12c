# Zelvorin: `make run` starts the program, `make test` runs every test.
# Both install what is missing first (tools/setup/setup.sh).
SHELL := /bin/bash
BUILD := build
ROOT := $(CURDIR)
NATIVE := $(BUILD)/native
WIN64 := $(BUILD)/win64
WIN32 := $(BUILD)/win32
FUZZ := $(BUILD)/fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)

WIN_COMMON = -G Ninja -DZEL_HOST_BIN_DIR=$(ROOT)/$(NATIVE)

.PHONY: all setup native win64 win32 test run fuzz bench clean

all: native win64 win32

setup:
	@tools/setup/setup.sh $(BUILD)
	@tools/setup/libjpeg.sh $(BUILD)

native: setup
	@[ -f $(NATIVE)/build.ninja ] || cmake -S . -B $(NATIVE) -G Ninja >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

win64: native
	@[ -f $(WIN64)/build.ninja ] || cmake -S . -B $(WIN64) $(WIN_COMMON) \
	  -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/toolchain-mingw-x86_64.cmake \
	  -DZEL_JPEG_PREFIX=$(ROOT)/$(BUILD)/third_party/x86_64 \
	  -DCMAKE_CROSSCOMPILING_EMULATOR=$(ROOT)/tools/wine/run >/dev/null
	@cmake --build $(WIN64) -j $(JOBS)

# The shipped 32-bit program; its tests run under Wine's 32-bit loader where
# the machine runs 32-bit code (setup writes $(BUILD)/no-32bit where it does not).
# A tree configured before it had the emulator is configured again.
win32: native
	@grep -qs '^CMAKE_CROSSCOMPILING_EMULATOR' $(WIN32)/CMakeCache.txt || cmake -S . -B $(WIN32) $(WIN_COMMON) \
	  -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/toolchain-mingw-i686.cmake \
	  -DZEL_JPEG_PREFIX=$(ROOT)/$(BUILD)/third_party/i686 \
	  -DCMAKE_CROSSCOMPILING_EMULATOR=$(ROOT)/tools/wine/run >/dev/null
	@cmake --build $(WIN32) -j $(JOBS)

test: all
	@tools/test.sh $(BUILD)

# The shipped 32-bit program, or the 64-bit one where 32-bit code cannot run.
run: native
	@if [ -f $(BUILD)/no-32bit ]; then $(MAKE) --no-print-directory win64; else $(MAKE) --no-print-directory win32; fi
	@tools/run.sh $(BUILD)

fuzz: setup
	@[ -f $(FUZZ)/build.ninja ] || CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -G Ninja -DZEL_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ) -j $(JOBS)
	@tools/fuzz.sh $(FUZZ) $(FUZZ_SECONDS)

bench: native win64
	@tools/bench.sh $(BUILD)

clean:
	rm -rf $(NATIVE) $(WIN64) $(WIN32) $(FUZZ) $(BUILD)/wineprefix* $(BUILD)/no-32bit out
