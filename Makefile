# The front door: every target installs what is missing, configures and builds first.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=
CTEST_FLAGS ?=

# -noreset: Xvfb otherwise resets when its last client leaves, and a client
# connecting during the reset is refused (seen as flaky "Couldn't open X11 display").
XVFB = xvfb-run -a -s "-screen 0 1024x768x24 -noreset"
# Tests draw: use the caller's display when there is one, else a private Xvfb.
ifeq ($(strip $(DISPLAY)),)
  WITH_DISPLAY = $(XVFB)
else
  WITH_DISPLAY =
endif

.PHONY: all deps configure build play test clean

all: build

deps:
	@./tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

play: build
	cd $(BUILD_DIR)/run && ../baizeline

test: build
	cd $(BUILD_DIR) && $(WITH_DISPLAY) ctest --output-on-failure -j $(JOBS) $(CTEST_FLAGS)

clean:
	rm -rf $(BUILD_DIR)
