# Clang for the same 64-bit Windows target, on Debian's mingw-w64 headers and its GCC's C++
# library: a second compiler's warnings (as errors) on the product, which must build with other
# compilers than GCC. The tests build the product's libraries with it, compile only: linked with
# that GCC's libstdc++, clang's copies of the standard exceptions' type names make the linker warn.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
file(GLOB gcc_dirs /usr/lib/gcc/x86_64-w64-mingw32/*-posix)
list(GET gcc_dirs 0 gcc_dir)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET x86_64-w64-mingw32)
set(CMAKE_CXX_COMPILER_TARGET x86_64-w64-mingw32)
set(CMAKE_SYSROOT /usr/x86_64-w64-mingw32)
# Clang 14 looks for the C++ headers beside the host's, not in the mingw GCC's folder.
set(CMAKE_CXX_FLAGS_INIT
    "-nostdinc++ -isystem ${gcc_dir}/include/c++ -isystem ${gcc_dir}/include/c++/x86_64-w64-mingw32")
# It links too (CMake's compiler checks do), with the mingw linker and that GCC's libraries.
set(link "-fuse-ld=/usr/bin/x86_64-w64-mingw32-ld -L${gcc_dir} -static")
string(APPEND link " -Wno-unused-command-line-argument")  # the compile-only flags above
set(CMAKE_EXE_LINKER_FLAGS_INIT ${link})
set(CMAKE_MODULE_LINKER_FLAGS_INIT ${link})
# libstdc++ and libgcc need the posix thread library after them, and it needs them.
set(CMAKE_CXX_STANDARD_LIBRARIES "-Wl,--start-group -lstdc++ -lgcc -lgcc_eh -lpthread -Wl,--end-group")
# The delay-load import libraries need GNU dlltool (cmake/DelayLoad.cmake).
set(CMAKE_DLLTOOL x86_64-w64-mingw32-dlltool)
