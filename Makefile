# make run:  install what is missing, build, start Quillmark from its build folder.
# make test: install what is missing, build, check formatting, run every test.
BUILD ?= build
JOBS ?= $(shell nproc)
WERROR := $(if $(CI),ON,OFF)
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache,)

.PHONY: setup configure build run test bench format

setup:
	@scripts/setup.sh

configure: setup
	cmake -S . -B $(BUILD) -DQM_WERROR=$(WERROR) $(LAUNCHER)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The program alone (with its catalogue and help file): no tests or benchmarks to wait for.
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target quillmark qmktool
	cd $(BUILD)/bin && ./quillmark

test: build
	scripts/check-format.sh
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	bench/run $(BUILD)

format:
	clang-format -i $$(git ls-files -co --exclude-standard -- '*.cpp' '*.h')
