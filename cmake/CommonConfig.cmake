# Language level, warnings and sanitizer switches shared by every target.
add_library(zelt_common INTERFACE)
target_compile_features(zelt_common INTERFACE cxx_std_20)
target_compile_options(zelt_common INTERFACE -Wall -Wextra -Wpedantic -Wnon-virtual-dtor
                                             -Wold-style-cast)
# GCC 12 warns of overlapping copies inside std::string assignments it has inlined at -O3 (its
# bug 105651); no code of the program copies overlapping memory.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(zelt_common INTERFACE $<$<CONFIG:Release>:-Wno-restrict>)
endif()
target_compile_definitions(zelt_common INTERFACE QT_DISABLE_DEPRECATED_BEFORE=0x060400)

option(ZELT_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(ZELT_SANITIZE)
    target_compile_options(zelt_common INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                 -fno-sanitize-recover=undefined)
    target_link_options(zelt_common INTERFACE -fsanitize=address,undefined)
endif()

option(ZELT_WERROR "Treat warnings as errors" OFF)
if(ZELT_WERROR)
    target_compile_options(zelt_common INTERFACE -Werror)
endif()
