# The README's commands. Each one installs what is missing first.
.PHONY: deps run test format demo build

deps:
	@scripts/install-deps

build: deps
	cmake --preset default >/dev/null
	cmake --build --preset default

run: build
	./build/default/lumetra

demo: build
	scripts/demo

test: deps
	cmake --preset default >/dev/null
	cmake --build --preset default
	ctest --preset default
	cmake --preset asan >/dev/null
	cmake --build --preset asan
	ctest --preset asan
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz
	ctest --preset fuzz

format:
	find ui comm console modemtest about platform tests tools bench fuzz main.cpp \
	    -name '*.cpp' -o -name '*.h' | xargs clang-format -i
