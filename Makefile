# The two set-up commands of a new machine:
#   make run    installs what is missing, builds, starts the environment on the examples
#   make test   the same set-up, then every test
BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= 2
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps build run test test-sanitize test-cluster bench fuzz clean screenshot

all: build

deps:
	@./scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) -DNUV_LAYERS="tavo;platform;res;shell;output;editor;print;config;run;app;batch" -DNUV_TEST_DIRS=""

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "make run: no graphical display (DISPLAY is not set)."; \
	  echo "Start it under a virtual display, for example:"; \
	  echo "  NUV_WITH_XVFB=1 ./scripts/install-deps.sh && xvfb-run -a make run"; \
	  exit 1; \
	fi
	cd examples && ../$(BUILD)/bin/nuv hello.nuv

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNUV_SANITIZE=ON -DNUV_LAYERS="tavo;platform;res;shell;output;editor;print;config;run;app;batch" -DNUV_TEST_DIRS=""
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

# A single-node Slurm on this machine (root, Debian's slurm-wlm and munge), a
# sweep of models through the job-array script, every output checked against
# nuv-run's own. Not part of make test.
test-cluster: build
	@NUV_WITH_SLURM=1 ./scripts/install-deps.sh
	./scripts/test-cluster.sh $(BUILD)

bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DNUV_BENCH=ON
	cmake --build build-bench -j $(JOBS)

# Builds the fuzz targets of fuzz/ with clang and the sanitizers in build-fuzz/ and runs each
# for FUZZ_SECONDS (default 60); FUZZ_TARGETS="tavo codec" narrows them. Not part of make test,
# which replays the committed corpora and crash reproducers instead.
fuzz:
	JOBS=$(JOBS) ./scripts/fuzz.sh

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-bench build-fuzz

# Installs the programs and their desktop files under PREFIX (inside DESTDIR when given).
.PHONY: install package
PREFIX ?= /usr/local
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# The Debian package of that install, nuv_<version>_<arch>.deb, in this folder.
package: build
	rm -f $(BUILD)/package/*.deb
	cd $(BUILD) && cpack -B package
	cp $(BUILD)/package/*.deb .

# The README's picture of the main window, rendered offscreen.
screenshot: build
	$(BUILD)/bin/nuv_screenshot docs/main-window.png examples/hello.nuv
