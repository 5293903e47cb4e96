# The front door: every target installs what is missing, configures and builds first.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=
CTEST_FLAGS ?=
# make install: where the game goes (DESTDIR, when given, is put in front of it).
PREFIX ?= /usr/local

# -noreset: Xvfb otherwise resets when its last client leaves, and a client
# connecting during the reset is refused (seen as flaky "Couldn't open X11 display").
XVFB = xvfb-run -a -s "-screen 0 1024x768x24 -noreset"
# Tests draw: use the caller's display when there is one, else a private Xvfb.
ifeq ($(strip $(DISPLAY)),)
  WITH_DISPLAY = $(XVFB)
else
  WITH_DISPLAY =
endif

SAN_DIR ?= build-sanitize
# LeakSanitizer's stop-the-world tracer has been seen to crash ("Tracer caught
# signal 11") when the GL driver's threads are alive at exit. LP_NUM_THREADS=0
# makes llvmpipe draw on the calling thread; MESA_SHADER_CACHE_DISABLE drops the
# shader cache's writer thread. GL processes then have one thread.
SAN_ENV = LP_NUM_THREADS=0 MESA_SHADER_CACHE_DISABLE=true ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1 \
          LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizer/lsan.supp:print_suppressions=0 \
          UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

TSAN_DIR ?= build-tsan
# The suites whose code runs threads (CTest label `threads`: the computer's
# worker, the sound callback, the headless play, and the black-box runs of the
# game), built with ThreadSanitizer. llvmpipe draws on the calling thread
# (LP_NUM_THREADS=0): its own threads are not ours to check, and TSan cannot
# see their locking. A report fails the test (exitcode 66).
TSAN_TARGETS = opponent_tests play_session_tests shot_feel_tests audio_tests sound_device_tests \
               game_tests game_run_tests play_run_tests menu_run_tests feel_run_tests \
               net_play_tests net_run_tests
TSAN_ENV = LP_NUM_THREADS=0 MESA_SHADER_CACHE_DISABLE=true \
           TSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizer/tsan.supp:exitcode=66:halt_on_error=0:second_deadlock_stack=1

FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS ?= ini bmp model font replay planner net

.PHONY: all deps configure build play install package test sanitize tsan fuzz memcheck clean

all: build

deps:
	@./tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

play: build
	cd $(BUILD_DIR)/run && ../baizeline

# The launcher, the game, its data, menu entry, icon and manual page under PREFIX.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

# The Debian package, $(BUILD_DIR)/baizeline_<version>_<arch>.deb (installs into /usr).
package: build
	cmake --build $(BUILD_DIR) --target package

test: build
	cd $(BUILD_DIR) && $(WITH_DISPLAY) ctest --output-on-failure -j $(JOBS) $(CTEST_FLAGS)

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	cmake -S . -B $(SAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=ON -DBAIZELINE_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(SAN_DIR) -j $(JOBS)
	cd $(SAN_DIR) && $(SAN_ENV) $(WITH_DISPLAY) ctest --output-on-failure -j $(JOBS) $(CTEST_FLAGS)

# The threaded suites again, built with ThreadSanitizer.
tsan: deps
	cmake -S . -B $(TSAN_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTSAN=ON -DBAIZELINE_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(TSAN_DIR) -j $(JOBS) --target $(TSAN_TARGETS)
	cd $(TSAN_DIR) && $(TSAN_ENV) $(WITH_DISPLAY) ctest --output-on-failure -j $(JOBS) -L threads $(CTEST_FLAGS)

# Each libFuzzer target for FUZZ_SECONDS, starting from the committed seeds; new
# inputs collect in $(FUZZ_DIR)/corpus, findings in $(FUZZ_DIR)/findings.
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFUZZ=ON \
		-DBAIZELINE_TESTS=OFF -DBAIZELINE_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	@set -e; for t in $(FUZZ_TARGETS); do \
		mkdir -p $(FUZZ_DIR)/corpus/$$t $(FUZZ_DIR)/findings/$$t; \
		echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
		( cd $(FUZZ_DIR) && $(SAN_ENV) $(WITH_DISPLAY) tests/fuzz/fuzz_$$t \
			-max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=4096 \
			-artifact_prefix=findings/$$t/ corpus/$$t $(CURDIR)/tests/fuzz/corpus/$$t ); \
	done

# The real game under valgrind memcheck with one scripted shot (tools/memcheck.sh).
memcheck: build
	./tools/memcheck.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) $(SAN_DIR) $(TSAN_DIR) $(FUZZ_DIR)
