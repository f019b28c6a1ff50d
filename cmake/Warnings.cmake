# SPDX-License-Identifier: GPL-3.0-or-later
# One interface target carries the language level, the warnings and the
# sanitizer flags, so every target of the project builds the same way.
add_library(sodwright_options INTERFACE)
target_compile_features(sodwright_options INTERFACE cxx_std_20)
target_compile_options(sodwright_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wold-style-cast -Wnon-virtual-dtor -Werror)
# Every library is position independent, since the batch runner's modules
# link them too; without interposition the compiler still inlines and
# optimises across functions as in an executable.
target_compile_options(sodwright_options INTERFACE -fno-semantic-interposition)
if(SODWRIGHT_SANITIZE)
  target_compile_options(sodwright_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(sodwright_options INTERFACE -fsanitize=address,undefined)
  # Bounds checks of the node and sequence arrays are on in sanitizer builds.
  target_compile_definitions(sodwright_options INTERFACE SODWRIGHT_CHECKED_ARRAYS=1 _GLIBCXX_ASSERTIONS)
endif()
# GCC 12 reports overlapping copies inside std::string concatenation that
# cannot happen (fixed in GCC 13); under -Werror it stops optimised builds.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(sodwright_options INTERFACE -Wno-restrict)
endif()
