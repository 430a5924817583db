# The two set-up commands of the README: `make demo` and `make test`.
# Both install the Debian packages they need when they are missing, configure and build.

BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
PREFIX     ?= /usr/local

BUILD_PACKAGES = cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev googletest libbenchmark-dev \
                 libedit-dev libcpp-httplib-dev nlohmann-json3-dev libjemalloc-dev
TEST_PACKAGES  = $(BUILD_PACKAGES) clang-14 libclang-rt-14-dev clang-format python3-ezdxf python3-minimal \
                 python3-pexpect git

# The browser page asks for a Japanese gothic font; Debian's Noto CJK is the one it names first.
DEMO_PACKAGES  = fonts-noto-cjk

.PHONY: demo test build install deps-build deps-demo deps-test asan fuzz clean format

deps-build:
	@scripts/ensure-packages.sh $(BUILD_PACKAGES)

deps-demo:
	@scripts/ensure-packages.sh $(DEMO_PACKAGES)

deps-test:
	@scripts/ensure-packages.sh $(TEST_PACKAGES)

build: deps-build
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

demo: build deps-demo
	@scripts/demo.sh $(BUILD)

test: deps-test
	@scripts/ensure-web-deps.sh
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELD_WERROR=ON
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	    -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
	    -DVELD_SANITIZE=ON -DVELD_FUZZ=ON -DVELD_BENCH=OFF -DVELD_WERROR=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j $(JOBS)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
