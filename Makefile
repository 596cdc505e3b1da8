# The two front doors: `make run` builds and opens the window, `make test`
# builds the sanitized test configuration and runs every test.
JOBS ?= $(shell nproc)

.PHONY: deps run build test bench clean

deps:
	@./scripts/install-deps.sh

build: deps
	@cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELLUMARK_BUILD_TESTS=OFF >/dev/null
	@cmake --build build/release -j $(JOBS)

run: build
	./build/release/app/vellumark

test: deps
	@cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLUMARK_SANITIZE=ON >/dev/null
	@cmake --build build/test -j $(JOBS)
	cd build/test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	@cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELLUMARK_BUILD_TESTS=OFF -DVELLUMARK_BUILD_BENCH=ON >/dev/null
	@cmake --build build/bench -j $(JOBS)

clean:
	rm -rf build
