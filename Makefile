# Quilvane Ryn: make run | make test | make build | make deps | make bench | make fuzz | make soak
#               make format-check
#               make install | make uninstall | make deb
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
SAMPLE     ?= samples/sample.mpg
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
SOAK_MINUTES ?= 10
PREFIX     ?= /usr/local
# What the last install put in place (files, then the folders it created), for uninstall.
INSTALLED  ?= $(BUILD)/installed.txt

# Debian 12 packages the build, the tests and the benchmarks need (the
# desktop tests run a window manager, openbox, and a tray host, trayer).
PACKAGES := cmake g++ make pkg-config qt6-base-dev libqt6opengl6-dev qt6-svg-dev libxcb1-dev \
            libmpv-dev libsqlite3-dev libgtest-dev googletest \
            xvfb xauth xdotool ffmpeg mpv imagemagick x11-utils x11-xserver-utils openbox trayer \
            fonts-dejavu-core fonts-liberation2 fonts-comic-neue \
            dpkg-dev file desktop-file-utils appstream xdg-utils shared-mime-info clang-format \
            dbus playerctl sqlite3
# Only `make fuzz` needs clang and its libFuzzer runtime.
FUZZ_PACKAGES := clang libclang-rt-14-dev

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps configure build run test format-check bench fuzz soak install uninstall deb clean

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing >/dev/null; \
	fi

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Only what running needs: the player and the settings tool.
run: configure
	@cmake --build $(BUILD) -j $(JOBS) --target quilvane-ryn quilvane-ryn-reg
	@./$(BUILD)/quilvane-ryn $(SAMPLE)

# Under the sanitizers a test that fails runs once more: LeakSanitizer's own
# tracer, which stops every thread of the process at exit (mpv's and Mesa's
# too), now and then crashes under load. A real fault fails both times.
test: build
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DQR_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@echo "== tests =="
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	@echo "== the tests again, under AddressSanitizer and UndefinedBehaviorSanitizer =="
	@ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS) --repeat until-pass:2

# Every C++ file as .clang-format has it; lists the ones that differ.
format-check: deps
	@git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

bench: build
	@bench/play-vs-mpv $(BUILD)/quilvane-ryn

# Every fuzz target for FUZZ_SECONDS seconds under ASan and UBSan.
fuzz:
	@$(MAKE) --no-print-directory deps PACKAGES="$(PACKAGES) $(FUZZ_PACKAGES)"
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQR_SANITIZE=ON -DQR_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) --target qr_fuzzers -j $(JOBS)
	@tests/fuzz/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# SOAK_MINUTES of a clip on repeat and 500 files opened, memory and
# descriptors sampled; fails when either grows by more than 5 %.
soak: configure
	@cmake --build $(BUILD) -j $(JOBS) --target quilvane-ryn quilvane-ryn-reg
	@bench/soak $(BUILD)/quilvane-ryn $(SOAK_MINUTES)

# Installs under $(PREFIX) (DESTDIR honoured) from an up-to-date build; with
# NOBUILD=1 from the build as it stands, building nothing (the install test:
# other tests run the build's programs meanwhile). A trial install into a
# scratch folder names the folders; those missing yet are recorded with the
# files, so that uninstall takes them away again.
install:
ifeq ($(NOBUILD),)
	@[ -f $(BUILD)/CMakeCache.txt ] || $(MAKE) --no-print-directory build
	@cmake --build $(BUILD) -j $(JOBS)
endif
	@stage=$$(mktemp -d) && \
	{ DESTDIR=$$stage cmake --install $(BUILD) --prefix "$(PREFIX)" >/dev/null || { rm -rf $$stage; exit 1; }; } && \
	new=$$(cd $$stage && find . -mindepth 1 -type d | sed 's|^\.||' | \
	       while IFS= read -r d; do [ -d "$(DESTDIR)$$d" ] || echo "$(DESTDIR)$$d"; done); \
	rm -rf $$stage; \
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)" && \
	{ sed 's|^|$(DESTDIR)|' $(BUILD)/install_manifest.txt; echo; echo "$$new"; } | grep -v '^$$' >$(INSTALLED)

uninstall:
	@[ -f $(INSTALLED) ] || { echo "Nothing to uninstall: $(INSTALLED) is missing" >&2; exit 1; }
	@while IFS= read -r f; do [ -d "$$f" ] && [ ! -L "$$f" ] || rm -fv -- "$$f"; done <$(INSTALLED)
	@sort -r $(INSTALLED) | while IFS= read -r d; do \
	  [ ! -d "$$d" ] || [ -L "$$d" ] || rmdir --ignore-fail-on-non-empty -- "$$d"; done
	@rm -f $(INSTALLED)

deb: build
	@cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
