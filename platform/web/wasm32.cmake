# The browser build: Debian's clang 14 and lld compile for wasm32-wasi
# against the wasm32 builds of the C library (wasi-libc) and of libc++.
# Use with: cmake -S . -B build-web -DCMAKE_TOOLCHAIN_FILE=platform/web/wasm32.cmake
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(QX70_WEB ON)

set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)

# The compiler check links a program, which needs wasi-libc's start files;
# a static library is enough to know the compiler works.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

# WebAssembly of this clang has no exception handling, and the wasm32 libc++
# is built without it: what would throw (an allocation that fails) aborts.
set(CMAKE_CXX_FLAGS_INIT -fno-exceptions)
