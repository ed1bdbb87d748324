# Wraps CMake. `make test` installs what it needs (Debian 12, as root), builds, and runs every test,
# once in the normal build and once under AddressSanitizer and UndefinedBehaviorSanitizer.

DEB_PACKAGES := cmake g++ make pkg-config python3 libgtest-dev libgmock-dev \
                libsqlite3-dev mdbtools-dev python3-ezdxf librsvg2-bin
JOBS ?= $(shell nproc)
BUILD := build
ASAN_BUILD := build-asan
BENCH_BUILD := build-release
EXAMPLE := examples/shaft/shaft.qmp

.PHONY: deps build build-asan test run bench clean

deps:
	@missing=""; for p in $(DEB_PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "installing:$$missing"; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi

build:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -UQM_SUBSYSTEMS
	cmake --build $(BUILD) -j $(JOBS)

build-asan:
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DQM_SANITIZE=ON -UQM_SUBSYSTEMS
	cmake --build $(ASAN_BUILD) -j $(JOBS)

test: deps build build-asan
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

run: deps build
	@if [ -x $(BUILD)/app/quillmark ]; then $(BUILD)/app/quillmark $(EXAMPLE); \
	else $(BUILD)/app/quillmark-run $(EXAMPLE); fi

bench: deps
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -UQM_SUBSYSTEMS
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target quillmark-run
	python3 bench/run.py $(BENCH_BUILD)/app/quillmark-run

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD)
