# KvInst: `make test` runs every test, `make demo` runs the installer on a demo world.
SHELL := /bin/bash
JOBS ?= 2
NATIVE := build/native
WIN32 := build/win32

.PHONY: all deps build native win32 test demo dist bench clean

all: build

deps:
	@tools/install-deps

native: deps
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@$(MAKE) --no-print-directory -s -C $(NATIVE) -j$(JOBS)

win32: deps
	@cmake -S . -B $(WIN32) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake >/dev/null
	@$(MAKE) --no-print-directory -s -C $(WIN32) -j$(JOBS)

build: native win32

test: build
	@tools/run-tests

demo: win32
	@tools/demo/run

dist: win32
	@tools/make-dist

bench: win32
	@tools/wine/session ctest --test-dir $(WIN32) -L bench -V

clean:
	rm -rf build dist
